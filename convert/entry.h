// The limits of an entry as the keypad builds it. Every reader of keypad
// entries (the window's keypad, the command line, the fuzz targets and the
// tests) takes them from here.
#pragma once

#include <cstdint>
#include <string_view>

namespace quotalis {

// An entry holds at most this many characters: a press is refused when the
// entry is already this long.
inline constexpr std::int32_t kEntryLongest = 10;

// The one point an entry may hold, which may stand first, last or between digits.
inline constexpr char kEntryPoint = '.';

// Whether `text` is an entry the keypad can build: 1 to kEntryLongest
// characters, each a digit or the point, at most one point.
//   "007" -> true   "." -> true   "1." -> true   "9999999999" -> true
//   "" -> false   "1.2.3" -> false   "-1" -> false   "12345678901" -> false
bool IsKeypadEntry(std::string_view text);

}  // namespace quotalis
