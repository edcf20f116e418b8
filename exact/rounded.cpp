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

// The search on a positive range from a/b to c/d, 0 <= a/b <= c/d, each in
// lowest terms, `ends` saying which ends belong to it (d = 0: no upper end).
// While no whole number lies in the range, both ends have the same whole part
// f: f is taken off and the rest turned over, the range becoming d/(c - f d)
// to b/(a - f b) (no upper end when a/b is f itself), the lower end belonging
// to it as the upper one did and the upper as the lower. Then the smallest
// whole number t in the range. The answer is [f0; f1, ..., t], kept as the
// convergents p/q of the terms. `step` is told each whole part taken off and
// the range after it.
struct Search {
  std::vector<mpz_class> terms;
  std::int64_t steps = 0;
  Rational lastLow, lastHigh;
  Ends lastEnds;
  Rational answer;
  // The convergent before the last term, and the fraction one less in it.
  Rational previous, lesser;
};

template <class Step>
Search SearchPositive(mpz_class a, mpz_class b, mpz_class c, mpz_class d, Ends ends, Step step) {
  Search s;
  // The convergents p1/q1 (the terms so far) and p0/q0 (one term fewer).
  mpz_class p1 = 1, q1 = 0, p0 = 0, q0 = 1;
  mpz_class f, r, t, next;
  while (true) {
    mpz_fdiv_qr(f.get_mpz_t(), r.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    // The smallest whole number at or above the lower end that belongs to
    // the range from below.
    t = r == 0 && ends.low ? f : f + 1;
    // c/d - t = next/d: t lies in the range when next/d is above 0, or is 0
    // and the upper end belongs to it.
    if (d == 0) break;
    next = c;
    mpz_submul(next.get_mpz_t(), t.get_mpz_t(), d.get_mpz_t());
    if (next > 0 || (next == 0 && ends.high)) break;
    // No whole number lies in the range: both ends have the whole part f,
    // and c/d - f = (next + d)/d, with 0 < next + d <= d.
    next += d;
    s.terms.push_back(f);
    ++s.steps;
    // The range turned over: d/(next + d) to b/r, where a/b - f = r/b.
    a.swap(d);     // a: the old d
    c.swap(b);     // c: the old b
    b.swap(next);  // b: c - f d
    d.swap(r);     // d: r, 0 when the lower end was f itself
    if (d == 0) c = 1;
    ends = {ends.high, ends.low};
    // The convergents take f.
    mpz_class p = f * p1 + p0, q = f * q1 + q0;
    p0 = std::move(p1);
    q0 = std::move(q1);
    p1 = std::move(p);
    q1 = std::move(q);
    step(s.terms.back(), a, b, c, d, ends);
  }
  s.terms.push_back(t);
  s.lastLow = {a, b};
  s.lastHigh = {c, d};
  s.lastEnds = ends;
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
    i.ends = {false, true};
  } else {
    i.low = Scaled(abs(inner), place + 1, inner < 0);
    i.high = Scaled(outer, place + 1, false);
    i.lowValue = Reduced({inner, TenTo(place + 1)});
    i.highValue = Reduced({outer, TenTo(place + 1)});
    // Half a unit either side of zero rounds away from it, to a unit.
    i.ends = {n != 0, false};
  }
  return i;
}

namespace {

// Whether the range from `low` to `high` (reduced, low <= high) holds 0.
bool HoldsZero(const Rational& low, const Rational& high, Ends ends) {
  const int l = sgn(low.numerator), h = sgn(high.numerator);
  return (l < 0 || (l == 0 && ends.low)) && (h > 0 || (h == 0 && ends.high));
}

// The range of the magnitudes of a range below 0.
void Mirror(Rational& low, Rational& high, Ends& ends) {
  low.numerator = -low.numerator;
  high.numerator = -high.numerator;
  std::swap(low, high);
  ends = {ends.high, ends.low};
}

void NoStep(const mpz_class&, const mpz_class&, const mpz_class&, const mpz_class&,
            const mpz_class&, Ends) {}

}  // namespace

Result<Rational> Simplest(const Rational& a, const Rational& b) {
  if (a.denominator == 0 || b.denominator == 0) return ZeroDenominator();
  Rational low = Reduced(a), high = Reduced(b);
  if (!AtMost(low, high)) std::swap(low, high);
  return Simplest(low, high, {true, true});
}

Result<Rational> Simplest(const Rational& lowEnd, const Rational& highEnd, Ends ends) {
  if (lowEnd.denominator == 0 || highEnd.denominator == 0) return ZeroDenominator();
  Rational low = Reduced(lowEnd), high = Reduced(highEnd);
  if (!AtMost(low, high)) {
    return MakeProblem(ProblemKind::Argument, N_("the low end is above the high end"), {});
  }
  if (!AtMost(high, low)) {
    // Two ends apart: the range holds the values between them.
  } else if (!ends.low || !ends.high) {
    return MakeProblem(ProblemKind::Argument, N_("the range holds no value"), {});
  }
  if (HoldsZero(low, high, ends)) return Rational{};
  const bool negative = high.numerator <= 0;
  if (negative) Mirror(low, high, ends);
  Rational r =
      SearchPositive(low.numerator, low.denominator, high.numerator, high.denominator, ends, NoStep)
          .answer;
  if (negative) r.numerator = -r.numerator;
  return r;
}

Result<RoundedFraction> FromRounded(const Decimal& display) {
  Result<RoundingInterval> i = RoundedInterval(display);
  if (auto* p = std::get_if<Problem>(&i)) return *p;
  RoundedFraction f;
  f.interval = std::get<RoundingInterval>(std::move(i));
  f.fraction =
      std::get<Rational>(Simplest(f.interval.lowValue, f.interval.highValue, f.interval.ends));
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
  if (HoldsZero(low, high, w.interval.ends)) {
    w.zero = true;
    w.lastLow = low;
    w.lastHigh = high;
    w.terms = {0};
    w.mixed = ToMixed(w.fraction);
    return w;
  }
  const bool negative = high.numerator <= 0;
  Rational lower = low, upper = high;
  Ends ends = w.interval.ends;
  if (negative) Mirror(lower, upper, ends);
  w.ends = ends;
  std::int64_t digits = 0;
  const Search s =
      SearchPositive(lower.numerator, lower.denominator, upper.numerator, upper.denominator, ends,
                     [&](const mpz_class& whole, const mpz_class& a, const mpz_class& b,
                         const mpz_class& c, const mpz_class& d, Ends stepEnds) {
                       const auto size = [](const mpz_class& n) {
                         return static_cast<std::int64_t>(mpz_sizeinbase(n.get_mpz_t(), 10));
                       };
                       const std::int64_t more = size(a) + size(b) + size(c) + size(d);
                       if (static_cast<std::int64_t>(w.steps.size()) >= kMaxRoundedSteps ||
                           digits + more > kMaxRoundedStepDigits) {
                         return;
                       }
                       digits += more;
                       w.steps.push_back({whole, {a, b}, {c, d}, stepEnds});
                     });
  w.stepCount = s.steps;
  w.lastLow = s.lastLow;
  w.lastHigh = s.lastHigh;
  w.lastEnds = s.lastEnds;
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
