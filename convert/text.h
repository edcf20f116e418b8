// Conversions between text and numbers, shared by the expansion and the
// reduction. The decimal point is always "." whatever the locale, and no digit
// grouping is ever read or written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quotalis {

// Value of the longest leading part of `text` of the form
//   [+|-] digits, with at most one "." among them
//   then, once at least one digit has been read, an optional exponent
//   (E|e) [+|-] digits
// A text that starts with no digit (after the sign and the point) gives 0.
//   "12.5" -> 12.5     "05" -> 5       "1." -> 1        ".5" -> 0.5
//   "1.2.3" -> 1.2     "." -> 0        "" -> 0          "1E-05" -> 0.00001
//   "-2x" -> -2        "1e" -> 1       "1e+" -> 1       "e5" -> 0
// A magnitude beyond the range of double reads as infinity, one too small for
// it as zero. Never fails.
double LeadingValue(std::string_view text);

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

// A text comes back unchanged: "" -> "", "." -> ".", "007" -> "007".
std::string GeneralText(std::string_view text);

// As GeneralText(double), but never in exponent form:
//   1e-05 -> "0.00001"   1.2e-05 -> "0.000012"   0.5 -> "0.5"   1e+15 -> "1000000000000000"
std::string PlainText(double value);

// Nearest 32-bit integer, a value exactly halfway going to the even neighbour:
//   2.5 -> 2   3.5 -> 4   4.5 -> 4   -2.5 -> -2   2147483647.4 -> 2147483647
// Nothing (overflow) when the rounded value lies outside -2147483648..2147483647
// or the value is not a number.
std::optional<std::int32_t> RoundToLong(double value);

// Whether the whole text, apart from blanks (spaces, tabs) at either end, is
//   [+|-] digits with at most one "." and at least one digit [ (E|e) [+|-] digits ]
//   "1." -> true   ".5" -> true   "007" -> true   " 1e5 " -> true
//   "" -> false    "." -> false   "1.2.3" -> false   "1e" -> false   "+" -> false
bool IsNumber(std::string_view text);

// Whether the text is one or more of the digits 0 to 9 and nothing else.
bool IsDigits(std::string_view text);

// Text pieces. Counts and the 1-based position p are never negative; a count
// past the end of the text takes what there is.
//   Left("12.34", 2) -> "12"   Right("12.34", 2) -> "34"   Right("34", 9) -> "34"
//   Mid("12.34", 3, 1) -> "."  Mid("12", 5, 1) -> ""
std::string Left(std::string_view text, std::size_t n);
std::string Right(std::string_view text, std::size_t n);
std::string Mid(std::string_view text, std::size_t p, std::size_t n);

}  // namespace quotalis
