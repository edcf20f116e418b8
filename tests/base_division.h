// Long division in any base from 2 to 36, with the remainders remembered:
// the tests' own expansion of a fraction, to check the program's against.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quotalis::testing {

inline constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// n/d (0 <= n, 0 < d < 2^31) in base b by long division: the integer part,
// then digits until a remainder comes again; where it first stood starts
// the period.
struct Expanded {
  std::string integer;
  std::string fixed;
  std::string period;
};

inline Expanded Divide(std::uint64_t n, std::uint64_t d, int b) {
  Expanded e;
  std::uint64_t whole = n / d;
  do {
    e.integer.insert(e.integer.begin(), kDigits[whole % static_cast<std::uint64_t>(b)]);
    whole /= static_cast<std::uint64_t>(b);
  } while (whole > 0);
  std::uint64_t r = n % d;
  std::map<std::uint64_t, std::size_t> seen;
  std::string digits;
  while (r != 0 && !seen.count(r)) {
    seen[r] = digits.size();
    r *= static_cast<std::uint64_t>(b);
    digits += kDigits[r / d];
    r %= d;
  }
  if (r == 0) {
    e.fixed = digits;
  } else {
    e.fixed = digits.substr(0, seen[r]);
    e.period = digits.substr(seen[r]);
  }
  return e;
}

// The expansion in parentheses, as the command line writes it.
inline std::string InParenthesesIn(std::uint64_t n, std::uint64_t d, int b, bool negative = false) {
  const Expanded e = Divide(n, d, b);
  std::string text = (negative && n != 0 ? "-" : "") + e.integer;
  if (!e.fixed.empty() || !e.period.empty()) text += "." + e.fixed;
  return e.period.empty() ? text : text + "(" + e.period + ")";
}

}  // namespace quotalis::testing
