#include <quotalis/exact/text.h>

#include <cstddef>

#include <quotalis/exact/utf8.h>

namespace quotalis::exact {

std::string Grouped(std::int64_t n) {
  std::string digits = std::to_string(n);
  const std::ptrdiff_t sign = n < 0 ? 1 : 0;
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > sign; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

std::optional<char> AsciiForm(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFF01 + 0x21);
  if (c == 0x2212) return '-';
  if (c == 0x3000) return ' ';
  return std::nullopt;
}

std::string AsciiText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::optional<CodePoint> c = FirstCodePoint(utf8);
    const std::size_t length = c ? c->length : 1;
    const std::optional<char> ascii = c ? AsciiForm(c->value) : std::nullopt;
    if (ascii) {
      out += *ascii;
    } else {
      out.append(utf8.substr(0, length));
    }
    utf8.remove_prefix(length);
  }
  return out;
}

}  // namespace quotalis::exact
