// Fraction to decimal: the fraction as written made ready to divide, then the
// long division, row by row, up to the remainder that comes again.
#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "explain/render.h"
#include "pieces.h"
#include "words/words.h"

namespace quotalis::explain {

using words::N_;

namespace {

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

// A mixed number made improper, the fraction reduced, its sign set aside.
void Prepare(Builder& b, const exact::FractionWorking& w, bool negative) {
  const exact::Rational& r = w.fraction;
  const mpz_class n = abs(r.numerator);
  const mpz_class& d = r.denominator;
  if (!w.written) {
    const Formula fraction = {Fraction(n, d)};
    if (negative) b.Say(N_("Set the sign aside: work on {1}"), {fraction});
    if (d == 1) b.Say(N_("The denominator is 1: {1}"), {Equals({fraction, Of(n)})});
    return;
  }
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
}

// The rows of the division of |n| by d; false when it stopped before a
// remainder came again. The working's numbers move into the rows: a
// numerator and a whole part of millions of digits are not held twice.
bool Divide(Builder& b, exact::FractionWorking& w) {
  mpz_class dividend = std::move(w.fraction.numerator);
  mpz_abs(dividend.get_mpz_t(), dividend.get_mpz_t());
  const auto divisor = std::make_shared<const mpz_class>(std::move(w.fraction.denominator));
  b.Say(N_("Work out {1} by long division:"),
        {{Number(dividend), Operator("÷"), Number(*divisor)}});
  const mpz_class& last = w.steps.back().remainder;
  const Formula again = Of(last);
  const bool ends = last == 0;
  mpz_class quotient = std::move(w.whole);
  for (std::size_t i = 0; i < w.steps.size(); ++i) {
    mpz_class& remainder = w.steps[i].remainder;
    mpz_class next = i + 1 < w.steps.size() ? mpz_class(10 * remainder) : mpz_class();
    b.Row({std::move(dividend), divisor, std::move(quotient), std::move(remainder),
           static_cast<std::int64_t>(i), kDivision});
    dividend = std::move(next);
    quotient = w.steps[i].digit;
  }
  const std::int64_t start = w.periodStart + 1;
  const auto digits = static_cast<std::int64_t>(w.steps.size() - 1);
  if (w.capped) {
    if (w.periodLength) {
      b.Say(N_("Stopped after {1} digits: the period has {2} digits and starts at digit {3} "
               "after the point"),
            {Of(digits), Of(*w.periodLength), Of(start)});
    } else {
      b.Say(N_("Stopped after {1} digits: the period is longer than {2} digits"),
            {Of(digits), Of(exact::kMaxExpansionDigits)});
    }
    return false;
  }
  if (ends) {
    b.Say(N_("Remainder 0: the division ends"));
  } else if (digits == start) {
    b.Say(N_("Remainder {1} again: digit {2} repeats"), {again, Of(start)});
  } else {
    b.Say(N_("Remainder {1} again: digits {2} to {3} repeat"), {again, Of(start), Of(digits)});
  }
  return true;
}

// The longest recurring decimal a fraction's working turns back into a
// fraction as a check: a pupil's exercise, not a page of digits.
constexpr std::size_t kLongestChecked = 24;

// The check of a recurring quotient: the decimal turned back into a
// fraction by its two multiples, as the other way's working does, without
// that working's closing line. None for a decimal that ends or is long.
Steps Check(const exact::Decimal& quotient) {
  Steps steps;
  if (quotient.period.empty() ||
      quotient.integer.size() + quotient.fixed.size() + quotient.period.size() > kLongestChecked) {
    return steps;
  }
  exact::Result<exact::DecimalWorking> worked = exact::ExplainDecimal(quotient);
  const auto* w = std::get_if<exact::DecimalWorking>(&worked);
  if (w == nullptr) return steps;
  Steps back = DecimalSteps(*w, Style{});
  back.steps.pop_back();  // "So 0.(142857) = 1/7": the closing line below says it
  steps.steps.emplace_back(Sentence{N_("Check: turn the decimal back into a fraction"), {}});
  for (Step& step : back.steps) steps.steps.push_back(std::move(step));
  return steps;
}

}  // namespace

Steps FractionSteps(exact::FractionWorking w) {
  Builder b;
  const exact::Rational& r = w.fraction;
  const bool negative = w.written ? w.written->negative : r.numerator < 0;
  Prepare(b, w, negative);
  if (r.denominator == 1 || w.steps.empty()) {
    if (negative) {
      const mpz_class n = abs(r.numerator);
      const Formula before = w.written
                                 ? Formula{Fraction(-w.written->improper, w.written->denominator)}
                                 : Formula{Fraction(-n, r.denominator)};
      b.Say(N_("Put the sign back: {1}"), {Equals({before, Of(mpz_class(-n))})});
    }
    return b.Done();
  }
  // What the division comes to, written before its numbers move into its rows.
  Math fraction = Fraction(r.numerator, r.denominator);
  fraction.negative = false;
  const exact::Decimal quotient = Quotient(w, false), answer = Quotient(w, negative);
  Formula entry = {
      Fraction(negative ? mpz_class(-abs(r.numerator)) : abs(r.numerator), r.denominator)};
  if (w.written) {
    const exact::WrittenFraction& t = *w.written;
    const mpz_class sign = negative ? -1 : 1;
    entry = {Fraction(sign * t.numerator, t.denominator)};
    if (t.mixed) entry = {Number(sign * t.whole), Fraction(t.numerator, t.denominator)};
  }
  const Equation value = {{{fraction}, Of(quotient)}, 0};
  Formula signBack;
  if (negative) {
    fraction.negative = true;
    signBack = Equals({{fraction}, Of(Quotient(w, true))});
  }
  if (!Divide(b, w)) return b.Done();
  // The decimal, before the check that turns it back; without a check the
  // closing line says it.
  Steps back = Check(quotient);
  if (!back.steps.empty()) b.Equate(value.sides, value.group);
  if (negative) b.Say(N_("Put the sign back: {1}"), {signBack});
  Steps steps = b.Done();
  for (Step& step : back.steps) steps.steps.push_back(std::move(step));
  // The closing line: the entry as it was written, and its decimal.
  steps.steps.emplace_back(Sentence{N_("So {1}"), {Equals({entry, Of(answer)})}});
  return steps;
}

}  // namespace quotalis::explain
