// The keypad: the only way the user composes the entry. Each accepted press
// rewrites the entry (which runs txtNdecimal_Change inside the write) and then
// blanks the reduced fraction. Refused presses change nothing and say nothing.
#include <QLineEdit>

#include "app/frmfraction.h"
#include "convert/entry.h"
#include "entry/lockedlineedit.h"

namespace quotalis {

namespace {
constexpr int kLongestEntry = kEntryLongest;
}

void frmFraction::cmdKey_Click(std::int16_t index) {
  const QString entry = txtNdecimal->text();
  if (entry.size() >= kLongestEntry) return;
  SetEntryText(entry + QString::number(index));
  txtRnumerator->setText(QString());
  txtRdenominator->setText(QString());
}

void frmFraction::cmdDot_Click() {
  const QString entry = txtNdecimal->text();
  if (entry.size() >= kLongestEntry) return;
  const std::int32_t bound = Nlength;
  for (Nindex = 1; Nindex <= bound; ++Nindex) {
    if (txtNdecimal->text().mid(Nindex - 1, 1) == u'.') return;
  }
  SetEntryText(entry + u'.');
  txtRnumerator->setText(QString());
  txtRdenominator->setText(QString());
}

void frmFraction::cmdBack_Click() {
  const QString entry = txtNdecimal->text();
  if (entry.isEmpty()) return;
  SetEntryText(entry.left(entry.size() - 1));
  txtRnumerator->setText(QString());
  txtRdenominator->setText(QString());
}

void frmFraction::cmdClear_Click() {
  SetEntryText(QString());
  txtRnumerator->setText(QString());
  txtRdenominator->setText(QString());
}

}  // namespace quotalis
