#include "cursor.h"

#include <utility>

namespace quotalis::exact::parse {

namespace {

std::string CharacterName(char c) {
  switch (c) {
    case ' ': return "blank";
    case kLineBreak: return "line break";
    case kDot: return "dot above (U+0307)";
    case kBar: return "overline (U+0305)";
    case kEllipsis: return "ellipsis";
    case '\'': return "quote";
    default: break;
  }
  if (IsDigitChar(c)) return std::string("digit ") + c;
  return std::string("'") + c + "'";
}

}  // namespace

std::string TakeDigits(Cursor& c) {
  const std::size_t from = c.i;
  while (!c.AtEnd() && IsDigitChar(c.s[c.i])) ++c.i;
  return std::string(c.s.substr(from, c.i - from));
}

Problem Unexpected(const Cursor& c, std::string_view context) {
  std::string message = "unexpected " +
                        (c.AtEllipsis() ? std::string("ellipsis") : CharacterName(c.s[c.i])) +
                        " at " + At(c.i);
  if (!context.empty()) message += " " + std::string(context);
  return ProblemAt(std::move(message), c.i);
}

}  // namespace quotalis::exact::parse
