// The way back from a fraction to its decimal: long division, in exact
// integers, of the reduced fraction, checked digit by digit against the entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quotalis::testing {

// Long-divides numerator/denominator and checks that the quotient is
// `decimal` with its last `period` digits recurring for ever (none recurring:
// the division ends right after the last digit). Empty when it is; otherwise a
// line saying where the two part, for a failure report.
//   ("0.1666", 1, "1", "6") -> ""     ("12.34", 0, "617", "50") -> ""
//   ("0.9", 1, "1", "1") -> ""  (recurring nines: the quotient just below 1)
//   ("0.1666", 1, "1666", "10000") -> a fault: the division ends
// `decimal` is digits with at most one point, no sign and no exponent, and
// 0 <= period <= its digits after the point; the terms are decimal digits, the
// denominator not 0 and below 10^18. Anything else is reported as a fault.
std::string RoundTripFault(std::string_view decimal, std::int32_t period,
                           std::string_view numerator, std::string_view denominator);

}  // namespace quotalis::testing
