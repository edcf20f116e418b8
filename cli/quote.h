// The user's text as it may appear in a message.
#pragma once

#include <string>
#include <string_view>

namespace quotalis::cli {

// `text` in single quotes, cut after 24 characters ("..." then marks the cut),
// with control bytes and bytes that are not printable ASCII written as \xNN,
// so that no input can drive the terminal it is shown on.
//   "1.2.3" -> "'1.2.3'"   "\x1b[2J" -> "'\x1B[2J'"   "" -> "''"
std::string Quote(std::string_view text);

}  // namespace quotalis::cli
