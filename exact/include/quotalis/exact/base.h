// Expansions in any base from 2 to 36: reading one, writing a fraction's, and
// the lengths before and of its period, found from the order of the base as
// in base 10 (exact/expansion.h). Base 10 is the rest of the library itself:
// every function here gives for base 10 exactly what its base-10 twin gives.
//
// Digits: 0 to 9, then the letters a to z for 10 to 35. They are read in
// either case and written in lower case (1/6 in base 16 is "0.2(a)", and
// "0.2(A)" reads as the same). A Decimal
// of a base above 10 holds these lower-case letters in its digit strings;
// its exponent is always 0, since an exponent in base B would be ambiguous
// (e is a digit from base 15 on). Fractions keep their terms in base 10.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/notation.h>
#include <quotalis/exact/read.h>

namespace quotalis::exact {

inline constexpr int kMinBase = 2;
inline constexpr int kMaxBase = 36;

// The digit for 0 to 35, lower case: 7 -> '7', 10 -> 'a', 35 -> 'z'.
char DigitChar(int value);

// The value of a digit in either case, or nothing for a character that is no
// digit in any base up to 36: '7' -> 7, 'a' and 'A' -> 10, 'z' -> 35, '.' -> none.
std::optional<int> DigitOf(char c);

// Reads `utf8` as Read does (exact/read.h), the digits of a decimal being in
// `base`: letters that are digits of the base in either case (lower case in
// the Decimal), and no exponent outside base 10. A fraction's terms stay in
// base 10 ("1/5" is 1/5 in every base). The r notation is read while r is no
// digit (bases up to 27); from base 15 on e is a digit, below it an exponent
// is refused. Base 10 is Read itself.
//   "0.0(0011)", 2   -> {false, "0", "0", "0011", 0}, Parentheses
//   "0.1(6)", 16     -> {false, "0", "1", "6", 0}
//   "FF.8", 16       -> {false, "ff", "8", "", 0}, Plain
//   "0.12", 2        -> {Character, "2 at character 4 is not a digit in base 2", 4}
//   "0.g", 16        -> {Character, "g at character 3 is not a digit in base 16", 3}
//   "1e3", 2         -> {Syntax, "the exponent at character 2: only a decimal in base 10 takes
//   one", 2}
// Problems: a base outside 2 to 36 (Argument), and every problem of Read.
Result<Reading> ReadInBase(std::string_view utf8, int base);

// An entry that names its base by a subscript at its end, "0.0(0011)₂" (the
// subscript digits U+2080 to U+2089) or "0.0(0011)_2": the text before it and
// the base. A text without one comes back whole with no base. Blanks after
// the subscript are allowed.
//   "0.0(0011)₂" -> {"0.0(0011)", 2}    "ff_16" -> {"ff", 16}    "0.5" -> {"0.5", none}
// Problems: a subscript that names no base from 2 to 36 ("0.1_1", "0.1_"),
// at its first character.
struct Subscripted {
  std::string text;
  std::optional<int> base;
  bool operator==(const Subscripted&) const = default;
};
Result<Subscripted> SplitSubscript(std::string_view utf8);

// The value of a decimal whose digits are in `base`, in lowest terms: the
// schoolbook rule with base - 1 in place of nine and the base in place of ten
// (see ToFraction in exact/fraction.h, which base 10 is).
//   {"0", "0", "0011"}, 2  -> (0011 - 0) / (1111 * 10) in base 2 = 3/30 = 1/10
//   {"0", "2", "a"}, 16    -> (2a - 2) / f0 in base 16 = 40/240 = 1/6
//   {"0", "1", "6"}, 16    -> (16 - 1) / f0 in base 16 = 21/240 = 7/80
//   {"ff", "8", ""}, 16    -> 511/2
// Problems: a base outside 2 to 36, a digit string holding anything but the
// base's digits, an exponent other than 0 outside base 10 (Argument); a term
// that would pass kMaxTermDigits decimal digits (TooLarge), refused before
// it is built. Cost: reading the digits (subquadratic in GMP) and one gcd.
Result<Rational> FromBase(const Decimal& digits, int base);

// FromBase with the schoolbook terms before reduction too, as ToFraction
// gives them (which it is for base 10); the same problems.
//   {"0", "0", "0011"}, 2 -> 3/30, reduced 1/10
Result<Schoolbook> ToFractionInBase(const Decimal& digits, int base);

// The expansion of `r` in `base`, as ToDecimal gives it in base 10 (which it
// is for base 10): the non-recurring part's length is the largest of
// ceil(e_p / a_p) over the primes p of the base, p^a_p in the base and p^e_p
// in the reduced denominator; the period's, the order of the base modulo the
// denominator without those primes, found by the same bounded factoring and
// search as in base 10 (see ToDecimal). Digits past 9 in lower case; the
// same maxDigits and limits as ToDecimal, counted in digits of the base.
//   1/10, 2  -> 0.0(0011), fixed 1, period 4     1/5, 2 -> 0.(0011)
//   1/6, 16  -> 0.2(a), fixed 1, period 1        255/2, 16 -> 7f.8
//   1/3, 3   -> 0.1, fixed 1, period 0           -1/7, 8 -> -0.(1)
// Problems: a base outside 2 to 36 (Argument), and those of ToDecimal.
// Cost: that of ToDecimal; the digits by one multiplication and one division
// of numbers as long as the digits wanted (linear for bases that are powers
// of two, where GMP writes digits by shifts).
Result<DecimalExpansion> ToBase(const Rational& r, int base,
                                std::optional<std::int64_t> maxDigits = std::nullopt);

// The period's length of n/d in `base`, for any n prime to d: the order of
// the base modulo d without the base's primes (0 when nothing is left). The
// same limits as PeriodLength, which base 10 is. Empty as PeriodLength is,
// and for a base outside 2 to 36.
//   7, 2 -> 3   5, 2 -> 4   10, 2 -> 4   3, 3 -> 0   7, 8 -> 1
//   9999991 (a prime): base 2 -> 4999995, base 16 -> 4999995, base 10 -> 1666665
std::optional<mpz_class> PeriodLengthInBase(const mpz_class& d, int base);

// Writes `canonical` (ToBase's value, or Canonical's for base 10) in
// `notation` as Write does (exact/write.h), with the base's digits. Outside
// base 10 the keypad (a base-10 entry) and, from base 28 on, the r notation
// (r is a digit there) are refused as Unwritable.
//   0.0(0011) in base 2: Parentheses "0.0(0011)", Ellipsis "0.000110011...",
//                        Latex "0.0\overline{0011}"
Result<std::string> WriteInBase(const Decimal& canonical, Notation notation, int base);

}  // namespace quotalis::exact
