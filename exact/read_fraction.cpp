#include "readers.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "characters.h"
#include "cursor.h"

namespace quotalis::exact::parse {

Result<Reading> ReadFraction(Cursor& c, bool negative, char sign) {
  // "÷" divides two whole numbers: it takes no whole part before them.
  // The terms of a fraction are whole numbers in base 10 whatever the base of
  // the decimals read.
  c.base = 10;
  const bool divide = sign == kDivide;
  FractionText f;
  f.negative = negative;
  const auto skipBlanks = [&] {
    const std::size_t from = c.i;
    while (c.Peek() == ' ') ++c.i;
    return c.i > from;
  };
  const auto refusePoint = [&]() -> std::optional<Problem> {
    if (c.Peek() != '.') return std::nullopt;
    return ProblemAt(c.i, divide ? N_("a point at character {1}: only whole numbers can stand on "
                                      "either side of \u00F7")
                                 : N_("a point at character {1}: the terms of a fraction are "
                                      "whole numbers"));
  };
  std::string first = TakeDigits(c);
  if (auto problem = refusePoint()) return *problem;
  const std::size_t afterFirst = c.i;
  const bool blank = skipBlanks();
  if (c.Peek() != sign) {
    if (divide || first.empty() || !blank || !c.IsDigit(c.Peek())) {
      if (first.empty()) c.i = afterFirst;
      return Unexpected(c);
    }
    f.whole = std::move(first);
    first = TakeDigits(c);
    if (auto problem = refusePoint()) return *problem;
    skipBlanks();
    if (c.Peek() != sign) return Unexpected(c);
  }
  const std::size_t slash = c.i;
  if (first.empty()) {
    return ProblemAt(slash, divide ? N_("the \u00F7 at character {1} has no number before it")
                                   : N_("the slash at character {1} has no numerator before it"));
  }
  f.numerator = std::move(first);
  ++c.i;
  skipBlanks();
  const std::size_t denominator = c.i;
  f.denominator = TakeDigits(c);
  if (auto problem = refusePoint()) return *problem;
  if (f.denominator.empty()) {
    if (!c.AtEnd()) return Unexpected(c);
    return ProblemAt(slash, divide ? N_("the \u00F7 at character {1} has no number after it")
                                   : N_("the slash at character {1} has no denominator after it"));
  }
  if (!c.AtEnd()) return Unexpected(c);
  if (f.denominator.find_first_not_of('0') == std::string::npos) {
    return ProblemAt(denominator,
                     divide
                         ? N_("the number after \u00F7 at character {1} is zero: no number can be "
                              "divided by zero")
                         : N_("the denominator at character {1} is zero"),
                     {}, ProblemKind::ZeroDenominator);
  }
  const Notation notation = f.whole.empty() ? Notation::Fraction : Notation::Mixed;
  return Reading{std::move(f), notation};
}

}  // namespace quotalis::exact::parse
