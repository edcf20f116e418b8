// Reading numbers and pieces out of text. The decimal point is always "."
// whatever the locale, and no digit grouping is ever read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quotalis {

// Whether `c` is one of the digits 0 to 9 (never a locale's other digits).
//   '0' -> true   '9' -> true   '.' -> false   ' ' -> false
bool IsDigit(char c);

// `text` without the blanks (spaces and tabs) at either end; no other
// character counts as a blank.
//   " 1e5\t" -> "1e5"   "  " -> ""   "1 2" -> "1 2"   "\n1" -> "\n1"
std::string_view TrimBlanks(std::string_view text);

// Value of the longest leading part of `text` of the form
//   [+|-] digits, with at most one "." among them
//   then, once at least one digit has been read, an optional exponent
//   (E|e) [+|-] digits
// A text that starts with no digit (after the sign and the point) gives 0,
// and so does a leading blank.
//   "12.5" -> 12.5     "05" -> 5       "1." -> 1        ".5" -> 0.5
//   "1.2.3" -> 1.2     "." -> 0        "" -> 0          "1E-05" -> 0.00001
//   "-2x" -> -2        "1e" -> 1       "1e+" -> 1       "e5" -> 0   " 5" -> 0
// A magnitude beyond the range of double reads as infinity, one too small for
// it as zero. Never fails.
double LeadingValue(std::string_view text);

// Whether the whole text, apart from blanks (spaces, tabs) at either end, is
//   [+|-] digits with at most one "." and at least one digit [ (E|e) [+|-] digits ]
// the form LeadingValue reads.
//   "1." -> true   ".5" -> true   "007" -> true   " 1e5 " -> true
//   "" -> false    "." -> false   "1.2.3" -> false   "1e" -> false   "+" -> false
bool IsNumber(std::string_view text);

// Whether the text is one or more of the digits 0 to 9 and nothing else.
//   "007" -> true   "" -> false   "-1" -> false   " 1" -> false   "1e5" -> false
bool IsDigits(std::string_view text);

// The first n characters of `text`, and the last n; a count past the end of
// the text takes what there is.
//   Left("12.34", 2) -> "12"   Left("12", 9) -> "12"   Left("12", 0) -> ""
//   Right("12.34", 2) -> "34"  Right("34", 9) -> "34"  Right("12", 0) -> ""
std::string Left(std::string_view text, std::size_t n);
std::string Right(std::string_view text, std::size_t n);

}  // namespace quotalis
