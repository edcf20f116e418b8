// Decimal to fraction and fractions as written: worked values, the schoolbook
// terms, the limit, and seeded round trips through long division.
#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <random>

#include "exact/expansion.h"
#include "exact/fraction.h"
#include "exact_reference.h"
#include "named_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::FractionText;
using exact::Problem;
using exact::Rational;
using exact::Schoolbook;
using testing::PrintTo;

struct SchoolbookRow {
  const char* name;
  Decimal decimal;
  const char* numerator;  // unreduced, then reduced
  const char* denominator;
  const char* reducedNumerator;
  const char* reducedDenominator;
};

const SchoolbookRow kSchoolbook[] = {
    {"one_sixth", {false, "0", "1", "6", 0}, "15", "90", "1", "6"},
    {"terminating", {false, "12", "34", "", 0}, "1234", "100", "617", "50"},
    {"negative_with_exponent", {true, "1", "2", "3", -5}, "-111", "9000000", "-37", "3000000"},
    {"nines_are_one", {false, "0", "", "9", 0}, "9", "9", "1", "1"},
    {"nines_after_a_digit", {false, "0", "4", "9", 0}, "45", "90", "1", "2"},
    {"positive_exponent", {false, "2", "5", "", 2}, "2500", "10", "250", "1"},
    {"exponent_past_the_fixed_digits", {false, "0", "", "3", 3}, "3000", "9", "1000", "3"},
    {"no_integer_digits", {false, "", "5", "", 0}, "5", "10", "1", "2"},
    {"empty_is_zero", {false, "", "", "", 0}, "0", "1", "0", "1"},
    {"negative_zero", {true, "0", "00", "0", -3}, "0", "900000", "0", "1"},
    {"seventh", {false, "0", "", "142857", 0}, "142857", "999999", "1", "7"},
    {"twos_shared_beyond_the_fives", {false, "0", "0016", "", 0}, "16", "10000", "1", "625"},
    {"fives_shared", {false, "0", "0625", "", 0}, "625", "10000", "1", "16"},
    {"gcd_with_the_nines", {false, "0", "1", "36", 0}, "135", "990", "3", "22"},
};

class SchoolbookTable : public ::testing::TestWithParam<SchoolbookRow> {};

TEST_P(SchoolbookTable, GivesBothFractions) {
  const SchoolbookRow& row = GetParam();
  const auto result = exact::ToFraction(row.decimal);
  ASSERT_TRUE(std::holds_alternative<Schoolbook>(result));
  const Schoolbook& s = std::get<Schoolbook>(result);
  EXPECT_EQ(s.numerator.get_str(), row.numerator);
  EXPECT_EQ(s.denominator.get_str(), row.denominator);
  EXPECT_EQ(s.reduced.numerator.get_str(), row.reducedNumerator);
  EXPECT_EQ(s.reduced.denominator.get_str(), row.reducedDenominator);
}

INSTANTIATE_TEST_SUITE_P(Worked, SchoolbookTable, ::testing::ValuesIn(kSchoolbook), RowName());

struct RefusedRow {
  const char* name;
  Decimal decimal;
};

const RefusedRow kRefused[] = {
    {"exponent_of_a_billion", {false, "1", "", "", 999999999}},
    {"negative_exponent_of_a_billion", {false, "1", "", "", -999999999}},
    {"exponent_at_the_bottom_of_int64",
     {false, "1", "", "", std::numeric_limits<std::int64_t>::min()}},
    {"exponent_at_the_top_of_int64",
     {false, "1", "", "", std::numeric_limits<std::int64_t>::max()}},
    {"one_digit_past_the_limit", {false, "1", "", "", exact::kMaxTermDigits}},
    {"letter_in_the_period", {false, "0", "", "1x", 0}},
};

class RefusedTable : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedTable, IsAProblem) {
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ToFraction(GetParam().decimal)));
}

INSTANTIATE_TEST_SUITE_P(Limits, RefusedTable, ::testing::ValuesIn(kRefused), RowName());

