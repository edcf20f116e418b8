// Fraction to decimal: worked values, the period's length, the cut at
// maxDigits, and a seeded sweep checked against long division.
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

#include <quotalis/exact/expansion.h>

#include "exact_notation_rows.h"
#include "named_rows.h"
#include "reference/long_division.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::DecimalExpansion;
using exact::Rational;
using testing::PrintTo;

struct ExpansionRow {
  const char* name;
  const char* numerator;
  const char* denominator;
  Decimal value;
  std::int64_t fixed;
  const char* period;
};

const ExpansionRow kExpansions[] = {
    {"one_seventh", "1", "7", {false, "0", "", "142857"}, 0, "6"},
    {"one_sixth", "1", "6", {false, "0", "1", "6"}, 1, "1"},
    {"twenty_two_sevenths", "22", "7", {false, "3", "", "142857"}, 0, "6"},
    {"negative_half_terminates", "-7", "2", {true, "3", "5", ""}, 1, "0"},
    {"zero_has_no_sign", "0", "-5", {false, "0", "", ""}, 0, "0"},
    {"integer", "12", "4", {false, "3", "", ""}, 0, "0"},
    {"negative_denominator", "1", "-3", {true, "0", "", "3"}, 0, "1"},
    {"unreduced_input", "2", "14", {false, "0", "", "142857"}, 0, "6"},
    {"one_eighty_first", "1", "81", {false, "0", "", "012345679"}, 0, "9"},
    {"fives_longer_than_twos", "1", "375", {false, "0", "002", "6"}, 3, "1"},
    {"five_twelfths", "5", "12", {false, "0", "41", "6"}, 2, "1"},
};

class ExpansionTable : public ::testing::TestWithParam<ExpansionRow> {};

TEST_P(ExpansionTable, GivesTheCanonicalDecimal) {
  const ExpansionRow& row = GetParam();
  const auto result =
      exact::ToDecimal(Rational{mpz_class(row.numerator), mpz_class(row.denominator)}, {});
  ASSERT_TRUE(std::holds_alternative<DecimalExpansion>(result));
  const DecimalExpansion& e = std::get<DecimalExpansion>(result);
  EXPECT_FALSE(e.cut);
  EXPECT_EQ(e.fixedLength, row.fixed);
  ASSERT_TRUE(e.periodLength);
  EXPECT_EQ(e.periodLength->get_str(), row.period);
  EXPECT_EQ(e.value, row.value);
}

INSTANTIATE_TEST_SUITE_P(Worked, ExpansionTable, ::testing::ValuesIn(kExpansions), RowName());

struct PeriodRow {
  const char* name;
  const char* denominator;
  const char* length;  // empty: longer than the limit and uncounted
};

const PeriodRow kPeriods[] = {
    {"seven", "7", "6"},
    {"terminating", "1280", "0"},
    {"three_squared_lifts_once", "81", "9"},
    {"three_to_the_50", "717897987691852588770249", "79766443076872509863361"},  // 3^48
    {"prime_of_the_benchmark", "9999943", "9999942"},
    {"near_10_to_18", "999999999999999989", "999999999999999988"},
    {"wieferich_like_487_squared", "237169", "486"},  // 10^486 = 1 mod 487^2 too
    {"zero_has_none", "0", ""},
    {"two_large_primes_past_the_limit",  // (2^127 - 1)(2^521 - 1): 648 bits, no small factor
     "116798479811128197597213993105927457916580170019550073251329138378313304958815197564537037"
     "428785261488414688806744251221941374876801065757257538498645740597398524746517604195167695"
     "4461208131403777",
     ""},
};

class PeriodTable : public ::testing::TestWithParam<PeriodRow> {};

