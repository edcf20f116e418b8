// The working of both conversions as data, for a front end to lay out as a
// teacher writes it. Nothing here is text for a reader: the front end words it.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>

namespace quotalis::exact {

// One prime of a term's factorisation, and how many of its copies the other
// term shares (they cancel).
struct SharedPrime {
  mpz_class prime;
  std::int64_t exponent = 0;
  std::int64_t common = 0;  // 0..exponent
  bool operator==(const SharedPrime&) const = default;
};

// A term split into primes; `factored` false when the term was too hard to
// factor quickly (see ToDecimal), and then `primes` is empty.
struct TermFactors {
  bool factored = false;
  std::vector<SharedPrime> primes;
};

// The digits of `d` with its sign and exponent set aside, in their shortest
// form: no leading zero before the point ("0" for none), the shortest period,
// starting as early as it can, and no zero at the end of a decimal that ends.
// Unlike Canonical, a period of nines is kept, so that a working can show
// why 0.(9) is 1. Time linear in the digits of `d`.
//   0.16(6) -> 0.1(6)   0.(1212) -> 0.(12)   007.50 -> 7.5   -1.2(3)e-5 -> 1.2(3)
//   0.4(99) -> 0.4(9)   0.5(0) -> 0.5   0.(0) -> 0
Decimal Shortest(const Decimal& d);

// A value as a mixed number: sign, whole part and a proper fraction, the
// fraction in the terms of the value (in lowest terms when the value is).
//   7/6 -> {false, 1, 1, 6}   -7/6 -> {true, 1, 1, 6}   1/6 -> {false, 0, 1, 6}
//   7/1 -> {false, 7, 0, 1}
struct MixedNumber {
  bool negative = false;
  mpz_class whole{0};
  mpz_class numerator{0};
  mpz_class denominator{1};
  bool operator==(const MixedNumber&) const = default;
};
// Precondition: a positive denominator.
MixedNumber ToMixed(const Rational& r);

// Decimal to fraction, for x = the decimal. The working sets its sign and
// exponent aside and works on y = Shortest(x) (y is x when there are neither);
// a the digits of y's non-recurring part and b those of its period:
//   10^(a+b) y = upper...   (its whole part `upper`, the same period after it)
//   10^a y     = lower...   (its whole part `lower`)
//   (10^(a+b) - 10^a) y = upper - lower        (when b = 0: 10^a y = upper)
//   y = difference / coefficient, x = the same with the exponent and the sign
//   applied (`fraction`), split into primes, the common factors marked, and
//   the lowest terms.
//   0.1(6): a 1, b 1, upper 16, lower 1, 15/90 = 3 5 / 2 3^2 5, common 3 5 -> 1/6
//   0.1666... read as 0.166(6): worked as 0.1(6), the same as above
//   -1.2(3)e-5: y = 1.2(3), 111/90, x = -111/9000000, common 3 -> -37/3000000
struct DecimalWorking {
  Decimal decimal;                // as given
  Decimal shortest;               // y = Shortest(decimal)
  Decimal canonical;              // Canonical(shortest): other than it for a period of nines
  std::int64_t fixedDigits = 0;   // a
  std::int64_t periodDigits = 0;  // b
  mpz_class upper{0};             // whole part of 10^(a+b) y
  mpz_class lower{0};             // whole part of 10^a y
  mpz_class coefficient{1};       // 10^(a+b) - 10^a, or 10^a when nothing recurs
  mpz_class difference{0};        // upper - lower, or upper when nothing recurs
  Schoolbook fraction;            // x = fraction.numerator / fraction.denominator
  TermFactors numerator;
  TermFactors denominator;
  // The greatest common factor of the two terms. When either term could not be
  // factored it comes from Euclid's algorithm alone, and `byEuclid` says so.
  mpz_class common{1};
  bool byEuclid = false;
  MixedNumber mixed;  // the lowest terms as a mixed number
};

// The working of ToFraction. Same Problems and limits as ToFraction. Cost: that
// of ToFraction, plus the factoring of each term
// (bounded as exact/expansion.h states).
Result<DecimalWorking> ExplainDecimal(const Decimal& decimal);
// The same, keeping `decimal` in the working rather than a copy of it.
Result<DecimalWorking> ExplainDecimal(Decimal&& decimal);

// The most long-division steps kept: enough to show any period a pupil works
// by hand, short enough to print on a screen or two.
inline constexpr std::int64_t kMaxDivisionSteps = 1000;
// And at most this many digits of remainders kept in all, so that a
// denominator of millions of digits keeps a few steps rather than gigabytes.
inline constexpr std::int64_t kMaxRemainderDigits = kMaxTermDigits;

// One step of the long division of |n| by d: the remainder brought down (times
// ten it is divided by d), and the digit it gives.
struct DivisionStep {
  mpz_class remainder;
  int digit = 0;
};

// A fraction or mixed number as it was written, and what the working does to
// it before it divides: a mixed number made improper, then the fraction reduced.
//   "-3 2/4": negative, whole 3, 2/4, improper 14, common 2 (14/4 = 7/2)
struct WrittenFraction {
  bool negative = false;  // only when the value is not zero
  bool mixed = false;     // written with a whole part
  mpz_class whole{0};
  mpz_class numerator{0};
  mpz_class denominator{1};
  mpz_class improper{0};  // whole * denominator + numerator
  mpz_class common{1};    // the greatest common factor of improper and denominator
};

// Fraction to decimal by long division: |n| / d = whole, remainder steps[0];
// step i divides 10 * steps[i].remainder by d, giving the i-th digit after the
// point and the next remainder. The steps end at the first remainder that comes
// again (or at remainder 0) and that step is kept too, so that
// steps[periodStart].remainder == steps.back().remainder; or they stop at
// kMaxDivisionSteps, `capped` then true.
//   1/6: whole 0, remainders 1, 4, 4 -> digits 1, 6; period starts at step 1, length 1
//   1/4: whole 0, remainders 1, 2, 0 -> digits 2, 5; terminates (periodLength 0)
struct FractionWorking {
  std::optional<WrittenFraction> written;  // from ExplainFraction(FractionText) only
  Rational fraction;                       // in lowest terms
  mpz_class whole{0};
  std::vector<DivisionStep> steps;
  std::int64_t periodStart = 0;           // = the non-recurring digits
  std::optional<mpz_class> periodLength;  // as ToDecimal gives it
  bool capped = false;
};

// The working of ToDecimal. Problems: a zero denominator. Cost: that of
// PeriodLength plus one division of d-digit numbers per step kept.
Result<FractionWorking> ExplainFraction(const Rational& r);

// The same for a fraction or mixed number as written, with `written` filled
// in. Problems: those of FromText.
Result<FractionWorking> ExplainFraction(const FractionText& text);

}  // namespace quotalis::exact
