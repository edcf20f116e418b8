// The user's text as it may appear in a message.
#pragma once

#include <string>
#include <string_view>

namespace quotalis::cli {

// `text` in single quotes, cut after 24 characters ("..." then marks the cut).
// Printable characters, full-width and combining ones included, stand as they
// are; a byte that is not well-formed UTF-8 or a character that could drive
// the terminal (see IsUnsafeToShow) is written as \xNN for each of its bytes.
//   "1.2.3" -> "'1.2.3'"   "\x1b[2J" -> "'\x1B[2J'"   "" -> "''"   "０．５" -> "'０．５'"
std::string Quote(std::string_view text);

// How many characters (code points; a malformed byte counts as one) `text` holds.
std::size_t CharacterCount(std::string_view text);

}  // namespace quotalis::cli
