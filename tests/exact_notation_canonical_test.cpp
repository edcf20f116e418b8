// The canonical form: rows written out, the limits, and seeded random
// decimals checked against GMP's rationals and the form's own rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/canonical.h>

#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Problem;
using testing::PrintTo;

struct CanonicalRow {
  const char* name;
  Decimal given;
  Decimal canonical;
};

class CanonicalTest : public ::testing::TestWithParam<CanonicalRow> {};

TEST_P(CanonicalTest, ShortestForm) {
  const exact::Result<Decimal> c = exact::Canonical(GetParam().given);
  ASSERT_TRUE(std::holds_alternative<Decimal>(c)) << std::get<Problem>(c).message;
  EXPECT_EQ(std::get<Decimal>(c), GetParam().canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CanonicalTest,
    ::testing::Values(
        CanonicalRow{"nines_are_one", {false, "0", "", "9", 0}, {false, "1", "", "", 0}},
        CanonicalRow{"nines_carry", {false, "0", "4", "9", 0}, {false, "0", "5", "", 0}},
        CanonicalRow{
            "nines_carry_into_integer", {false, "9", "", "99", 0}, {false, "10", "", "", 0}},
        CanonicalRow{
            "nines_carry_through_fixed", {true, "1", "2999", "9", 0}, {true, "1", "3", "", 0}},
        CanonicalRow{"period_halved", {false, "0", "1", "66", 0}, {false, "0", "1", "6", 0}},
        CanonicalRow{"period_absorbs_fixed", {false, "0", "16", "6", 0}, {false, "0", "1", "6", 0}},
        CanonicalRow{
            "period_rotates_back", {false, "0", "1231", "231", 0}, {false, "0", "", "123", 0}},
        CanonicalRow{"period_of_zeros", {false, "1", "50", "00", 0}, {false, "1", "5", "", 0}},
        CanonicalRow{"trailing_zeros", {false, "007", "500", "", 0}, {false, "7", "5", "", 0}},
        CanonicalRow{"negative_zero", {true, "0", "0", "", 0}, {false, "0", "", "", 0}},
        CanonicalRow{
            "zero_any_exponent", {false, "0", "", "0", 999999999999}, {false, "0", "", "", 0}},
        CanonicalRow{"exponent_moves_point_left",
                     {false, "1", "2", "3", -5},
                     {false, "0", "000012", "3", 0}},
        CanonicalRow{
            "exponent_rotates_period", {false, "0", "", "123", 1}, {false, "1", "", "231", 0}},
        CanonicalRow{"exponent_past_several_periods",
                     {false, "0", "5", "12", 6},
                     {false, "512121", "", "21", 0}},
        CanonicalRow{
            "exponent_inside_fixed", {false, "1", "2345", "", 2}, {false, "123", "45", "", 0}},
        CanonicalRow{"zeros_join_period", {false, "0", "0", "01", 1}, {false, "0", "", "01", 0}},
        CanonicalRow{
            "leading_zeros_then_exponent", {false, "000", "0001", "", 4}, {false, "1", "", "", 0}}),
    RowName{});

struct RefusalRow {
  const char* name;
  Decimal given;
  const char* message;
  exact::ProblemKind kind = exact::ProblemKind::TooLarge;
};

class CanonicalRefusalTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(CanonicalRefusalTest, Refused) {
  const exact::Result<Decimal> c = exact::Canonical(GetParam().given);
  ASSERT_TRUE(std::holds_alternative<Problem>(c));
  EXPECT_EQ(std::get<Problem>(c), (Problem{GetParam().kind, GetParam().message, 0}));
}

constexpr const char* kNumerator = "the numerator would have more than 10,000,000 digits";
constexpr const char* kDenominator = "the denominator would have more than 10,000,000 digits";

INSTANTIATE_TEST_SUITE_P(
    Rows, CanonicalRefusalTest,
    ::testing::Values(
        RefusalRow{"huge_exponent", {false, "1", "", "", 999999999}, kNumerator},
        RefusalRow{"largest_exponent", {false, "1", "", "", INT64_MAX}, kNumerator},
        RefusalRow{"smallest_exponent", {false, "0", "5", "", INT64_MIN}, kDenominator},
        RefusalRow{"smallest_exponent_no_integer", {false, "", "99", "", INT64_MIN}, kDenominator},
        // 10^10,000,000 has one digit more than the limit: here only after the carry.
        RefusalRow{"carry_past_the_limit", {false, "0", "", "9", 10'000'000}, kNumerator},
        RefusalRow{"one_past_the_limit", {false, "1", "", "", 10'000'000}, kNumerator},
        // 0.0...0(3), 10,000,000 zeros: the denominator 9 followed by as many
        // zeros has one digit more than the limit (with one zero fewer it is
        // within, and is accepted: see tests/exact_digit_limit_test.cpp).
        RefusalRow{"denominator_one_past", {false, "0", "", "3", -10'000'000}, kDenominator},
        RefusalRow{"not_a_digit",
                   {false, "1x", "", "", 0},
                   "the integer part holds a character that is not a digit",
                   exact::ProblemKind::Argument}),
    RowName{});

TEST(CanonicalLimit, LargestAllowedTermsAreBuilt) {
  // 10^9,999,999 has 10,000,000 digits: exactly at the limit.
  const exact::Result<Decimal> c = exact::Canonical({false, "1", "", "", 9'999'999});
  ASSERT_TRUE(std::holds_alternative<Decimal>(c));
  EXPECT_EQ(std::get<Decimal>(c).integer.size(), 10'000'000u);
  // 0.(3)e-9,999,998: 9,999,998 zeros then the period, 10,000,000 digits below.
  const exact::Result<Decimal> d = exact::Canonical({false, "0", "", "3", -9'999'998});
  ASSERT_TRUE(std::holds_alternative<Decimal>(d));
  EXPECT_EQ(std::get<Decimal>(d).fixed, std::string(9'999'998, '0'));
}

// The rules of the canonical form, checked directly on the digits.
void ExpectCanonicalShape(const Decimal& c) {
  EXPECT_EQ(c.exponent, 0);
  EXPECT_FALSE(c.integer.empty());
  EXPECT_TRUE(c.integer == "0" || c.integer.front() != '0');
  if (c.period.empty()) {
    EXPECT_TRUE(c.fixed.empty() || c.fixed.back() != '0');
  } else {
    EXPECT_TRUE(c.fixed.empty() || c.fixed.back() != c.period.back());
    EXPECT_NE(c.period.find_first_not_of('9'), std::string::npos);
    EXPECT_NE(c.period.find_first_not_of('0'), std::string::npos);
    const std::size_t k = c.period.size();
    for (std::size_t q = 1; q < k; ++q) {
      if (k % q != 0) continue;
      EXPECT_NE(c.period, c.period.substr(q) + c.period.substr(0, q))
          << "period " << c.period << " repeats a block of " << q;
    }
  }
  if (c.integer == "0" && c.fixed.empty() && c.period.empty()) {
    EXPECT_FALSE(c.negative);
  }
}

TEST(CanonicalRandom, SameValueInShortestForm) {
  std::mt19937_64 random(1);
  for (int round = 0; round < 20000; ++round) {
    const Decimal d = exact::reference::RandomDecimal(random, round < 15000 ? 5 : 40, 12);
    const exact::Result<Decimal> c = exact::Canonical(d);
    ASSERT_TRUE(std::holds_alternative<Decimal>(c));
    const Decimal& canonical = std::get<Decimal>(c);
    EXPECT_EQ(exact::reference::ValueOf(canonical), exact::reference::ValueOf(d));
    ExpectCanonicalShape(canonical);
    EXPECT_EQ(exact::Canonical(canonical), c) << "canonical form is not stable";
  }
}

}  // namespace
}  // namespace quotalis::testing
