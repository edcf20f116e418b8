#include "explain/steps.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

#include "words/words.h"

namespace quotalis::explain {

using words::N_;
using words::Say;
using words::Words;

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

Formula Of(const mpz_class& n) { return {Number(n)}; }
Formula Of(std::int64_t n) { return {Number(std::to_string(n))}; }
Formula Of(const exact::Decimal& d) { return {DecimalOf(d)}; }

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

// n/d as written, before any reduction; its sign on the numerator.
Math Fraction(const mpz_class& n, const mpz_class& d) {
  return FractionOf(Of(mpz_class(abs(n))), Of(d), n < 0);
}

// A value in lowest terms: a whole number as one, else a fraction.
Formula Value(const exact::Rational& r) {
  if (r.denominator == 1) return Of(r.numerator);
  return {Fraction(r.numerator, r.denominator)};
}

Formula Mixed(const exact::MixedNumber& m) {
  return {Number(m.negative ? mpz_class(-m.whole) : m.whole),
          FractionOf(Of(m.numerator), Of(m.denominator))};
}

Formula TimesPowerOfTen(Formula f, std::int64_t exponent) {
  f.push_back(Operator("×"));
  f.push_back(PowerOf("10", std::to_string(exponent)));
  return f;
}

Formula Negated(Formula f) {
  f.insert(f.begin(), Math{Math::Kind::Negative, "", {}, "", false, {}, {}});
  return f;
}

Formula Equals(std::initializer_list<Formula> sides) {
  Formula f;
  for (const Formula& side : sides) {
    if (!f.empty()) f.push_back(Operator("="));
    f.insert(f.end(), side.begin(), side.end());
  }
  return f;
}

class Builder {
 public:
  void Say(std::string_view format, std::vector<Formula> args = {}) {
    steps_.steps.emplace_back(Sentence{format, std::move(args)});
  }
  void Equate(std::vector<Formula> sides, int group) {
    steps_.steps.emplace_back(Equation{std::move(sides), group});
  }
  void Row(DivisionRow row) { steps_.steps.emplace_back(std::move(row)); }
  Steps Done() { return std::move(steps_); }

 private:
  Steps steps_;
};

// The groups of equations aligned together.
constexpr int kMultiples = 1;
constexpr int kPrimes = 2;
constexpr int kDivision = 3;

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
  const Formula unreduced = {Fraction(f.numerator, f.denominator)};
  const Formula lowest = Value(f.reduced);
  if (f.denominator == 1) return;  // a whole number already
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
          {Of(w.common), Equals({x, unreduced, lowest})});
  }
}

// The value of a long division: its whole part and the digits of its steps,
// the period from `periodStart` on.
exact::Decimal Quotient(const exact::FractionWorking& w, bool negative) {
  exact::Decimal d;
  d.negative = negative;
  d.integer = w.whole.get_str();
  std::string digits;
  for (std::size_t i = 0; i + 1 < w.steps.size(); ++i) {
    digits += static_cast<char>('0' + w.steps[i].digit);
  }
  const auto start = static_cast<std::size_t>(w.periodStart);
  d.fixed = digits.substr(0, std::min(start, digits.size()));
  if (w.steps.back().remainder != 0 && start < digits.size()) d.period = digits.substr(start);
  return d;
}

}  // namespace

Math Number(std::string digits) {
  Math m{Math::Kind::Number, std::move(digits), {}, "", false, {}, {}};
  const std::size_t sign = m.text.starts_with('-') ? 1 : 0;
  if (m.text.size() - sign > kLongestNumberShown) {
    m.hidden = static_cast<std::int64_t>(m.text.size() - sign - 2 * kShownEnds);
    m.tail = m.text.substr(m.text.size() - kShownEnds);
    m.text.resize(sign + kShownEnds);
  }
  return m;
}

