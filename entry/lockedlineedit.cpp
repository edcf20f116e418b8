#include "entry/lockedlineedit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <iterator>

#include "entry/lockedlineeditaccessible.h"

namespace quotalis {

namespace {

// Keys that move the caret, select or copy. Every other key is refused,
// which also keeps out paste, cut, undo and the deleting shortcuts.
constexpr QKeySequence::StandardKey kReadingKeys[] = {
    QKeySequence::MoveToNextChar,
    QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,
    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument,
    QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextChar,
    QKeySequence::SelectPreviousChar,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfBlock,
    QKeySequence::SelectEndOfBlock,
    QKeySequence::SelectStartOfDocument,
    QKeySequence::SelectEndOfDocument,
    QKeySequence::SelectAll,
    QKeySequence::Copy,
    QKeySequence::Deselect,
};

bool IsReadingKey(QKeyEvent* event) {
  return std::any_of(std::begin(kReadingKeys), std::end(kReadingKeys),
                     [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

}  // namespace

LockedLineEdit::LockedLineEdit(QWidget* parent) : QLineEdit(parent) {
  InstallLockedLineEditAccessible();
  setAcceptDrops(false);
  setDragEnabled(false);
}

void LockedLineEdit::keyPressEvent(QKeyEvent* event) {
  if (IsReadingKey(event)) {
    QLineEdit::keyPressEvent(event);
  } else {
    event->ignore();
  }
}

void LockedLineEdit::inputMethodEvent(QInputMethodEvent* event) { event->ignore(); }

void LockedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the X11 selection.
  if (event->button() == Qt::MiddleButton) {
    event->ignore();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void LockedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(QStringLiteral("コピー"), this, &QLineEdit::copy);
  copy->setEnabled(hasSelectedText());
  QAction* all = menu.addAction(QStringLiteral("すべて選択"), this, &QLineEdit::selectAll);
  all->setEnabled(!text().isEmpty());
  menu.exec(event->globalPos());
}

void LockedLineEdit::focusInEvent(QFocusEvent* event) {
  // QLineEdit selects everything when tabbed into; the selection stands as it was.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason) {
    QFocusEvent kept(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&kept);
    return;
  }
  QLineEdit::focusInEvent(event);
}

void LockedLineEdit::focusOutEvent(QFocusEvent* event) {
  // QLineEdit drops its selection on losing the focus; keep it for the return.
  const int start = selectionStart();
  const int length = selectionLength();
  const int cursor = cursorPosition();
  QLineEdit::focusOutEvent(event);
  if (length > 0 && !hasSelectedText()) {
    setSelection(start, length);
    if (cursor == start) setSelection(start + length, -length);
  }
}

}  // namespace quotalis
