// Decimal to fraction: the two multiples of the decimal, the subtraction,
// the sign and the power of ten put back, and the fraction reduced.
#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "explain/render.h"
#include "pieces.h"
#include "words/words.h"

namespace quotalis::explain {

using words::N_;

namespace {

// The powers of ten a working multiplies by: written out up to a million, as
// a pupil reads them (100000x), as a power beyond (10⁷x).
constexpr std::int64_t kLongestPowerWrittenOut = 6;

// The longest period whose tail a subtraction writes out (twice, at least
// three digits): 16.666…, 2345.4545…; a longer one keeps the notation.
constexpr std::size_t kLongestTailWrittenOut = 20;

Formula PowerOfTen(std::int64_t n) {
  if (n <= kLongestPowerWrittenOut)
    return {Number("1" + std::string(static_cast<std::size_t>(n), '0'))};
  return {PowerOf("10", std::to_string(n))};
}

// 10ⁿ times the variable: "x", "10x", "10⁶x".
Formula Times(std::int64_t n, const std::string& variable) {
  Formula f;
  if (n > 0) f = PowerOfTen(n);
  f.push_back(Variable(variable));
  return f;
}

// How many times a subtraction writes `period` out: twice, and three digits
// at least; 0 when a reader could take the digits written for a shorter
// period (0.(10111) written 0.1011110111… seems to end in 1 recurring). A
// reader takes the shortest block the digits end with twice (a digit, three
// times).
int TailCopies(const std::string& period) {
  if (period.size() > kLongestTailWrittenOut) return 0;
  const std::size_t p = period.size();
  const int copies = std::max(2, static_cast<int>((3 + p - 1) / p));
  std::string digits;
  for (int i = 0; i < copies; ++i) digits += period;
  for (std::size_t q = 1; q < p; ++q) {
    const std::size_t need = std::max<std::size_t>(2, (3 + q - 1) / q) * q;
    if (need > digits.size()) continue;
    bool repeats = true;
    for (std::size_t i = digits.size() - need + q; i < digits.size(); ++i) {
      repeats = repeats && digits[i] == digits[i - q];
    }
    if (repeats) return 0;
  }
  return copies;
}

// The decimal whole.(period): a whole number before the point, which is
// not written out when it is long.
Math WholeAndPeriod(const mpz_class& whole, const std::string& period) {
  const Math w = Number(whole);
  exact::Decimal d{false, "", "", period, 0};
  Math m = DecimalOf(d);
  m.decimal.integer = w.hidden > 0 ? w.text + w.tail : w.text;
  m.leftOut.integer = w.hidden;
  if (!m.leftOut.Any()) m.writtenOut = TailCopies(period);
  return m;
}

Formula TimesPowerOfTen(Formula f, std::int64_t exponent) {
  f.push_back(Operator("×"));
  f.push_back(PowerOf("10", std::to_string(exponent)));
  return f;
}

// p, or p to the power n.
Math PrimePower(const mpz_class& p, std::int64_t n) {
  return n == 1 ? Number(p) : PowerOf(p.get_str(), std::to_string(n));
}

// The prime factors of a term, those both terms share struck: 2 × 3² × 5,
// a power split where only some of its copies are shared (3² with one 3
// shared: 3 × 3, the first struck), so that the numerator and the
// denominator strike the same factors.
Formula Factors(const exact::TermFactors& t) {
  Formula f;
  const auto add = [&](const mpz_class& p, std::int64_t n, bool struck) {
    if (!f.empty()) f.push_back(Operator("×"));
    f.push_back(PrimePower(p, n));
    if (struck) f.back().common = std::to_string(n);
  };
  for (const exact::SharedPrime& p : t.primes) {
    if (p.common > 0) add(p.prime, p.common, true);
    if (p.exponent > p.common) add(p.prime, p.exponent - p.common, false);
  }
  return f;
}

// The highest common factor from the copies of each prime both terms share:
// "2 × 3² = 18", or "3" alone.
Formula CommonFactors(const exact::TermFactors& t, const mpz_class& common) {
  Formula f;
  int pieces = 0;
  bool power = false;
  for (const exact::SharedPrime& p : t.primes) {
    if (p.common == 0) continue;
    if (!f.empty()) f.push_back(Operator("×"));
    ++pieces;
    if (p.common == 1) {
      f.push_back(Number(p.prime));
    } else {
      power = true;
      f.push_back(PowerOf(p.prime.get_str(), std::to_string(p.common)));
    }
  }
  if (pieces == 1 && !power) return f;
  f.push_back(Operator("="));
  f.push_back(Number(common));
  return f;
}

bool IsPrime(const exact::TermFactors& t) {
  return t.factored && t.primes.size() == 1 && t.primes.front().exponent == 1;
}

// A term split into primes, as an equation of the aligned group, or "7 is a
// prime number" (struck when the other term shares it).
void SplitTerm(Builder& b, const mpz_class& term, const exact::TermFactors& t) {
  if (IsPrime(t)) {
    b.Say(N_("{1} is a prime number"), {Factors(t)});
  } else {
    b.Equate({Of(term), Factors(t)}, kPrimes);
  }
}

// The fraction x = n/d brought to lowest terms, by the prime factors or by
// Euclid's algorithm.
void Reduce(Builder& b, const exact::DecimalWorking& w, const Formula& x) {
  const exact::Schoolbook& f = w.fraction;
  if (f.reduced.denominator == 1) return;  // a whole number already
  const Formula unreduced = {Fraction(f.numerator, f.denominator)};
  if (abs(f.numerator) == 1) {
    b.Say(N_("The numerator is 1, so the fraction is already in lowest terms: {1}"),
          {Equals({x, unreduced})});
    return;
  }
  if (w.common == 1) {
    b.Say(N_("{1} and {2} have no common factor other than 1, so the fraction is already in "
             "lowest terms: {3}"),
          {Of(mpz_class(abs(f.numerator))), Of(f.denominator), Equals({x, unreduced})});
    return;
  }
  if (w.byEuclid) {
    b.Say(N_("The terms are too large to split into primes quickly; Euclid's algorithm gives "
             "their highest common factor: {1}"),
          {Of(w.common)});
  } else {
    b.Say(N_("Prime factorisation of the numerator and the denominator:"));
    SplitTerm(b, abs(f.numerator), w.numerator);
    SplitTerm(b, f.denominator, w.denominator);
    b.Say(N_("The struck factors are those both share; their product is the highest common "
             "factor: {1}"),
          {CommonFactors(w.numerator, w.common)});
  }
  b.Say(N_("Divide the numerator and the denominator by {1}: {2}"),
        {Of(w.common), Equals({x, unreduced, Value(f.reduced)})});
}

// y, the digits alone, as a fraction: its two multiples and their
// difference, or the one multiple that makes it whole. Gives y's value.
Formula DigitsAsFraction(Builder& b, const exact::DecimalWorking& w, const std::string& v) {
  const exact::Decimal& y = w.shortest;
  const Formula var = {Variable(v)};
  const std::int64_t a = w.fixedDigits, p = w.periodDigits;
  if (p == 0 && a == 0) {
    b.Say(N_("There are no digits after the point: {1} is a whole number"), {var});
    return Of(w.difference);
  }
  const Formula value = {Fraction(w.difference, w.coefficient)};
  if (p == 0) {
    b.Say(a == 1 ? N_("There is 1 digit after the point: multiply by {1} to make a whole number")
                 : N_("There are {2} digits after the point: multiply by {1} to make a whole "
                      "number"),
          {PowerOfTen(a), Of(a)});
    b.Equate({Times(a, v), Of(w.upper)}, kMultiples);
    b.Equate({var, value}, kMultiples);
    return value;
  }
  const Formula period = {Number(y.period)};
  if (a == 0) {
    b.Say(N_("The {2}-digit period {1} starts right after the point. Multiplying {4} by {3} "
             "moves the point one period to the right"),
          {period, Of(p), PowerOfTen(p), var});
  } else {
    b.Say(N_("The {2}-digit period {1} starts at digit {4} after the point. Multiplying {6} by "
             "{5} moves the point to the start of the period, and multiplying it by {3} moves "
             "the point one period further to the right"),
          {period, Of(p), PowerOfTen(a + p), Of(a + 1), PowerOfTen(a), var});
  }
  const Formula upper = Times(a + p, v), lower = Times(a, v);
  const Formula upperValue = {WholeAndPeriod(w.upper, y.period)};
  const Formula lowerValue = {WholeAndPeriod(w.lower, y.period)};
  b.Equate({upper, upperValue}, kMultiples, 1);
  b.Equate({lower, lowerValue}, kMultiples, 2);
  b.Say(N_("(1) - (2): the recurring parts cancel"));
  b.Equate({upper, upperValue}, kSubtraction, 0);
  b.Equate({lower, lowerValue}, kSubtraction, 0, true);
  const Formula difference = {Number(w.coefficient), Variable(v)};
  b.Equate({difference, Of(w.difference)}, kSubtraction, 0);
  // A whole number needs no fraction: 9x = 9, so x = 1.
  const Formula solved =
      w.difference % w.coefficient == 0 ? Of(mpz_class(w.difference / w.coefficient)) : value;
  b.Say(N_("{1}, so {2}"), {Equals({difference, Of(w.difference)}), Equals({var, solved})});
  return solved;
}

}  // namespace

Steps DecimalSteps(const exact::DecimalWorking& w, const Style& style) {
  Builder b;
  const exact::Decimal& given = w.decimal;
  const exact::Decimal& y = w.shortest;
  const bool zero = w.fraction.reduced.numerator == 0;
  const bool negative = given.negative && !zero;
  const std::int64_t exponent = given.exponent;
  const bool aside = negative || exponent != 0;
  const std::string v = aside ? "y" : "x";
  const Formula x = {Variable("x")};
  const Formula var = {Variable(v)};

  // The entry, its sign and exponent apart from its digits. The ellipsis
  // does not show where a period starts, so an entry written with one is
  // shown by its shortest form.
  exact::Decimal digits = given;
  digits.negative = false;
  digits.exponent = 0;
  if (digits.integer.empty()) digits.integer = "0";
  if (style.fromShortest) digits = y;
  Formula entry = Of(digits);
  if (exponent != 0) entry = TimesPowerOfTen(entry, exponent);
  if (given.negative) entry = Negated(entry);
  b.Say(N_("Let {1}"), {Equals({x, entry})});
  if (digits != y) {
    b.Say(N_("Written in its shortest form: {1}"), {Equals({Of(digits), Of(y)})});
  }
  Formula outside = var;  // x in terms of y
  if (exponent != 0) outside = TimesPowerOfTen(outside, exponent);
  if (negative) outside = Negated(outside);
  const std::vector<Formula> letY = {Equals({var, Of(y)}), Equals({x, outside})};
  if (negative && exponent != 0) {
    b.Say(N_("Set the sign and the power of ten aside: let {1}, so that {2}"), letY);
  } else if (negative) {
    b.Say(N_("Set the sign aside: let {1}, so that {2}"), letY);
  } else if (exponent != 0) {
    b.Say(N_("Set the power of ten aside: let {1}, so that {2}"), letY);
  }

  const Formula yValue = DigitsAsFraction(b, w, v);

  // The power of ten and the sign put back, each in a step of its own.
  const exact::Schoolbook& f = w.fraction;
  const Formula magnitude = {Fraction(abs(f.numerator), f.denominator)};
  const Formula unsignedValue = f.denominator == 1 || f.reduced.denominator == 1
                                    ? Of(mpz_class(abs(f.reduced.numerator)))
                                    : magnitude;
  if (exponent != 0) {
    const Formula scaled = TimesPowerOfTen(var, exponent);
    const Formula sides = Equals({scaled, TimesPowerOfTen(yValue, exponent), unsignedValue});
    b.Say(N_("Put the power of ten back: {1}"), {negative ? sides : Equals({x, sides})});
  }
  if (negative) {
    if (exponent != 0) {
      b.Say(N_("Put the sign back: {1}"), {Equals({x, Negated(unsignedValue)})});
    } else {
      b.Say(N_("Put the sign back: {1}"), {Equals({x, Negated(var), Negated(unsignedValue)})});
    }
  }

  Reduce(b, w, x);
  if (style.mixed && f.reduced.denominator != 1 && w.mixed.whole != 0) {
    b.Say(N_("As a mixed number: {1}"), {Equals({x, Value(f.reduced), Mixed(w.mixed)})});
  }
  // The closing line: the entry and its answer (a whole number is its own).
  if (w.fixedDigits > 0 || w.periodDigits > 0 || exponent != 0) {
    b.Say(N_("So {1}"), {Equals({entry, Value(f.reduced)})});
  }
  if (y.period.find_first_not_of('9') == std::string::npos && !y.period.empty()) {
    b.Say(N_("{1} and {2} are the same number, not just close to each other"),
          {Of(y), Of(w.canonical)});
  }
  return b.Done();
}

}  // namespace quotalis::explain
