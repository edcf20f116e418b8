// Strict UTF-8, one character at a time: what the readers decode a text with,
// and what a front end walks the user's text with to show it in a message.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quotalis::exact {

struct CodePoint {
  char32_t value = 0;
  std::size_t length = 0;  // bytes, 1 to 4
};

// The character that `text` starts with, when it is well-formed UTF-8 (no
// overlong form, no surrogate, nothing past U+10FFFF); nothing otherwise, and
// for an empty text.
//   "a" -> {'a', 1}   "\u00e9" -> {0xE9, 2}   "\xff" -> nothing   "\xc0\x80" -> nothing
std::optional<CodePoint> FirstCodePoint(std::string_view text);

}  // namespace quotalis::exact
