// Decimal to fraction: the two multiples of the decimal, the subtraction,
// the sign and the power of ten put back, and the fraction reduced.
#include <gmpxx.h>

#include <cstddef>
#include <string>

#include "explain/render.h"
#include "pieces.h"
#include "words/words.h"

namespace quotalis::explain {

using words::N_;

namespace {

// The powers of ten a working multiplies by: written out up to a thousand,
// as a power beyond (10⁴, 10⁶), as a teacher writes them.
constexpr std::int64_t kLongestPowerWrittenOut = 3;

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

// The decimal whole.(period): a whole number before the point, which is
// not written out when it is long.
Math WholeAndPeriod(const mpz_class& whole, const std::string& period) {
  const Math w = Number(whole);
  exact::Decimal d{false, "", "", period, 0};
  Math m = DecimalOf(d);
  m.decimal.integer = w.hidden > 0 ? w.text + w.tail : w.text;
  m.leftOut.integer = w.hidden;
  return m;
}

Formula TimesPowerOfTen(Formula f, std::int64_t exponent) {
  f.push_back(Operator("×"));
  f.push_back(PowerOf("10", std::to_string(exponent)));
  return f;
}

// The groups of equations aligned together.
constexpr int kMultiples = 1;
constexpr int kPrimes = 2;

// The prime factors of a term: 2 × 3² × 5.
Formula Factors(const exact::TermFactors& t) {
  Formula f;
  for (const exact::SharedPrime& p : t.primes) {
    if (!f.empty()) f.push_back(Operator("×"));
    if (p.exponent == 1) {
      f.push_back(Number(p.prime));
    } else {
      f.push_back(PowerOf(p.prime.get_str(), std::to_string(p.exponent)));
    }
    if (p.common > 0) f.back().common = std::to_string(p.common);
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
// prime number".
void SplitTerm(Builder& b, const mpz_class& term, const exact::TermFactors& t) {
  if (IsPrime(t)) {
    b.Say(N_("{1} is a prime number"), {Of(term)});
  } else {
    b.Equate({Of(term), Factors(t)}, kPrimes);
  }
}

// The fraction x = n/d brought to lowest terms, by the prime factors or by
// Euclid's algorithm.
void Reduce(Builder& b, const exact::DecimalWorking& w, const Formula& x) {
  const exact::Schoolbook& f = w.fraction;
  if (f.denominator == 1) return;  // a whole number already
  const Formula unreduced = {Fraction(f.numerator, f.denominator)};
  if (abs(f.numerator) == 1) {
    b.Say(N_("The numerator is 1, so the fraction is already in lowest terms: {1}"),
          {Equals({x, unreduced})});
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
    if (w.common != 1)
      b.Say(N_("Highest common factor: {1}"), {CommonFactors(w.numerator, w.common)});
  }
  if (w.common == 1) {
    b.Say(N_("The only common factor is 1, so the fraction is already in lowest terms: {1}"),
          {Equals({x, unreduced})});
  } else {
    b.Say(N_("Divide the numerator and the denominator by {1}: {2}"),
          {Of(w.common), Equals({x, unreduced, Value(f.reduced)})});
  }
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
    b.Say(N_("The {2}-digit period {1} starts right after the point: multiply by {3} to shift "
             "the point one period along"),
          {period, Of(p), PowerOfTen(p)});
  } else {
    b.Say(N_("The {2}-digit period {1} starts at digit {4} after the point: multiply by {5} to "
             "shift the point to the start of the period, and by {3} to shift it one period "
             "further"),
          {period, Of(p), PowerOfTen(a + p), Of(a + 1), PowerOfTen(a)});
  }
  b.Equate({Times(a + p, v), {WholeAndPeriod(w.upper, y.period)}}, kMultiples);
  b.Equate({Times(a, v), {WholeAndPeriod(w.lower, y.period)}}, kMultiples);
  b.Say(N_("Subtract the second line from the first: the recurring parts cancel"));
  b.Equate({{Number(w.coefficient), Variable(v)}, Of(w.difference)}, kMultiples);
  b.Equate({var, value}, kMultiples);
  return value;
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
  const Formula unsignedValue = f.denominator == 1 ? Of(mpz_class(abs(f.numerator))) : magnitude;
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
  if (y.period.find_first_not_of('9') == std::string::npos && !y.period.empty()) {
    b.Say(N_("So the two are the same number, not just close: {1}"),
          {Equals({Of(y), Of(w.canonical)})});
  }
  return b.Done();
}

}  // namespace quotalis::explain
