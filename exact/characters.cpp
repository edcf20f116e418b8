#include "characters.h"

#include <cstdint>
#include <optional>
#include <utility>

#include <quotalis/exact/utf8.h>

namespace quotalis::exact::parse {

namespace {

std::string CodePointName(char32_t c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string name = "U+";
  const int digits = c > 0xFFFF ? 6 : 4;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) name += kHex[(c >> shift) & 0xF];
  return name;
}

std::optional<char> Translate(char32_t c) {
  if (c == '\t' || c == ' ') return ' ';
  if (c == '\r' || c == '\n') return kLineBreak;
  if (c == 'E') return 'e';
  if (c == 'R') return 'r';
  // The ASCII characters some notation uses: digits, point, signs, exponent,
  // the marks around a period, slash.
  constexpr std::string_view kUsed = "0123456789.+-e()[]'r/";
  if (c < 0x7F && kUsed.find(static_cast<char>(c)) != std::string_view::npos) {
    return static_cast<char>(c);
  }
  switch (c) {
    case 0x0307: return kDot;
    case 0x0305:
    case 0x0304: return kBar;
    case 0x2026: return kEllipsis;
    case 0x2212: return '-';
    case 0x3000: return ' ';
    default: break;
  }
  // Full-width forms of ASCII, as a Japanese input method types them.
  if (c >= 0xFF01 && c <= 0xFF5E) {
    const char ascii = static_cast<char>(c - 0xFF01 + 0x21);
    if ((ascii >= '0' && ascii <= '9') || ascii == '.' || ascii == '(' || ascii == ')' ||
        ascii == '[' || ascii == ']' || ascii == '\'' || ascii == '+' || ascii == '-' ||
        ascii == '/' || ascii == 'e' || ascii == 'E' || ascii == 'r' || ascii == 'R') {
      return *Translate(static_cast<char32_t>(ascii));
    }
  }
  return std::nullopt;
}

}  // namespace

std::string At(std::size_t index) { return "character " + std::to_string(index + 1); }

Problem ProblemAt(std::string message, std::size_t index, ProblemKind kind) {
  return Problem{kind, std::move(message), static_cast<std::int64_t>(index + 1)};
}

Problem SecondPoint(std::size_t index) {
  return ProblemAt("a second point at " + At(index), index);
}

Problem PointWithoutDigits(std::size_t index) {
  return ProblemAt("the point at " + At(index) + " has no digits on either side", index);
}

// Strict UTF-8 (see FirstCodePoint), each character translated or refused.
Result<std::string> Decode(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::optional<CodePoint> c = FirstCodePoint(utf8);
    if (!c) {
      constexpr char kHex[] = "0123456789ABCDEF";
      const auto lead = static_cast<unsigned char>(utf8[0]);
      const std::string byte = {'\\', 'x', kHex[lead >> 4], kHex[lead & 0xF]};
      return ProblemAt("the byte " + byte + " at " + At(text.size()) + " is not valid UTF-8",
                       text.size(), ProblemKind::Encoding);
    }
    const std::optional<char> ascii = Translate(c->value);
    if (!ascii) {
      // Printable ASCII is named as itself, anything else by its code.
      const char32_t v = c->value;
      const std::string name = v > 0x20 && v < 0x7F
                                   ? "'" + std::string(1, static_cast<char>(v)) + "'"
                                   : "character " + CodePointName(v);
      return ProblemAt("unexpected " + name + " at " + At(text.size()), text.size(),
                       ProblemKind::Character);
    }
    text += *ascii;
    utf8.remove_prefix(c->length);
  }
  return text;
}

}  // namespace quotalis::exact::parse
