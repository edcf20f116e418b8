// Shared by the notation tests: readable failure output for the exact
// library's value types, an exact reference value for a decimal, and seeded
// random decimals.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

#include <quotalis/exact/decimal.h>

#include "named_rows.h"

namespace quotalis::exact {

inline void PrintTo(const Decimal& d, std::ostream* os) {
  *os << (d.negative ? "-" : "+") << '[' << d.integer << "].[" << d.fixed << "](" << d.period
      << ")e" << d.exponent;
}

inline void PrintTo(const FractionText& f, std::ostream* os) {
  *os << (f.negative ? "-" : "+") << '[' << f.whole << "] " << f.numerator << '/' << f.denominator;
}

inline void PrintTo(const Problem& p, std::ostream* os) {
  *os << '"' << p.message << "\" at " << p.position;
}

namespace reference {

inline mpz_class PowerOfTen(std::int64_t n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(n));
  return p;
}

// Base 10 stated: GMP's default reads a leading 0 as octal.
inline mpz_class Digits(const std::string& s) {
  return s.empty() ? mpz_class(0) : mpz_class(s, 10);
}

// The value a decimal stands for, by the schoolbook rule and GMP's rationals:
// all digits minus the non-recurring ones, over nines then zeros.
inline mpq_class ValueOf(const Decimal& d) {
  const mpz_class finite = Digits(d.integer + d.fixed);
  const auto after = static_cast<std::int64_t>(d.fixed.size());
  mpq_class v;
  if (d.period.empty()) {
    v = mpq_class(finite, PowerOfTen(after));
  } else {
    const mpz_class all = Digits(d.integer + d.fixed + d.period);
    const auto k = static_cast<std::int64_t>(d.period.size());
    v = mpq_class(all - finite, PowerOfTen(after) * (PowerOfTen(k) - 1));
  }
  v.canonicalize();
  if (d.exponent > 0) v *= PowerOfTen(d.exponent);
  if (d.exponent < 0) v /= PowerOfTen(-d.exponent);
  return d.negative ? mpq_class(-v) : v;
}

inline std::string RandomDigits(std::mt19937_64& random, std::size_t length, int alphabet = 10) {
  std::uniform_int_distribution<int> digit(0, alphabet - 1);
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('0' + digit(random));
  return s;
}

// A decimal of up to `longest` digits in each part, with runs of zeros and
// nines now and then, since those are what the canonical form rewrites.
inline Decimal RandomDecimal(std::mt19937_64& random, std::size_t longest, int exponent_range) {
  std::uniform_int_distribution<std::size_t> length(0, longest);
  std::uniform_int_distribution<int> pick(0, 9);
  const auto part = [&] {
    const int kind = pick(random);
    const std::size_t n = length(random);
    if (kind == 0) return std::string(n, '0');
    if (kind == 1) return std::string(n, '9');
    return RandomDigits(random, n, kind == 2 ? 2 : 10);
  };
  Decimal d;
  d.negative = pick(random) < 3;
  d.integer = part();
  d.fixed = part();
  d.period = pick(random) < 2 ? std::string() : part();
  d.exponent = std::uniform_int_distribution<int>(-exponent_range, exponent_range)(random);
  return d;
}

}  // namespace reference
}  // namespace quotalis::exact
