// A display rounded at its last digit, as a calculator or a spreadsheet shows
// a number, and the simplest fraction it may stand for.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/working.h>

namespace quotalis::exact {

// The longest display read as rounded: the search below takes time quadratic
// in the digits of its ends (about 12 ms at 10,000 digits, about 1 s at
// this limit), so a longer one is refused rather than left running for
// minutes. Counted as the digits from the first non-zero one to the last
// one, and the digits after the point where the display is rounded (the
// larger of the two).
inline constexpr std::int64_t kMaxRoundedDigits = 100'000;

// Which ends of a range belong to it: both, for the closed range a <= x <= b;
// the lower alone, for the half-open a <= x < b.
struct Ends {
  bool low = true;
  bool high = true;
  bool operator==(const Ends&) const = default;
};

// The values a display rounded half up at its last digit may stand for, as a
// calculator rounds: those within half a unit u of that digit either side of
// it, the half rounded away from zero. So the end of the half away from zero
// is not among them (0.25 shows as 0.3, not 0.2), and the end towards zero is:
//   a display a above 0:  a - u/2 <= x <  a + u/2   ends {true, false}
//   a display a below 0:  a - u/2 <  x <= a + u/2   ends {false, true}
//   a display of 0:        -u/2 <  x <  u/2         ends {false, false}
//     (a value of half a unit either way shows as a unit, -u or u)
//   0.6666666667 -> 0.66666666665 <= x < 0.66666666675, place 10
//   7            -> 6.5 <= x < 7.5, place 0
//   -3.14159     -> -3.141595 < x <= -3.141585, place 5
//   0.0000       -> -0.00005 < x < 0.00005, place 4
//   1.5e-3       -> 0.00145 <= x < 0.00155, place 4 (rounded at its last digit, the 5)
struct RoundingInterval {
  Decimal low;  // in canonical form (exponent 0), one digit longer than the display
  Decimal high;
  Rational lowValue;  // the same, in lowest terms
  Rational highValue;
  Ends ends{true, false};  // which of the two belong to it
  // Where the display is rounded: digits after the point of its last digit,
  // 0 for the units.
  std::int64_t place = 0;
};

// The interval of `display`, a decimal that ends, read as rounded at its last
// written digit: trailing zeros count (0.30 is rounded at the hundredths, 0.3
// at the tenths), and an exponent moves that digit with the point (1.5e-3 is
// rounded at digit 4 after the point, 1.25e1 = 12.5 at the tenths).
// Problems, position 0:
//   0.1(6) -> {Syntax, "a recurring decimal is exact already, not a rounded display"}
//   1.5e3  -> {Syntax, "the exponent moves the last digit before the units place, which
//              leaves no digit to round at"}   (one line: 1500 was never shown to the units)
//   more than kMaxRoundedDigits digits -> {TooLarge, "a rounded display may have at most
//              100,000 digits"}   (one line)
//   a digit string holding anything but 0 to 9 -> Argument, as Canonical refuses it.
// Cost: reading the digits into one integer, linear in their number.
Result<RoundingInterval> RoundedInterval(const Decimal& display);

// The simplest fraction in the closed interval between `a` and `b` (in
// either order): the one with the smallest denominator, and among those the
// one with the smallest numerator in absolute value; in lowest terms. An
// interval that holds 0 gives 0; one below 0, the mirror of its mirror above.
//   1/2, 1/2      -> 1/2
//   0.45, 0.55    -> 1/2           0.15, 0.25   -> 1/4 (an end itself)
//   6.5, 7.5      -> 7             2.5, 4.5     -> 3 (the smallest whole number)
//   -1/3, 1/5     -> 0             -0.55, -0.45 -> -1/2
//   3.141585, 3.141595 -> 355/113
// Problems: a zero denominator in either end.
// Found as the half-open search below is, with both ends belonging to it.
Result<Rational> Simplest(const Rational& a, const Rational& b);

// The simplest fraction in the range from `low` to `high` (low <= high) whose
// ends belong to it as `ends` says: as above, among the values of the range.
//   0.15, 0.25, {true, false}  -> 1/5 (1/4 is not in it)
//   0.115, 0.125, {true, false} -> 2/17
//   -0.25, -0.15, {false, true} -> -1/5
//   -0.05, 0.05, {false, false} -> 0
//   1/2, 1/2, {true, true}     -> 1/2
// Problems: a zero denominator in either end; {Argument, "the low end is above
// the high end"}; {Argument, "the range holds no value"} (equal ends, one left out).
// Found with the continued fractions of the two ends, worked out together
// term by term (each term a division of the ends' terms by one another, as
// in Euclid's algorithm) until they part: the answer shares the terms both
// ends have, and its last term is the smallest whole number in the range
// left (an end turned over belongs to the range as it did before).
// Time quadratic in the digits of the ends' terms (a few divisions of numbers
// no longer than they are per term, and about two terms per digit at most),
// whatever the size of the answer's denominator; memory linear in them.
Result<Rational> Simplest(const Rational& low, const Rational& high, Ends ends);

// A display's simplest fraction and the interval it was found in.
//   0.6666666667 -> 2/3     71.47058824 -> 1215/17   3.14159 -> 355/113
//   0.3333 -> 1/3           0.5 -> 1/2               0.3 -> 1/3
//   0.30 -> 3/10            0.2 -> 1/5 (0.25 would show as 0.3)
//   7 -> 7                  3.00 -> 3                0.0000 -> 0
//   -0.6666666667 -> -2/3   1.5e-3 -> 1/646
// Problems: those of RoundedInterval. Cost: that of RoundedInterval and of
// Simplest on its ends (bench/exact_bench.cpp: a 10,000-digit display in
// about 12 ms, 100,000 digits in about 1 s).
struct RoundedFraction {
  RoundingInterval interval;
  Rational fraction;
};
Result<RoundedFraction> FromRounded(const Decimal& display);

// The most steps of the search RoundedWorking keeps, and the most digits of
// their ranges' terms kept in all: enough for any display a pupil meets, a
// screen or two; a display of thousands of digits keeps its first steps.
inline constexpr std::int64_t kMaxRoundedSteps = 1000;
inline constexpr std::int64_t kMaxRoundedStepDigits = kMaxTermDigits;

// One step of the search: both ends of the range have the whole part
// `whole`; the variable is `whole` + 1/(the next one), whose range is from
// 1/(high - whole) to 1/(low - whole) of the range before, each end over 1;
// each end belongs to it as the end it was turned from did. When the low end
// before was `whole` itself (and not in its range), the range has no upper
// end: `high` is 1/0.
struct RoundedStep {
  mpz_class whole{0};
  Rational low;  // the next variable's range, in lowest terms
  Rational high;
  Ends ends;
};

// The working of FromRounded, for x the display's value:
//   the interval, low <= x < high for a display above 0 (`interval`);
//   when it holds 0, the answer 0 (`zero`);
//   otherwise the sign set aside, and the search on the magnitudes: while
//   both ends of the range have the same whole part, that part is taken off
//   and the rest turned over (`steps`); then the smallest whole number in the
//   last range (`last`), and the answer put back together from the whole parts
//   (`terms`, the continued fraction of `magnitude`);
//   why no simpler fraction lies in the interval: `below` and `above`, the
//   two fractions whose mediant the answer is (numerators added, denominators
//   added), lie outside it, and being neighbours (above.numerator *
//   below.denominator - below.numerator * above.denominator = 1) every
//   fraction strictly between them has a denominator of at least the
//   answer's, which is the only one with that denominator.
//   3.14159: 3.141585 to 3.141595; whole part is 3, 7 1767/28319 to 7 1781/28317;
//   whole part is 7, 15 1602/1781 to 16 47/1767; last 16; terms 3, 7, 16:
//   355/113; below 333/106, above 22/7.
//   7: 6.5 to 7.5; no steps, last 7, terms 7: 7 (no `below` nor `above`:
//   a whole number has the smallest denominator there is).
struct RoundedWorking {
  Decimal display;  // as given
  RoundingInterval interval;
  Decimal halfUnit;   // half a unit of the rounded digit: 0.00000000005
  bool zero = false;  // the interval holds 0, the answer
  // The search on the magnitudes, the lower end first: the first steps, at
  // most kMaxRoundedSteps of them (and kMaxRoundedStepDigits digits).
  std::vector<RoundedStep> steps;
  std::int64_t stepCount = 0;  // all the steps, kept or not
  Rational lastLow;            // the range `last` is chosen in (lastHigh 1/0: no upper end)
  Rational lastHigh;
  Ends lastEnds;
  Ends ends;  // which ends of the magnitudes' range belong to it
  mpz_class last{0};
  std::vector<mpz_class> terms;  // every whole part taken off, then `last`
  Rational magnitude;            // the answer without its sign
  Rational fraction;             // the answer
  bool neighbours = false;       // whether below and above are given (stepCount > 0)
  Rational below;
  Rational above;
  MixedNumber mixed;  // the answer as a mixed number
};

// Problems: those of FromRounded. Cost: that of FromRounded, plus keeping
// the steps' ranges (at most kMaxRoundedStepDigits digits).
Result<RoundedWorking> ExplainRounded(const Decimal& display);

}  // namespace quotalis::exact