Math Number(const mpz_class& n) {
  const std::size_t most = mpz_sizeinbase(n.get_mpz_t(), 10);  // exact, or one more
  if (most <= kLongestNumberShown) return Number(n.get_str());
  // Its ends without writing out the middle: the last digits are n's rest
  // by 10^kShownEnds, the first those of n over a power of ten.
  const mpz_class magnitude = abs(n);
  mpz_class power, first, last;
  mpz_ui_pow_ui(power.get_mpz_t(), 10, kShownEnds);
  mpz_tdiv_r(last.get_mpz_t(), magnitude.get_mpz_t(), power.get_mpz_t());
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(most - kShownEnds - 1));
  mpz_tdiv_q(first.get_mpz_t(), magnitude.get_mpz_t(), power.get_mpz_t());
  std::string head = first.get_str();  // kShownEnds + 1 digits, or kShownEnds
  const std::size_t digits = head.size() > kShownEnds ? most : most - 1;
  head.resize(kShownEnds);
  std::string tail = last.get_str();
  tail.insert(0, kShownEnds - tail.size(), '0');
  Math m{Math::Kind::Number, (n < 0 ? "-" : "") + head, {}, "", false, {}, {}};
  m.tail = std::move(tail);
  m.hidden = static_cast<std::int64_t>(digits - 2 * kShownEnds);
  return m;
}

Math Variable(std::string name) {
  return Math{Math::Kind::Variable, std::move(name), {}, "", false, {}, {}};
}

Math Operator(std::string symbol) {
  return Math{Math::Kind::Operator, std::move(symbol), {}, "", false, {}, {}};
}

namespace {

// A part of a decimal, whole or by its ends; `hidden` how many digits are left out.
std::string Ends(const std::string& part, std::int64_t& hidden) {
  hidden = 0;
  if (part.size() <= kLongestNumberShown) return part;
  hidden = static_cast<std::int64_t>(part.size() - 2 * kShownEnds);
  return part.substr(0, kShownEnds) + part.substr(part.size() - kShownEnds);
}

}  // namespace

Math DecimalOf(const exact::Decimal& d) {
  Math m{Math::Kind::Decimal, "", {}, "", false, {}, {}};
  m.decimal.negative = d.negative;
  m.decimal.exponent = d.exponent;
  m.decimal.integer = Ends(d.integer, m.leftOut.integer);
  m.decimal.fixed = Ends(d.fixed, m.leftOut.fixed);
  m.decimal.period = Ends(d.period, m.leftOut.period);
  return m;
}

Math FractionOf(Formula numerator, Formula denominator, bool negative) {
  return Math{Math::Kind::Fraction,  "", {}, "", negative, std::move(numerator),
              std::move(denominator)};
}

Math PowerOf(std::string base, std::string exponent) {
  return Math{Math::Kind::Power, std::move(base), {}, std::move(exponent), false, {}, {}};
}

Math IndexedOf(std::string name, std::string index) {
  return Math{Math::Kind::Indexed, std::move(name), {}, "", false, {}, {}, std::move(index)};
}

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
  const bool ellipsis = style.fromShortest;
  if (digits.integer.empty()) digits.integer = "0";
  if (ellipsis) digits = y;
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

  // y as a fraction.
  const std::int64_t a = w.fixedDigits, p = w.periodDigits;
  Formula yValue = {Fraction(w.difference, w.coefficient)};
  if (p == 0 && a == 0) {
    yValue = Of(w.difference);
    b.Say(N_("There are no digits after the point: {1} is a whole number"), {var});
  } else if (p == 0) {
    b.Say(a == 1 ? N_("There is 1 digit after the point: multiply by {1} to make a whole number")
                 : N_("There are {2} digits after the point: multiply by {1} to make a whole "
                      "number"),
          {PowerOfTen(a), Of(a)});
    b.Equate({Times(a, v), Of(w.upper)}, kMultiples);
    b.Equate({var, yValue}, kMultiples);
  } else {
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
    b.Equate({var, yValue}, kMultiples);
  }

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

