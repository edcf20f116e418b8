// What to type on the window's keypad for a value: the one place that knows
// both the exact library and the window's own engine.
#pragma once

#include <cstdint>
#include <string>

#include <quotalis/exact/fraction.h>

namespace quotalis::cli {

// The keypad entry and how many trailing digits to mark recurring with the
// scroll bar.
struct KeypadForm {
  std::string entry;
  std::int64_t period = 0;
  bool operator==(const KeypadForm&) const = default;
};

// The keypad form of `value`, checked against the window's own engine
// (convert/conversion.h), so that the window converts what this answers. It
// does not depend on how many digits an answer may otherwise show.
//   1/7 -> {"0.142857", 6}   1/6 -> {"0.16", 1}   12 -> {"12", 0}   0 -> {"0", 0}
//   0.(123456789) -> {".123456789", 9}  (the leading zero dropped to fit)
//   0.(10) -> {"0.101", 2}  (the window drops an entry's trailing zeros, so
//                            a period that ends in zero starts one digit later)
// Refused (Unwritable, position 0) when the window cannot take it:
//   -1/2 -> "the keypad cannot type a negative value"
//   0.0(123456789) -> "the keypad holds at most 10 characters; the entry would need 11"
//   1/3^30 -> "the keypad holds at most 10 characters; the entry would need more"
//   (more: a part of the decimal alone is longer than the keypad)
//   and values the window's engine refuses, with its reason.
exact::Result<KeypadForm> ToKeypad(const exact::Rational& value);

}  // namespace quotalis::cli
