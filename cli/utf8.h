// Walking UTF-8 text one character at a time, for messages and JSON.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quotalis::cli {

struct CodePoint {
  char32_t value = 0;
  std::size_t length = 0;  // bytes, 1 to 4
};

// The character that `text` starts with, when it is well-formed UTF-8 (no
// overlong form, no surrogate, nothing past U+10FFFF); nothing otherwise, and
// for an empty text.
//   "a" -> {'a', 1}   "\u00e9" -> {0xE9, 2}   "\xff" -> nothing   "\xc0\x80" -> nothing
std::optional<CodePoint> FirstCodePoint(std::string_view text);

// Whether showing the character could move the cursor, change the terminal or
// reorder the text around it: C0 and C1 controls, DEL, the line and paragraph
// separators and the bidirectional controls.
bool IsUnsafeToShow(char32_t c);

}  // namespace quotalis::cli
