#include "characters.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

#include <quotalis/exact/text.h>
#include <quotalis/exact/utf8.h>

namespace quotalis::exact::parse {

namespace {

std::string CodePointName(char32_t c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  // At least four hex digits, and no more than the code point needs:
  // U+0041, U+1D7CE, U+10FFFF.
  std::string name = "U+";
  int digits = 4;
  while (digits < 8 && (c >> (4 * digits)) != 0) ++digits;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) name += kHex[(c >> shift) & 0xF];
  return name;
}

std::optional<char> Translate(char32_t c, int base) {
  switch (c) {
    case 0x0307: return kDot;
    case 0x0305:
    case 0x0304: return kBar;
    case 0x2026:
    case 0x22EF: return kEllipsis;
    case 0x30FB:
    case 0xFF65: return kMiddleDot;
    case 0x00F7: return kDivide;
    default: break;
  }
  // Full-width forms, the minus sign and the ideographic space, as a
  // Japanese input method types them, read as their ASCII forms.
  if (c >= 0x80) {
    const std::optional<char> ascii = AsciiForm(c);
    if (!ascii) return std::nullopt;
    c = static_cast<unsigned char>(*ascii);
  }
  if (base > 10 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
    const char lower = static_cast<char>(c | 0x20);
    if (DigitValue(lower) < base || lower == 'e' || lower == 'r') return lower;
    return std::nullopt;
  }
  if (c == '\t' || c == ' ') return ' ';
  if (c == '\r' || c == '\n') return kLineBreak;
  if (c == 'E') return 'e';
  if (c == 'R') return 'r';
  // The ASCII characters some notation uses: digits, point, signs, exponent,
  // the marks around a period, slash.
  constexpr std::string_view kUsed = "0123456789.+-e()[]'r/";
  if (kUsed.find(static_cast<char>(c)) != std::string_view::npos) return static_cast<char>(c);
  return std::nullopt;
}

}  // namespace

std::size_t EllipsisLength(std::string_view s, std::size_t i, std::size_t end) {
  std::size_t at = i;
  while (at < end) {
    std::size_t mark = 0;
    if (s[at] == '.') {
      mark = end - at >= 3 && s.substr(at, 3) == "..." ? 3 : 0;
    } else if (s[at] == kEllipsis) {
      mark = 1;
    } else if (s[at] == kMiddleDot) {
      while (at + mark < end && s[at + mark] == kMiddleDot) ++mark;
      // One middle dot alone may be a point, as vertical Japanese writes it.
      if (mark == 1 && at == i) mark = 0;
    }
    if (mark == 0) break;
    at += mark;
  }
  return at - i;
}

std::string Place(std::size_t index) { return std::to_string(index + 1); }

Problem ProblemAt(std::size_t index, std::string_view format, std::vector<std::string> more,
                  ProblemKind kind) {
  std::vector<std::string> arguments{Place(index)};
  arguments.insert(arguments.end(), std::make_move_iterator(more.begin()),
                   std::make_move_iterator(more.end()));
  return MakeProblem(kind, format, std::move(arguments), static_cast<std::int64_t>(index + 1));
}

Problem SecondPoint(std::size_t index) {
  return ProblemAt(index, N_("a second point at character {1}"));
}

Problem NothingToRead() {
  return MakeProblem(ProblemKind::Empty, N_("there is nothing to read"), {});
}

Problem PointWithoutDigits(std::size_t index) {
  return ProblemAt(index, N_("the point at character {1} has no digits on either side"));
}

// Strict UTF-8 (see FirstCodePoint), each character translated or refused.
Result<std::string> Decode(std::string_view utf8, int base) {
  std::string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::optional<CodePoint> c = FirstCodePoint(utf8);
    if (!c) {
      constexpr char kHex[] = "0123456789ABCDEF";
      const auto lead = static_cast<unsigned char>(utf8[0]);
      const std::string byte = {'\\', 'x', kHex[lead >> 4], kHex[lead & 0xF]};
      return ProblemAt(text.size(), N_("the byte {2} at character {1} is not valid UTF-8"), {byte},
                       ProblemKind::Encoding);
    }
    const std::optional<char> ascii = Translate(c->value, base);
    if (!ascii) {
      // Printable ASCII is named as itself, anything else by its code.
      const char32_t v = c->value;
      if (base > 10 && ((v >= 'a' && v <= 'z') || (v >= 'A' && v <= 'Z'))) {
        return ProblemAt(text.size(), N_("{2} at character {1} is not a digit in base {3}"),
                         {std::string(1, static_cast<char>(v)), std::to_string(base)},
                         ProblemKind::Character);
      }
      if (v > 0x20 && v < 0x7F) {
        return ProblemAt(text.size(), N_("unexpected '{2}' at character {1}"),
                         {std::string(1, static_cast<char>(v))}, ProblemKind::Character);
      }
      return ProblemAt(text.size(), N_("unexpected character {2} at character {1}"),
                       {CodePointName(v)}, ProblemKind::Character);
    }
    text += *ascii;
    utf8.remove_prefix(c->length);
  }
  return text;
}

}  // namespace quotalis::exact::parse
