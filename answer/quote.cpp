#include "answer/quote.h"

#include <cstddef>

#include <quotalis/exact/utf8.h>

namespace quotalis::answer {

namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xf];
  }
}

}  // namespace

std::string Shown(std::string_view text) {
  constexpr std::size_t kLongest = 24;
  std::string out;
  std::size_t count = 0;
  while (!text.empty() && count < kLongest) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    const std::size_t length = c ? c->length : 1;
    if (c && !IsUnsafeToShow(c->value)) {
      out.append(text.substr(0, length));
    } else {
      AppendEscaped(out, text.substr(0, length));
    }
    text.remove_prefix(length);
    ++count;
  }
  if (!text.empty()) out += "...";
  return out;
}

bool IsUnsafeToShow(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029 ||
         (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x061C;
}

}  // namespace quotalis::answer