TEST_P(PeriodTable, IsTheOrderOfTen) {
  const PeriodRow& row = GetParam();
  const std::optional<mpz_class> length = exact::PeriodLength(mpz_class(row.denominator));
  if (std::string_view(row.length).empty()) {
    EXPECT_FALSE(length);
  } else {
    ASSERT_TRUE(length);
    EXPECT_EQ(length->get_str(), row.length);
  }
}

INSTANTIATE_TEST_SUITE_P(Worked, PeriodTable, ::testing::ValuesIn(kPeriods), RowName());

TEST(Expansion, LongPeriodIsCutAndItsLengthStillGiven) {
  const auto e = std::get<DecimalExpansion>(exact::ToDecimal(Rational{1, 7}, 4));
  EXPECT_TRUE(e.cut);
  EXPECT_EQ(e.value.period, "1428");
  EXPECT_EQ(e.periodLength->get_str(), "6");
  const auto whole = std::get<DecimalExpansion>(exact::ToDecimal(Rational{1, 7}, 6));
  EXPECT_FALSE(whole.cut);
  // A non-recurring part past the limit is cut too, and the period not reached.
  const auto fixed = std::get<DecimalExpansion>(exact::ToDecimal(Rational{1, 3 * 1024}, 5));
  EXPECT_TRUE(fixed.cut);
  EXPECT_EQ(fixed.fixedLength, 10);
  EXPECT_EQ(fixed.value.fixed, "00032");  // 1/3072 = 0.0003255208(3)
  EXPECT_EQ(fixed.value.period, "");
}

TEST(Expansion, PeriodPastTheLimitStillGivesDigits) {
  const mpz_class hard(kPeriods[8].denominator);
  const auto e = std::get<DecimalExpansion>(exact::ToDecimal(Rational{mpz_class(1), hard}, 30));
  EXPECT_TRUE(e.cut);
  EXPECT_FALSE(e.periodLength);
  EXPECT_TRUE(e.PeriodBeyondLimit());
  EXPECT_EQ(e.value.period, std::string(30, '0'));  // 1/10^195..., first 30 digits zero
}

TEST(Expansion, RefusesZeroDenominatorAndNegativeLimit) {
  EXPECT_TRUE(std::holds_alternative<exact::Problem>(exact::ToDecimal(Rational{1, 0}, {})));
  EXPECT_TRUE(std::holds_alternative<exact::Problem>(exact::ToDecimal(Rational{1, 3}, -1)));
}

// Seeded fractions of many sizes, each against long division; denominators
// both below and above 2^64 (the word and the big-number digit paths).
TEST(Expansion, AgreesWithLongDivision) {
  std::mt19937_64 rng(20261209);
  for (int i = 0; i < 1200; ++i) {
    const int shape = i % 4;
    mpz_class d = static_cast<unsigned long>(rng() % 10000 + 1);
    if (shape == 1) d <<= rng() % 12;                                            // twos
    if (shape == 2) d = d * 390625 * static_cast<unsigned long>(rng() % 7 + 1);  // fives
    if (shape == 3) {  // above 2^64, with a short period: the repunit prime R19 times a small one
      constexpr unsigned long kShort[] = {3,   7,   11,  13,  37,   41,   73,
                                          101, 137, 239, 271, 4649, 9091, 9901};
      d = mpz_class("1111111111111111111") * kShort[rng() % 14] * (1ul << (rng() % 5));
    }
    // Through text: gmpxx takes long, which has 32 bits on some platforms.
    const mpz_class n =
        mpz_class(std::to_string(rng() % 1000000000000)) - mpz_class("500000000000");
    const Quotient want = LongDivision(n, d);
    const auto e = std::get<DecimalExpansion>(exact::ToDecimal(Rational{n, d}, std::nullopt));
    ASSERT_EQ(e.value, (Decimal{want.negative, want.whole, want.fixed, want.period, 0}))
        << n.get_str() << "/" << d.get_str();
    ASSERT_EQ(e.periodLength->get_ui(), want.period.size());
  }
}

}  // namespace
}  // namespace quotalis::testing
