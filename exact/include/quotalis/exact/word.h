// The fast path for small decimals: read from the text, reduced and written
// back in 64-bit machine words, with no big number and no string made on the
// way. Where it answers at all it answers as Read, ToFraction and the
// fraction's digits written in base ten do; everything else it leaves to them
// (nothing is returned), refusals included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quotalis::exact {

// A decimal's digit strings as views into the text that holds them (see
// Decimal in exact/decimal.h; the exponent is 0).
struct DecimalDigits {
  bool negative = false;
  std::string_view integer;
  std::string_view fixed;
  std::string_view period;
};

// What Read makes of `text` when the text is ASCII of the form
//   [+|-] digits [. digits] [( digits )]
// with at least one digit, a point before the parentheses and a digit inside
// them, and nothing else (no blank, no exponent); nothing for any other text,
// which Read then reads or refuses. The views point into `text`. Linear in
// its length; no memory is taken.
//   "12.34(567)" -> {false, "12", "34", "567"}   "-.5" -> {true, "", "5", ""}
//   ".(3)" -> {false, "", "", "3"}   "7" -> {false, "7", "", ""}
//   "1(2)", "0.1e3", "0.(", " 1", "１" -> nothing
std::optional<DecimalDigits> ReadSmall(std::string_view text);

// A fraction whose terms each fit in 64 bits, the sign apart.
struct WordFraction {
  bool negative = false;
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;
  bool operator==(const WordFraction&) const = default;
};

// ToFraction(d).reduced in machine words, when the numbers on the way stay
// below 10^19: the digits of the integer part after its leading zeros plus
// those after the point at most 19, and those after the point at most 19.
// Nothing for a longer decimal, or for a digit string holding anything but
// 0 to 9. Zero is 0/1, never negative. A few hundred nanoseconds at most.
//   12.34(567) -> 45679/3700   -0.1(6) -> -1/6   0.(9) -> 1/1
//   -0.0 -> 0/1   9999999999999999999 -> 9999999999999999999/1
//   0.(0000000000000000001) -> 1/9999999999999999999
//   99999999999999999999 (20 digits) -> nothing
std::optional<WordFraction> ToWordFraction(const DecimalDigits& d);

// The most characters WriteWordFraction writes: a sign, a blank, a slash,
// the denominator and the rest of up to 20 digits each, and a whole part
// whose digits and the denominator's add up to at most 21 (their product is
// below 2^64).
inline constexpr std::size_t kWordFractionChars = 44;

// Writes `f` (in lowest terms) as "N/D" ("-3/4", "0/1", "7/1"), or, `mixed`,
// as a mixed number: the whole part, a blank, then the proper fraction, the
// sign in front ("1 1/6", "-3/4", "7", "0"), into `out`, which holds at least
// kWordFractionChars characters. Returns the end of what it wrote.
char* WriteWordFraction(const WordFraction& f, bool mixed, char* out);

}  // namespace quotalis::exact
