// The keypad: the only way the user composes the entry. A press appends a
// digit or the point, deletes the last character, or empties the entry; each
// accepted press writes the entry box (whose text-changed handling runs
// inside the write), then blanks the reduced numerator, then the reduced
// denominator. A refused press changes nothing and says nothing.
//
// The functions work on the controls and variables they are handed, so any
// window with an entry box and two result boxes can use them.
#pragma once

#include <cstdint>

class QLineEdit;
class QString;

namespace quotalis {

// What a keypad press reads and writes.
struct KeypadTarget {
  QLineEdit& txtNdecimal;       // the entry
  QLineEdit& txtRnumerator;     // blanked after every accepted press
  QLineEdit& txtRdenominator;   // blanked after the numerator
  const std::int32_t& Nlength;  // the entry's length as last recorded: the point search's bound
  std::int32_t& Nindex;         // left where the point search stopped
};

// Appends the digit `index` unless the entry already holds kEntryLongest
// characters.
// Precondition: 0 <= index <= 9.
void PressDigit(const KeypadTarget& keypad, std::int16_t index);

// Appends the point unless the entry already holds kEntryLongest characters
// or a point. The search for a point takes Nlength as its bound once, then
// reads the entry afresh at each position Nindex = 1, 2, ... up to it; it
// stops the press at the first point found.
void PressPoint(const KeypadTarget& keypad);

// Deletes the entry's last character; an empty entry refuses the press.
void PressBack(const KeypadTarget& keypad);

// Empties the entry; never refused, so it blanks the result even when the
// entry is already empty.
void PressClear(const KeypadTarget& keypad);

// Writes `text` into the entry box when it differs from the entry's text: an
// unchanged write would drop the selection and run no change handling.
void SetEntryText(QLineEdit& txtNdecimal, const QString& text);

}  // namespace quotalis
