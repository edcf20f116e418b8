// Fractions of big integers, and the exact conversion of a decimal into one.
#pragma once

#include <gmpxx.h>

#include <quotalis/exact/decimal.h>

namespace quotalis::exact {

// A fraction of two integers: the denominator is positive and the sign stands
// on the numerator. The functions below that give a Rational give it in lowest
// terms (0 is 0/1); those that take one accept any form with a non-zero
// denominator of either sign.
struct Rational {
  mpz_class numerator{0};
  mpz_class denominator{1};
  bool operator==(const Rational&) const = default;
};

// The value of a fraction or mixed number as written, in lowest terms.
//   {"-3/4"}   -> -3/4        {"", "6", "8"} -> 3/4     {"1 1/6"}  -> 7/6
//   {-, "1", "1", "6"} -> -7/6 (the sign covers the whole mixed number)
//   {"", "0", "5"} -> 0/1     {"2", "3", "2"} -> 7/2 (an improper mixed part is added as it stands)
// Problems: a zero denominator; an empty numerator or denominator; a character
// that is not a digit; a term of more than kMaxTermDigits digits, leading
// zeros aside (the numerator of a mixed number made improper: refused before
// it is read unless its digits are within one of the limit, then counted
// exactly). Cost: reading the digits (subquadratic in GMP) and one gcd.
Result<Rational> FromText(const FractionText& text);

// The fraction the schoolbook rule makes of a decimal, and the same in lowest terms.
//   numerator   = all digits (integer, fixed, period) minus the digits that do
//                 not recur (integer, fixed), or all digits when nothing recurs;
//   denominator = as many nines as the period has digits, then as many zeros as
//                 the fixed part has (1 when there are neither);
//   then the exponent applied: a positive one multiplies the numerator, a
//   negative one the denominator, by its power of ten; the sign goes on the numerator.
//   0.1(6)    -> 16 - 1 = 15 / 90        -> 1/6
//   12.34     -> 1234 / 100              -> 617/50
//   -1.2(3)e-5 -> -(123 - 12) / 9000000  -> -37/3000000
//   0.(9)     -> 9/9                     -> 1/1
//   2.5e2     -> 2500/10                 -> 250/1
struct Schoolbook {
  mpz_class numerator{0};
  mpz_class denominator{1};
  Rational reduced;
};

// Decimal to fraction, exact. Problems: a digit string holding anything but
// 0-9, and a value past kMaxTermDigits in either term of the fraction above
// made from its canonical form (see Canonical in exact/canonical.h; zero never
// is), refused before any memory is taken for a term. The library's one digit
// rule: the same value is accepted or refused alike whatever its notation
// (1e9999999, 0.1e10000000 and 0.(9)e9999999 are accepted, 10^9999999;
// 0e999999999 is 0). When the terms as written pass the limit but the
// canonical form's do not, the fraction (unreduced too) is that of the
// canonical form: 0.(9)e9999999 -> 10^9999999/1. An empty decimal (no digit
// at all) is 0.
// Cost: reading each digit once, one multiplication by 10^b - 1 (b the
// period's digits) and one gcd of b-digit numbers (the numerator is the
// period's digits modulo 10^b - 1), since the twos and fives of the
// denominator are counted off separately, then the unreduced terms; all
// subquadratic in the number of digits (a million digits with a period of
// 100,000: about 0.16 s with both terms written out). Decimals whose terms
// stay below 10^18, as every keypad entry's do, are worked in machine words
// (under a microsecond).
Result<Schoolbook> ToFraction(const Decimal& decimal);

// ToFraction's lowest terms alone, without the unreduced terms (which for a
// long decimal cost two more multiplications of its length), and with a
// power of ten that divides the denominator held apart, so that a writer
// makes the digits of the shorter number and then writes the zeros: the
// reduced denominator is denominator * 10^tens. All of that power is held
// apart for a decimal whose terms pass 10^18; tens is 0 for shorter ones.
// The same problems as ToFraction.
//   0.1(6) -> 1/6, tens 0   12.34 -> 617/50, tens 0
//   0.5 followed by 30 zeros and a 1 (10^-32 + 0.5) -> 5000...001 / 1, tens 32
struct LowestTerms {
  mpz_class numerator{0};
  mpz_class denominator{1};
  std::int64_t tens = 0;
};
Result<LowestTerms> ToLowestTerms(const Decimal& decimal);

// `r` with a positive denominator and in lowest terms. Precondition: the
// denominator is not zero.
Rational Reduced(Rational r);

}  // namespace quotalis::exact
