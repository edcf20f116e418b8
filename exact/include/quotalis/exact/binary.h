// The IEEE 754 binary number a computer stores for a value: the binary64
// (double) or binary32 (float) nearest to it, rounded to nearest with ties to
// even, found exactly with GMP, never by the machine's own conversion.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>

namespace quotalis::exact {

enum class BinaryFormat {
  Binary64,  // double: 1 sign bit, 11 exponent bits, 52 significand bits
  Binary32,  // float: 1 sign bit, 8 exponent bits, 23 significand bits
};

// What the number stored is.
enum class BinaryClass { Zero, Subnormal, Normal, Infinity };

// "zero", "subnormal", "normal", "infinity".
std::string_view BinaryClassName(BinaryClass c);

struct StoredBinary {
  BinaryClass kind = BinaryClass::Zero;
  bool negative = false;
  // The exact value stored, in lowest terms (0/1 for both zeros; 0/1 too for
  // an infinity, which has no value).
  Rational value;
  // value - the entry's value, in lowest terms (0/1 for an infinity, where
  // no error is counted).
  Rational error;
  // The fields as stored: the biased exponent (0 for zeros and subnormals,
  // all ones for infinities) and the significand without its hidden bit.
  std::uint32_t exponentField = 0;
  std::uint64_t significandField = 0;
  // The unbiased exponent e of the value, 1.f x 2^e (for subnormals, the
  // least exponent: 0.f x 2^-1022, 2^-126); 0 for zeros and infinities.
  std::int32_t exponent = 0;
  // The whole number as stored: sign, exponent and significand, the sign in
  // bit 63 (binary64) or 31 (binary32).
  std::uint64_t bits = 0;
};

// The binary64 or binary32 nearest to `x`, ties to even; past the largest
// finite number by half its last place or more, an infinity. `negative`
// gives the sign of a zero entry ("-0" keeps its sign); any other entry's
// sign is its own.
//   0.1, Binary64 -> 3602879701896397/36028797018963968, bits 0x3FB999999999999A,
//                    error 1/180143985094819840
//   0.1, Binary32 -> 13421773/134217728, bits 0x3DCCCCCD
//   2^-1074 -> the least subnormal, bits 0x1      2^-1075 -> 0 (a tie: to even)
//   (2 - 2^-52) 2^1023 -> the largest finite, bits 0x7FEFFFFFFFFFFFFF
//   2^1024 - 2^970 -> infinity (the halfway point rounds to even, past the top)
// Precondition: a non-zero denominator. Cost: a few shifts and one division
// of numbers as long as the entry's terms.
StoredBinary NearestBinary(const Rational& x, BinaryFormat format, bool negative = false);

}  // namespace quotalis::exact
