// Writing every notation, and the round trip from each writer through the
// reader back to the same canonical value.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/keypad.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/write.h>

#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Notation;
using exact::Problem;
using testing::PrintTo;

// --- Every notation -----------------------------------------------------------------

struct WriteRow {
  const char* name;
  Decimal canonical;
  Notation notation;
  const char* text;
};

class WriteTest : public ::testing::TestWithParam<WriteRow> {};

TEST_P(WriteTest, Writes) {
  const exact::Result<std::string> out = exact::Write(GetParam().canonical, GetParam().notation);
  ASSERT_TRUE(std::holds_alternative<std::string>(out)) << std::get<Problem>(out).message;
  EXPECT_EQ(std::get<std::string>(out), GetParam().text);
}

const Decimal kSixth{false, "0", "1", "6", 0};
const Decimal kSeventh{false, "0", "", "142857", 0};
const Decimal kTwoDigits{true, "3", "", "12", 0};

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteTest,
    ::testing::Values(
        WriteRow{"parentheses", kSixth, Notation::Parentheses, "0.1(6)"},
        WriteRow{"brackets", kSixth, Notation::Brackets, "0.1[6]"},
        WriteRow{"quotes", kSixth, Notation::Quotes, "0.1'6'"},
        WriteRow{"dots_one_digit", kSixth, Notation::Dots, "0.16\u0307"},
        WriteRow{"dots_long", kSeventh, Notation::Dots, "0.1\u030742857\u0307"},
        WriteRow{"dots_two_digits", kTwoDigits, Notation::Dots, "-3.1\u03072\u0307"},
        WriteRow{"overline", kSixth, Notation::Overline, "0.16\u0305"},
        WriteRow{"r_form", kSixth, Notation::R, "0.1r6"},
        WriteRow{"ellipsis_one_digit", kSixth, Notation::Ellipsis, "0.1666..."},
        WriteRow{"ellipsis_long", kSeventh, Notation::Ellipsis, "0.142857142857..."},
        WriteRow{
            "ellipsis_one_digit_alone", {false, "0", "", "3", 0}, Notation::Ellipsis, "0.333..."},
        WriteRow{"ellipsis_one_digit_four_times",
                 {false, "0", "16661", "6", 0},
                 Notation::Ellipsis,
                 "0.166616666..."},
        WriteRow{"ellipsis_long_period_twice",
                 {false, "0", "", "1000", 0},
                 Notation::Ellipsis,
                 "0.10001000..."},
        WriteRow{"ellipsis_ending_moved",
                 {false, "0", "", "12323", 0},
                 Notation::Ellipsis,
                 "0.12323123231..."},
        WriteRow{
            "ellipsis_applies_exponent", {false, "0", "", "3", 1}, Notation::Ellipsis, "3.333..."},
        WriteRow{"latex", kSixth, Notation::Latex, "0.1\\overline{6}"},
        WriteRow{"latex_negative", kTwoDigits, Notation::Latex, "-3.\\overline{12}"},
        WriteRow{
            "latex_exponent", {false, "1", "5", "", -3}, Notation::Latex, "1.5\\times 10^{-3}"},
        WriteRow{
            "exponent_as_it_stands", {false, "1", "", "3", 7}, Notation::Parentheses, "1.(3)e7"},
        WriteRow{"terminating_plain", {true, "0", "5", "", 0}, Notation::Ellipsis, "-0.5"},
        WriteRow{"plain_terminating", {false, "12", "25", "", 0}, Notation::Plain, "12.25"},
        WriteRow{"keypad", kSixth, Notation::Keypad, "0.16 1"},
        WriteRow{"keypad_no_length_limit",
                 {false, "0", "", "123456789", 0},
                 Notation::Keypad,
                 "0.123456789 9"},
        WriteRow{"keypad_integer", {false, "12", "", "", 0}, Notation::Keypad, "12 0"},
        WriteRow{"keypad_negative", {true, "0", "5", "", 0}, Notation::Keypad, "-0.5 0"},
        WriteRow{
            "keypad_period_ending_in_zero", {false, "0", "", "10", 0}, Notation::Keypad, "0.101 2"},
        WriteRow{"keypad_period_ending_in_zeros",
                 {false, "0", "", "0010", 0},
                 Notation::Keypad,
                 "0.0010001 4"},
        WriteRow{"keypad_applies_exponent", {false, "0", "", "6", 1}, Notation::Keypad, "6.6 1"}),
    RowName{});

// --- Round trips ---------------------------------------------------------------------

constexpr Notation kReadable[] = {Notation::Parentheses, Notation::Brackets, Notation::Quotes,
                                  Notation::Dots,        Notation::Overline, Notation::R,
                                  Notation::Ellipsis};

// The length of the block the ellipsis reader takes at the end of `digits`,
// worked out by comparing every block length directly: the shortest block of
// two or more digits shown twice in a row at the end (one digit when it is
// one digit twice), else one digit shown twice at the end, else 0.
std::size_t BlockByHand(const std::string& digits) {
  const std::size_t n = digits.size();
  const bool lastTwoEqual = n >= 2 && digits[n - 1] == digits[n - 2];
  for (std::size_t q = 2; 2 * q <= n; ++q) {
    if (digits.substr(n - 2 * q, q) == digits.substr(n - q)) return q == 2 && lastTwoEqual ? 1 : q;
  }
  return lastTwoEqual ? 1 : 0;
}

