// Reading every notation: the value each text stands for as written, and
// every refusal with its message and the character it names.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

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
            "ellipsis_shortest_block", "0.11111111...", {false, "0", "1111111", "1", 0}, Ellipsis},
        // Which block recurs: two or more digits shown twice first, then one
        // digit shown twice.
        DecimalRow{"ellipsis_one_digit_twice", "0.33...", {false, "0", "3", "3", 0}, Ellipsis},
        DecimalRow{"ellipsis_then_exponent", "0.1666...e2", {false, "0", "166", "6", 2}, Ellipsis},
        DecimalRow{"ellipsis_then_negative_exponent",
                   "-1.2333\u2026E-5",
                   {true, "1", "233", "3", -5},
                   Ellipsis},
        DecimalRow{"ellipsis_one_digit_twice_after_another",
                   "0.166...",
                   {false, "0", "16", "6", 0},
                   Ellipsis},
        DecimalRow{
            "ellipsis_one_digit_four_times", "0.3333...", {false, "0", "333", "3", 0}, Ellipsis},
        DecimalRow{"ellipsis_longer_block_before_one_digit",
                   "0.13331333...",
                   {false, "0", "1333", "1333", 0},
                   Ellipsis},
        DecimalRow{"ellipsis_two_digits_twice", "0.1212...", {false, "0", "12", "12", 0}, Ellipsis},
        DecimalRow{"ellipsis_integer_digits_not_counted",
                   "33.33...",
                   {false, "33", "3", "3", 0},
                   Ellipsis},
        // Every way of typing the ellipsis.
        DecimalRow{"ellipsis_midline", "0.1666\u22EF", {false, "0", "166", "6", 0}, Ellipsis},
        DecimalRow{"ellipsis_character_twice",
                   "0.1666\u2026\u2026",
                   {false, "0", "166", "6", 0},
                   Ellipsis},
        // A run of marks is one ellipsis, however it is typed.
        DecimalRow{"ellipsis_points_twice", "0.1666......", {false, "0", "166", "6", 0}, Ellipsis},
        DecimalRow{"ellipsis_points_thrice_then_exponent",
                   "0.1666.........e1",
                   {false, "0", "166", "6", 1},
                   Ellipsis},
        DecimalRow{
            "ellipsis_character_then_points", "0.33\u2026...", {false, "0", "3", "3", 0}, Ellipsis},
        DecimalRow{"ellipsis_points_then_one_middle_dot",
                   "0.33...\u30FB",
                   {false, "0", "3", "3", 0},
                   Ellipsis},
        DecimalRow{"ellipsis_middle_dots",
                   "0.1666\u30FB\u30FB\u30FB",
                   {false, "0", "166", "6", 0},
                   Ellipsis},
        DecimalRow{
            "ellipsis_two_middle_dots", "0.33\u30FB\u30FB", {false, "0", "3", "3", 0}, Ellipsis},
        DecimalRow{"ellipsis_half_width_middle_dots",
                   "0.33\uFF65\uFF65\uFF65",
                   {false, "0", "3", "3", 0},
                   Ellipsis},
        DecimalRow{"ellipsis_full_width_middle_dots",
                   "\uFF10\uFF0E\uFF11\uFF16\uFF16\u30FB\u30FB\u30FB",
                   {false, "0", "16", "6", 0},
                   Ellipsis}),
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
        FractionRow{"divide", "1\u00F77", {false, "", "1", "7"}, Fraction},
        FractionRow{"divide_blanks", " 3 \u00F7 4 ", {false, "", "3", "4"}, Fraction},
        FractionRow{"divide_full_width", "\uFF11\u00F7\uFF17", {false, "", "1", "7"}, Fraction},
        FractionRow{"divide_negative_ideographic_spaces",
                    "\u22121\u3000\u00F7\u30007",
                    {true, "", "1", "7"},
                    Fraction},
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

// The refusal of digits that show no recurring block before the ellipsis at
// character `at`, with the advice for `digit` recurring.
std::string NoBlock(int at, const std::string& digit, const std::string& repeated,
                    const std::string& parenthesised) {
  return "the ellipsis at character " + std::to_string(at) +
         " must follow the recurring digits written out at least twice after the point: if " +
         digit + " recurs, write " + repeated + " or " + parenthesised;
}

