#include "explain/rounded.h"

#include <gmpxx.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "explain/working.h"

namespace quotalis::explain {

using words::N_;
using words::Say;
using words::Words;

namespace {

Formula Of(const mpz_class& n) { return {Number(n.get_str())}; }
Formula Of(std::int64_t n) { return {Number(std::to_string(n))}; }
Formula Of(const exact::Decimal& d) { return {DecimalOf(d)}; }

// A value in lowest terms: a whole number as one, else a fraction.
Formula Value(const exact::Rational& r) {
  if (r.denominator == 1) return Of(r.numerator);
  return {FractionOf(Of(mpz_class(abs(r.numerator))), Of(r.denominator), r.numerator < 0)};
}

// A positive value as a mixed number: 7 1767/28319, or 16 alone.
Formula Mixed(const exact::Rational& r) {
  const mpz_class whole = r.numerator / r.denominator;
  const mpz_class rest = r.numerator % r.denominator;
  if (rest == 0) return Of(whole);
  Formula f;
  if (whole != 0) f = Of(whole);
  f.push_back(FractionOf(Of(rest), Of(r.denominator)));
  return f;
}

Formula Mixed(const exact::MixedNumber& m) {
  const std::string sign = m.negative ? "-" : "";
  return {Number(sign + m.whole.get_str()), FractionOf(Of(m.numerator), Of(m.denominator))};
}

// Pieces joined by an operator: "a ≤ x ≤ b", "x = 1/y".
Formula Joined(std::initializer_list<Formula> pieces, const std::vector<std::string>& operators) {
  Formula f;
  std::size_t i = 0;
  for (const Formula& piece : pieces) {
    if (!f.empty()) f.push_back(Operator(operators[i++ % operators.size()]));
    f.insert(f.end(), piece.begin(), piece.end());
  }
  return f;
}

Formula Equals(std::initializer_list<Formula> sides) { return Joined(sides, {"="}); }

Formula Negated(Formula f) {
  f.insert(f.begin(), Math{Math::Kind::Negative, "", {}, "", false, {}, {}});
  return f;
}

// The variable of the range after `step` steps: x, x₁, x₂, ...
Formula Variable(const std::string& name, std::int64_t step) {
  if (step == 0) return {explain::Variable(name)};
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
  v.push_back(Number(whole.get_str()));
  return {OneOver(std::move(v))};
}

// The continued fraction of the terms: 3 + 1/(7 + 1/16).
Formula Nested(const std::vector<mpz_class>& terms) {
  Formula inner = Of(terms.back());
  for (std::size_t i = terms.size() - 1; i-- > 0;) inner = PlusOneOver(terms[i], std::move(inner));
  return inner;
}

class Builder {
 public:
  void Say(std::string_view format, std::vector<Formula> args = {}) {
    steps_.steps.emplace_back(Sentence{format, std::move(args)});
  }
  // Sides joined by relations, on a line of their own: a ≤ x ≤ b.
  void Relate(std::vector<Formula> sides, std::vector<std::string> relations) {
    steps_.steps.emplace_back(Equation{std::move(sides), 0, std::move(relations)});
  }
  Steps Done() { return std::move(steps_); }

 private:
  Steps steps_;
};

}  // namespace

Steps RoundedSteps(const exact::RoundedWorking& w, const Style& style) {
  Builder b;
  const exact::RoundingInterval& i = w.interval;
  const Formula x = {explain::Variable("x")};

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
          {Equals({Variable(name, 0), Negated(x)}),
           Joined({Of(low), Variable(name, 0), Of(high)}, {"≤"})});
  }

  const auto kept = static_cast<std::int64_t>(w.steps.size());
  if (w.stepCount > 0) {
    b.Say(
        N_("Look for the fraction with the smallest denominator in this range, taking off one "
           "whole part at a time"));
  }
  for (std::int64_t k = 0; k < kept; ++k) {
    const exact::RoundedStep& s = w.steps[static_cast<std::size_t>(k)];
    const Formula v = Variable(name, k), next = Variable(name, k + 1);
    b.Say(N_("The whole part of both ends is {1}: let {2}, so that {3}"),
          {Of(s.whole), Equals({v, PlusOneOver(s.whole, next)}),
           Equals({next, Inverse(s.whole, v)})});
    b.Relate({Mixed(s.low), next, Mixed(s.high)}, {"≤", "≤"});
  }
  const Formula last = Variable(name, w.stepCount);
  if (kept < w.stepCount) {
    b.Say(N_("Taking off whole parts the same way, {1} in all, leads to"), {Of(w.stepCount)});
    b.Relate({Mixed(w.lastLow), last, Mixed(w.lastHigh)}, {"≤", "≤"});
  }

  const exact::Rational& m = w.magnitude;
  if (w.stepCount == 0) {
    b.Say(N_("The smallest whole number in this range is {1}, and a whole number has the smallest "
             "denominator there is, 1: {2}"),
          {Of(w.last), Equals({last, Of(w.last)})});
  } else {
    b.Say(N_("The smallest whole number in this range is {1}: let {2}"),
          {Of(w.last), Equals({last, Of(w.last)})});
    const Formula top = Variable(name, 0);
    // 1/t is written the same either way.
    const bool same = w.terms.size() == 2 && w.terms.front() == 0;
    b.Say(N_("Put the whole parts back: {1}"),
          {kept < w.stepCount || same ? Equals({top, Value(m)})
                                      : Equals({top, Nested(w.terms), Value(m)})});
    b.Say(N_("No fraction with a smaller denominator lies in the range: {1} lies between {2} and "
             "{3}, which are outside it"),
          {Value(m), Value(w.below), Value(w.above)});
    b.Relate({Value(w.below), Of(low), Value(m), Of(high), Value(w.above)}, {"<", "≤", "≤", "<"});
    const exact::Rational& p = w.below;
    const exact::Rational& q = w.above;
    const Formula neighbours = {Number(q.numerator.get_str()),
                                Operator("×"),
                                Number(p.denominator.get_str()),
                                Operator("-"),
                                Number(p.numerator.get_str()),
                                Operator("×"),
                                Number(q.denominator.get_str()),
                                Operator("="),
                                Number("1")};
    const Formula sum = {Number(p.denominator.get_str()), Operator("+"),
                         Number(q.denominator.get_str()), Operator("="),
                         Number(m.denominator.get_str())};
    b.Say(N_("{1}, so every fraction strictly between {2} and {3} has a denominator of at least "
             "{4}, and {5} is the only one with the denominator {6}"),
          {neighbours, Value(p), Value(q), sum, Value(m), Of(m.denominator)});
  }
  if (negative) {
    b.Say(N_("Put the sign back: {1}"),
          {Equals({x, Negated(Variable(name, 0)), Value(w.fraction)})});
  }
  if (style.mixed && w.fraction.denominator != 1 && w.mixed.whole != 0) {
    b.Say(N_("As a mixed number: {1}"), {Equals({x, Value(w.fraction), Mixed(w.mixed)})});
  }
  return b.Done();
}

std::vector<std::string> RoundedWorkingText(const exact::RoundedWorking& w, bool mixed,
                                            const Words& words) {
  return TextLines(
      RoundedSteps(w, {exact::Notation::Parentheses, PeriodMark::Overline, mixed, false}),
      exact::Notation::Parentheses, words);
}

std::string RoundedWorkingLatex(const exact::RoundedWorking& w, bool mixed, const Words& words) {
  return LatexFragment(
      RoundedSteps(w, {exact::Notation::Parentheses, PeriodMark::Overline, mixed, false}),
      PeriodMark::Overline, words);
}

}  // namespace quotalis::explain
