// Internal to the explain library: the pieces of a formula (explain/steps.h)
// and the formulas every kind of working writes with them, and the list of
// steps as a working builds it.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/working.h>

#include "explain/steps.h"

namespace quotalis::explain {

// A number or a decimal too long to show whole is shown by its ends
// (kLongestNumberShown).
Math Number(std::string digits);
Math Number(const mpz_class& n);
Math Variable(std::string name);
Math Operator(std::string symbol);
Math Negative();
Math DecimalOf(const exact::Decimal& d);
Math FractionOf(Formula numerator, Formula denominator, bool negative = false);
Math PowerOf(std::string base, std::string exponent);
Math IndexedOf(std::string name, std::string index);

// Whether `n` has more digits than a number shows whole.
bool ShownByEnds(const mpz_class& n);

Formula Of(const mpz_class& n);
Formula Of(std::int64_t n);
Formula Of(const exact::Decimal& d);

// n/d as written, before any reduction; its sign on the numerator.
Math Fraction(const mpz_class& n, const mpz_class& d);

// A value in lowest terms: a whole number as one, else a fraction.
Formula Value(const exact::Rational& r);

// A mixed number with a whole part: "2 19/55", "-3 1/2".
Formula Mixed(const exact::MixedNumber& m);

// A minus sign before the formula: -y, -1/6.
Formula Negated(Formula f);

// Pieces joined by operators, taken in turn and from the first again when
// they run out: ({a, x, b}, {"≤"}) -> a ≤ x ≤ b.
Formula Joined(std::initializer_list<Formula> pieces, const std::vector<std::string>& operators);
Formula Equals(std::initializer_list<Formula> sides);

// The groups of equations and rows aligned together, a number each across
// every working: a fraction's working holds a decimal's as its check.
inline constexpr int kMultiples = 1;
inline constexpr int kPrimes = 2;
inline constexpr int kSubtraction = 3;
inline constexpr int kDivision = 4;

// The steps of a working as it writes them.
class Builder {
 public:
  void Say(std::string_view format, std::vector<Formula> args = {}) {
    steps_.steps.emplace_back(Sentence{format, std::move(args)});
  }
  // Sides joined by "=", aligned with the equations of `group`.
  void Equate(std::vector<Formula> sides, int group) {
    steps_.steps.emplace_back(Equation{std::move(sides), group});
  }
  // Sides joined by relations, on a line of their own: a ≤ x ≤ b.
  void Relate(std::vector<Formula> sides, std::vector<std::string> relations) {
    steps_.steps.emplace_back(Equation{std::move(sides), 0, std::move(relations)});
  }
  // An equation of a group with a number (1: ①) or "−)" before it.
  void Equate(std::vector<Formula> sides, int group, int number, bool subtracted = false) {
    steps_.steps.emplace_back(Equation{std::move(sides), group, {}, number, subtracted});
  }
  void Row(DivisionRow row) { steps_.steps.emplace_back(std::move(row)); }
  Steps Done() { return std::move(steps_); }

 private:
  Steps steps_;
};

}  // namespace quotalis::explain
