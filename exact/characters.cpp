#include "exact/characters.h"

#include <cstdint>
#include <optional>
#include <utility>

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
  if (c > 0x20 && c < 0x7F) return static_cast<char>(c);
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

Problem ProblemAt(std::string message, std::size_t index) {
  return Problem{std::move(message), static_cast<std::int64_t>(index + 1)};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
Result<std::string> Decode(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    char32_t c = lead;
    char32_t least = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, c = lead & 0x07, least = 0x10000;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0x80) {
      length = 0;
    }
    bool valid = length > 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    valid = valid && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      constexpr char kHex[] = "0123456789ABCDEF";
      const std::string byte = {'\\', 'x', kHex[lead >> 4], kHex[lead & 0xF]};
      return ProblemAt("the byte " + byte + " at " + At(text.size()) + " is not valid UTF-8",
                       text.size());
    }
    const std::optional<char> ascii = Translate(c);
    if (!ascii) {
      return ProblemAt("unexpected character " + CodePointName(c) + " at " + At(text.size()),
                       text.size());
    }
    text += *ascii;
    i += length;
  }
  return text;
}

}  // namespace quotalis::exact::parse
