// Reading numbers out of text, and the text pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "convert/reading.h"
#include "named_rows.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

constexpr double kInf = std::numeric_limits<double>::infinity();

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
        LeadingRow{"decimal", "12.5", 12.5}, LeadingRow{"leading_zero", "05", 5.0},
        LeadingRow{"trailing_point", "1.", 1.0}, LeadingRow{"leading_point", ".5", 0.5},
        LeadingRow{"second_point_ends_it", "1.2.3", 1.2}, LeadingRow{"lone_point", ".", 0.0},
        LeadingRow{"empty", "", 0.0}, LeadingRow{"exponent", "1E-05", 0.00001},
        LeadingRow{"stops_at_letter", "-2x", -2.0},
        LeadingRow{"exponent_without_digits", "1e", 1.0},
        LeadingRow{"exponent_sign_without_digits", "1e+", 1.0},
        LeadingRow{"exponent_without_mantissa", "e5", 0.0},
        LeadingRow{"point_then_exponent", ".e5", 0.0}, LeadingRow{"plus_sign", "+7", 7.0},
        LeadingRow{"negative_fraction", "-.5", -0.5}, LeadingRow{"two_signs", "+-5", 0.0},
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
        PredicateRow{"trailing_point", "1.", true}, PredicateRow{"leading_point", ".5", true},
        PredicateRow{"leading_zeros", "007", true},
        PredicateRow{"blanks_and_exponent", " 1e5 ", true}, PredicateRow{"tabs", "\t7\t", true},
        PredicateRow{"signed", "-1", true}, PredicateRow{"plus_point", "+.5", true},
        PredicateRow{"signed_exponent", "1E-05", true}, PredicateRow{"empty", "", false},
        PredicateRow{"lone_point", ".", false}, PredicateRow{"two_points", "1.2.3", false},
        PredicateRow{"exponent_without_digits", "1e", false},
        PredicateRow{"exponent_sign_without_digits", "1e+", false},
        PredicateRow{"sign_alone", "+", false}, PredicateRow{"two_signs", "--1", false},
        PredicateRow{"blank_only", " ", false}, PredicateRow{"inner_blank", "1 2", false},
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
                      TrimRow{"nul_kept", std::string_view("\0 1", 3),
                              std::string_view("\0 1", 3)}),
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

INSTANTIATE_TEST_SUITE_P(Rows, TextPieceTest,
                         ::testing::Values(PieceRow{"left", Left("12.34", 2), "12"},
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
                                           PieceRow{"mid_runs_past_end", Middle("12.34", 4, 9),
                                                    "34"},
                                           PieceRow{"mid_just_past_end", Middle("12", 3, 1), ""},
                                           PieceRow{"mid_far_past_end", Middle("12", 5, 1), ""},
                                           PieceRow{"mid_none", Middle("12.34", 2, 0), ""},
                                           PieceRow{"mid_of_empty", Middle("", 1, 1), ""}),
                         RowName());

// A text needs no conversion to text: taken whole as a piece it comes back
// unchanged, leading zeros and a lone point included.
TEST(WholeTextPiece, ComesBackUnchanged) {
  for (const std::string_view text : {"", ".", "007"}) {
    EXPECT_EQ(Left(text, text.size()), text);
    EXPECT_EQ(Right(text, text.size()), text);
  }
}

}  // namespace
}  // namespace quotalis::testing
