#include "entry/keypad.h"

#include <QLineEdit>

#include "convert/entry.h"

namespace quotalis {

namespace {

// The end of every accepted press, numerator first.
void BlankResult(const KeypadTarget& keypad) {
  keypad.txtRnumerator.setText(QString());
  keypad.txtRdenominator.setText(QString());
}

bool IsFull(const QString& entry) { return entry.size() >= kEntryLongest; }

}  // namespace

void PressDigit(const KeypadTarget& keypad, std::int16_t index) {
  const QString entry = keypad.txtNdecimal.text();
  if (IsFull(entry)) return;
  SetEntryText(keypad.txtNdecimal, entry + QString::number(index));
  BlankResult(keypad);
}

void PressPoint(const KeypadTarget& keypad) {
  const QString entry = keypad.txtNdecimal.text();
  if (IsFull(entry)) return;
  const QChar point = QLatin1Char(kEntryPoint);
  const std::int32_t bound = keypad.Nlength;
  for (keypad.Nindex = 1; keypad.Nindex <= bound; ++keypad.Nindex) {
    if (keypad.txtNdecimal.text().mid(keypad.Nindex - 1, 1) == point) return;
  }
  SetEntryText(keypad.txtNdecimal, entry + point);
  BlankResult(keypad);
}

void PressBack(const KeypadTarget& keypad) {
  const QString entry = keypad.txtNdecimal.text();
  if (entry.isEmpty()) return;
  SetEntryText(keypad.txtNdecimal, entry.left(entry.size() - 1));
  BlankResult(keypad);
}

void PressClear(const KeypadTarget& keypad) {
  SetEntryText(keypad.txtNdecimal, QString());
  BlankResult(keypad);
}

void SetEntryText(QLineEdit& txtNdecimal, const QString& text) {
  if (txtNdecimal.text() != text) txtNdecimal.setText(text);
}

}  // namespace quotalis
