#include <quotalis/exact/binary.h>

#include <cstdint>

#include "numbers.h"

namespace quotalis::exact {

namespace {

struct Layout {
  int precision;  // significand bits with the hidden one: 53, 24
  int exponentBits;
  int minExponent;  // of a normal number: -1022, -126
  int maxExponent;  // 1023, 127
};

Layout LayoutOf(BinaryFormat f) {
  return f == BinaryFormat::Binary64 ? Layout{53, 11, -1022, 1023} : Layout{24, 8, -126, 127};
}

// a * 2^k for any k, exact.
Rational TimesPowerOfTwo(const mpz_class& a, std::int64_t k) {
  Rational r;
  if (k >= 0) {
    mpz_mul_2exp(r.numerator.get_mpz_t(), a.get_mpz_t(), static_cast<mp_bitcnt_t>(k));
  } else {
    r.numerator = a;
    mpz_mul_2exp(r.denominator.get_mpz_t(), r.denominator.get_mpz_t(),
                 static_cast<mp_bitcnt_t>(-k));
  }
  return Reduced(r);
}

}  // namespace

std::string_view BinaryClassName(BinaryClass c) {
  switch (c) {
    case BinaryClass::Zero: return "zero";
    case BinaryClass::Subnormal: return "subnormal";
    case BinaryClass::Normal: return "normal";
    case BinaryClass::Infinity: return "infinity";
  }
  return "zero";
}

StoredBinary NearestBinary(const Rational& x, BinaryFormat format, bool negative) {
  const Layout l = LayoutOf(format);
  const Rational r = Reduced(x);
  StoredBinary s;
  s.negative = r.numerator < 0 || (r.numerator == 0 && negative);
  const int signBit = format == BinaryFormat::Binary64 ? 63 : 31;
  const std::uint64_t sign = s.negative ? std::uint64_t{1} << signBit : 0;
  const mpz_class n = abs(r.numerator);
  const mpz_class& d = r.denominator;
  if (n == 0) {
    s.bits = sign;
    return s;
  }
  // e with 2^e <= n/d < 2^(e+1): the bit lengths give it within one.
  std::int64_t e = static_cast<std::int64_t>(mpz_sizeinbase(n.get_mpz_t(), 2)) -
                   static_cast<std::int64_t>(mpz_sizeinbase(d.get_mpz_t(), 2));
  {
    mpz_class a = n, b = d;
    if (e >= 0) {
      mpz_mul_2exp(b.get_mpz_t(), b.get_mpz_t(), static_cast<mp_bitcnt_t>(e));
    } else {
      mpz_mul_2exp(a.get_mpz_t(), a.get_mpz_t(), static_cast<mp_bitcnt_t>(-e));
    }
    if (a < b) --e;
  }
  const std::uint32_t allOnes = (std::uint32_t{1} << l.exponentBits) - 1;
  const auto infinity = [&] {
    s.kind = BinaryClass::Infinity;
    s.value = Rational{};
    s.error = Rational{};
    s.exponentField = allOnes;
    s.significandField = 0;
    s.exponent = 0;
    s.bits = sign | (static_cast<std::uint64_t>(allOnes) << (l.precision - 1));
    return s;
  };
  if (e > l.maxExponent) return infinity();
  if (e < l.minExponent) e = l.minExponent;  // the subnormals' fixed scale
  // m = n/d 2^(p - 1 - e) rounded to nearest, ties to even.
  const std::int64_t shift = l.precision - 1 - e;
  mpz_class a = n, b = d;
  if (shift >= 0) {
    mpz_mul_2exp(a.get_mpz_t(), a.get_mpz_t(), static_cast<mp_bitcnt_t>(shift));
  } else {
    mpz_mul_2exp(b.get_mpz_t(), b.get_mpz_t(), static_cast<mp_bitcnt_t>(-shift));
  }
  mpz_class m, rest;
  mpz_tdiv_qr(m.get_mpz_t(), rest.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
  rest *= 2;
  if (rest > b || (rest == b && mpz_odd_p(m.get_mpz_t()))) ++m;
  mpz_class top;
  mpz_ui_pow_ui(top.get_mpz_t(), 2, static_cast<unsigned long>(l.precision));
  if (m == top) {
    // Rounded up to the next power of two.
    m /= 2;
    ++e;
    if (e > l.maxExponent) return infinity();
  }
  const mpz_class hidden = top / 2;
  Rational stored = TimesPowerOfTwo(m, e - (l.precision - 1));
  if (m == 0) {
    s.kind = BinaryClass::Zero;
    s.bits = sign;
  } else if (m < hidden) {
    s.kind = BinaryClass::Subnormal;
    s.exponent = static_cast<std::int32_t>(e);
    s.significandField = ToWord(m);
    s.bits = sign | s.significandField;
  } else {
    s.kind = BinaryClass::Normal;
    s.exponent = static_cast<std::int32_t>(e);
    s.exponentField = static_cast<std::uint32_t>(e + l.maxExponent);
    s.significandField = ToWord(m - hidden);
    s.bits = sign | (static_cast<std::uint64_t>(s.exponentField) << (l.precision - 1)) |
             s.significandField;
  }
  if (s.negative) stored.numerator = -stored.numerator;
  s.value = stored;
  Rational error;
  error.numerator = stored.numerator * r.denominator - r.numerator * stored.denominator;
  error.denominator = stored.denominator * r.denominator;
  s.error = Reduced(error);
  return s;
}

}  // namespace quotalis::exact
