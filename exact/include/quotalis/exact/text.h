// Small helpers on the text a person types and reads, shared by the readers
// and by any front end that reads its own fields the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quotalis::exact {

// A count in groups of three, as messages write it.
//   10000000 -> "10,000,000"   999 -> "999"   -1234 -> "-1,234"
std::string Grouped(std::int64_t n);

// The ASCII character that `c` is typed for: a full-width form of printable
// ASCII (U+FF01 to U+FF5E, as a Japanese input method types digits, points,
// signs, parentheses and letters), the minus sign U+2212 as '-', and the
// ideographic space U+3000 as ' '; ASCII itself as it is. Nothing for any
// other character.
//   U+FF10 -> '0'   U+FF0E -> '.'   U+2212 -> '-'   'a' -> 'a'   U+00F7 -> nothing
std::optional<char> AsciiForm(char32_t c);

// `utf8` with every character that has an ASCII form (AsciiForm) written in
// it, every other character and every byte that is not well-formed UTF-8 as
// it stands.
//   "１２" -> "12"   "−５" -> "-5"   "５１２Ｍ" -> "512M"   "0.1̇" -> "0.1̇"
std::string AsciiText(std::string_view utf8);

}  // namespace quotalis::exact
