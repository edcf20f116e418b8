// The limits of a keypad entry, stated here once.
#pragma once

#include <cstdint>
#include <string_view>

namespace quotalis {

// The most characters a keypad entry holds.
inline constexpr std::int32_t kEntryLongest = 10;

// The one point an entry may hold, which may stand first, last or between digits.
inline constexpr char kEntryPoint = '.';

// Whether `text` is an entry the keypad can build: 1 to kEntryLongest
// characters, each a digit or the point, at most one point.
//   "007" -> true   "." -> true   "1." -> true   "9999999999" -> true
//   "" -> false   "1.2.3" -> false   "-1" -> false   "12345678901" -> false
bool IsKeypadEntry(std::string_view text);

}  // namespace quotalis