// The same refusal for digits that look like a display rounded at their last
// digit, with the advice to read `display` as rounded ("" for none).
std::string RoundedBlock(int at, const std::string& display) {
  std::string text = "the ellipsis at character " + std::to_string(at) +
                     " must follow the recurring digits written out at least twice after the "
                     "point: for a display rounded at its last digit, ";
  return text + (display.empty() ? "leave the ellipsis out and read it as rounded"
                                 : "write " + display + " and read it as rounded");
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
        // As many hex digits as the code point needs, at least four.
        ErrorRow{"character_past_the_basic_plane", "1\U0001D7CE",
                 "unexpected character U+1D7CE at character 2", 2, exact::ProblemKind::Character},
        ErrorRow{"last_code_point", "1\U0010FFFD", "unexpected character U+10FFFD at character 2",
                 2, exact::ProblemKind::Character},
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
        // A period marked after digits with no point: the advice puts the point
        // where it may belong among the user's own digits.
        ErrorRow{"parentheses_before_point", "12(3)",
                 "the recurring part at character 3 must follow a point: write 12.(3) or 1.2(3)",
                 3},
        ErrorRow{"parentheses_before_point_one_digit", "1(3)",
                 "the recurring part at character 2 must follow a point: write 1.(3) or 0.1(3)", 2},
        ErrorRow{"parentheses_without_digits_before", "(3)",
                 "the recurring part at character 1 must follow a point: write 0.(3)", 1},
        ErrorRow{"brackets_before_point_signed", "-05[36]",
                 "the recurring part at character 4 must follow a point: write -05.[36] or "
                 "-0.5[36]",
                 4},
        ErrorRow{"parentheses_before_point_long_without_advice",
                 "314159265358979323846264338327(9)",
                 "the recurring part at character 31 must follow a point", 31},
        ErrorRow{"parentheses_before_point_not_closed", "12(3",
                 "the parenthesis opened at character 3 is never closed", 3},
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
                 "a second dot at character 5, on the digit at character 3", 5},
        ErrorRow{"overline_gap", "0.1\u030523\u0305",
                 "the digit at character 5 has no overline, but one before it has: overline every "
                 "recurring digit, and only the last digits",
                 5},
        ErrorRow{"r_before_point", "12r3",
                 "the r at character 3 must follow a point: write 12.r3 or 1.2r3", 3},
        ErrorRow{"r_before_point_zero", "00r5",
                 "the r at character 3 must follow a point: write 00.r5", 3},
        ErrorRow{"r_before_point_without_digits", "12r",
                 "the r at character 3 is followed by no digits", 3},
        ErrorRow{"r_without_digits", "0.5r", "the r at character 4 is followed by no digits", 4},
        // Digits that show no recurring block before the ellipsis: the advice
        // writes their last digit recurring, three times as the writer does.
        ErrorRow{"ellipsis_no_repetition", "0.5...", NoBlock(4, "5", "0.555...", "0.(5)"), 4},
        ErrorRow{"ellipsis_two_different_digits", "0.16...", NoBlock(5, "6", "0.1666...", "0.1(6)"),
                 5},
        ErrorRow{"ellipsis_block_once", "0.142857\u2026",
                 NoBlock(9, "7", "0.14285777\u2026", "0.14285(7)"), 9},
        ErrorRow{"ellipsis_advice_four_times", "0.166616...",
                 NoBlock(9, "6", "0.166616666...", "0.16661(6)"), 9},
        ErrorRow{"ellipsis_advice_middle_dots", "0.3\u30FB\u30FB\u30FB",
                 NoBlock(4, "3", "0.333\u30FB\u30FB\u30FB", "0.(3)"), 4},
        ErrorRow{"ellipsis_advice_signed_without_integer", "-.5\u2026\u2026",
                 NoBlock(4, "5", "-.555\u2026\u2026", "-.(5)"), 4},
        ErrorRow{"ellipsis_advice_at_its_longest", "0.16666666666666666666666666667...",
                 RoundedBlock(32, "0.16666666666666666666666666667"), 32},
        ErrorRow{"ellipsis_long_without_advice", "0.314159265358979323846264338327...",
                 RoundedBlock(33, ""), 33},
        ErrorRow{"ellipsis_long_integer_without_advice", "12345678901234567890123456789.16...",
                 "the ellipsis at character 33 must follow the recurring digits written out at "
                 "least twice after the point",
                 33},
        // A calculator's display followed by an ellipsis: the pupil meant the
        // digits to go on as they began, not the last one to recur.
        ErrorRow{"ellipsis_after_a_calculators_display", "0.6666666667...",
                 RoundedBlock(13, "0.6666666667"), 13},
        ErrorRow{"ellipsis_after_ten_digits", "-.1428571429…", RoundedBlock(13, "-.1428571429"),
                 13},
        ErrorRow{"ellipsis_after_a_rounded_block", "0.1667...", RoundedBlock(7, "0.1667"), 7},
        ErrorRow{"ellipsis_after_nine_digits", "0.123456789...",
                 NoBlock(12, "9", "0.12345678999...", "0.12345678(9)"), 12},
        ErrorRow{"ellipsis_integer_digits_not_counted", "33.3...",
                 NoBlock(5, "3", "33.333...", "33.(3)"), 5},
        ErrorRow{"ellipsis_text_after", "0.333...+",
                 "unexpected '+' at character 9 after the ellipsis", 9},
        ErrorRow{"ellipsis_text_after_the_exponent", "0.333...e2.",
                 "unexpected '.' at character 11 after the ellipsis", 11},
        ErrorRow{"ellipsis_exponent_without_digits", "0.333...e",
                 "the exponent at character 9 has no digits", 9},
        ErrorRow{"ellipsis_four_points", "0.333....",
                 "unexpected '.' at character 9 after the ellipsis", 9},
        ErrorRow{"ellipsis_seven_points", "0.333.......",
                 "unexpected '.' at character 12 after the ellipsis", 12},
        ErrorRow{"single_middle_dot", "0.3\u30FB",
                 "a single middle dot at character 4: write a point as . and an ellipsis as "
                 "\u30FB\u30FB\u30FB",
                 4},
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
        ErrorRow{"divide_decimal_before", "1.5\u00F72",
                 "a point at character 2: only whole numbers can stand on either side of \u00F7",
                 2},
        ErrorRow{"divide_by_zero", "1\u00F700",
                 "the number after \u00F7 at character 3 is zero: no number can be divided by "
                 "zero",
                 3, exact::ProblemKind::ZeroDenominator},
        ErrorRow{"divide_nothing_before", "\u00F77",
                 "the \u00F7 at character 1 has no number before it", 1},
        ErrorRow{"divide_nothing_after", "7 \u00F7 ",
                 "the \u00F7 at character 3 has no number after it", 3},
        ErrorRow{"divide_mixed_number", "1 1\u00F72", "unexpected digit 1 at character 3", 3},
        ErrorRow{"divide_after_slash", "1/2\u00F73", "unexpected \u00F7 at character 4", 4},
        ErrorRow{"divide_after_ellipsis", "0.33...\u00F73",
                 "the \u00F7 at character 8 cannot be used together with the ellipsis at "
                 "character 5",
                 8},
        ErrorRow{"comma", "1,5", "unexpected ',' at character 2", 2,
                 exact::ProblemKind::Character}),
    RowName{});

