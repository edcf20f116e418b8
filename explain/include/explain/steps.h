// The working of a conversion as a list of steps: what a teacher writes, in
// order, before any of it is put into a language or a typesetting. Every
// renderer (plain text, LaTeX, MathML: explain/render.h) walks the same
// steps: a formula is a flat list of pieces that each renderer writes its own
// way, a sentence is an English format with blanks, translated through the
// Words and filled with formulas, and a row of a long division holds its
// numbers.
#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

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
// fraction makes a mixed number (2 19/55, and -3 1/2 is -(3 + 1/2)).
// Relations ("=", "<", "≤") may stand between its sides: x = 15/90 = 1/6.
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
  // the other term shares too ("" none). A working splits a power so that a
  // factor is shared whole or not at all (3² shared once is 3 × 3, one of
  // them shared): a renderer strikes a factor whose `common` is all its
  // copies, the same factors in the numerator and the denominator.
  std::string common = {};
  // A recurring Decimal written with its period `writtenOut` times and an
  // ellipsis, as a subtraction shows the tails that cancel: 16.666…
  // (0: in the working's notation).
  int writtenOut = 0;
  // A long number: `text` its first digits (after any "-"), `tail` its last
  // ones, `hidden` how many stand between them.
  std::string tail = {};
  std::int64_t hidden = 0;
  // A long decimal: its parts in `decimal` hold only their ends.
  LeftOut leftOut = {};
};

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
// `number` (1, 2...) names it for a later sentence: ① ② in Japanese, (1) (2)
// in English, after it. `subtracted`: the equation taken from the one above
// in a subtraction written in columns, "−)" before it and a rule under it.
struct Equation {
  std::vector<Formula> sides;
  int group = 0;
  std::vector<std::string> relations = {};
  int number = 0;
  bool subtracted = false;
};

// One row of a long division: `dividend` ÷ `divisor` = `quotient`, remainder
// `remainder`, as numbers (a renderer shows a long one by its ends); `place`
// the digit after the point the quotient is (0: it is the whole part). The
// rows of one division share their divisor (never null): one of millions of
// digits is held once, not in each of up to exact::kMaxDivisionSteps rows.
struct DivisionRow {
  mpz_class dividend;
  std::shared_ptr<const mpz_class> divisor;
  mpz_class quotient;
  mpz_class remainder;
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
  // Whether MathML writes a period in parentheses as characters, as the
  // answer does, rather than marking it with `mark` (parentheses chosen).
  bool parenthesesWritten = false;
  bool operator==(const Style&) const = default;
};

}  // namespace quotalis::explain
