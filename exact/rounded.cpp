#include <quotalis/exact/rounded.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "numbers.h"

namespace quotalis::exact {

namespace {

// m / 10^place as a decimal that ends, in canonical form, with the sign of `negative`.
Decimal Scaled(const mpz_class& m, std::int64_t place, bool negative) {
  std::string digits = m.get_str();
  const auto after = static_cast<std::size_t>(place);
  if (digits.size() <= after) digits.insert(0, after + 1 - digits.size(), '0');
  Decimal d;
  d.integer = digits.substr(0, digits.size() - after);
  d.fixed = digits.substr(digits.size() - after);
  d.fixed.resize(std::min(d.fixed.size(), d.fixed.find_last_not_of('0') + 1));
  d.negative = negative && m != 0;
  return d;
}

// a/b <= c/d for positive denominators.
bool AtMost(const Rational& x, const Rational& y) {
  return x.numerator * y.denominator <= y.numerator * x.denominator;
}

// The search on a positive interval [a/b, c/d], 0 < a/b <= c/d, each in lowest
// terms: while both ends have the same whole part f (and the lower one is no
// whole number), f is taken off and the rest turned over, the range becoming
// [d/(c - f d), b/(a - f b)]; then the smallest whole number t in the range.
// The answer is [f0; f1, ..., t], kept as the convergents p/q of the terms.
// `step` is told each whole part taken off and the range after it.
struct Search {
  std::vector<mpz_class> terms;
  std::int64_t steps = 0;
  Rational lastLow, lastHigh;
  Rational answer;
  // The convergent before the last term, and the fraction one less in it.
  Rational previous, lesser;
};

template <class Step>
Search SearchPositive(mpz_class a, mpz_class b, mpz_class c, mpz_class d, Step step) {
  Search s;
  // The convergents p1/q1 (the terms so far) and p0/q0 (one term fewer).
  mpz_class p1 = 1, q1 = 0, p0 = 0, q0 = 1;
  mpz_class f, r, t, next;
  while (true) {
    mpz_fdiv_qr(f.get_mpz_t(), r.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    if (r == 0) {
      t = f;  // the lower end is a whole number, the smallest in the range
      break;
    }
    // c/d - f = next/d: the next whole number lies in the range too when
    // next/d is 1 or more.
    next = c;
    mpz_submul(next.get_mpz_t(), f.get_mpz_t(), d.get_mpz_t());
    if (next >= d) {
      t = f + 1;
      break;
    }
    // The whole part of both ends is f.
    s.terms.push_back(f);
    ++s.steps;
    // The range turned over: [d/next, b/r], where a/b - f = r/b, with
    // 0 < r < b and 0 < next < d.
    a.swap(d);     // a: the old d
    c.swap(b);     // c: the old b
    b.swap(next);  // b: c - f d
    d.swap(r);     // d: r
    // The convergents take f.
    mpz_class p = f * p1 + p0, q = f * q1 + q0;
    p0 = std::move(p1);
    q0 = std::move(q1);
    p1 = std::move(p);
    q1 = std::move(q);
    step(s.terms.back(), a, b, c, d);
  }
  s.terms.push_back(t);
  s.lastLow = {a, b};
  s.lastHigh = {c, d};
  s.answer = {t * p1 + p0, t * q1 + q0};
  s.previous = {p1, q1};
  s.lesser = {(t - 1) * p1 + p0, (t - 1) * q1 + q0};
  return s;
}

Problem Exact() {
  return MakeProblem(ProblemKind::Syntax,
                     N_("a recurring decimal is exact already, not a rounded display"), {});
}

Problem NoDigitToRoundAt() {
  return MakeProblem(ProblemKind::Syntax,
                     N_("the exponent moves the last digit before the units place, which leaves "
                        "no digit to round at"),
                     {});
}

Problem TooLong() {
  return MakeProblem(ProblemKind::TooLarge, N_("a rounded display may have at most {1} digits"),
                     {Grouped(kMaxRoundedDigits)});
}

}  // namespace

Result<RoundingInterval> RoundedInterval(const Decimal& display) {
  if (std::optional<Problem> p = CheckDigits(display)) return *p;
  if (!display.period.empty()) return Exact();
  // The place of the last digit: digits after the point, less the exponent.
  const auto fixed = static_cast<std::int64_t>(display.fixed.size());
  if (display.exponent > fixed) return NoDigitToRoundAt();
  if (display.exponent < -kMaxRoundedDigits) return TooLong();
  const std::int64_t place = fixed - display.exponent;
  std::string digits = display.integer + display.fixed;
  digits.erase(0, std::min(digits.size(), digits.find_first_not_of('0')));
  if (place > kMaxRoundedDigits || static_cast<std::int64_t>(digits.size()) > kMaxRoundedDigits) {
    return TooLong();
  }
  const mpz_class n = digits.empty() ? mpz_class(0) : mpz_class(digits, 10);
  // x = n / 10^place; the ends (10n -+ 5) / 10^(place + 1).
  const mpz_class ten = 10 * n;
  RoundingInterval i;
  i.place = place;
  const bool negative = display.negative && n != 0;
  const mpz_class inner = ten - 5;  // may be -5 when n is 0
  const mpz_class outer = ten + 5;
  if (negative) {
    i.low = Scaled(outer, place + 1, true);
    i.high = Scaled(inner, place + 1, true);
    i.lowValue = Reduced({-outer, TenTo(place + 1)});
    i.highValue = Reduced({-inner, TenTo(place + 1)});
  } else {
    i.low = Scaled(abs(inner), place + 1, inner < 0);
    i.high = Scaled(outer, place + 1, false);
    i.lowValue = Reduced({inner, TenTo(place + 1)});
    i.highValue = Reduced({outer, TenTo(place + 1)});
  }
  return i;
}

Result<Rational> Simplest(const Rational& a, const Rational& b) {
  if (a.denominator == 0 || b.denominator == 0) return ZeroDenominator();
  Rational low = Reduced(a), high = Reduced(b);
  if (!AtMost(low, high)) std::swap(low, high);
  if (low.numerator <= 0 && high.numerator >= 0) return Rational{};
  const bool negative = high.numerator < 0;
  if (negative) {
    low.numerator = -low.numerator;
    high.numerator = -high.numerator;
    std::swap(low, high);
  }
  Rational r = SearchPositive(low.numerator, low.denominator, high.numerator, high.denominator,
                              [](const mpz_class&, const mpz_class&, const mpz_class&,
                                 const mpz_class&, const mpz_class&) {})
                   .answer;
  if (negative) r.numerator = -r.numerator;
  return r;
}

Result<RoundedFraction> FromRounded(const Decimal& display) {
  Result<RoundingInterval> i = RoundedInterval(display);
  if (auto* p = std::get_if<Problem>(&i)) return *p;
  RoundedFraction f;
  f.interval = std::get<RoundingInterval>(std::move(i));
  f.fraction = std::get<Rational>(Simplest(f.interval.lowValue, f.interval.highValue));
  return f;
}

Result<RoundedWorking> ExplainRounded(const Decimal& display) {
  Result<RoundingInterval> i = RoundedInterval(display);
  if (auto* p = std::get_if<Problem>(&i)) return *p;
  RoundedWorking w;
  w.display = display;
  w.interval = std::get<RoundingInterval>(std::move(i));
  w.halfUnit = Scaled(5, w.interval.place + 1, false);
  const Rational& low = w.interval.lowValue;
  const Rational& high = w.interval.highValue;
  if (low.numerator <= 0 && high.numerator >= 0) {
    w.zero = true;
    w.lastLow = low;
    w.lastHigh = high;
    w.terms = {0};
    w.mixed = ToMixed(w.fraction);
    return w;
  }
  const bool negative = high.numerator < 0;
  const Rational lower = negative ? Rational{-high.numerator, high.denominator} : low;
  const Rational upper = negative ? Rational{-low.numerator, low.denominator} : high;
  std::int64_t digits = 0;
  const Search s =
      SearchPositive(lower.numerator, lower.denominator, upper.numerator, upper.denominator,
                     [&](const mpz_class& whole, const mpz_class& a, const mpz_class& b,
                         const mpz_class& c, const mpz_class& d) {
                       const auto size = [](const mpz_class& n) {
                         return static_cast<std::int64_t>(mpz_sizeinbase(n.get_mpz_t(), 10));
                       };
                       const std::int64_t more = size(a) + size(b) + size(c) + size(d);
                       if (static_cast<std::int64_t>(w.steps.size()) >= kMaxRoundedSteps ||
                           digits + more > kMaxRoundedStepDigits) {
                         return;
                       }
                       digits += more;
                       w.steps.push_back({whole, {a, b}, {c, d}});
                     });
  w.stepCount = s.steps;
  w.lastLow = s.lastLow;
  w.lastHigh = s.lastHigh;
  w.last = s.terms.back();
  w.terms = s.terms;
  w.magnitude = s.answer;
  w.fraction = s.answer;
  if (negative) w.fraction.numerator = -w.fraction.numerator;
  if (s.steps > 0) {
    w.neighbours = true;
    w.below = s.previous;
    w.above = s.lesser;
    if (!AtMost(w.below, w.above)) std::swap(w.below, w.above);
  }
  w.mixed = ToMixed(w.fraction);
  return w;
}

}  // namespace quotalis::exact
