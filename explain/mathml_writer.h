// Internal to the explain library: MathML's elements, and the pieces of a
// formula written in them, for the blocks of render_mathml.cpp and the long
// division drawn by hand (hand_division.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

// `text` with XML's special characters as entities, a line break as &#10;.
std::string Escaped(std::string_view text);

std::string Element(std::string_view name, std::string_view content,
                    std::string_view attributes = {});

std::string Mn(std::string_view digits);

// An operator; the hyphen-minus of the steps as the minus sign U+2212.
std::string Mo(std::string_view symbol);

// Words, their blanks at either end kept: MathML trims a token's own.
std::string Mtext(std::string_view text);

// A decimal in two parts, to line up at the point: the sign and integer
// digits, then the point and the rest; `Whole` keeps the digits on both sides
// of the point in one number.
struct DecimalParts {
  std::string sign, integer, point, marks;  // marks: the period's and the exponent
  std::string Integer() const { return sign + Mn(integer); }
  std::string Rest() const { return (point.empty() ? "" : Mn(point)) + marks; }
  std::string Whole() const { return sign + Mn(integer + point) + marks; }
};

// The pieces of formulas in MathML, their periods marked with `mark` or as
// the notation writes them.
class Mathml {
 public:
  // `parenthesesWritten`: parentheses are written as characters too.
  Mathml(exact::Notation notation, PeriodMark mark, const words::Words& words,
         bool parenthesesWritten = false)
      : notation_(notation), mark_(mark), words_(words), parenthesesWritten_(parenthesesWritten) {}

  // A formula as one <mrow>.
  std::string Write(const Formula& f) const;
  std::string Piece(const Math& m) const;

  // The parts of a formula that is one number, for a column aligned at the point.
  std::optional<DecimalParts> Parts(const Formula& f) const;

  // A digit of a period, marked as its period is: `first` and `last` say
  // where it stands.
  std::string PeriodDigit(char digit, bool first, bool last) const;

 private:
  // Whether the notation marks the period with characters of its own.
  bool Textual() const;
  std::string Period(std::string_view p) const;
  DecimalParts Decimal(const exact::Decimal& d) const;
  DecimalParts DecimalOf(const Math& m) const;
  std::string Omitted(std::int64_t hidden) const;
  std::string LongDecimal(const exact::Decimal& d, const LeftOut& out) const;

  exact::Notation notation_;
  PeriodMark mark_;
  const words::Words& words_;
  bool parenthesesWritten_;
};

}  // namespace quotalis::explain
