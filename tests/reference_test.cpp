// The tests' reference checked on its own: the worked table against the exact
// library, the long division on fractions right and wrong, and the other
// references on values worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "named_rows.h"
#include "reference/integers.h"
#include "reference/keypad.h"
#include "reference/long_division.h"
#include "reference/number_text.h"
#include "reference/worked_table.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

class WorkedTableTest : public ::testing::TestWithParam<WorkedRow> {};

TEST_P(WorkedTableTest, AgreesWithTheExactLibrary) {
  const WorkedRow& row = GetParam();
  Conversion written;  // the row as the engine's result
  written.outcome = Outcome::Converted;
  written.normalised = row.normalised;
  written.period = row.k;
  written.expansion = {std::nullopt, std::string(row.numerator), std::string(row.denominator)};
  written.reduction.numerator = row.reducedNumerator;
  written.reduction.denominator = row.reducedDenominator;
  EXPECT_EQ(KeypadDisagreement(row.entry, row.k, written), "");
  const std::size_t point = row.normalised.find('.');
  if (point == std::string_view::npos) {
    EXPECT_FALSE(row.decimal.has_value());
  } else {
    ASSERT_TRUE(row.decimal.has_value());
    std::string digits(row.normalised);
    digits.erase(point, 1);
    EXPECT_EQ(*row.decimal, digits);
  }
}

