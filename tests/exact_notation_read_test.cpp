// Reading every notation: the value each text stands for as written, and
// every refusal with its message and the character it names.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include "exact/read.h"
#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::FractionText;
using exact::Notation;
using exact::Problem;
using exact::Reading;
using testing::PrintTo;

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
        DecimalRow{"plain", "0.5", {false, "0", "5", "", 0}, Notation::Plain},
        DecimalRow{"plain_integer_zeros_kept", "007", {false, "007", "", "", 0}, Notation::Plain},
        DecimalRow{"plain_leading_point", ".5", {false, "", "5", "", 0}, Notation::Plain},
        DecimalRow{"plain_trailing_point", "5.", {false, "5", "", "", 0}, Notation::Plain},
        DecimalRow{"plain_blanks", " \t12\u3000", {false, "12", "", "", 0}, Notation::Plain},
        DecimalRow{"plain_line_end", "12\r\n", {false, "12", "", "", 0}, Notation::Plain},
        DecimalRow{"plain_exponent", "1E-3", {false, "1", "", "", -3}, Notation::Plain},
        DecimalRow{"plain_plus", "+2.5e+7", {false, "2", "5", "", 7}, Notation::Plain},
        DecimalRow{"exponent_lowest",
                   "1e-9223372036854775808",
                   {false, "1", "", "", INT64_MIN},
                   Notation::Plain},
        DecimalRow{"exponent_leading_zeros",
                   "1e00000000000000000000012",
                   {false, "1", "", "", 12},
                   Notation::Plain},
        DecimalRow{"parentheses", "0.1(6)", {false, "0", "1", "6", 0}, Notation::Parentheses},
        DecimalRow{
            "parentheses_kept_long", "0.1(66)", {false, "0", "1", "66", 0}, Notation::Parentheses},
        DecimalRow{
            "parentheses_no_integer", ".(3)", {false, "", "", "3", 0}, Notation::Parentheses},
        DecimalRow{
            "parentheses_exponent", "-1.2(3)e-5", {true, "1", "2", "3", -5}, Notation::Parentheses},
        DecimalRow{"minus_sign", "\u22120.(3)", {true, "0", "", "3", 0}, Notation::Parentheses},
        DecimalRow{"full_width",
                   "\uFF10\uFF0E\uFF11\uFF08\uFF16\uFF09",
                   {false, "0", "1", "6", 0},
                   Notation::Parentheses},
        DecimalRow{"full_width_sign_exponent",
                   "\uFF0D\uFF11\uFF25\uFF13",
                   {true, "1", "", "", 3},
                   Notation::Plain},
        DecimalRow{"brackets", "0.1[6]", {false, "0", "1", "6", 0}, Notation::Brackets},
        DecimalRow{"quotes", "0.1'6'", {false, "0", "1", "6", 0}, Notation::Quotes},
        DecimalRow{"dots_one_digit", "0.16\u0307", {false, "0", "1", "6", 0}, Notation::Dots},
        DecimalRow{"dots_first_and_last",
                   "0.1\u030742857\u0307",
                   {false, "0", "", "142857", 0},
                   Notation::Dots},
        DecimalRow{
            "dots_two_digits", "3.01\u03072\u0307e2", {false, "3", "0", "12", 2}, Notation::Dots},
        DecimalRow{"overline", "0.16\u0305", {false, "0", "1", "6", 0}, Notation::Overline},
        DecimalRow{
            "overline_run", "2.51\u03054\u0305", {false, "2", "5", "14", 0}, Notation::Overline},
        DecimalRow{"overline_macron", "0.3\u0304", {false, "0", "", "3", 0}, Notation::Overline},
        DecimalRow{"r_form", "1.234r56", {false, "1", "234", "56", 0}, Notation::R},
        DecimalRow{"r_form_upper_exponent", "0.R3E1", {false, "0", "", "3", 1}, Notation::R},
        DecimalRow{
            "ellipsis_one_digit", "0.1666...", {false, "0", "166", "6", 0}, Notation::Ellipsis},
        DecimalRow{"ellipsis_character",
                   "0.142857142857\u2026",
                   {false, "0", "142857", "142857", 0},
                   Notation::Ellipsis},
        DecimalRow{"ellipsis_partial_block",
                   "0.12121...",
                   {false, "0", "121", "21", 0},
                   Notation::Ellipsis},
        DecimalRow{"ellipsis_shortest_block",
                   "0.11111111...",
                   {false, "0", "1111111", "1", 0},
                   Notation::Ellipsis},
        DecimalRow{"ellipsis_not_the_integer",
                   "33.333...",
                   {false, "33", "33", "3", 0},
                   Notation::Ellipsis}),
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
        FractionRow{"fraction", "1/7", {false, "", "1", "7"}, Notation::Fraction},
        FractionRow{"fraction_negative", "-3/4", {true, "", "3", "4"}, Notation::Fraction},
        FractionRow{
            "fraction_blanks_at_slash", " 3 / 4 ", {false, "", "3", "4"}, Notation::Fraction},
        FractionRow{
            "fraction_full_width", "\uFF11\uFF0F\uFF16", {false, "", "1", "6"}, Notation::Fraction},
        FractionRow{"mixed", "1 1/6", {false, "1", "1", "6"}, Notation::Mixed},
        FractionRow{"mixed_negative_ideographic_space",
                    "\u22122\u30001/3",
                    {true, "2", "1", "3"},
                    Notation::Mixed}),
    RowName{});

