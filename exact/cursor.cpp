#include "cursor.h"

#include <utility>
#include <vector>

namespace quotalis::exact::parse {

namespace {

// The name of a mark or blank, a word for the translators; empty for a
// character that is named as itself.
std::string_view MarkName(char c) {
  switch (c) {
    case ' ': return N_("blank");
    case kLineBreak: return N_("line break");
    case kDot: return N_("dot above (U+0307)");
    case kBar: return N_("overline (U+0305)");
    case kEllipsis: return N_("ellipsis");
    case '\'': return N_("quote");
    case kMiddleDot: return N_("middle dot");
    case kDivide: return N_("\u00F7");
    default: return {};
  }
}

}  // namespace

std::string TakeDigits(Cursor& c) {
  const std::size_t from = c.i;
  while (!c.AtEnd() && c.IsDigit(c.s[c.i])) ++c.i;
  return std::string(c.s.substr(from, c.i - from));
}

Problem Unexpected(const Cursor& c, std::string_view context) {
  const char at = c.s[c.i];
  // One middle dot alone is no ellipsis: perhaps a point written the way
  // vertical Japanese text writes it, perhaps an ellipsis cut short.
  if (at == kMiddleDot && !c.AtEllipsis()) {
    return ProblemAt(c.i, N_("a single middle dot at character {1}: write a point as . and an "
                             "ellipsis as \u30FB\u30FB\u30FB"));
  }
  // A digit of a larger base than the one read.
  if (c.base != 10 && DigitValue(at) < 36) {
    return ProblemAt(c.i, N_("{2} at character {1} is not a digit in base {3}"),
                     {std::string(1, at), std::to_string(c.base)}, ProblemKind::Character);
  }
  const std::string_view mark = c.AtEllipsis() ? N_("ellipsis") : MarkName(at);
  std::string_view format;
  std::vector<std::string> more;
  if (!mark.empty()) {
    format = context.empty() ? N_("unexpected {2} at character {1}")
                             : N_("unexpected {2} at character {1} {3}");
    more.emplace_back(mark);
  } else if (IsDigitChar(at)) {
    format = context.empty() ? N_("unexpected digit {2} at character {1}")
                             : N_("unexpected digit {2} at character {1} {3}");
    more.emplace_back(1, at);
  } else {
    format = context.empty() ? N_("unexpected '{2}' at character {1}")
                             : N_("unexpected '{2}' at character {1} {3}");
    more.emplace_back(1, at);
  }
  if (!context.empty()) more.emplace_back(context);
  return ProblemAt(c.i, format, std::move(more));
}

}  // namespace quotalis::exact::parse
