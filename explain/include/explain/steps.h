// The working of a conversion as a list of steps: what a teacher writes, in
// order, before any of it is put into a language or a typesetting. Each
// renderer (plain text and LaTeX in explain/working.h; MathML could be one
// more) walks the same steps: a formula is a flat list of pieces that each
// renderer writes its own way, and a sentence is an English format with
// blanks, translated through the Words and filled with formulas.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>
#include <quotalis/exact/working.h>

namespace quotalis::explain {

struct Math;
// A formula: its pieces in reading order. A number before a variable or a
// power before a variable multiplies it (100x, 10⁶x); a whole number before a
// fraction makes a mixed number (2 19/55).
using Formula = std::vector<Math>;

struct Math {
  enum class Kind {
    Number,    // `text`: digits, perhaps after "-"
    Decimal,   // `decimal`, written in the working's notation
    Variable,  // `text`: "x", "y"
    Operator,  // `text`: "=", "+", "-", "×", "÷", "<", "≤"
    Negative,  // a minus sign before the next piece: -y
    Fraction,  // `numerator` over `denominator`; `negative` puts a minus before it
    Power,     // `text` to the power `exponent` (digits, perhaps after "-"): 10⁶, 3²
    Open,      // "(" and ")"
    Close,
    Indexed,  // `text` with the subscript `index` (digits): x₁, x₂
  };
  Kind kind = Kind::Number;
  std::string text;
  exact::Decimal decimal;
  std::string exponent;
  bool negative = false;
  std::vector<Math> numerator;
  std::vector<Math> denominator;
  std::string index = {};
  // For a prime factor of a term (Number or Power), how many of its copies
  // the other term shares too ("" none): a renderer may mark them cancelled.
  std::string common = {};
};

// Builders for the pieces.
Math Number(std::string digits);
Math Variable(std::string name);
Math Operator(std::string symbol);
Math DecimalOf(const exact::Decimal& d);
Math FractionOf(Formula numerator, Formula denominator, bool negative = false);
Math PowerOf(std::string base, std::string exponent);
Math IndexedOf(std::string name, std::string index);

// A sentence: `format` is the English text marked with N_, its blanks {1},
// {2}... filled with `args`, each written as a formula. A blank may also be
// filled with a plain number that the sentence counts with.
struct Sentence {
  std::string_view format;
  std::vector<Formula> args;
};

// Sides joined by "=", or by `relations` where it is given: relations[i]
// stands between sides i and i + 1 ("=", "<", "≤"). Equations of the same
// `group` are aligned at their first relation (0: aligned with nothing).
struct Equation {
  std::vector<Formula> sides;
  int group = 0;
  std::vector<std::string> relations = {};
};

// One row of a long division: `dividend` ÷ `divisor` = `quotient`, remainder
// `remainder`; `place` the digit after the point it gives (0: the whole part).
struct DivisionRow {
  std::string dividend, divisor, quotient, remainder;
  std::int64_t place = 0;
  int group = 0;
};

using Step = std::variant<Sentence, Equation, DivisionRow>;

struct Steps {
  std::vector<Step> steps;
};

// How the working writes its decimals, and whether its fraction ends as a
// mixed number too.
struct StepStyle {
  // Any notation that marks a period; Keypad, Plain, Fraction and Mixed
  // write parentheses. LaTeX is a renderer's matter, not a notation here.
  exact::Notation notation = exact::Notation::Parentheses;
  bool mixed = false;
};

// Decimal to fraction, from the working data (see exact/working.h):
//   Let x = 0.1(6) / the period and why the two powers of ten / 100x = 16.(6)
//   / 10x = 1.(6) / subtract / 90x = 15 / x = 15/90 / prime factors / highest
//   common factor / x = 15/90 = 1/6
Steps DecimalSteps(const exact::DecimalWorking& w, const StepStyle& style);

// Fraction to decimal: a mixed number made improper, the fraction reduced,
// the sign set aside, then the long division up to the first remainder that
// comes again, and the decimal.
Steps FractionSteps(const exact::FractionWorking& w, const StepStyle& style);

}  // namespace quotalis::explain
