// The working's steps checked as arithmetic: every formula evaluated as an
// exact rational by this file's own reading of the pieces (explain/steps.h
// says what they mean), every relation between its sides checked, and every
// row of a long division checked against its neighbours. Nothing here calls
// the code under test to find a value.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <quotalis/exact/decimal.h>

#include "explain/steps.h"

namespace quotalis::testing {

// The value of a decimal, from its digits: the sign, the integer and fixed
// digits over a power of ten, the period over 9...9 0...0, the power of ten.
mpq_class DecimalValue(const exact::Decimal& d);

// What the variables stand for: "x", "y", and "x_1", "y_2"... for x₁, y₂.
using Bindings = std::map<std::string, mpq_class>;

// A formula's sides, each evaluated, and the relations between them.
struct Chain {
  std::vector<mpq_class> sides;
  std::vector<std::string> relations;
};

// Thrown for a formula that cannot be evaluated: a number or decimal shown
// by its ends, or a variable not bound.
struct Unknown {
  std::string why;
};

// Evaluates `f`, split at its relations ("=", "<", "≤") outside fractions.
// Throws Unknown, or std::runtime_error for a formula that does not read as
// one (an operator without an operand, a parenthesis never closed...).
Chain Evaluate(const explain::Formula& f, const Bindings& bindings);

// Whether each relation holds between its sides; `what` names a failure.
bool Holds(const Chain& chain, std::string* what);

// What CheckSteps found.
struct Checked {
  int relations = 0;  // equations and sentence arguments whose relations were checked
  int unknown = 0;    // formulas left out: numbers shown by their ends, unbound variables
  int rows = 0;       // division rows checked
  std::vector<std::string> unknownWhy;
};

// Checks every equation, every sentence argument that holds a relation
// (and evaluates the others, which must read), and every division row:
// dividend = divisor × quotient + remainder, 0 ≤ remainder < divisor, each
// row's dividend ten times the remainder before it, one divisor for all,
// and the places 0, 1, 2... Failures are reported with `label`.
Checked CheckSteps(const explain::Steps& steps, const Bindings& bindings, const std::string& label);

// The steps' division rows.
std::vector<const explain::DivisionRow*> RowsOf(const explain::Steps& steps);

// The digits of a Number piece that is shown whole, or by its ends with the
// count between them: "1234567890" + "[980]" + "0987654321".
std::string Shown(const explain::Math& number);

// The digits `n` would be shown by: whole up to explain::kLongestNumberShown
// digits, else its first and last explain::kShownEnds and the count of
// those between, as Shown writes them.
std::string ExpectedShown(const mpz_class& n);

// A formula, and a step, written out piece by piece in a form of this
// file's own, for asserting steps as data:
//   Number: its digits (Shown), "{c2}" after a prime factor two of whose
//     copies both terms share (struck); Decimal: dec(-1.2(3)e-5), with "[left
//     out 980,0,0]" when its parts stand by their ends, "x3..." when its
//     period is written out three times; Variable: x;
//     Indexed: x_1; Operator: its symbol; Negative: neg; Fraction:
//     frac(15 | 90), -frac(...) when negative; Power: 10^6; Open, Close:
//     ( and ).
//   Sentence: say "Let {1}" [x = dec(0.1(6))]; Equation: eq g1: 100 x =
//     dec(16.(6)), "eq g1 (1):" numbered 1, "eq g3 -):" the one taken away
//     in a subtraction; DivisionRow: row 1 g3: 10 ÷ 7 = 1 r 3.
std::string Described(const explain::Formula& f);
std::string Described(const explain::Step& step);

}  // namespace quotalis::testing