// --- Refusals for a translator -------------------------------------------------------

// The sentence with blanks that a front end translates, and what fills them:
// the place, the library's words, and the advice in the user's own digits.
struct FormatRow {
  const char* name;
  const char* text;
  std::string format;
  std::vector<std::string> args;
};

class ReadFormatTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(ReadFormatTest, ComesWithItsBlanksFilled) {
  const exact::Result<Reading> read = exact::Read(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Problem>(read));
  const Problem& problem = std::get<Problem>(read);
  EXPECT_EQ(problem.format, GetParam().format);
  EXPECT_EQ(problem.args, GetParam().args);
  EXPECT_EQ(exact::FillIn(problem.format, problem.args), problem.message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadFormatTest,
    ::testing::Values(
        FormatRow{"word",
                  "0.1(6",
                  "the {2} opened at character {1} is never closed",
                  {"4", "parenthesis"}},
        FormatRow{"period_before_point",
                  "-12(3)",
                  "the recurring part at character {1} must follow a point: write {2} or {3}",
                  {"4", "-12.(3)", "-1.2(3)"}},
        FormatRow{"ellipsis_without_block",
                  "\uFF10\uFF0E\uFF11\uFF16\u30FB\u30FB\u30FB",
                  "the ellipsis at character {1} must follow the recurring digits written out at "
                  "least twice after the point: if {2} recurs, write {3} or {4}",
                  {"5", "6", "0.1666\u30FB\u30FB\u30FB", "0.1(6)"}},
        FormatRow{"divide_sign_as_word",
                  "1\u00F72\u00F73",
                  "unexpected {2} at character {1}",
                  {"4", "\u00F7"}}),
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
