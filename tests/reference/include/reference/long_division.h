// Long division in exact integers, one digit at a time, each remainder kept to
// find where the digits start to repeat: the way from a fraction back to its
// decimal, worked out without the code under test (GMP's integers only add,
// multiply and divide here).
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace quotalis::testing {

// A fraction written out as a decimal.
struct Quotient {
  bool negative = false;
  std::string whole = "0";  // no leading zeros
  std::string fixed;        // the digits after the point before the period
  std::string period;       // empty when the division ends
  bool operator==(const Quotient&) const = default;
};

// numerator/denominator (the denominator not 0, either term of either sign)
// by long division: each remainder is kept until one comes again, and the
// period starts at the digit that remainder gave first. So both parts come
// out the shortest, a period is never nines, and zero has no sign.
//   1/7 -> 0.(142857)   -7/2 -> -3.5   1/6 -> 0.1(6)   0/-5 -> 0   1/-3 -> -0.(3)
Quotient LongDivision(const mpz_class& numerator, const mpz_class& denominator);

// Long-divides numerator/denominator and checks that the quotient is
// `decimal` with its last `period` digits recurring for ever (none recurring:
// the division ends right after the last digit). Empty when it is; otherwise a
// line saying where the two part, for a failure report.
//   ("0.1666", 1, "1", "6") -> ""     ("12.34", 0, "617", "50") -> ""
//   ("0.9", 1, "1", "1") -> ""  (recurring nines: the quotient just below 1)
//   ("0.1666", 1, "1666", "10000") -> a fault: the division ends
// `decimal` is digits with at most one point, no sign and no exponent, and
// 0 <= period <= its digits after the point; the terms are decimal digits of
// any length, the denominator not 0. Anything else is reported as a fault.
// A value with an exponent is checked by moving the exponent onto the
// fraction: 1.5e-3 is 3/2000 when 1.5 is 3000/2000.
std::string RoundTripFault(std::string_view decimal, std::int32_t period,
                           std::string_view numerator, std::string_view denominator);

}  // namespace quotalis::testing
