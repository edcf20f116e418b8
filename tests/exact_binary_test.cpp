// The double and the float stored for a decimal, against the machine's own
// strtod and strtof (correctly rounded on glibc) and against the stored
// value rebuilt from those bits by the test's own arithmetic.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <quotalis/exact/binary.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/read.h>

namespace quotalis::testing {
namespace {

using exact::BinaryClass;
using exact::BinaryFormat;
using exact::Rational;
using exact::StoredBinary;

Rational ValueOf(const std::string& text) {
  auto read = exact::Read(text);
  EXPECT_TRUE(std::holds_alternative<exact::Reading>(read)) << text;
  const auto& d = std::get<exact::Decimal>(std::get<exact::Reading>(read).value);
  return std::get<exact::Schoolbook>(exact::ToFraction(d)).reduced;
}

std::uint64_t DoubleBits(const std::string& text) {
  const double v = std::strtod(text.c_str(), nullptr);
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

std::uint64_t FloatBits(const std::string& text) {
  const float v = std::strtof(text.c_str(), nullptr);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// The value bits stand for, by the test's own arithmetic.
mpq_class FromBits(std::uint64_t bits, int precision, int exponentBits) {
  const int fractionBits = precision - 1;
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << fractionBits) - 1);
  const auto field = static_cast<int>((bits >> fractionBits) & ((1u << exponentBits) - 1));
  const int bias = (1 << (exponentBits - 1)) - 1;
  mpz_class m(std::to_string(fraction));
  int e = 1 - bias - fractionBits;
  if (field != 0) {
    m += mpz_class(1) << static_cast<mp_bitcnt_t>(fractionBits);
    e = field - bias - fractionBits;
  }
  mpq_class v(m);
  if (e >= 0) {
    v *= mpq_class(mpz_class(1) << static_cast<mp_bitcnt_t>(e));
  } else {
    v /= mpq_class(mpz_class(1) << static_cast<mp_bitcnt_t>(-e));
  }
  const bool negative = (bits >> (precision + exponentBits - 1)) != 0;
  return negative ? -v : v;
}

void Check(const std::string& text) {
  const Rational x = ValueOf(text);
  const bool minus = text.front() == '-';
  for (const BinaryFormat f : {BinaryFormat::Binary64, BinaryFormat::Binary32}) {
    const bool wide = f == BinaryFormat::Binary64;
    const StoredBinary s = exact::NearestBinary(x, f, minus);
    const std::uint64_t want = wide ? DoubleBits(text) : FloatBits(text);
    ASSERT_EQ(s.bits, want) << text << (wide ? " double" : " float");
    if (s.kind == BinaryClass::Infinity) continue;
    const mpq_class v = FromBits(want, wide ? 53 : 24, wide ? 11 : 8);
    EXPECT_EQ(s.value.numerator, v.get_num()) << text;
    EXPECT_EQ(s.value.denominator, v.get_den()) << text;
    mpq_class error = v - mpq_class(x.numerator, x.denominator);
    error.canonicalize();
    EXPECT_EQ(s.error.numerator, error.get_num()) << text;
    EXPECT_EQ(s.error.denominator, error.get_den()) << text;
  }
}

TEST(Binary, TheLessonsExample) {
  const StoredBinary s = exact::NearestBinary({1, 10}, BinaryFormat::Binary64);
  EXPECT_EQ(s.value, (Rational{mpz_class("3602879701896397"), mpz_class("36028797018963968")}));
  EXPECT_EQ(s.bits, 0x3FB999999999999AULL);
  EXPECT_EQ(s.error, (Rational{1, mpz_class("180143985094819840")}));
  EXPECT_EQ(s.kind, BinaryClass::Normal);
  EXPECT_EQ(s.exponent, -4);
  EXPECT_EQ(s.exponentField, 1019u);
  EXPECT_EQ(exact::NearestBinary({1, 10}, BinaryFormat::Binary32).bits, 0x3DCCCCCDULL);
}

TEST(Binary, EdgesAgreeWithTheMachine) {
  for (const char* text : {"0.1",
                           "0.2",
                           "0.3",
                           "1",
                           "-1",
                           "0",
                           "-0",
                           "0.5",
                           "1e23",
                           "9007199254740993",
                           "9007199254740995",
                           "4.9406564584124654e-324",
                           "2.4703282292062327e-324",
                           "2.4703282292062328e-324",
                           "2.2250738585072011e-308",
                           "2.2250738585072014e-308",
                           "1.7976931348623157e308",
                           "1.7976931348623158e308",
                           "1.797693134862315807e308",
                           "1.7976931348623159e308",
                           "1e309",
                           "-1e400",
                           "1e-400",
                           "-1e-400",
                           "3.4028234663852886e38",
                           "3.4028235677973366e38",
                           "3.4028236e38",
                           "1.4e-45",
                           "7e-46",
                           "7.1e-46",
                           "1.17549435e-38",
                           "16777217",
                           "16777219",
                           "0.000000000000000000001"}) {
    Check(text);
  }
  EXPECT_EQ(exact::NearestBinary({0, 1}, BinaryFormat::Binary64, true).bits, 0x8000000000000000ULL);
  EXPECT_EQ(exact::NearestBinary(ValueOf("1e309"), BinaryFormat::Binary64).kind,
            BinaryClass::Infinity);
  EXPECT_EQ(exact::NearestBinary(ValueOf("4.9406564584124654e-324"), BinaryFormat::Binary64).kind,
            BinaryClass::Subnormal);
}

// Seeded decimals of every size, and the halfway points between neighbouring
// doubles and floats written out exactly, where ties go to even.
TEST(Binary, SeededDecimalsAndHalfwayPointsAgreeWithTheMachine) {
  std::mt19937_64 random(754);
  for (int i = 0; i < 3000; ++i) {
    std::string digits = std::to_string(random() % 100000000000000000ULL);
    const int exponent = static_cast<int>(random() % 700) - 350;
    Check((i % 2 ? "-" : "") + digits + "e" + std::to_string(exponent));
  }
  for (int i = 0; i < 500; ++i) {
    const bool wide = i % 2 == 0;
    // A random finite value's bits, and the point halfway to the next one up.
    const std::uint64_t bits = wide ? random() % 0x7FEFFFFFFFFFFFFFULL : random() % 0x7F7FFFFFULL;
    const mpq_class low = FromBits(bits, wide ? 53 : 24, wide ? 11 : 8);
    const mpq_class high = FromBits(bits + 1, wide ? 53 : 24, wide ? 11 : 8);
    mpq_class half = (low + high) / 2;
    half.canonicalize();
    // Written as an exact decimal: the denominator is a power of two.
    const mpz_class den = half.get_den();
    const auto twos = static_cast<long>(mpz_scan1(den.get_mpz_t(), 0));
    mpz_class scaled = half.get_num();
    mpz_class five;
    mpz_ui_pow_ui(five.get_mpz_t(), 5, static_cast<unsigned long>(twos));
    scaled *= five;
    const std::string text = scaled.get_str() + "e-" + std::to_string(twos);
    const StoredBinary s =
        exact::NearestBinary(ValueOf(text), wide ? BinaryFormat::Binary64 : BinaryFormat::Binary32);
    const std::uint64_t want = wide ? DoubleBits(text) : FloatBits(text);
    ASSERT_EQ(s.bits, want) << text;
    // Ties to even: the even one of the two neighbours.
    EXPECT_EQ(s.bits % 2, 0u) << text;
  }
}

}  // namespace
}  // namespace quotalis::testing
