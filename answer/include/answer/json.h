// Text as JSON strings, escaped so that any input makes valid JSON and
// nothing that could drive a terminal.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace quotalis::answer {

// `text` as a JSON string, quotes included: '"' and '\' escaped, control
// characters and the others that could drive a terminal (see IsUnsafeToShow)
// as \uXXXX, and each byte that is not
// well-formed UTF-8 as \uFFFD (the replacement character), so that the line
// is valid JSON whatever the input held.
//   "a\"b" -> "\"a\\\"b\""   "\x01" -> "\"\\u0001\""   "\xff" -> "\"\\ufffd\""
std::string JsonString(std::string_view text);

// The same, written to `out` as it goes, in blocks: a long text is not copied.
void WriteJsonString(std::ostream& out, std::string_view text);

}  // namespace quotalis::answer
