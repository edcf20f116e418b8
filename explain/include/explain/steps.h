// The working of a conversion as a list of steps: what a teacher writes, in
// order, before any of it is put into a language or a typesetting. Each
// renderer (plain text and LaTeX in explain/working.h; MathML could be one
// more) walks the same steps: a formula is a flat list of pieces that each
// renderer writes its own way, and a sentence is an English format with
// blanks, translated through the Words and filled with formulas.
#pragma once

#include <gmpxx.h>

#include <cstddef>
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
// A number of more digits than this is shown by its first and last
// kShownEnds digits, and how many are left out between them:
// "1234567890…(9,999,980 more digits)…1234567890". So is each part of a
// decimal (before the point, not recurring, recurring) that is longer. As
// many digits as the long division shows at most (exact::kMaxDivisionSteps),
// so that a decimal worked out by hand is shown whole; a working of
// 10,000,000-digit terms then takes a few lines, not hundreds of megabytes.
inline constexpr std::size_t kLongestNumberShown = 1000;
inline constexpr std::size_t kShownEnds = 10;

// The digits left out of the parts of a decimal, each after the first
// kShownEnds digits of its part.
struct LeftOut {
  std::int64_t integer = 0, fixed = 0, period = 0;
  bool Any() const { return integer > 0 || fixed > 0 || period > 0; }
};

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
  // A long number: `text` its first digits (after any "-"), `tail` its last
  // ones, `hidden` how many stand between them.
  std::string tail = {};
  std::int64_t hidden = 0;
  // A long decimal: its parts in `decimal` hold only their ends.
  LeftOut leftOut = {};
};

// Builders for the pieces. A number or a decimal too long to show whole is
// shown by its ends (kLongestNumberShown).
Math Number(std::string digits);
Math Number(const mpz_class& n);
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
  Math dividend, divisor, quotient, remainder;
  std::int64_t place = 0;
  int group = 0;
};

using Step = std::variant<Sentence, Equation, DivisionRow>;

struct Steps {
  std::vector<Step> steps;
};

// How a LaTeX or MathML working marks a period: 0.1\overline{6}, or dots
// over its first and last digits as Japanese textbooks print it.
enum class PeriodMark { Overline, Dots };

// How a working writes its numbers, in every format (explain/render.h
// chooses it).
struct Style {
  // The notation of its decimals: one that marks a period (parentheses,
  // brackets, quotes, dots, overline, r, ellipsis); LaTeX marks a period
  // with `mark` whatever it is.
  exact::Notation notation = exact::Notation::Parentheses;
  PeriodMark mark = PeriodMark::Overline;
  // Whether the working ends with the answer as a mixed number too.
  bool mixed = false;
  // Whether a decimal's working starts from the decimal's shortest form: an
  // ellipsis does not say where its period starts ("0.1666..." is read as
  // 0.166(6)), so an entry or a working written with one does.
  bool fromShortest = false;
  bool operator==(const Style&) const = default;
};

// Decimal to fraction, from the working data (see exact/working.h):
//   Let x = 0.1(6) / the period and why the two powers of ten / 100x = 16.(6)
//   / 10x = 1.(6) / subtract / 90x = 15 / x = 15/90 / prime factors / highest
//   common factor / x = 15/90 = 1/6
Steps DecimalSteps(const exact::DecimalWorking& w, const Style& style);

// Fraction to decimal: a mixed number made improper, the fraction reduced,
// the sign set aside, then the long division up to the first remainder that
// comes again, and the decimal.
Steps FractionSteps(const exact::FractionWorking& w, const Style& style);

}  // namespace quotalis::explain
