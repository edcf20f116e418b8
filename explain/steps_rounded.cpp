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

// A positive value as a mixed number: 7 1767/28319, or 16 alone.
Formula MixedOf(const exact::Rational& r) {
  const mpz_class whole = r.numerator / r.denominator;
  const mpz_class rest = r.numerator % r.denominator;
  if (rest == 0) return Of(whole);
  Formula f;
  if (whole != 0) f = Of(whole);
  f.push_back(FractionOf(Of(rest), Of(r.denominator)));
  return f;
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
// between two neighbours outside it.
void Neighbours(Builder& b, const exact::RoundedWorking& w, const exact::Decimal& low,
                const exact::Decimal& high) {
  const exact::Rational& m = w.magnitude;
  const exact::Rational& p = w.below;
  const exact::Rational& q = w.above;
  b.Say(N_("No fraction with a smaller denominator lies in the range: {1} lies between {2} and "
           "{3}, which are outside it"),
        {Value(m), Value(p), Value(q)});
  b.Relate({Value(p), Of(low), Value(m), Of(high), Value(q)}, {"<", "≤", "≤", "<"});
  const Formula neighbours = {Number(q.numerator),   Operator("×"),       Number(p.denominator),
                              Operator("-"),         Number(p.numerator), Operator("×"),
                              Number(q.denominator), Operator("="),       Number("1")};
  const Formula sum = {Number(p.denominator), Operator("+"), Number(q.denominator), Operator("="),
                       Number(m.denominator)};
  b.Say(N_("{1}, so every fraction strictly between {2} and {3} has a denominator of at least "
           "{4}, and {5} is the only one with the denominator {6}"),
        {neighbours, Value(p), Value(q), sum, Value(m), Of(m.denominator)});
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
    b.Say(N_("{1} is rounded at the units: the value {2} lies within {3} of it, half a unit"),
          {Of(shown), x, Of(w.halfUnit)});
  } else {
    b.Say(N_("{1} is rounded at digit {2} after the point: the value {3} lies within {4} of it, "
             "half a unit of that digit"),
          {Of(shown), Of(i.place), x, Of(w.halfUnit)});
  }
  b.Relate({Of(i.low), x, Of(i.high)}, {"≤", "≤"});
  if (w.zero) {
    b.Say(N_("The range holds 0, the simplest number there is: {1}"), {Equals({x, Of(0)})});
    return b.Done();
  }

  // The sign set aside: the search runs on the magnitudes.
  const bool negative = w.fraction.numerator < 0;
  const std::string name = negative ? "y" : "x";
  exact::Decimal low = negative ? i.high : i.low;
  exact::Decimal high = negative ? i.low : i.high;
  low.negative = high.negative = false;
  if (negative) {
    b.Say(N_("Set the sign aside: let {1}, so that {2}"),
          {Equals({Unknown(name, 0), Negated(x)}),
           Joined({Of(low), Unknown(name, 0), Of(high)}, {"≤"})});
  }

  const auto kept = static_cast<std::int64_t>(w.steps.size());
  if (w.stepCount > 0) {
    b.Say(
        N_("Look for the fraction with the smallest denominator in this range, taking off one "
           "whole part at a time"));
  }
  for (std::int64_t k = 0; k < kept; ++k) {
    const exact::RoundedStep& s = w.steps[static_cast<std::size_t>(k)];
    const Formula v = Unknown(name, k), next = Unknown(name, k + 1);
    b.Say(N_("The whole part of both ends is {1}: let {2}, so that {3}"),
          {Of(s.whole), Equals({v, PlusOneOver(s.whole, next)}),
           Equals({next, Inverse(s.whole, v)})});
    b.Relate({MixedOf(s.low), next, MixedOf(s.high)}, {"≤", "≤"});
  }
  const Formula last = Unknown(name, w.stepCount);
  if (kept < w.stepCount) {
    b.Say(N_("Taking off whole parts the same way, {1} in all, leads to"), {Of(w.stepCount)});
    b.Relate({MixedOf(w.lastLow), last, MixedOf(w.lastHigh)}, {"≤", "≤"});
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
    b.Say(N_("Put the whole parts back: {1}"),
          {kept < w.stepCount || same ? Equals({top, Value(w.magnitude)})
                                      : Equals({top, Nested(w.terms), Value(w.magnitude)})});
    Neighbours(b, w, low, high);
  }
  if (negative) {
    b.Say(N_("Put the sign back: {1}"),
          {Equals({x, Negated(Unknown(name, 0)), Value(w.fraction)})});
  }
  if (style.mixed && w.fraction.denominator != 1 && w.mixed.whole != 0) {
    b.Say(N_("As a mixed number: {1}"), {Equals({x, Value(w.fraction), Mixed(w.mixed)})});
  }
  return b.Done();
}

}  // namespace quotalis::explain
