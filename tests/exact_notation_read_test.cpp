// Reading every notation: the value each text stands for as written, and
// every refusal with its message and the character it names.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/read.h>

#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::FractionText;
using exact::Notation;
using exact::Problem;
using exact::Reading;
using testing::PrintTo;
using enum exact::Notation;

// --- Decimals ------------------------------------------------------------------------

struct DecimalRow {
  const char* name;
  const char* text;
  Decimal value;
  Notation notation;
};

class ReadDecimalTest : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(ReadDecimalTest, ReadsAsWritten) {
  const exact::Result<Reading> read = exact::Read(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Reading>(read)) << std::get<Problem>(read).message;
  const Reading& reading = std::get<Reading>(read);
  EXPECT_EQ(reading.notation, GetParam().notation) << exact::NotationName(reading.notation);
  ASSERT_TRUE(std::holds_alternative<Decimal>(reading.value));
  EXPECT_EQ(std::get<Decimal>(reading.value), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadDecimalTest,
    ::testing::Values(
        DecimalRow{"plain", "0.5", {false, "0", "5", "", 0}, Plain},
        DecimalRow{"plain_leading_point", ".5", {false, "", "5", "", 0}, Plain},
        DecimalRow{"plain_blanks", " \t12\u3000", {false, "12", "", "", 0}, Plain},
        DecimalRow{"plain_line_end", "12\r\n", {false, "12", "", "", 0}, Plain},
        DecimalRow{
            "exponent_lowest", "1e-9223372036854775808", {false, "1", "", "", INT64_MIN}, Plain},
        DecimalRow{"parentheses_kept_long", "0.1(66)", {false, "0", "1", "66", 0}, Parentheses},
        DecimalRow{"parentheses_exponent", "-1.2(3)e-5", {true, "1", "2", "3", -5}, Parentheses},
        DecimalRow{"minus_sign", "\u22120.(3)", {true, "0", "", "3", 0}, Parentheses},
        DecimalRow{"full_width",
                   "\uFF10\uFF0E\uFF11\uFF08\uFF16\uFF09",
                   {false, "0", "1", "6", 0},
                   Parentheses},
        DecimalRow{"brackets", "0.1[6]", {false, "0", "1", "6", 0}, Brackets},
        DecimalRow{"quotes", "0.1'6'", {false, "0", "1", "6", 0}, Quotes},
        DecimalRow{"dots_one_digit", "0.16\u0307", {false, "0", "1", "6", 0}, Dots},
        DecimalRow{
            "dots_first_and_last", "0.1\u030742857\u0307", {false, "0", "", "142857", 0}, Dots},
        DecimalRow{"overline_run", "2.51\u03054\u0305", {false, "2", "5", "14", 0}, Overline},
        DecimalRow{"overline_macron", "0.3\u0304", {false, "0", "", "3", 0}, Overline},
        DecimalRow{"r_form_upper_exponent", "0.R3E1", {false, "0", "", "3", 1}, R},
        DecimalRow{"ellipsis_one_digit", "0.1666...", {false, "0", "166", "6", 0}, Ellipsis},
        DecimalRow{"ellipsis_character",
                   "0.142857142857\u2026",
                   {false, "0", "142857", "142857", 0},
                   Ellipsis},
        DecimalRow{"ellipsis_partial_block", "0.12121...", {false, "0", "121", "21", 0}, Ellipsis},
        DecimalRow{
            "ellipsis_shortest_block", "0.11111111...", {false, "0", "1111111", "1", 0}, Ellipsis}),
    RowName{});

// --- Fractions -----------------------------------------------------------------------

struct FractionRow {
  const char* name;
  const char* text;
  FractionText value;
  Notation notation;
};

class ReadFractionTest : public ::testing::TestWithParam<FractionRow> {};

TEST_P(ReadFractionTest, ReadsAsWritten) {
  const exact::Result<Reading> read = exact::Read(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Reading>(read)) << std::get<Problem>(read).message;
  const Reading& reading = std::get<Reading>(read);
  EXPECT_EQ(reading.notation, GetParam().notation);
  ASSERT_TRUE(std::holds_alternative<FractionText>(reading.value));
  EXPECT_EQ(std::get<FractionText>(reading.value), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadFractionTest,
    ::testing::Values(
        FractionRow{"fraction_negative", "-3/4", {true, "", "3", "4"}, Fraction},
        FractionRow{"fraction_blanks_at_slash", " 3 / 4 ", {false, "", "3", "4"}, Fraction},
        FractionRow{"fraction_full_width", "\uFF11\uFF0F\uFF16", {false, "", "1", "6"}, Fraction},
        FractionRow{
            "mixed_negative_ideographic_space", "\u22122\u30001/3", {true, "2", "1", "3"}, Mixed}),
    RowName{});

// --- Refusals ------------------------------------------------------------------------

struct ErrorRow {
  const char* name;
  const char* text;
  std::string message;
  std::int64_t position;
  exact::ProblemKind kind = exact::ProblemKind::Syntax;
};

std::string NoBlock(int at) {
  return "the digits before the ellipsis at character " + std::to_string(at) +
         " show no block repeated at their end: write the period out twice, or put it in "
         "parentheses";
}

class ReadErrorTest : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(ReadErrorTest, NamesWhatAndWhere) {
  const exact::Result<Reading> read = exact::Read(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Problem>(read));
  EXPECT_EQ(std::get<Problem>(read),
            (Problem{GetParam().kind, GetParam().message, GetParam().position}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadErrorTest,
    ::testing::Values(
        ErrorRow{"empty", "", "there is nothing to read", 0, exact::ProblemKind::Empty},
        ErrorRow{"sign_only", "-", "the sign at character 1 is followed by no digits", 1},
        ErrorRow{"point_only", ".", "the point at character 1 has no digits on either side", 1},
        ErrorRow{"exponent_only", "e5", "the exponent at character 1 follows no digits", 1},
        ErrorRow{"exponent_empty", "1e+", "the exponent at character 2 has no digits", 2},
        ErrorRow{"exponent_too_large", "1e9223372036854775808",
                 "the exponent at character 2 does not fit in 64 bits", 2,
                 exact::ProblemKind::TooLarge},
        ErrorRow{"two_points", "1.2.3", "a second point at character 4", 4},
        ErrorRow{"blank_inside", "1 5", "unexpected blank at character 2", 2},
        ErrorRow{"control_character", "1\x07", "unexpected character U+0007 at character 2", 2,
                 exact::ProblemKind::Character},
        ErrorRow{"unknown_character", "1\u00D72", "unexpected character U+00D7 at character 2", 2,
                 exact::ProblemKind::Character},
        ErrorRow{"invalid_utf8", "\uFF11\xC3(", "the byte \\xC3 at character 2 is not valid UTF-8",
                 2, exact::ProblemKind::Encoding},
        ErrorRow{"overlong_utf8", "1\xC0\xAF", "the byte \\xC0 at character 2 is not valid UTF-8",
                 2, exact::ProblemKind::Encoding},
        ErrorRow{"surrogate_utf8", "\xED\xA0\x80",
                 "the byte \\xED at character 1 is not valid UTF-8", 1,
                 exact::ProblemKind::Encoding},
        ErrorRow{"parenthesis_not_closed", "0.1(6",
                 "the parenthesis opened at character 4 is never closed", 4},
        ErrorRow{"parenthesis_not_opened", "0.16)",
                 "the parenthesis closed at character 5 was never opened", 5},
        ErrorRow{"parentheses_empty", "0.1()", "the parentheses at character 4 hold no digits", 4},
        ErrorRow{"parentheses_before_point", "1(3)",
                 "the recurring part at character 2 must follow a point: write 1.(3), not 1(3)", 2},
        ErrorRow{"digit_after_period", "0.1(6)7",
                 "unexpected digit 7 at character 7 after the recurring part", 7},
        ErrorRow{"quote_not_closed", "0.'3", "the quote opened at character 3 is never closed", 3},
        ErrorRow{
            "two_notations", "0.(1)6\u0307",
            "the dot at character 7 cannot be used together with the parenthesis at character 3",
            7},
        ErrorRow{"dot_one_of_several", "0.1\u03076",
                 "the dot at character 4 stands on one digit of several: a single dot marks a "
                 "one-digit period on the last digit, a longer period needs a dot on its last "
                 "digit too",
                 4},
        ErrorRow{"dots_not_at_end", "0.1\u03072\u03073",
                 "the second dot, at character 6, must stand on the last digit after the point", 6},
        ErrorRow{"dots_three", "0.1\u03072\u03073\u0307",
                 "a third dot at character 8: dots mark only the first and the last digit of the "
                 "period",
                 8},
        ErrorRow{"dot_before_point", "1\u0307.5",
                 "the dot at character 2 stands before the point: only digits after it recur", 2},
        ErrorRow{"dot_on_point", "0.\u03075", "the dot at character 3 stands on no digit", 3},
        ErrorRow{"dot_twice_on_digit", "0.5\u0307\u0307",
                 "a second dot on the digit at character 3", 5},
        ErrorRow{"overline_gap", "0.1\u030523\u0305",
                 "the digit at character 5 has no overline, but one before it has: overline every "
                 "recurring digit, and only the last digits",
                 5},
        ErrorRow{"r_before_point", "1r5", "the r at character 2 must follow a point: write 1.r3",
                 2},
        ErrorRow{"r_without_digits", "0.5r", "the r at character 4 is followed by no digits", 4},
        ErrorRow{"ellipsis_no_repetition", "0.5...", NoBlock(4), 4},
        ErrorRow{"ellipsis_text_after", "0.333...e2",
                 "unexpected 'e' at character 9 after the ellipsis", 9},
        ErrorRow{"ellipsis_integer_digits_not_counted", "33.33...", NoBlock(6), 6},
        ErrorRow{"ellipsis_no_point", "333...",
                 "the ellipsis at character 4 needs digits after a point before it", 4},
        ErrorRow{"fraction_zero_denominator", "1/00", "the denominator at character 3 is zero", 3,
                 exact::ProblemKind::ZeroDenominator},
        ErrorRow{"fraction_no_numerator", "/2",
                 "the slash at character 1 has no numerator before it", 1},
        ErrorRow{"fraction_no_denominator", "1/ ",
                 "the slash at character 2 has no denominator after it", 2},
        ErrorRow{"fraction_point", "1.5/2",
                 "a point at character 2: the terms of a fraction are whole numbers", 2},
        ErrorRow{"mixed_three_numbers", "1 1 1/2", "unexpected digit 1 at character 5", 5},
        ErrorRow{"comma", "1,5", "unexpected ',' at character 2", 2,
                 exact::ProblemKind::Character}),
    RowName{});

// --- Any text ------------------------------------------------------------------------

// A million digits before an ellipsis: the block found is the one written
// twice at the end, however long the digits before it.
TEST(ReadAnyText, LongEllipsisFindsTheWrittenBlock) {
  std::mt19937_64 random(7);
  const std::string fixed = exact::reference::RandomDigits(random, 1'000'000);
  // No block shorter than this one repeats at its end: 7 and 8 occur once.
  const std::string block = "1020304050607080";
  const exact::Result<Reading> read = exact::Read("0." + fixed + block + block + "...");
  ASSERT_TRUE(std::holds_alternative<Reading>(read));
  const Decimal& d = std::get<Decimal>(std::get<Reading>(read).value);
  EXPECT_EQ(d.period, block);
  EXPECT_TRUE(d.fixed == fixed + block) << "the non-recurring digits differ";
}

}  // namespace
}  // namespace quotalis::testing
