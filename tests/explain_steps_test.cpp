// The steps of a few school exercises as data, before any renderer words
// them: each step's kind, its English format, and its formulas piece by
// piece (explain_check.h's Described), written out by hand.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include <quotalis/exact/read.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/working.h>

#include "explain/render.h"
#include "explain_check.h"
#include "named_rows.h"

namespace {

using quotalis::testing::Described;
using quotalis::testing::PrintTo;
using namespace quotalis;

enum class Direction { Decimal, Fraction, Rounded };

struct Row {
  const char* name;
  const char* entry;
  Direction direction;
  bool mixed;
  std::vector<std::string> steps;
};

const Row kRows[] = {
    {"sixth",
     "0.1(6)",
     Direction::Decimal,
     false,
     {"say \"Let {1}\" [x = dec(0.1(6))]",
      "say \"The {2}-digit period {1} starts at digit {4} after the point. Multiplying {6} by {5} "
      "moves the point to the start of the period, and multiplying it by {3} moves the point one "
      "period further to the right\" [6] [1] [100] [2] [10] [x]",
      "eq g1 (1): 100 x = dec(16.(6))x3...", "eq g1 (2): 10 x = dec(1.(6))x3...",
      "say \"(1) - (2): the recurring parts cancel\"", "eq g3: 100 x = dec(16.(6))x3...",
      "eq g3 -): 10 x = dec(1.(6))x3...", "eq g3: 90 x = 15",
      "say \"{1}, so {2}\" [90 x = 15] [x = frac(15 | 90)]",
      "say \"Prime factorisation of the numerator and the denominator:\"",
      "eq g2: 15 = 3{c1} × 5{c1}", "eq g2: 90 = 2 × 3{c1} × 3 × 5{c1}",
      "say \"The struck factors are those both share; their product is the highest common factor: "
      "{1}\" [3 × 5 = 15]",
      "say \"Divide the numerator and the denominator by {1}: {2}\" [15] [x = frac(15 | 90) = "
      "frac(1 | 6)]",
      "say \"So {1}\" [dec(0.1(6)) = frac(1 | 6)]"}},
    {"sign_and_exponent",
     "-1.2(3)e-5",
     Direction::Decimal,
     false,
     {"say \"Let {1}\" [x = neg dec(1.2(3)) × 10^-5]",
      "say \"Set the sign and the power of ten aside: let {1}, so that {2}\" [y = dec(1.2(3))] [x "
      "= neg y × 10^-5]",
      "say \"The {2}-digit period {1} starts at digit {4} after the point. Multiplying {6} by {5} "
      "moves the point to the start of the period, and multiplying it by {3} moves the point one "
      "period further to the right\" [3] [1] [100] [2] [10] [y]",
      "eq g1 (1): 100 y = dec(123.(3))x3...", "eq g1 (2): 10 y = dec(12.(3))x3...",
      "say \"(1) - (2): the recurring parts cancel\"", "eq g3: 100 y = dec(123.(3))x3...",
      "eq g3 -): 10 y = dec(12.(3))x3...", "eq g3: 90 y = 111",
      "say \"{1}, so {2}\" [90 y = 111] [y = frac(111 | 90)]",
      "say \"Put the power of ten back: {1}\" [y × 10^-5 = frac(111 | 90) × 10^-5 = frac(111 | "
      "9000000)]",
      "say \"Put the sign back: {1}\" [x = neg frac(111 | 9000000)]",
      "say \"Prime factorisation of the numerator and the denominator:\"",
      "eq g2: 111 = 3{c1} × 37", "eq g2: 9000000 = 2^6 × 3{c1} × 3 × 5^6",
      "say \"The struck factors are those both share; their product is the highest common factor: "
      "{1}\" [3]",
      "say \"Divide the numerator and the denominator by {1}: {2}\" [3] [x = -frac(111 | 9000000) "
      "= -frac(37 | 3000000)]",
      "say \"So {1}\" [neg dec(1.2(3)) × 10^-5 = -frac(37 | 3000000)]"}},
    {"nines",
     "0.(9)",
     Direction::Decimal,
     true,  // 1 is a whole number: no mixed number
     {"say \"Let {1}\" [x = dec(0.(9))]",
      "say \"The {2}-digit period {1} starts right after the point. Multiplying {4} by {3} moves "
      "the point one period to the right\" [9] [1] [10] [x]",
      "eq g1 (1): 10 x = dec(9.(9))x3...", "eq g1 (2): x = dec(0.(9))x3...",
      "say \"(1) - (2): the recurring parts cancel\"", "eq g3: 10 x = dec(9.(9))x3...",
      "eq g3 -): x = dec(0.(9))x3...", "eq g3: 9 x = 9", "say \"{1}, so {2}\" [9 x = 9] [x = 1]",
      "say \"So {1}\" [dec(0.(9)) = 1]",
      "say \"{1} and {2} are the same number, not just close to each other\" [dec(0.(9))] "
      "[dec(1)]"}},
    {"mixed_answer",
     "-1.1(6)",
     Direction::Decimal,
     true,
     {"say \"Let {1}\" [x = neg dec(1.1(6))]",
      "say \"Set the sign aside: let {1}, so that {2}\" [y = dec(1.1(6))] [x = neg y]",
      "say \"The {2}-digit period {1} starts at digit {4} after the point. Multiplying {6} by {5} "
      "moves the point to the start of the period, and multiplying it by {3} moves the point one "
      "period further to the right\" [6] [1] [100] [2] [10] [y]",
      "eq g1 (1): 100 y = dec(116.(6))x3...", "eq g1 (2): 10 y = dec(11.(6))x3...",
      "say \"(1) - (2): the recurring parts cancel\"", "eq g3: 100 y = dec(116.(6))x3...",
      "eq g3 -): 10 y = dec(11.(6))x3...", "eq g3: 90 y = 105",
      "say \"{1}, so {2}\" [90 y = 105] [y = frac(105 | 90)]",
      "say \"Put the sign back: {1}\" [x = neg y = neg frac(105 | 90)]",
      "say \"Prime factorisation of the numerator and the denominator:\"",
      "eq g2: 105 = 3{c1} × 5{c1} × 7", "eq g2: 90 = 2 × 3{c1} × 3 × 5{c1}",
      "say \"The struck factors are those both share; their product is the highest common factor: "
      "{1}\" [3 × 5 = 15]",
      "say \"Divide the numerator and the denominator by {1}: {2}\" [15] [x = -frac(105 | 90) = "
      "-frac(7 | 6)]",
      "say \"As a mixed number: {1}\" [x = -frac(7 | 6) = -1 frac(1 | 6)]",
      "say \"So {1}\" [neg dec(1.1(6)) = -frac(7 | 6)]"}},
    {"seventh",
     "1/7",
     Direction::Fraction,
     false,
     {"say \"Work out {1} by long division:\" [1 ÷ 7]",
      "row 0 g4: 1 ÷ 7 = 0 r 1",
      "row 1 g4: 10 ÷ 7 = 1 r 3",
      "row 2 g4: 30 ÷ 7 = 4 r 2",
      "row 3 g4: 20 ÷ 7 = 2 r 6",
      "row 4 g4: 60 ÷ 7 = 8 r 4",
      "row 5 g4: 40 ÷ 7 = 5 r 5",
      "row 6 g4: 50 ÷ 7 = 7 r 1",
      "say \"Remainder {1} again: digits {2} to {3} repeat\" [1] [1] [6]",
      "eq g0: frac(1 | 7) = dec(0.(142857))",
      "say \"Check: turn the decimal back into a fraction\"",
      "say \"Let {1}\" [x = dec(0.(142857))]",
      "say \"The {2}-digit period {1} starts right after the point. Multiplying {4} by {3} moves "
      "the point one period to the right\" [142857] [6] [1000000] [x]",
      "eq g1 (1): 1000000 x = dec(142857.(142857))x2...",
      "eq g1 (2): x = dec(0.(142857))x2...",
      "say \"(1) - (2): the recurring parts cancel\"",
      "eq g3: 1000000 x = dec(142857.(142857))x2...",
      "eq g3 -): x = dec(0.(142857))x2...",
      "eq g3: 999999 x = 142857",
      "say \"{1}, so {2}\" [999999 x = 142857] [x = frac(142857 | 999999)]",
      "say \"Prime factorisation of the numerator and the denominator:\"",
      "eq g2: 142857 = 3^3{c3} × 11{c1} × 13{c1} × 37{c1}",
      "eq g2: 999999 = 3^3{c3} × 7 × 11{c1} × 13{c1} × 37{c1}",
      "say \"The struck factors are those both share; their product is the highest common factor: "
      "{1}\" [3^3 × 11 × 13 × 37 = 142857]",
      "say \"Divide the numerator and the denominator by {1}: {2}\" [142857] [x = frac(142857 | "
      "999999) = frac(1 | 7)]",
      "say \"So {1}\" [frac(1 | 7) = dec(0.(142857))]"}},
    {"mixed_number",
     "3 1/4",
     Direction::Fraction,
     false,
     {"say \"Write the mixed number as an improper fraction: {1}\" [3 frac(1 | 4) = frac(3 × 4 + 1 "
      "| 4) = frac(13 | 4)]",
      "say \"Work out {1} by long division:\" [13 ÷ 4]", "row 0 g4: 13 ÷ 4 = 3 r 1",
      "row 1 g4: 10 ÷ 4 = 2 r 2", "row 2 g4: 20 ÷ 4 = 5 r 0",
      "say \"Remainder 0: the division ends\"", "say \"So {1}\" [3 frac(1 | 4) = dec(3.25)]"}},
    {"negative_unreduced",
     "-10/4",
     Direction::Fraction,
     false,
     {"say \"Set the sign aside: work on {1}\" [frac(10 | 4)]",
      "say \"Reduce first, by the highest common factor of {1} and {2}, which is {3}: {4}\" [10] "
      "[4] [2] [frac(10 | 4) = frac(5 | 2)]",
      "say \"Work out {1} by long division:\" [5 ÷ 2]", "row 0 g4: 5 ÷ 2 = 2 r 1",
      "row 1 g4: 10 ÷ 2 = 5 r 0", "say \"Remainder 0: the division ends\"",
      "say \"Put the sign back: {1}\" [-frac(5 | 2) = dec(-2.5)]",
      "say \"So {1}\" [-frac(10 | 4) = dec(-2.5)]"}},
    {"rounded_pi",
     "3.14159",
     Direction::Rounded,
     false,
     {"say \"{1} is an approximation of the true value {2}, rounded half up to digit {3} after the "
      "point, so {2} lies in this range\" [dec(3.14159)] [x] [5]",
      "eq g0: dec(3.141585) ≤ x < dec(3.141595)",
      "say \"Rounded half up, {1} gives {2}, so it is not in the range\" [dec(3.141595)] "
      "[dec(3.14160)]",
      "say \"Find the fraction with the smallest denominator in this range as a continued "
      "fraction, taking off one whole part at a time\"",
      "say \"The whole part of both ends is {1}: let {2}, so that {3}\" [3] [x = 3 + frac(1 | "
      "x_1)] [x_1 = frac(1 | x - 3)]",
      "eq g0: 7 + frac(1767 | 28319) < x_1 ≤ 7 + frac(1781 | 28317)",
      "say \"The whole part of both ends is {1}: let {2}, so that {3}\" [7] [x_1 = 7 + frac(1 | "
      "x_2)] [x_2 = frac(1 | x_1 - 7)]",
      "eq g0: 15 + frac(1602 | 1781) ≤ x_2 < 16 + frac(47 | 1767)",
      "say \"The smallest whole number in this range is {1}: let {2}\" [16] [x_2 = 16]",
      "say \"Put the whole parts back into the continued fraction: {1}\" [x = 3 + frac(1 | 7 + "
      "frac(1 | 16)) = frac(355 | 113)]",
      "say \"No fraction with a smaller denominator lies in the range: {1} lies between {2} and "
      "{3}, which are outside it\" [frac(355 | 113)] [frac(333 | 106)] [frac(22 | 7)]",
      "eq g0: frac(333 | 106) < dec(3.141585) ≤ frac(355 | 113) < dec(3.141595) < frac(22 | 7)",
      "say \"{1} and {2} are neighbouring fractions (ad - bc = 1): {3}\" [frac(333 | 106)] "
      "[frac(22 | 7)] [22 × 106 - 7 × 333 = 1]",
      "say \"Every fraction strictly between two neighbouring fractions has a denominator of at "
      "least the sum of theirs, {1}, and {2} is the only one between them with the denominator "
      "{3}\" [106 + 7 = 113] [frac(355 | 113)] [113]",
      "say \"So the simplest fraction {1} may stand for is {2}\" [dec(3.14159)] [frac(355 | "
      "113)]"}},
    {"rounded_negative_half",
     "-0.5",
     Direction::Rounded,
     true,
     {"say \"{1} is an approximation of the true value {2}, rounded half up to digit {3} after the "
      "point, so {2} lies in this range\" [dec(-0.5)] [x] [1]",
      "eq g0: dec(-0.55) < x ≤ dec(-0.45)",
      "say \"A negative number is rounded by its size: {1} gives {2}, so it is not in the range\" "
      "[dec(-0.55)] [dec(-0.6)]",
      "say \"Set the sign aside: let {1}, so that {2}\" [y = neg x] [dec(0.45) ≤ y < dec(0.55)]",
      "say \"Find the fraction with the smallest denominator in this range as a continued "
      "fraction, taking off one whole part at a time\"",
      "say \"The whole part of both ends is {1}: let {2}, so that {3}\" [0] [y = frac(1 | y_1)] "
      "[y_1 = frac(1 | y)]",
      "eq g0: 1 + frac(9 | 11) < y_1 ≤ 2 + frac(2 | 9)",
      "say \"The smallest whole number in this range is {1}: let {2}\" [2] [y_1 = 2]",
      "say \"Put the whole parts back into the continued fraction: {1}\" [y = frac(1 | 2)]",
      "say \"No fraction with a smaller denominator lies in the range: {1} lies between {2} and "
      "{3}, which are outside it\" [frac(1 | 2)] [0] [1]",
      "eq g0: 0 < dec(0.45) ≤ frac(1 | 2) < dec(0.55) < 1",
      "say \"{1} and {2} are neighbouring fractions (ad - bc = 1): {3}\" [0] [1] [1 × 1 - 1 × 0 = "
      "1]",
      "say \"Every fraction strictly between two neighbouring fractions has a denominator of at "
      "least the sum of theirs, {1}, and {2} is the only one between them with the denominator "
      "{3}\" [1 + 1 = 2] [frac(1 | 2)] [2]",
      "say \"Put the sign back: {1}\" [x = neg y = -frac(1 | 2)]",
      "say \"So the simplest fraction {1} may stand for is {2}\" [dec(-0.5)] [-frac(1 | 2)]"}},
    {"rounded_zero",
     "0.0000",
     Direction::Rounded,
     false,
     {"say \"{1} is an approximation of the true value {2}, rounded half up to digit {3} after the "
      "point, so {2} lies in this range\" [dec(0.0000)] [x] [4]",
      "eq g0: dec(-0.00005) < x < dec(0.00005)",
      "say \"Rounded half up, {1} and {2} give {3} and {4}, so neither end is in the range\" "
      "[dec(-0.00005)] [dec(0.00005)] [dec(-0.0001)] [dec(0.0001)]",
      "say \"The range holds 0, the simplest number there is: {1}\" [x = 0]",
      "say \"So the simplest fraction {1} may stand for is {2}\" [dec(0.0000)] [0]"}},
};

class StepsAsData : public ::testing::TestWithParam<Row> {};

explain::Steps StepsOf(const Row& row) {
  const exact::Result<exact::Reading> read = exact::Read(row.entry);
  EXPECT_TRUE(std::holds_alternative<exact::Reading>(read)) << row.entry;
  if (!std::holds_alternative<exact::Reading>(read)) return {};
  const exact::Reading& reading = std::get<exact::Reading>(read);
  const explain::Style style =
      explain::ChooseStyle(exact::Notation::Parentheses, reading.notation, row.mixed, "en");
  if (row.direction == Direction::Fraction) {
    const auto made = exact::ExplainFraction(std::get<exact::FractionText>(reading.value));
    return explain::FractionSteps(std::get<exact::FractionWorking>(made));
  }
  const auto& decimal = std::get<exact::Decimal>(reading.value);
  if (row.direction == Direction::Rounded) {
    return explain::RoundedSteps(std::get<exact::RoundedWorking>(exact::ExplainRounded(decimal)),
                                 style);
  }
  return explain::DecimalSteps(std::get<exact::DecimalWorking>(exact::ExplainDecimal(decimal)),
                               style);
}

TEST_P(StepsAsData, AreWhatATeacherWrites) {
  const Row& row = GetParam();
  std::vector<std::string> described;
  for (const explain::Step& step : StepsOf(row).steps) described.push_back(Described(step));
  EXPECT_EQ(described, row.steps);
}

INSTANTIATE_TEST_SUITE_P(Exercises, StepsAsData, ::testing::ValuesIn(kRows),
                         quotalis::testing::RowName());

}  // namespace