TEST(ToFraction, TheLargestTermIsStillBuilt) {
  // 10^9999999 has exactly kMaxTermDigits digits.
  const auto s = std::get<Schoolbook>(exact::ToFraction({false, "1", "", "", 9999999}));
  EXPECT_EQ(mpz_sizeinbase(s.reduced.numerator.get_mpz_t(), 10), 10'000'000u);
}

struct TextRow {
  const char* name;
  FractionText text;
  const char* numerator;  // "" for a Problem
  const char* denominator;
};

const TextRow kTexts[] = {
    {"negative", {true, "", "3", "4"}, "-3", "4"},
    {"reduced", {false, "", "6", "8"}, "3", "4"},
    {"mixed", {false, "1", "1", "6"}, "7", "6"},
    {"negative_mixed", {true, "1", "1", "6"}, "-7", "6"},
    {"improper_mixed_part", {false, "2", "3", "2"}, "7", "2"},
    {"zero", {true, "", "0", "5"}, "0", "1"},
    {"zero_denominator", {false, "", "1", "0"}, "", ""},
    {"zero_denominator_mixed", {false, "3", "0", "000"}, "", ""},
    {"no_denominator", {false, "", "1", ""}, "", ""},
    {"not_digits", {false, "", "1", "2a"}, "", ""},
};

class TextTable : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextTable, ReadsTheValue) {
  const TextRow& row = GetParam();
  const auto result = exact::FromText(row.text);
  if (std::string_view(row.numerator).empty()) {
    EXPECT_TRUE(std::holds_alternative<Problem>(result));
    return;
  }
  ASSERT_TRUE(std::holds_alternative<Rational>(result));
  EXPECT_EQ(std::get<Rational>(result).numerator.get_str(), row.numerator);
  EXPECT_EQ(std::get<Rational>(result).denominator.get_str(), row.denominator);
}

INSTANTIATE_TEST_SUITE_P(Worked, TextTable, ::testing::ValuesIn(kTexts), RowName());

std::string Digits(std::mt19937_64& rng, std::size_t most) {
  std::string s(rng() % (most + 1), '0');
  for (char& c : s) c = static_cast<char>('0' + rng() % 10);
  return s;
}

// Decimal -> fraction: the reduced fraction is in lowest terms (std::gcd) and
// its long division writes the same digits; fraction -> decimal -> fraction
// gives the fraction back, and the decimal is the long division's.
TEST(RoundTrip, DecimalToFractionAndBack) {
  std::mt19937_64 rng(8);
  for (int i = 0; i < 4000; ++i) {
    Decimal d{rng() % 2 == 0, Digits(rng, 5), Digits(rng, 5), Digits(rng, 5),
              static_cast<std::int64_t>(rng() % 7) - 3};
    const Rational r = std::get<Schoolbook>(exact::ToFraction(d)).reduced;
    const Int128 n = FromDigits(r.numerator.get_str());
    const Int128 den = FromDigits(r.denominator.get_str());
    ASSERT_GT(den, 0);
    // Both terms stay below 10^18 here, within 64 bits.
    ASSERT_EQ(std::gcd(static_cast<std::int64_t>(n < 0 ? -n : n), static_cast<std::int64_t>(den)),
              1);
    const Decimal byHand = LongDivision(n, den);
    // A period of nines writes the next number up: compared through the table.
    if (d.period.find_first_not_of('9') != std::string::npos) {
      ASSERT_EQ(Stream(byHand, 30),
                Stream(Decimal{false, d.integer, d.fixed, d.period, d.exponent}, 30))
          << d.integer << "." << d.fixed << "(" << d.period << ")e" << d.exponent;
    }
    const bool zero = n == 0;
    ASSERT_EQ(byHand.negative, d.negative && !zero);

    const auto e = std::get<exact::Expansion>(exact::ToDecimal(r, std::nullopt));
    ASSERT_EQ(e.value, byHand);
    ASSERT_EQ(std::get<Schoolbook>(exact::ToFraction(e.value)).reduced, r);
  }
}

}  // namespace
}  // namespace quotalis::testing
