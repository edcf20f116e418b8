#include "entry/period.h"

#include <QLineEdit>
#include <QScrollBar>

#include "convert/entry.h"

namespace quotalis {

void FollowEntry(const PeriodTarget& period) {
  QLineEdit& entry = period.txtNdecimal;
  const QChar point = QLatin1Char(kEntryPoint);
  period.Nlength = static_cast<std::int32_t>(entry.text().size());
  bool found = false;
  const std::int32_t bound = period.Nlength;
  for (period.Nindex = 1; period.Nindex <= bound; ++period.Nindex) {
    if (entry.text().mid(period.Nindex - 1, 1) == point) {
      // Setting the minimum clamps the value into the new range.
      period.sclTerm.setMinimum(static_cast<std::int16_t>(period.Nindex - period.Nlength));
      found = true;
    }
  }
  if (!found) period.sclTerm.setMinimum(0);
  HighlightRecurringDigits(entry, period.sclTerm);
}

void HighlightRecurringDigits(QLineEdit& txtNdecimal, const QScrollBar& sclTerm) {
  txtNdecimal.setFocus();
  const std::int32_t value = sclTerm.value();
  const std::int32_t start = static_cast<std::int32_t>(txtNdecimal.text().size()) + value;
  txtNdecimal.setCursorPosition(start);
  if (value < 0) txtNdecimal.setSelection(start, -value);
}

}  // namespace quotalis
