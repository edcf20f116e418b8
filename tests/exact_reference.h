// Independent references for the exact library's tests: long division in
// 128-bit integers, one digit at a time, the period found by waiting for a
// remainder to come again. Nothing here calls the library.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include <quotalis/exact/decimal.h>

namespace quotalis::exact {

// Failure messages show a decimal as 1.2(3)e-5.
inline void PrintTo(const Decimal& d, std::ostream* os) {
  *os << (d.negative ? "-" : "") << d.integer << "." << d.fixed << "(" << d.period << ")e"
      << d.exponent;
}

}  // namespace quotalis::exact

namespace quotalis::testing {

__extension__ typedef __int128 Int128;

// |n| / d (d > 0) written out by long division: the whole part, the digits
// before the first remainder that comes again, then those up to it.
inline exact::Decimal LongDivision(Int128 n, Int128 d) {
  exact::Decimal out;
  out.negative = n < 0;
  if (n < 0) n = -n;
  Int128 whole = n / d;
  Int128 r = n % d;
  do {
    out.integer.insert(out.integer.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
    whole /= 10;
  } while (whole > 0);
  std::map<Int128, std::size_t> seen;  // remainder -> digits written before it
  std::string digits;
  while (r != 0 && !seen.contains(r)) {
    seen[r] = digits.size();
    r *= 10;
    digits += static_cast<char>('0' + static_cast<int>(r / d));
    r %= d;
  }
  const std::size_t start = r == 0 ? digits.size() : seen[r];
  out.fixed = digits.substr(0, start);
  out.period = digits.substr(start);
  if (out.integer == "0" && out.fixed.empty() && out.period.empty()) out.negative = false;
  return out;
}

// The integer a string of digits with an optional "-" writes.
inline Int128 FromDigits(const std::string& s) {
  Int128 v = 0;
  for (const char c : s) {
    if (c != '-') v = v * 10 + (c - '0');
  }
  return !s.empty() && s[0] == '-' ? -v : v;
}

// The value of a decimal written out with its exponent applied, as long
// division of a reduced fraction writes it but with the period unrolled: the
// first `count` digits after the point, and the whole part.
inline std::string Stream(const exact::Decimal& d, std::size_t count) {
  std::string after = d.fixed;
  while (after.size() < count + 40) after += d.period.empty() ? std::string("0") : d.period;
  std::string all = (d.integer.empty() ? "0" : d.integer) + after;
  const std::int64_t point =
      static_cast<std::int64_t>(d.integer.empty() ? 1 : d.integer.size()) + d.exponent;
  if (point <= 0) all.insert(0, static_cast<std::size_t>(1 - point), '0');
  const std::size_t p = static_cast<std::size_t>(std::max<std::int64_t>(point, 1));
  std::string whole = all.substr(0, p);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  return whole + "." + all.substr(p, count);
}

inline std::string ToString(Int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  if (negative) v = -v;
  std::string s;
  for (; v > 0; v /= 10) s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
  return negative ? "-" + s : s;
}

}  // namespace quotalis::testing
