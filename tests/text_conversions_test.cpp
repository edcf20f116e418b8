// The conversions between text and numbers, and the text pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "named_rows.h"
#include "convert/reading.h"
#include "convert/writing.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- LeadingValue -------------------------------------------------------------

struct LeadingRow {
  const char* name;
  const char* text;
  double value;
};

class LeadingValueTest : public ::testing::TestWithParam<LeadingRow> {};

TEST_P(LeadingValueTest, ReadsLongestLeadingNumber) {
  EXPECT_EQ(LeadingValue(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LeadingValueTest,
    ::testing::Values(
        LeadingRow{"decimal", "12.5", 12.5},
        LeadingRow{"leading_zero", "05", 5.0},
        LeadingRow{"trailing_point", "1.", 1.0},
        LeadingRow{"leading_point", ".5", 0.5},
        LeadingRow{"second_point_ends_it", "1.2.3", 1.2},
        LeadingRow{"lone_point", ".", 0.0},
        LeadingRow{"empty", "", 0.0},
        LeadingRow{"exponent", "1E-05", 0.00001},
        LeadingRow{"stops_at_letter", "-2x", -2.0},
        LeadingRow{"exponent_without_digits", "1e", 1.0},
        LeadingRow{"exponent_sign_without_digits", "1e+", 1.0},
        LeadingRow{"exponent_without_mantissa", "e5", 0.0},
        LeadingRow{"point_then_exponent", ".e5", 0.0},
        LeadingRow{"plus_sign", "+7", 7.0},
        LeadingRow{"negative_fraction", "-.5", -0.5},
        LeadingRow{"two_signs", "+-5", 0.0},
        LeadingRow{"leading_blank_is_not_read", " 5", 0.0},
        LeadingRow{"stops_at_blank", "5 6", 5.0},
        LeadingRow{"trailing_point_then_exponent", "5.e2", 500.0},
        LeadingRow{"exponent_then_junk", "1.5e-3x", 0.0015},
        LeadingRow{"ten_digit_integer", "9999999999", 9999999999.0},
        LeadingRow{"tiny_keypad_entry", ".000012", 0.000012},
        LeadingRow{"largest_double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        LeadingRow{"past_largest_double", "1.8e308", kInf},
        LeadingRow{"far_past_largest", "1e99999999999999999999", kInf},
        LeadingRow{"negative_past_largest", "-1e400", -kInf},
        LeadingRow{"smallest_subnormal", "4.9e-324", std::numeric_limits<double>::denorm_min()},
        LeadingRow{"below_smallest_subnormal", "2e-324", 0.0},
        LeadingRow{"zero_with_huge_exponent", "0e99999", 0.0}),
    RowName());

// --- GeneralText and PlainText --------------------------------------------------

struct TextRow {
  const char* name;
  double value;
  const char* text;
};

class GeneralTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(GeneralTextTest, FifteenDigitsPlainOrExponentForm) {
  EXPECT_EQ(GeneralText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneralTextTest,
    ::testing::Values(
        TextRow{"half", 0.5, "0.5"},
        TextRow{"integer", 14.0, "14"},
        TextRow{"smallest_plain_exponent", 0.0001, "0.0001"},
        TextRow{"fifteen_digit_integer", 123456789012345.0, "123456789012345"},
        TextRow{"zero", 0.0, "0"},
        TextRow{"negative_zero", -0.0, "0"},
        TextRow{"negative", -2.5, "-2.5"},
        TextRow{"one_step_below_plain", 1e-05, "1E-05"},
        TextRow{"exponent_form_with_fraction", 1.5e-07, "1.5E-07"},
        TextRow{"sixteen_digits_rounded", 1234567890123456.0, "1.23456789012346E+15"},
        TextRow{"largest_plain_exponent", 999999999999999.0, "999999999999999"},
        TextRow{"one_step_past_plain", 1e15, "1E+15"},
        TextRow{"rounding_carries_into_exponent_form", 999999999999999.5, "1E+15"},
        TextRow{"just_below_plain_rounds_up", 0.00009999999999999999, "0.0001"},
        TextRow{"three_digit_exponent", 1e100, "1E+100"},
        TextRow{"three_digit_negative_exponent", -1e-100, "-1E-100"},
        TextRow{"third", 1.0 / 3.0, "0.333333333333333"},
        TextRow{"two_thirds", 2.0 / 3.0, "0.666666666666667"},
        TextRow{"binary_noise_rounded_away", 0.1 + 0.2, "0.3"},
        TextRow{"ten_digit_product", 2147483647.0, "2147483647"},
        TextRow{"infinity", kInf, "inf"},
        TextRow{"negative_infinity", -kInf, "-inf"},
        TextRow{"not_a_number", kNaN, "nan"}),
    RowName());

class PlainTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(PlainTextTest, FifteenDigitsNeverExponentForm) {
  EXPECT_EQ(PlainText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainTextTest,
    ::testing::Values(
        TextRow{"tiny", 1e-05, "0.00001"},
        TextRow{"tiny_two_digits", 1.2e-05, "0.000012"},
        TextRow{"half", 0.5, "0.5"},
        TextRow{"large", 1e15, "1000000000000000"},
        TextRow{"nine_digits_after_point", 1e-9, "0.000000001"},
        TextRow{"seven_zeros_then_digits", 1.5e-07, "0.00000015"},
        TextRow{"sixteen_digits_rounded", 1234567890123456.0, "1234567890123460"},
        TextRow{"zeros_past_the_digits", 1e20, "100000000000000000000"},
        TextRow{"negative_tiny", -1e-05, "-0.00001"},
        TextRow{"mixed", 123456.789, "123456.789"},
        TextRow{"zero", 0.0, "0"},
        TextRow{"infinity", kInf, "inf"},
        TextRow{"not_a_number", kNaN, "nan"}),
    RowName());

TEST(GeneralTextOfInteger, DecimalDigitsWithSign) {
  EXPECT_EQ(GeneralText(std::int32_t{42}), "42");
  EXPECT_EQ(GeneralText(std::int32_t{-7}), "-7");
  EXPECT_EQ(GeneralText(std::int32_t{0}), "0");
  EXPECT_EQ(GeneralText(std::numeric_limits<std::int32_t>::max()), "2147483647");
  EXPECT_EQ(GeneralText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

// A text needs no conversion to text: taken whole as a piece it comes back
// unchanged, leading zeros and a lone point included.
TEST(WholeTextPiece, ComesBackUnchanged) {
  for (const std::string_view text : {"", ".", "007"}) {
    EXPECT_EQ(Left(text, text.size()), text);
    EXPECT_EQ(Right(text, text.size()), text);
  }
}

// --- RoundToLong ----------------------------------------------------------------

struct RoundRow {
  const char* name;
  double value;
  std::optional<std::int32_t> rounded;  // nothing: overflow
};

class RoundToLongTest : public ::testing::TestWithParam<RoundRow> {};

TEST_P(RoundToLongTest, NearestTiesToEvenOverflowAsValue) {
  EXPECT_EQ(RoundToLong(GetParam().value), GetParam().rounded);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundToLongTest,
    ::testing::Values(
        RoundRow{"tie_to_even_below", 2.5, 2},
        RoundRow{"tie_to_even_above", 3.5, 4},
        RoundRow{"tie_four_and_a_half", 4.5, 4},
        RoundRow{"negative_tie", -2.5, -2},
        RoundRow{"negative_tie_odd", -1.5, -2},
        RoundRow{"half_to_zero", 0.5, 0},
        RoundRow{"negative_half_to_zero", -0.5, 0},
        RoundRow{"just_below_half", 0.49999999999999994, 0},
        RoundRow{"just_above_tie", 2.5000000000000004, 3},
        RoundRow{"below_top", 2147483647.4, kMax},
        RoundRow{"top", 2147483647.0, kMax},
        RoundRow{"tie_below_top_to_even", 2147483646.5, 2147483646},
        RoundRow{"tie_at_top_rounds_out", 2147483647.5, std::nullopt},
        RoundRow{"one_past_top", 2147483648.0, std::nullopt},
        RoundRow{"bottom", -2147483648.0, kMin},
        RoundRow{"tie_at_bottom_to_even", -2147483648.5, kMin},
        RoundRow{"past_bottom", -2147483648.6, std::nullopt},
        RoundRow{"one_past_bottom", -2147483649.0, std::nullopt},
        RoundRow{"huge", 1e300, std::nullopt},
        RoundRow{"infinity", kInf, std::nullopt},
        RoundRow{"negative_infinity", -kInf, std::nullopt},
        RoundRow{"not_a_number", kNaN, std::nullopt}),
    RowName());

// --- IsNumber and IsDigits --------------------------------------------------------

struct PredicateRow {
  const char* name;
  const char* text;
  bool holds;
};

class IsNumberTest : public ::testing::TestWithParam<PredicateRow> {};

TEST_P(IsNumberTest, WholeTextReadsAsNumber) {
  EXPECT_EQ(IsNumber(GetParam().text), GetParam().holds) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IsNumberTest,
    ::testing::Values(
        PredicateRow{"trailing_point", "1.", true},
        PredicateRow{"leading_point", ".5", true},
        PredicateRow{"leading_zeros", "007", true},
        PredicateRow{"blanks_and_exponent", " 1e5 ", true},
        PredicateRow{"tabs", "\t7\t", true},
        PredicateRow{"signed", "-1", true},
        PredicateRow{"plus_point", "+.5", true},
        PredicateRow{"signed_exponent", "1E-05", true},
        PredicateRow{"empty", "", false},
        PredicateRow{"lone_point", ".", false},
        PredicateRow{"two_points", "1.2.3", false},
        PredicateRow{"exponent_without_digits", "1e", false},
        PredicateRow{"exponent_sign_without_digits", "1e+", false},
        PredicateRow{"sign_alone", "+", false},
        PredicateRow{"two_signs", "--1", false},
        PredicateRow{"blank_only", " ", false},
        PredicateRow{"inner_blank", "1 2", false},
        PredicateRow{"fractional_exponent", "1e5.5", false},
        PredicateRow{"exponent_without_mantissa", "e5", false},
        PredicateRow{"point_then_exponent", ".e5", false},
        PredicateRow{"trailing_letter", "1x", false},
        PredicateRow{"newline_is_not_a_blank", "\n1", false},
        PredicateRow{"infinity_word", "inf", false}),
    RowName());

TEST(IsDigits, OnlyDigitsAndAtLeastOne) {
  EXPECT_TRUE(IsDigits("0123456789"));
  EXPECT_TRUE(IsDigits("9999999999"));
  EXPECT_FALSE(IsDigits(""));
  EXPECT_FALSE(IsDigits("12.3"));
  EXPECT_FALSE(IsDigits("-1"));
  EXPECT_FALSE(IsDigits(" 1"));
  EXPECT_FALSE(IsDigits("1e5"));
}

// Every one of the 256 byte values: the ten ASCII digits and nothing else.
TEST(IsDigit, TheTenAsciiDigitsOnly) {
  for (int c = -128; c < 128; ++c) {
    const bool digit = c >= 48 && c <= 57;  // '0' is 48, '9' is 57 in ASCII
    EXPECT_EQ(IsDigit(static_cast<char>(c)), digit) << "byte " << c;
  }
}

struct TrimRow {
  const char* name;
  std::string_view text;
  std::string_view trimmed;
};

class TrimBlanksTest : public ::testing::TestWithParam<TrimRow> {};

TEST_P(TrimBlanksTest, DropsSpacesAndTabsAtEitherEnd) {
  EXPECT_EQ(TrimBlanks(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrimBlanksTest,
    ::testing::Values(TrimRow{"none", "1e5", "1e5"}, TrimRow{"both_ends", " 1e5\t", "1e5"},
                      TrimRow{"several", " \t 7 \t ", "7"}, TrimRow{"blanks_only", " \t ", ""},
                      TrimRow{"empty", "", ""}, TrimRow{"inner_kept", " 1 2 ", "1 2"},
                      TrimRow{"newline_kept", "\n1\r", "\n1\r"},
                      TrimRow{"nul_kept", std::string_view("\0 1", 3), std::string_view("\0 1", 3)}),
    RowName());

// --- Text pieces ------------------------------------------------------------------

// The n characters from the 1-based position p, cut with the two pieces the
// engine offers; a position past the end gives nothing.
std::string Middle(std::string_view text, std::size_t p, std::size_t n) {
  const std::size_t before = std::min(text.size(), p == 0 ? 0 : p - 1);
  return Left(Right(text, text.size() - before), n);
}

struct PieceRow {
  const char* name;
  std::string got;
  const char* want;
};

class TextPieceTest : public ::testing::TestWithParam<PieceRow> {};

TEST_P(TextPieceTest, TakesWhatThereIs) { EXPECT_EQ(GetParam().got, GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    Rows, TextPieceTest,
    ::testing::Values(
        PieceRow{"left", Left("12.34", 2), "12"},
        PieceRow{"left_none", Left("12.34", 0), ""},
        PieceRow{"left_all", Left("12.34", 5), "12.34"},
        PieceRow{"left_past_end", Left("12", 9), "12"},
        PieceRow{"left_of_empty", Left("", 3), ""},
        PieceRow{"right", Right("12.34", 2), "34"},
        PieceRow{"right_none", Right("12.34", 0), ""},
        PieceRow{"right_all", Right("12.34", 5), "12.34"},
        PieceRow{"right_past_end", Right("34", 9), "34"},
        PieceRow{"right_of_empty", Right("", 3), ""},
        PieceRow{"mid_point", Middle("12.34", 3, 1), "."},
        PieceRow{"mid_first", Middle("12.34", 1, 2), "12"},
        PieceRow{"mid_last", Middle("12.34", 5, 1), "4"},
        PieceRow{"mid_runs_past_end", Middle("12.34", 4, 9), "34"},
        PieceRow{"mid_just_past_end", Middle("12", 3, 1), ""},
        PieceRow{"mid_far_past_end", Middle("12", 5, 1), ""},
        PieceRow{"mid_none", Middle("12.34", 2, 0), ""},
        PieceRow{"mid_of_empty", Middle("", 1, 1), ""}),
    RowName());

}  // namespace
}  // namespace quotalis::testing
