// The horizontal scroll bar that chooses how many trailing digits recur.
// It takes the focus through Tab, steps by one for arrows and trough clicks
// alike, reports a drag only on release, and steps left for Left and Up.
#pragma once

#include <QScrollBar>

namespace quotalis {

class PeriodScrollBar : public QScrollBar {
 public:
  explicit PeriodScrollBar(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quotalis