TEST_P(WorkedTableTest, ReducedFractionDividesBackToTheEntry) {
  const WorkedRow& row = GetParam();
  EXPECT_EQ(RoundTripFault(row.normalised, row.k, row.reducedNumerator, row.reducedDenominator),
            "");
  EXPECT_EQ(RoundTripFault(row.normalised, row.k, row.numerator, row.denominator), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkedTableTest, ::testing::ValuesIn(kWorkedTable), RowName());

struct TripRow {
  const char* name;
  const char* decimal;
  std::int32_t period;
  const char* numerator;
  const char* denominator;
  bool holds;
};

class RoundTripTest : public ::testing::TestWithParam<TripRow> {};

TEST_P(RoundTripTest, HoldsExactlyForTheRightFraction) {
  const TripRow& row = GetParam();
  const std::string fault = RoundTripFault(row.decimal, row.period, row.numerator, row.denominator);
  EXPECT_EQ(fault.empty(), row.holds) << fault;
}

INSTANTIATE_TEST_SUITE_P(
    Holds, RoundTripTest,
    ::testing::Values(
        TripRow{"seventh", "0.142857", 6, "1", "7", true},
        TripRow{"seventh_twice_over", "0.142857142857", 6, "1", "7", true},
        TripRow{"integer", "360", 0, "360", "1", true},
        TripRow{"leading_zeros_kept", "007.50", 0, "15", "2", true},
        TripRow{"recurring_zero", "0.10", 1, "1", "10", true},
        TripRow{"nines_below_a_fifth", "0.19", 1, "1", "5", true},
        TripRow{"nines_below_ten", "9.9", 1, "10", "1", true},
        TripRow{"wide_numerator", "100000000000000000000", 0, "100000000000000000000", "1", true},
        TripRow{"wide_divisor", "0.00000000000000000001", 0, "1", "100000000000000000000", true},
        TripRow{"wide_recurring", "0.000000000000000000001", 1, "1", "900000000000000000000",
                true}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Faults, RoundTripTest,
    ::testing::Values(TripRow{"division_ends_early", "0.1666", 1, "1666", "10000", false},
                      TripRow{"wrong_digit", "0.1666", 1, "1", "5", false},
                      TripRow{"terminating_taken_as_recurring", "0.9", 1, "9", "10", false},
                      TripRow{"recurring_taken_as_terminating", "0.9", 0, "1", "1", false},
                      TripRow{"goes_on_past_the_end", "12.34", 0, "1234", "99", false},
                      TripRow{"whole_part", "1.5", 0, "1", "2", false},
                      TripRow{"period_too_short", "0.142857", 3, "1", "7", false},
                      TripRow{"period_too_long", "0.36", 2, "4", "9", false},
                      TripRow{"zero_in_nines", "0.9", 1, "0", "1", false},
                      TripRow{"two_points", "1.2.3", 0, "1", "1", false},
                      TripRow{"period_past_digits", "0.5", 2, "5", "9", false},
                      TripRow{"negative_period", "0.5", -1, "1", "2", false},
                      TripRow{"zero_denominator", "0.5", 0, "1", "0", false},
                      TripRow{"zeros_denominator", "0.5", 0, "0", "000", false},
                      TripRow{"signed_numerator", "0.5", 0, "+1", "2", false}),
    RowName());

struct DivisionRow {
  const char* name;
  const char* numerator;
  const char* denominator;
  Quotient want;
};

class LongDivisionTest : public ::testing::TestWithParam<DivisionRow> {};

TEST_P(LongDivisionTest, ShortestPartsFromTheFirstRepeat) {
  const DivisionRow& row = GetParam();
  EXPECT_EQ(LongDivision(mpz_class(row.numerator), mpz_class(row.denominator)), row.want);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LongDivisionTest,
    ::testing::Values(
        DivisionRow{"seventh", "1", "7", {false, "0", "", "142857"}},
        DivisionRow{"sixth", "1", "6", {false, "0", "1", "6"}},
        DivisionRow{"improper", "22", "7", {false, "3", "", "142857"}},
        DivisionRow{"terminating_negative", "-7", "2", {true, "3", "5", ""}},
        DivisionRow{"both_negative", "-1", "-4", {false, "0", "25", ""}},
        DivisionRow{"negative_denominator", "1", "-3", {true, "0", "", "3"}},
        DivisionRow{"zero_has_no_sign", "0", "-5", {false, "0", "", ""}},
        DivisionRow{"whole", "12", "4", {false, "3", "", ""}},
        DivisionRow{"zero_inside_the_period", "1", "81", {false, "0", "", "012345679"}},
        DivisionRow{"five_twelfths", "5", "12", {false, "0", "41", "6"}},
        DivisionRow{
            "past_64_bits", "7", "99999999999999999999", {false, "0", "", "00000000000000000007"}}),
    RowName());

TEST(ExactValue, DigitByDigit) {
  EXPECT_EQ(ExactValue("007"), "7");
  EXPECT_EQ(ExactValue(".5"), "0.5");
  EXPECT_EQ(ExactValue("-2.50e1"), "-25");
  EXPECT_EQ(ExactValue("1E-05"), "0.00001");
  EXPECT_EQ(ExactValue("0e9"), "0");
  EXPECT_EQ(ExactValue("12.5e-1"), "1.25");
  EXPECT_EQ(ExactValue("1e100001"), std::nullopt);
  EXPECT_EQ(ExactValue(" 5"), std::nullopt);
  EXPECT_EQ(ExactValue("."), std::nullopt);
}

TEST(NumberGrammar, WholeTextBetweenBlanks) {
  EXPECT_TRUE(MatchesNumberGrammar(" +1.e5\t"));
  EXPECT_TRUE(MatchesNumberGrammar(".5"));
  EXPECT_FALSE(MatchesNumberGrammar("1.2.3"));
  EXPECT_FALSE(MatchesNumberGrammar(".e5"));
  EXPECT_FALSE(MatchesNumberGrammar("\n1"));
}

TEST(PrintfRounded15, ValueAndExponent) {
  EXPECT_EQ(PrintfRounded15(0.5).value, 0.5);
  EXPECT_EQ(PrintfRounded15(0.5).exponent, -1);
  EXPECT_EQ(PrintfRounded15(1234567890123456.0).value, 1.23456789012346e15);
  EXPECT_EQ(PrintfRounded15(1234567890123456.0).exponent, 15);
}

TEST(Integers, DigitsAndPrimes) {
  EXPECT_EQ(DigitsValue("007"), 7u);
  EXPECT_EQ(DigitsValue("999999999999999999"), 999'999'999'999'999'999u);
  EXPECT_EQ(DigitsValue("1000000000000000000"), std::nullopt);
  EXPECT_EQ(DigitsValue(""), std::nullopt);
  EXPECT_EQ(DigitsValue("1e5"), std::nullopt);
  EXPECT_TRUE(IsPrime(2));
  EXPECT_TRUE(IsPrime(46337));
  EXPECT_TRUE(IsPrime(2147483647));
  EXPECT_FALSE(IsPrime(1));
  EXPECT_FALSE(IsPrime(2147117569));  // 46337 squared
}

}  // namespace
}  // namespace quotalis::testing
