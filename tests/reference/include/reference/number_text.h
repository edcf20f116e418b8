// Numbers and their texts worked out without the engine: by a regular
// expression, by the C library's printf and strtod, and digit by digit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quotalis::testing {

// Whether the whole text, apart from spaces and tabs at either end, has the
// form [+|-] digits with at most one "." and at least one digit, then
// optionally (E|e) [+|-] digits; by a regular expression. Texts of more than a
// few hundred characters may exhaust the expression engine's stack.
bool MatchesNumberGrammar(std::string_view text);

// x rounded to 15 significant digits by printf, and the decimal exponent of
// its first digit.   0.5 -> {0.5, -1}   1234567890123456 -> {1.23456789012346e15, 15}
struct Rounded {
  double value;
  int exponent;
};
Rounded PrintfRounded15(double x);

// The exact value of a number text, written in plain positional form with no
// redundant zeros, worked out on its characters:
//   "007" -> "7"   ".5" -> "0.5"   "-2.50e1" -> "-25"   "1E-05" -> "0.00001"   "0e9" -> "0"
// Nothing when the text does not match the number grammar, has blanks at an
// end, or has an exponent beyond 100000 either way.
std::optional<std::string> ExactValue(std::string_view text);

}  // namespace quotalis::testing
