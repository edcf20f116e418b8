// Integer facts worked out by plain arithmetic, for checking the engine's
// digit texts and factor lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quotalis::testing {

// Whether the text is one or more of the digits 0 to 9 and nothing else.
bool AllDigits(std::string_view text);

// The value of one to 18 digits; nothing for anything else.
//   "007" -> 7   "999999999999999999" -> 999999999999999999   "" -> none   "1e5" -> none
std::optional<std::uint64_t> DigitsValue(std::string_view digits);

// Whether n is a prime, by trial division.   2 -> true   1 -> false   46337 -> true
bool IsPrime(std::int64_t n);

}  // namespace quotalis::testing
