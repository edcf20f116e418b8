// The recurring-period selector. The scroll bar runs from minus the number of
// characters after the entry's point up to 0, and k = -value digits recur;
// they are shown as the entry box's selection.
#include <QLineEdit>

#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"

namespace quotalis {

void frmFraction::txtNdecimal_Change() {
  Nlength = static_cast<std::int32_t>(txtNdecimal->text().size());
  bool point = false;
  const std::int32_t bound = Nlength;
  for (Nindex = 1; Nindex <= bound; ++Nindex) {
    if (txtNdecimal->text().mid(Nindex - 1, 1) == u'.') {
      // With several points the last would decide; the keypad allows one.
      // Setting the minimum clamps the value into the new range.
      sclTerm->setMinimum(static_cast<std::int16_t>(Nindex - Nlength));
      point = true;
    }
  }
  if (!point) sclTerm->setMinimum(0);
  HighlightRecurringDigits();
}

void frmFraction::sclTerm_Change() { HighlightRecurringDigits(); }

void frmFraction::HighlightRecurringDigits() {
  txtNdecimal->setFocus();
  const std::int32_t value = sclTerm->value();
  const std::int32_t start = static_cast<std::int32_t>(txtNdecimal->text().size()) + value;
  txtNdecimal->setCursorPosition(start);
  if (value < 0) txtNdecimal->setSelection(start, -value);
}

void frmFraction::SetEntryText(const QString& text) {
  // Only a write that changes the text runs txtNdecimal_Change; QLineEdit
  // would drop the selection even on an unchanged write, so skip that one.
  if (txtNdecimal->text() != text) txtNdecimal->setText(text);
}

}  // namespace quotalis