Steps FractionSteps(const exact::FractionWorking& w, const Style& style) {
  (void)style;
  Builder b;
  const exact::Rational& r = w.fraction;
  const bool negative = w.written ? w.written->negative : r.numerator < 0;
  const mpz_class n = abs(r.numerator);
  const mpz_class& d = r.denominator;
  const Formula fraction = {Fraction(n, d)};

  if (w.written) {
    const exact::WrittenFraction& t = *w.written;
    const Formula improper = {Fraction(t.improper, t.denominator)};
    Formula written = {Fraction(t.numerator, t.denominator)};
    if (t.mixed) written = {Number(t.whole), Fraction(t.numerator, t.denominator)};
    if (negative) b.Say(N_("Set the sign aside: work on {1}"), {written});
    if (t.mixed) {
      const Formula sum = {Number(t.whole), Operator("×"), Number(t.denominator), Operator("+"),
                           Number(t.numerator)};
      b.Say(N_("Write the mixed number as an improper fraction: {1}"),
            {Equals({written, {FractionOf(sum, Of(t.denominator))}, improper})});
    }
    if (t.common != 1) {
      b.Say(N_("Reduce first, by the highest common factor of {1} and {2}, which is {3}: {4}"),
            {Of(t.improper), Of(t.denominator), Of(t.common), Equals({improper, Value({n, d})})});
    } else if (d == 1) {
      b.Say(N_("The denominator is 1: {1}"), {Equals({improper, Of(n)})});
    }
  } else {
    if (negative) b.Say(N_("Set the sign aside: work on {1}"), {fraction});
    if (d == 1) b.Say(N_("The denominator is 1: {1}"), {Equals({fraction, Of(n)})});
  }

  if (d != 1 && !w.steps.empty()) {
    b.Say(N_("Work out {1} by long division:"), {{Number(n), Operator("÷"), Number(d)}});
    const Math divisor = Number(d);
    b.Row({Number(n), divisor, Number(w.whole), Number(w.steps.front().remainder), 0, kDivision});
    for (std::size_t i = 0; i + 1 < w.steps.size(); ++i) {
      const mpz_class brought = 10 * w.steps[i].remainder;
      b.Row({Number(brought), divisor, Number(std::to_string(w.steps[i].digit)),
             Number(w.steps[i + 1].remainder), static_cast<std::int64_t>(i + 1), kDivision});
    }
    const mpz_class& last = w.steps.back().remainder;
    const std::int64_t start = w.periodStart + 1;
    if (w.capped) {
      if (w.periodLength) {
        b.Say(N_("Stopped after {1} digits: the period has {2} digits and starts at digit {3} "
                 "after the point"),
              {Of(static_cast<std::int64_t>(w.steps.size() - 1)), Of(*w.periodLength), Of(start)});
      } else {
        b.Say(N_("Stopped after {1} digits: the period is longer than {2} digits"),
              {Of(static_cast<std::int64_t>(w.steps.size() - 1)), Of(exact::kMaxExpansionDigits)});
      }
      return b.Done();
    }
    if (last == 0) {
      b.Say(N_("Remainder 0: the division ends"));
    } else {
      const auto end = static_cast<std::int64_t>(w.steps.size() - 1);
      if (end == start) {
        b.Say(N_("Remainder {1} again: digit {2} repeats"), {Of(last), Of(start)});
      } else {
        b.Say(N_("Remainder {1} again: digits {2} to {3} repeat"), {Of(last), Of(start), Of(end)});
      }
    }
    const exact::Decimal value = Quotient(w, false);
    b.Equate({fraction, Of(value)}, 0);
    if (negative) {
      b.Say(N_("Put the sign back: {1}"), {Equals({{Fraction(-n, d)}, Of(Quotient(w, true))})});
    }
  } else if (negative) {
    const Formula before = w.written
                               ? Formula{Fraction(-w.written->improper, w.written->denominator)}
                               : Formula{Fraction(-n, d)};
    b.Say(N_("Put the sign back: {1}"), {Equals({before, Of(mpz_class(-n))})});
  }
  return b.Done();
}

}  // namespace quotalis::explain
