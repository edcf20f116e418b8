// What to type on the window's keypad for a value, worked out with the exact
// library; the front end that links the window's own engine checks it
// through the hook it hands in (cli/keypad_window.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>

namespace quotalis::answer {

// The most characters the window's entry holds (the window's engine names it
// too, and the command line, which links both, checks that they agree).
inline constexpr std::size_t kKeypadLongest = 10;

// The keypad entry and how many trailing digits to mark recurring with the
// scroll bar.
struct KeypadForm {
  std::string entry;
  std::int64_t period = 0;
  bool operator==(const KeypadForm&) const = default;
};

// Why the window would not convert `form` as the exact library wrote it
// (`dropZero`: its leading zero was dropped to fit), a refusal of kind
// Unwritable; nothing when it would.
using KeypadCheck =
    std::function<std::optional<exact::Problem>(const KeypadForm& form, bool dropZero)>;

// The keypad form of `value`, then asked of `check` when one is given, so
// that the window converts what this answers. It does not depend on how many
// digits an answer may otherwise show.
//   1/7 -> {"0.142857", 6}   1/6 -> {"0.16", 1}   12 -> {"12", 0}   0 -> {"0", 0}
//   0.(123456789) -> {".123456789", 9}  (the leading zero dropped to fit)
//   0.(10) -> {"0.101", 2}  (the window drops an entry's trailing zeros, so
//                            a period that ends in zero starts one digit later)
// Refused (Unwritable, position 0) when the window cannot take it:
//   -1/2 -> "the keypad cannot type a negative value"
//   0.0(123456789) -> "the keypad holds at most 10 characters; the entry would need 11"
//   1/3^30 -> "the keypad holds at most 10 characters; the entry would need more"
//   (more: a part of the decimal alone is longer than the keypad)
//   and what `check` refuses, with its reason.
exact::Result<KeypadForm> ToKeypad(const exact::Rational& value, const KeypadCheck& check = {});

}  // namespace quotalis::answer
