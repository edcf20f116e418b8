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
        WriteRow{"ellipsis_ending_moved",
                 {false, "0", "", "1000", 0},
                 Notation::Ellipsis,
                 "0.100010001..."},
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

// Whether some ending of the period written out after an ellipsis shows no
// shorter block at least twice (one digit three times) at its end, by
// comparing every block length directly.
bool SomeEllipsisEndingWorks(const std::string& period) {
  const std::size_t k = period.size();
  for (std::size_t extra = 0; extra < k; ++extra) {
    const std::string digits = period + period + period + period.substr(0, extra);
    bool shorter = false;
    for (std::size_t q = 1; q < k && !shorter; ++q) {
      const std::size_t span = q == 1 ? 3 : 2 * q;
      const std::string tail = digits.substr(digits.size() - span);
      bool repeats = true;
      for (std::size_t i = q; i < span; ++i) repeats = repeats && tail[i] == tail[i - q];
      shorter = repeats;
    }
    if (!shorter) return true;
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
      EXPECT_FALSE(SomeEllipsisEndingWorks(c.period)) << c.period;
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
// at an ellipsis's end. Up to 12 digits, 22 of them have no ending that
// reads back (10010001000 is one): those are refused, the rest read back.
TEST(RoundTrip, EveryTwoDigitKindPeriodAfterAnEllipsis) {
  int refused = 0;
  for (std::size_t k = 1; k <= 12; ++k) {
    for (std::uint32_t bits = 0; bits < (1u << k); ++bits) {
      std::string period;
      for (std::size_t i = 0; i < k; ++i) period += (bits >> i & 1u) ? '1' : '0';
      const Decimal c = std::get<Decimal>(exact::Canonical({false, "0", "", period, 0}));
      if (c.period.size() != k) continue;  // not primitive, or nines or zeros
      ExpectRoundTrips(c);
      refused += std::holds_alternative<Problem>(exact::Write(c, Notation::Ellipsis)) ? 1 : 0;
    }
  }
  EXPECT_EQ(refused, 22);
  EXPECT_EQ(exact::Write({false, "0", "", "10010001000", 0}, Notation::Ellipsis),
            exact::Result<std::string>(
                Problem{exact::ProblemKind::Unwritable,
                        "no repetition of the period 10010001000 reads back unambiguously after an "
                        "ellipsis: use parentheses",
                        0}));
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