// --- Refusals ------------------------------------------------------------------------

struct ErrorRow {
  const char* name;
  const char* text;
  const char* message;
  std::int64_t position;
};

class ReadErrorTest : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(ReadErrorTest, NamesWhatAndWhere) {
  const exact::Result<Reading> read = exact::Read(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Problem>(read));
  EXPECT_EQ(std::get<Problem>(read), (Problem{GetParam().message, GetParam().position}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadErrorTest,
    ::testing::Values(
        ErrorRow{"empty", "", "there is nothing to read", 0},
        ErrorRow{"blanks_only", " \u3000\t", "there is nothing to read", 0},
        ErrorRow{"sign_only", "-", "the sign at character 1 is followed by no digits", 1},
        ErrorRow{"point_only", ".", "the point at character 1 has no digits on either side", 1},
        ErrorRow{"exponent_only", "e5", "the exponent at character 1 follows no digits", 1},
        ErrorRow{"exponent_empty", "1e+", "the exponent at character 2 has no digits", 2},
        ErrorRow{"exponent_too_large", "1e9223372036854775808",
                 "the exponent at character 2 does not fit in 64 bits", 2},
        ErrorRow{"two_points", "1.2.3", "a second point at character 4", 4},
        ErrorRow{"two_signs", "--1", "unexpected '-' at character 2", 2},
        ErrorRow{"blank_inside", "1 5", "unexpected blank at character 2", 2},
        ErrorRow{"stray_letter", "0.5x", "unexpected 'x' at character 4", 4},
        ErrorRow{"stray_after_blank_at_start", "  0,5", "unexpected ',' at character 4", 4},
        ErrorRow{"control_character", "1\x07", "unexpected character U+0007 at character 2", 2},
        ErrorRow{"unknown_character", "1\u00D72", "unexpected character U+00D7 at character 2", 2},
        ErrorRow{"invalid_utf8", "\uFF11\xC3(", "the byte \\xC3 at character 2 is not valid UTF-8",
                 2},
        ErrorRow{"overlong_utf8", "1\xC0\xAF", "the byte \\xC0 at character 2 is not valid UTF-8",
                 2},
        ErrorRow{"surrogate_utf8", "\xED\xA0\x80",
                 "the byte \\xED at character 1 is not valid UTF-8", 1},
        ErrorRow{"parenthesis_not_closed", "0.1(6",
                 "the parenthesis opened at character 4 is never closed", 4},
        ErrorRow{"parenthesis_not_opened", "0.16)",
                 "the parenthesis closed at character 5 was never opened", 5},
        ErrorRow{"parentheses_empty", "0.1()", "the parentheses at character 4 hold no digits", 4},
        ErrorRow{"parentheses_before_point", "1(3)",
                 "the recurring part at character 2 must follow a point: write 1.(3), not 1(3)", 2},
        ErrorRow{"parentheses_stray_inside", "0.(1x)",
                 "unexpected 'x' at character 5 inside the parentheses", 5},
        ErrorRow{"digit_after_period", "0.1(6)7",
                 "unexpected digit 7 at character 7 after the recurring part", 7},
        ErrorRow{"bracket_not_closed", "0.[3", "the bracket opened at character 3 is never closed",
                 3},
        ErrorRow{"quote_not_closed", "0.'3", "the quote opened at character 3 is never closed", 3},
        ErrorRow{"quotes_empty", "0.1''", "the quotes at character 4 hold no digits", 4},
        ErrorRow{
            "two_notations", "0.(1)6\u0307",
            "the dot at character 7 cannot be used together with the parenthesis at character 3",
            7},
        ErrorRow{"fraction_and_parentheses", "1/(3)",
                 "the parenthesis at character 3 cannot be used together with the slash at "
                 "character 2",
                 3},
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
        ErrorRow{"dot_after_exponent", "0.5e1\u0307",
                 "unexpected dot above (U+0307) at character 6", 6},
        ErrorRow{"overline_gap", "0.1\u030523\u0305",
                 "the digit at character 5 has no overline, but one before it has: overline every "
                 "recurring digit, and only the last digits",
                 5},
        ErrorRow{"r_before_point", "1r5", "the r at character 2 must follow a point: write 1.r3",
                 2},
        ErrorRow{"r_without_digits", "0.5r", "the r at character 4 is followed by no digits", 4},
        ErrorRow{"ellipsis_no_repetition", "0.5...",
                 "the digits before the ellipsis at character 4 show no block repeated at their "
                 "end: write the period out twice, or put it in parentheses",
                 4},
        ErrorRow{"ellipsis_one_digit_twice", "0.1\u2026",
                 "the digits before the ellipsis at character 4 show no block repeated at their "
                 "end: write the period out twice, or put it in parentheses",
                 4},
        ErrorRow{"ellipsis_text_after", "0.333...e2",
                 "unexpected 'e' at character 9 after the ellipsis", 9},
        ErrorRow{"ellipsis_integer_digits_not_counted", "33.33...",
                 "the digits before the ellipsis at character 6 show no block repeated at their "
                 "end: write the period out twice, or put it in parentheses",
                 6},
        ErrorRow{"ellipsis_no_point", "333...",
                 "the ellipsis at character 4 needs digits after a point before it", 4},
        ErrorRow{"fraction_zero_denominator", "1/00", "the denominator at character 3 is zero", 3},
        ErrorRow{"fraction_no_numerator", "/2",
                 "the slash at character 1 has no numerator before it", 1},
        ErrorRow{"fraction_no_denominator", "1/ ",
                 "the slash at character 2 has no denominator after it", 2},
        ErrorRow{"fraction_point", "1.5/2",
                 "a point at character 2: the terms of a fraction are whole numbers", 2},
        ErrorRow{"fraction_two_slashes", "1/2/3", "unexpected '/' at character 4", 4},
        ErrorRow{"mixed_three_numbers", "1 1 1/2", "unexpected digit 1 at character 5", 5}),
    RowName{});

// --- Any text ------------------------------------------------------------------------

// Whatever the bytes, a refusal names a place inside the text.
TEST(ReadAnyText, ProblemPositionLiesInsideTheText) {
  std::mt19937_64 random(20261209);
  const std::string pieces[] = {"0",      "7",      ".",      "(",      ")",    "[",    "]",
                                "'",      "/",      " ",      "-",      "e",    "r",    "...",
                                "\u2026", "\u0307", "\u0305", "\uFF11", "\xE2", "\x80", "\u3000"};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 9);
    for (int i = 0; i < length; ++i) text += pieces[pick(random)];
    const exact::Result<Reading> read = exact::Read(text);
    if (const auto* problem = std::get_if<Problem>(&read)) {
      EXPECT_GE(problem->position, 0) << text;
      EXPECT_LE(problem->position, static_cast<std::int64_t>(text.size())) << text;
      EXPECT_EQ(problem->message.find_first_of("\x01\x02\x03\x04"), std::string::npos) << text;
    }
  }
}

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
