// The window's conversion of a keypad entry checked against the exact
// library's (exact/keypad.h and exact/fraction.h): a different algorithm on
// a different footing, GMP on the digits as text, where the window's engine
// works in doubles and 32-bit trial division.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace quotalis::testing {

// Empty when `window`, the engine's conversion of (entry, k), is what the
// exact library makes of them; otherwise a line saying what differs, for a
// failure report. The two must agree on the outcome (an entry without a digit
// is refused, one of zeros is zero and both are left as typed), the entry as
// written back, the period once clamped into its digits after the point, and
// the fraction before and after the reduction.
std::string KeypadDisagreement(std::string_view entry, std::int64_t k, const Conversion& window);

}  // namespace quotalis::testing
