#include <quotalis/exact/utf8.h>

namespace quotalis::exact {

std::optional<CodePoint> FirstCodePoint(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return CodePoint{lead, 1};
  std::size_t length = 0;
  char32_t value = 0;
  char32_t least = 0;  // the smallest value this length may hold: shorter forms are overlong
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  return CodePoint{value, length};
}

}  // namespace quotalis::exact
