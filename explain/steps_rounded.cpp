// A rounded display's simplest fraction: the interval, the whole parts taken
// off one at a time, and why no simpler fraction lies in the interval.
#include <gmpxx.h>

#include <string>
#include <utility>

#include "explain/render.h"
#include "pieces.h"
#include "words/words.h"

namespace quotalis::explain {

using words::N_;

namespace {

// A positive value as its whole part plus the rest: 7 + 1767/28319, or 16
// alone (a whole part written before a fraction would read as a product).
Formula MixedOf(const exact::Rational& r) {
  const mpz_class whole = r.numerator / r.denominator;
  const mpz_class rest = r.numerator % r.denominator;
  if (rest == 0) return Of(whole);
  Formula f;
  if (whole != 0) {
    f = Of(whole);
    f.push_back(Operator("+"));
  }
  f.push_back(FractionOf(Of(rest), Of(r.denominator)));
  return f;
}

// The relation before (`low`) or after (`high`) a value inside a range whose
// end belongs to it or not.
std::string Below(bool included) { return included ? "≤" : "<"; }

// The range of a variable: low ≤ v < high, or low < v alone when it has no
// upper end (high 1/0).
void Range(Builder& b, const exact::Rational& low, const Formula& v, const exact::Rational& high,
           exact::Ends ends) {
  if (high.denominator == 0) {
    b.Relate({MixedOf(low), v}, {Below(ends.low)});
  } else {
    b.Relate({MixedOf(low), v, MixedOf(high)}, {Below(ends.low), Below(ends.high)});
  }
}

// m / 10^place with `place` digits after the point, as a display writes it.
exact::Decimal Shown(const mpz_class& m, std::int64_t place) {
  std::string digits = mpz_class(abs(m)).get_str();
  const auto after = static_cast<std::size_t>(place);
  if (digits.size() <= after) digits.insert(0, after + 1 - digits.size(), '0');
  exact::Decimal d;
  d.integer = digits.substr(0, digits.size() - after);
  d.fixed = digits.substr(digits.size() - after);
  d.negative = m < 0;
  return d;
}

// The variable of the range after `step` steps: x, x₁, x₂, ...
Formula Unknown(const std::string& name, std::int64_t step) {
  if (step == 0) return {Variable(name)};
  return {IndexedOf(name, std::to_string(step))};
}

// 1 over a formula.
Math OneOver(Formula f) { return FractionOf({Number("1")}, std::move(f)); }

// whole + 1/next, or 1/next when the whole part is 0.
Formula PlusOneOver(const mpz_class& whole, Formula next) {
  if (whole == 0) return {OneOver(std::move(next))};
  Formula f = Of(whole);
  f.push_back(Operator("+"));
  f.push_back(OneOver(std::move(next)));
  return f;
}

// 1/(v - whole), or 1/v when the whole part is 0.
Formula Inverse(const mpz_class& whole, Formula v) {
  if (whole == 0) return {OneOver(std::move(v))};
  v.push_back(Operator("-"));
  v.push_back(Number(whole));
  return {OneOver(std::move(v))};
}

// The continued fraction of the terms: 3 + 1/(7 + 1/16).
Formula Nested(const std::vector<mpz_class>& terms) {
  Formula inner = Of(terms.back());
  for (std::size_t i = terms.size() - 1; i-- > 0;) inner = PlusOneOver(terms[i], std::move(inner));
  return inner;
}

// Why no fraction of a smaller denominator lies in the range: the answer
// between two neighbouring fractions outside it.
void Neighbours(Builder& b, const exact::RoundedWorking& w, const exact::Decimal& low,
                const exact::Decimal& high, const exact::Rational& highValue) {
  const exact::Rational& m = w.magnitude;
  const exact::Rational& p = w.below;
  const exact::Rational& q = w.above;
  b.Say(N_("No fraction with a smaller denominator lies in the range: {1} lies between {2} and "
           "{3}, which are outside it"),
        {Value(m), Value(p), Value(q)});
  // The magnitudes' range holds its low end and not its high one; the
  // fraction above may be that high end itself.
  const bool atHigh = q.numerator * highValue.denominator == highValue.numerator * q.denominator;
  b.Relate({Value(p), Of(low), Value(m), Of(high), Value(q)},
           {"<", Below(w.ends.low), Below(w.ends.high), atHigh ? "=" : "<"});
  const Formula cross = {Number(q.numerator), Operator("×"),         Number(p.denominator),
                         Operator("-"),       Number(q.denominator), Operator("×"),
                         Number(p.numerator), Operator("="),         Number("1")};
  b.Say(N_("{1} and {2} are neighbouring fractions (ad - bc = 1): {3}"),
        {Value(p), Value(q), cross});
  const Formula sum = {Number(p.denominator), Operator("+"), Number(q.denominator), Operator("="),
                       Number(m.denominator)};
  b.Say(N_("Every fraction strictly between two neighbouring fractions has a denominator of at "
           "least the sum of theirs, {1}, and {2} is the only one between them with the "
           "denominator {3}"),
        {sum, Value(m), Of(m.denominator)});
}

}  // namespace

Steps RoundedSteps(const exact::RoundedWorking& w, const Style& style) {
  Builder b;
  const exact::RoundingInterval& i = w.interval;
  const Formula x = {Variable("x")};

  // The display as it was given, trailing zeros and exponent included.
  exact::Decimal shown = w.display;
  if (shown.integer.empty()) shown.integer = "0";
  if (i.place == 0) {
    b.Say(N_("{1} is an approximation of the true value {2}, rounded half up to the units, so "
             "{2} lies in this range"),
          {Of(shown), x});
  } else {
    b.Say(N_("{1} is an approximation of the true value {2}, rounded half up to digit {3} after "
             "the point, so {2} lies in this range"),
          {Of(shown), x, Of(i.place)});
  }
  b.Relate({Of(i.low), x, Of(i.high)}, {Below(i.ends.low), Below(i.ends.high)});
  // The end left out, and the display it would round to: a half rounds away
  // from zero.
  std::string digits = w.display.integer + w.display.fixed;
  if (digits.empty()) digits = "0";
  const mpz_class n =
      w.display.negative ? mpz_class(-mpz_class(digits, 10)) : mpz_class(digits, 10);
  if (w.zero) {
    b.Say(N_("Rounded half up, {1} and {2} give {3} and {4}, so neither end is in the range"),
          {Of(i.low), Of(i.high), Of(Shown(-1, i.place)), Of(Shown(1, i.place))});
    b.Say(N_("The range holds 0, the simplest number there is: {1}"), {Equals({x, Of(0)})});
    b.Say(N_("So the simplest fraction {1} may stand for is {2}"), {Of(shown), Of(0)});
    return b.Done();
  }
  if (i.ends.high) {
    b.Say(N_("A negative number is rounded by its size: {1} gives {2}, so it is not in the "
             "range"),
          {Of(i.low), Of(Shown(n - 1, i.place))});
  } else {
    b.Say(N_("Rounded half up, {1} gives {2}, so it is not in the range"),
          {Of(i.high), Of(Shown(n + 1, i.place))});
  }

  // The sign set aside: the search runs on the magnitudes.
  const bool negative = w.fraction.numerator < 0;
  const std::string name = negative ? "y" : "x";
  exact::Decimal low = negative ? i.high : i.low;
  exact::Decimal high = negative ? i.low : i.high;
  low.negative = high.negative = false;
  exact::Rational highValue = negative ? i.lowValue : i.highValue;
  highValue.numerator = abs(highValue.numerator);
  if (negative) {
    b.Say(N_("Set the sign aside: let {1}, so that {2}"),
          {Equals({Unknown(name, 0), Negated(x)}),
           Joined({Of(low), Unknown(name, 0), Of(high)}, {Below(w.ends.low), Below(w.ends.high)})});
  }

  const auto kept = static_cast<std::int64_t>(w.steps.size());
  if (w.stepCount > 0) {
    b.Say(
        N_("Find the fraction with the smallest denominator in this range as a continued "
           "fraction, taking off one whole part at a time"));
  }
  for (std::int64_t k = 0; k < kept; ++k) {
    const exact::RoundedStep& s = w.steps[static_cast<std::size_t>(k)];
    const Formula v = Unknown(name, k), next = Unknown(name, k + 1);
    b.Say(N_("The whole part of both ends is {1}: let {2}, so that {3}"),
          {Of(s.whole), Equals({v, PlusOneOver(s.whole, next)}),
           Equals({next, Inverse(s.whole, v)})});
    Range(b, s.low, next, s.high, s.ends);
  }
  const Formula last = Unknown(name, w.stepCount);
  if (kept < w.stepCount) {
    b.Say(N_("Taking off whole parts the same way, {1} in all, leads to"), {Of(w.stepCount)});
    Range(b, w.lastLow, last, w.lastHigh, w.lastEnds);
  }

  if (w.stepCount == 0) {
    b.Say(N_("The smallest whole number in this range is {1}, and a whole number has the smallest "
             "denominator there is, 1: {2}"),
          {Of(w.last), Equals({last, Of(w.last)})});
  } else {
    b.Say(N_("The smallest whole number in this range is {1}: let {2}"),
          {Of(w.last), Equals({last, Of(w.last)})});
    const Formula top = Unknown(name, 0);
    // 1/t is written the same either way.
    const bool same = w.terms.size() == 2 && w.terms.front() == 0;
    b.Say(N_("Put the whole parts back into the continued fraction: {1}"),
          {kept < w.stepCount || same ? Equals({top, Value(w.magnitude)})
                                      : Equals({top, Nested(w.terms), Value(w.magnitude)})});
    Neighbours(b, w, low, high, highValue);
  }
  if (negative) {
    b.Say(N_("Put the sign back: {1}"),
          {Equals({x, Negated(Unknown(name, 0)), Value(w.fraction)})});
  }
  if (style.mixed && w.fraction.denominator != 1 && w.mixed.whole != 0) {
    b.Say(N_("As a mixed number: {1}"), {Equals({x, Value(w.fraction), Mixed(w.mixed)})});
  }
  b.Say(N_("So the simplest fraction {1} may stand for is {2}"), {Of(shown), Value(w.fraction)});
  return b.Done();
}

}  // namespace quotalis::explain
