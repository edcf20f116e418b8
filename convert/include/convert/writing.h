// Writing numbers as text. The decimal point is always "." whatever the
// locale, and no digit grouping is ever written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quotalis {

// The text of a number written without a format string. The value is first
// rounded to 15 significant digits; decimal exponents -4 to 14 are written in
// plain form without trailing zeros, others in exponent form:
//   0.5 -> "0.5"       14 -> "14"        0.0001 -> "0.0001"
//   123456789012345 -> "123456789012345"   0 -> "0"   -2.5 -> "-2.5"
//   1e-05 -> "1E-05"   1.5e-07 -> "1.5E-07"   1234567890123456 -> "1.23456789012346E+15"
// Non-finite values give "inf", "-inf" or "nan".
std::string GeneralText(double value);

// Decimal digits, with a leading "-" when negative: 42 -> "42", -7 -> "-7".
std::string GeneralText(std::int32_t value);

// As GeneralText(double), but never in exponent form:
//   1e-05 -> "0.00001"   1.2e-05 -> "0.000012"   0.5 -> "0.5"   1e+15 -> "1000000000000000"
std::string PlainText(double value);

// Nearest 32-bit integer, a value exactly halfway going to the even neighbour:
//   2.5 -> 2   3.5 -> 4   4.5 -> 4   -2.5 -> -2   2147483647.4 -> 2147483647
// Nothing (overflow) when the rounded value lies outside -2147483648..2147483647
// or the value is not a number.
std::optional<std::int32_t> RoundToLong(double value);

}  // namespace quotalis
