// The recurring-period selector: a scroll bar from minus the number of
// characters after the entry's point up to 0, whose value v makes the last
// k = -v digits of the entry recur. They are shown as the entry box's
// selection.
//
// The functions work on the controls and variables they are handed.
#pragma once

#include <cstdint>

class QLineEdit;
class QScrollBar;

namespace quotalis {

// What following the entry reads and writes.
struct PeriodTarget {
  QLineEdit& txtNdecimal;  // the entry
  QScrollBar& sclTerm;     // the selector; its maximum stays 0
  std::int32_t& Nlength;   // set to the entry's length
  std::int32_t& Nindex;    // the position of the point scan, left one past the end
};

// Brings the selector in step with the entry: records the entry's length in
// Nlength, scans every position Nindex = 1 to Nlength for the point and on
// each match sets the minimum to minus the characters after it (so with
// several points the last would decide), sets the minimum to 0 when there is
// none, and then highlights the recurring digits. Setting the minimum clamps
// the selector's value into the new range.
//   "3.14159" -> minimum -5   "12." -> 0   "." -> 0   "123" -> 0   "" -> 0
void FollowEntry(const PeriodTarget& period);

// Gives the entry box the focus and selects its last k = -value characters,
// with the caret after the last one (k = 0: the caret alone).
// Precondition: minimum <= value <= 0, the minimum as FollowEntry set it.
void HighlightRecurringDigits(QLineEdit& txtNdecimal, const QScrollBar& sclTerm);

}  // namespace quotalis
