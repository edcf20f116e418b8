// The working of a value written in another base, as the information course
// teaches it: the whole part in the base, then the fractional part multiplied
// by the base again and again, each whole part taken off as the next digit,
// until the fractional part is 0 or one comes again.
#include <map>
#include <string>
#include <utility>

#include <quotalis/exact/base.h>
#include <quotalis/exact/canonical.h>
#include <quotalis/exact/expansion.h>

#include "explain/render.h"
#include "pieces.h"

namespace quotalis::explain {

namespace {

using words::N_;

// The fractional part r/d as the working shows it: a base-10 decimal for an
// entry that was one, else the fraction.
Math Part(const mpz_class& r, const mpz_class& d, bool asDecimal) {
  if (asDecimal) {
    exact::Result<exact::DecimalExpansion> e = exact::ToDecimal({r, d});
    if (const auto* x = std::get_if<exact::DecimalExpansion>(&e); x != nullptr && !x->cut) {
      return DecimalOf(x->value);
    }
  }
  return Fraction(r, d);
}

}  // namespace

Steps BaseSteps(const exact::Rational& value, int base, bool asDecimal) {
  Steps s;
  const exact::Rational r = exact::Reduced(value);
  const mpz_class n = abs(r.numerator);
  const mpz_class& d = r.denominator;
  const std::string b = std::to_string(base);
  const mpz_class whole = n / d;
  mpz_class rest = n % d;
  s.steps.emplace_back(
      Sentence{N_("To write {1} in base {2}, write the whole part in base {2}, then "
                  "multiply the fractional part by {2} again and again: each whole "
                  "part taken off is the next digit"),
               {{Part(r.numerator, d, asDecimal)}, {Number(b)}}});
  s.steps.emplace_back(Sentence{N_("In base {3} the integer part {1} is written {2}"),
                                {{Number(whole)}, {Number(whole.get_str(base))}, {Number(b)}}});
  std::map<mpz_class, std::int64_t> seen;
  std::int64_t step = 0;
  std::string digits;
  while (rest != 0 && !seen.contains(rest)) {
    if (step == exact::kMaxDivisionSteps) {
      s.steps.emplace_back(Sentence{N_("The working stops after {1} digits; the digits go on"),
                                    {{Number(std::to_string(step))}}});
      return s;
    }
    seen.emplace(rest, ++step);
    const mpz_class times = rest * base;
    const mpz_class digit = times / d;
    const mpz_class next = times % d;
    Equation e;
    e.group = 1;
    e.sides.push_back({Part(rest, d, asDecimal), Operator("×"), Number(b)});
    Formula right;
    if (next == 0) {
      right = {Number(digit)};
    } else {
      right = {Number(digit), Operator("+"), Part(next, d, asDecimal)};
    }
    e.sides.push_back(std::move(right));
    s.steps.emplace_back(std::move(e));
    const std::string shown(1, exact::DigitChar(static_cast<int>(digit.get_si())));
    s.steps.emplace_back(Sentence{N_("Digit {1} after the point: {2}"),
                                  {{Number(std::to_string(step))}, {Number(shown)}}});
    digits += shown;
    rest = next;
  }
  if (rest == 0) {
    s.steps.emplace_back(Sentence{N_("The fractional part is 0: the expansion ends"), {}});
  } else {
    s.steps.emplace_back(
        Sentence{N_("The fractional part {1} comes back, as it was for digit {2}: "
                    "the digits from digit {2} on repeat"),
                 {{Part(rest, d, asDecimal)}, {Number(std::to_string(seen[rest]))}}});
  }
  exact::Result<exact::DecimalExpansion> written = exact::ToBase(r, base);
  if (const auto* x = std::get_if<exact::DecimalExpansion>(&written); x != nullptr && !x->cut) {
    s.steps.emplace_back(
        Sentence{N_("So {1} is {2} in base {3}"),
                 {{Part(r.numerator, d, asDecimal)}, {DecimalOf(x->value)}, {Number(b)}}});
  }
  return s;
}

}  // namespace quotalis::explain
