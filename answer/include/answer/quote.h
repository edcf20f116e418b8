// The user's text as it may appear in a message or in JSON.
#pragma once

#include <string>
#include <string_view>

namespace quotalis::answer {

// `text` as a message may show it (the message puts the quotes around it),
// cut after 24 characters ("..." then marks the cut). Printable characters,
// full-width and combining ones included, stand as they are; a byte that is
// not well-formed UTF-8 or a character that could drive the terminal (see
// IsUnsafeToShow) is written as \xNN for each of its bytes.
//   "1.2.3" -> "1.2.3"   "\x1b[2J" -> "\x1B[2J"   "" -> ""   "０．５" -> "０．５"
std::string Shown(std::string_view text);

// Whether showing the character could move the cursor, change the terminal or
// reorder the text around it: C0 and C1 controls, DEL, the line and paragraph
// separators and the bidirectional controls.
bool IsUnsafeToShow(char32_t c);

}  // namespace quotalis::answer
