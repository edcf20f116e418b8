// The window's way of writing a recurring decimal, for entries of any length:
// a plain decimal and a count K of its trailing digits that recur.
#pragma once

#include <cstdint>
#include <string_view>

#include <quotalis/exact/decimal.h>

namespace quotalis::exact {

// The decimal the window makes of `entry` with its last `k` digits recurring.
// The entry is digits with at most one point (which may stand first or last),
// of any length. As the window does, it is first normalised as Convert writes
// it back: leading zeros before the point, trailing zeros after it and a
// trailing point are dropped ("007" -> "7", ".5" -> "0.5", "1.50" -> "1.5",
// "1." -> "1"); then K is clamped into 0..digits after the point of the
// normalised entry, as the period selector clamps it.
//   ("0.1666", 1)   -> 0.1(6)       ("0.142857", 6) -> 0.(142857)
//   ("0.50", 2)     -> 0.(5)        (the entry becomes 0.5, K becomes 1)
//   ("1.0", 1)      -> 1            ("12.34", 9)    -> 12.(34)
//   ("0.000", 2)    -> 0            ("5", -3)       -> 5
// The result is not brought into canonical form: ("0.99", 1) -> 0.9(9), whose
// value is 1, as the window converts it.
// Problems, worded as Read words them (exact/read.h), each naming its 1-based
// character: an empty entry, an entry without a digit (the lone point), a
// character that is neither a digit nor the point, a second point.
//   ""      -> {Empty, "there is nothing to read", 0}
//   "1.2.3" -> {Syntax, "a second point at character 4", 4}
// Linear in the length of the entry.
Result<Decimal> FromKeypad(std::string_view entry, std::int64_t k);

}  // namespace quotalis::exact
