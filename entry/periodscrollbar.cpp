#include "entry/periodscrollbar.h"

#include <QKeyEvent>

namespace quotalis {

PeriodScrollBar::PeriodScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setRange(0, 0);
  setSingleStep(1);
  setPageStep(1);
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void PeriodScrollBar::keyPressEvent(QKeyEvent* event) {
  // QScrollBar inverts its key controls, which sends Left to the right on a
  // horizontal bar; here Left lowers the value, as its arrow button does.
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_Right:
    case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
    case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
    case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
    case Qt::Key_Home: triggerAction(SliderToMinimum); break;
    case Qt::Key_End: triggerAction(SliderToMaximum); break;
    default: QScrollBar::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace quotalis
