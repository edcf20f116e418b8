#include <quotalis/exact/read.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "characters.h"
#include "cursor.h"
#include "readers.h"

namespace quotalis::exact {

namespace {

using parse::Cursor;
using parse::kBar;
using parse::kDivide;
using parse::kDot;
using parse::kLineBreak;
using parse::ProblemAt;

struct Mark {
  Notation notation;
  std::size_t index;
  std::string_view name;
};

// The first character that marks a notation, and refusal of a second notation.
Result<std::optional<Mark>> DetectNotation(const Cursor& c) {
  std::optional<Mark> found;
  for (std::size_t i = c.i; i < c.end; ++i) {
    std::optional<Mark> mark;
    switch (c.s[i]) {
      case '(':
      case ')': mark = Mark{Notation::Parentheses, i, N_("parenthesis")}; break;
      case '[':
      case ']': mark = Mark{Notation::Brackets, i, N_("bracket")}; break;
      case '\'': mark = Mark{Notation::Quotes, i, N_("quote")}; break;
      case kDot: mark = Mark{Notation::Dots, i, N_("dot")}; break;
      case kBar: mark = Mark{Notation::Overline, i, N_("overline")}; break;
      case 'r':
        if (!c.IsDigit('r')) mark = Mark{Notation::R, i, N_("r")};
        break;
      case '/': mark = Mark{Notation::Fraction, i, N_("slash")}; break;
      case kDivide: mark = Mark{Notation::Fraction, i, N_("\u00F7")}; break;
      default: {
        const std::size_t length = parse::EllipsisLength(c.s, i, c.end);
        if (length > 0) {
          mark = Mark{Notation::Ellipsis, i, N_("ellipsis")};
          i += length - 1;
        }
        break;
      }
    }
    if (!mark) continue;
    if (!found) {
      found = mark;
    } else if (found->notation != mark->notation) {
      return ProblemAt(
          mark->index,
          N_("the {2} at character {1} cannot be used together with the {3} at "
             "character {4}"),
          {std::string(mark->name), std::string(found->name), parse::Place(found->index)});
    }
  }
  return found;
}

Result<Reading> AsReading(Result<Decimal> read, Notation notation) {
  if (auto* problem = std::get_if<Problem>(&read)) return *problem;
  return Reading{std::move(std::get<Decimal>(read)), notation};
}

}  // namespace

namespace parse {

Result<Reading> ReadIn(std::string_view utf8, int base) {
  Result<std::string> decoded = parse::Decode(utf8, base);
  if (auto* problem = std::get_if<Problem>(&decoded)) return *problem;
  const std::string& text = std::get<std::string>(decoded);

  Cursor c{text, 0, text.size(), base};
  const auto blank = [](char ch) { return ch == ' ' || ch == kLineBreak; };
  while (c.i < c.end && blank(text[c.i])) ++c.i;
  while (c.end > c.i && blank(text[c.end - 1])) --c.end;
  if (c.AtEnd()) return parse::NothingToRead();

  bool negative = false;
  if (c.Peek() == '+' || c.Peek() == '-') negative = text[c.i++] == '-';

  Result<std::optional<Mark>> detected = DetectNotation(c);
  if (auto* problem = std::get_if<Problem>(&detected)) return *problem;
  const std::optional<Mark>& mark = std::get<std::optional<Mark>>(detected);
  const Notation notation = mark ? mark->notation : Notation::Plain;

  Result<Reading> reading = Problem{};
  switch (notation) {
    case Notation::Plain: reading = AsReading(parse::ReadPlain(c), notation); break;
    case Notation::Parentheses:
      reading = AsReading(parse::ReadEnclosed(c, parse::kParentheses), notation);
      break;
    case Notation::Brackets:
      reading = AsReading(parse::ReadEnclosed(c, parse::kBrackets), notation);
      break;
    case Notation::Quotes:
      reading = AsReading(parse::ReadEnclosed(c, parse::kQuotes), notation);
      break;
    case Notation::Dots: reading = AsReading(parse::ReadDots(c), notation); break;
    case Notation::Overline: reading = AsReading(parse::ReadOverline(c), notation); break;
    case Notation::R: reading = AsReading(parse::ReadR(c), notation); break;
    case Notation::Ellipsis: reading = AsReading(parse::ReadEllipsis(c), notation); break;
    case Notation::Fraction:
    case Notation::Mixed: reading = parse::ReadFraction(c, negative, text[mark->index]); break;
    // Written only: no mark in a text stands for these.
    case Notation::Latex:
    case Notation::Keypad: break;
  }
  if (auto* r = std::get_if<Reading>(&reading)) {
    if (auto* d = std::get_if<Decimal>(&r->value)) d->negative = negative;
  }
  return reading;
}

}  // namespace parse

Result<Reading> Read(std::string_view utf8) { return parse::ReadIn(utf8, 10); }

}  // namespace quotalis::exact