// Whether some way of writing the period after `fixed` and before an
// ellipsis reads back as that period: a one-digit period three or four
// times, a longer one twice and then some of its first digits.
bool SomeEllipsisEndingWorks(const std::string& fixed, const std::string& period) {
  const std::size_t k = period.size();
  if (k == 1) {
    return BlockByHand(fixed + period + period + period) == 1 ||
           BlockByHand(fixed + period + period + period + period) == 1;
  }
  for (std::size_t extra = 0; extra < k; ++extra) {
    if (BlockByHand(fixed + period + period + period.substr(0, extra)) == k) return true;
  }
  return false;
}

// Writes `c` in every readable notation and reads each back to `c`. The
// ellipsis may refuse a period, but only one that no ending can carry.
void ExpectRoundTrips(const Decimal& c) {
  for (const Notation notation : kReadable) {
    const exact::Result<std::string> text = exact::Write(c, notation);
    if (notation == Notation::Ellipsis && std::holds_alternative<Problem>(text) &&
        c.period.size() <= 40) {
      EXPECT_FALSE(SomeEllipsisEndingWorks(c.fixed, c.period)) << c.period;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<std::string>(text))
        << std::get<Problem>(text).message << " in " << exact::NotationName(notation);
    const exact::Result<exact::Reading> read = exact::Read(std::get<std::string>(text));
    ASSERT_TRUE(std::holds_alternative<exact::Reading>(read))
        << std::get<std::string>(text) << ": " << std::get<Problem>(read).message;
    const Decimal& back = std::get<Decimal>(std::get<exact::Reading>(read).value);
    EXPECT_EQ(exact::Canonical(back), exact::Result<Decimal>(c)) << std::get<std::string>(text);
  }
  // The keypad notation reads back through FromKeypad, its entry and K.
  const std::string keypad = std::get<std::string>(exact::Write(c, Notation::Keypad));
  const std::size_t blank = keypad.rfind(' ');
  const std::size_t from = keypad.starts_with('-') ? 1 : 0;
  Decimal back = std::get<Decimal>(
      exact::FromKeypad(keypad.substr(from, blank - from), std::stoll(keypad.substr(blank + 1))));
  back.negative = c.negative;
  EXPECT_EQ(exact::Canonical(back), exact::Result<Decimal>(c)) << keypad;
}

TEST(RoundTrip, RandomDecimalsOfManySizes) {
  std::mt19937_64 random(5);
  for (int round = 0; round < 4000; ++round) {
    const std::size_t longest = round < 3000 ? 6 : round < 3900 ? 80 : 3000;
    const Decimal d = exact::reference::RandomDecimal(random, longest, 20);
    ExpectRoundTrips(std::get<Decimal>(exact::Canonical(d)));
  }
}

// Periods of two kinds of digit are where a shorter block most often shows
// at an ellipsis's end. Up to 12 digits every one reads back; of 13 and 14
// digits, 54 have no ending that does (0010010100101 is one): those are
// refused, the rest read back, as the count by hand says for each.
TEST(RoundTrip, EveryTwoDigitKindPeriodAfterAnEllipsis) {
  int refused = 0;
  for (std::size_t k = 1; k <= 14; ++k) {
    for (std::uint32_t bits = 0; bits < (1u << k); ++bits) {
      std::string period;
      for (std::size_t i = 0; i < k; ++i) period += (bits >> i & 1u) ? '1' : '0';
      const Decimal c = std::get<Decimal>(exact::Canonical({false, "0", "", period, 0}));
      if (c.period.size() != k) continue;  // not primitive, or nines or zeros
      ExpectRoundTrips(c);
      const bool written = std::holds_alternative<std::string>(exact::Write(c, Notation::Ellipsis));
      EXPECT_EQ(written, SomeEllipsisEndingWorks("", period)) << period;
      refused += written ? 0 : 1;
    }
  }
  EXPECT_EQ(refused, 54);
  EXPECT_EQ(exact::Write({false, "0", "", "0010010100101", 0}, Notation::Ellipsis),
            exact::Result<std::string>(
                Problem{exact::ProblemKind::Unwritable,
                        "no repetition of the period 0010010100101 reads back unambiguously after "
                        "an ellipsis: use parentheses",
                        0}));
}

// A one-digit period is written three times, or four where three would show
// a longer block with the digits before them (0.16661(6), and 104 more of
// these): every non-recurring part of up to 10 digits 1 and 6 before a
// recurring 6.
TEST(RoundTrip, OneDigitPeriodAfterEveryShortFixedPart) {
  int fourTimes = 0;
  for (std::size_t length = 0; length <= 10; ++length) {
    for (std::uint32_t bits = 0; bits < (1u << length); ++bits) {
      std::string fixed;
      for (std::size_t i = 0; i < length; ++i) fixed += (bits >> i & 1u) ? '6' : '1';
      if (!fixed.empty() && fixed.back() == '6') continue;  // not canonical
      const Decimal c{false, "0", fixed, "6", 0};
      ExpectRoundTrips(c);
      const bool four = BlockByHand(fixed + "666") != 1;
      EXPECT_EQ(std::get<std::string>(exact::Write(c, Notation::Ellipsis)),
                "0." + fixed + (four ? "6666..." : "666..."));
      fourTimes += four ? 1 : 0;
    }
  }
  EXPECT_EQ(fourTimes, 105);
}

TEST(Write, RefusesWhatItsNotationCannotCarry) {
  const Decimal sixth{false, "0", "1", "6", 0};
  const auto kind = [&](Notation n) { return std::get<Problem>(exact::Write(sixth, n)).kind; };
  EXPECT_EQ(kind(Notation::Plain), exact::ProblemKind::Unwritable);
  EXPECT_EQ(kind(Notation::Fraction), exact::ProblemKind::Argument);
  EXPECT_EQ(kind(Notation::Mixed), exact::ProblemKind::Argument);
}

}  // namespace
}  // namespace quotalis::testing
