// Writing every notation, the keypad answer, and the round trip from each
// writer through the reader back to the same canonical value.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include "exact/canonical.h"
#include "exact/read.h"
#include "exact/write.h"
#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::KeypadForm;
using exact::Problem;
using exact::Style;
using testing::PrintTo;

// --- Every style -----------------------------------------------------------------

struct WriteRow {
  const char* name;
  Decimal canonical;
  Style style;
  const char* text;
};

class WriteTest : public ::testing::TestWithParam<WriteRow> {};

TEST_P(WriteTest, Writes) {
  const exact::Result<std::string> out = exact::Write(GetParam().canonical, GetParam().style);
  ASSERT_TRUE(std::holds_alternative<std::string>(out)) << std::get<Problem>(out).message;
  EXPECT_EQ(std::get<std::string>(out), GetParam().text);
}

const Decimal kSixth{false, "0", "1", "6", 0};
const Decimal kSeventh{false, "0", "", "142857", 0};
const Decimal kTwoDigits{true, "3", "", "12", 0};

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteTest,
    ::testing::Values(
        WriteRow{"parentheses", kSixth, Style::Parentheses, "0.1(6)"},
        WriteRow{"brackets", kSixth, Style::Brackets, "0.1[6]"},
        WriteRow{"quotes", kSixth, Style::Quotes, "0.1'6'"},
        WriteRow{"dots_one_digit", kSixth, Style::Dots, "0.16\u0307"},
        WriteRow{"dots_long", kSeventh, Style::Dots, "0.1\u030742857\u0307"},
        WriteRow{"dots_two_digits", kTwoDigits, Style::Dots, "-3.1\u03072\u0307"},
        WriteRow{"overline", kSixth, Style::Overline, "0.16\u0305"},
        WriteRow{"overline_two_digits", kTwoDigits, Style::Overline, "-3.1\u03052\u0305"},
        WriteRow{"r_form", kSixth, Style::R, "0.1r6"},
        WriteRow{"ellipsis_one_digit", kSixth, Style::Ellipsis, "0.1666..."},
        WriteRow{"ellipsis_long", kSeventh, Style::Ellipsis, "0.142857142857..."},
        WriteRow{"ellipsis_ending_moved",
                 {false, "0", "", "1000", 0},
                 Style::Ellipsis,
                 "0.100010001..."},
        WriteRow{
            "ellipsis_applies_exponent", {false, "0", "", "3", 1}, Style::Ellipsis, "3.333..."},
        WriteRow{"latex", kSixth, Style::Latex, "0.1\\overline{6}"},
        WriteRow{"latex_negative", kTwoDigits, Style::Latex, "-3.\\overline{12}"},
        WriteRow{"latex_exponent", {false, "1", "5", "", -3}, Style::Latex, "1.5\\times 10^{-3}"},
        WriteRow{"exponent_as_it_stands", {false, "1", "", "3", 7}, Style::Parentheses, "1.(3)e7"},
        WriteRow{"integer_plain", {false, "12", "", "", 0}, Style::Dots, "12"},
        WriteRow{"terminating_plain", {true, "0", "5", "", 0}, Style::Ellipsis, "-0.5"}),
    RowName{});

// --- The keypad answer ---------------------------------------------------------------

struct KeypadRow {
  const char* name;
  Decimal canonical;
  KeypadForm form;
};

class KeypadTest : public ::testing::TestWithParam<KeypadRow> {};

TEST_P(KeypadTest, WhatToType) {
  const exact::Result<KeypadForm> form = exact::ToKeypad(GetParam().canonical);
  ASSERT_TRUE(std::holds_alternative<KeypadForm>(form)) << std::get<Problem>(form).message;
  EXPECT_EQ(std::get<KeypadForm>(form).entry, GetParam().form.entry);
  EXPECT_EQ(std::get<KeypadForm>(form).period, GetParam().form.period);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeypadTest,
    ::testing::Values(
        KeypadRow{"seventh", kSeventh, {"0.142857", 6}}, KeypadRow{"sixth", kSixth, {"0.16", 1}},
        KeypadRow{"integer", {false, "12", "", "", 0}, {"12", 0}},
        KeypadRow{"zero", {false, "0", "", "", 0}, {"0", 0}},
        KeypadRow{"leading_zero_dropped", {false, "0", "", "123456789", 0}, {".123456789", 9}},
        KeypadRow{"ten_characters_kept", {false, "0", "1", "2345678", 0}, {"0.12345678", 7}},
        KeypadRow{"period_ending_in_zero", {false, "0", "", "10", 0}, {"0.101", 2}},
        KeypadRow{"period_ending_in_zeros", {false, "0", "", "0010", 0}, {"0.0010001", 4}}),
    RowName{});

struct KeypadRefusalRow {
  const char* name;
  Decimal canonical;
  const char* message;
};

class KeypadRefusalTest : public ::testing::TestWithParam<KeypadRefusalRow> {};

TEST_P(KeypadRefusalTest, SaysWhy) {
  const exact::Result<KeypadForm> form = exact::ToKeypad(GetParam().canonical);
  ASSERT_TRUE(std::holds_alternative<Problem>(form));
  EXPECT_EQ(std::get<Problem>(form), (Problem{GetParam().message, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeypadRefusalTest,
    ::testing::Values(
        KeypadRefusalRow{
            "negative", {true, "0", "5", "", 0}, "the keypad cannot type a negative value"},
        KeypadRefusalRow{"too_long",
                         {false, "0", "", "12345678901", 0},
                         "the keypad entry would need 12 characters, but it holds at most 10"},
        KeypadRefusalRow{"too_long_by_the_moved_zero",
                         {false, "0", "", "1234567890", 0},
                         "the keypad entry would need 12 characters, but it holds at most 10"}),
    RowName{});

// Every keypad answer, typed with its last `period` digits recurring, stands
// for the value it was made from.
TEST(KeypadRandom, EntryStandsForTheValue) {
  std::mt19937_64 random(3);
  int typed = 0;
  for (int round = 0; round < 5000; ++round) {
    Decimal d = exact::reference::RandomDecimal(random, 4, 3);
    d.negative = false;
    const Decimal c = std::get<Decimal>(exact::Canonical(d));
    const exact::Result<KeypadForm> form = exact::ToKeypad(c);
    if (!std::holds_alternative<KeypadForm>(form)) continue;
    const KeypadForm& f = std::get<KeypadForm>(form);
    ++typed;
    ASSERT_LE(f.entry.size(), 10u);
    const std::size_t point = f.entry.find('.');
    Decimal typed_value;
    typed_value.integer = f.entry.substr(0, point);
    if (point != std::string::npos) {
      const std::string after = f.entry.substr(point + 1);
      ASSERT_LE(static_cast<std::size_t>(f.period), after.size()) << f.entry;
      typed_value.fixed = after.substr(0, after.size() - static_cast<std::size_t>(f.period));
      typed_value.period = after.substr(after.size() - static_cast<std::size_t>(f.period));
    }
    EXPECT_EQ(exact::reference::ValueOf(typed_value), exact::reference::ValueOf(c)) << f.entry;
  }
  EXPECT_GT(typed, 1000);
}

// --- Round trips ---------------------------------------------------------------------

constexpr Style kReadableStyles[] = {Style::Parentheses, Style::Brackets, Style::Quotes,
                                     Style::Dots,        Style::Overline, Style::R,
                                     Style::Ellipsis};

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

// Writes `c` in every readable style and reads each back to `c`. The
// ellipsis may refuse a period, but only one that no ending can carry.
void ExpectRoundTrips(const Decimal& c) {
  for (const Style style : kReadableStyles) {
    const exact::Result<std::string> text = exact::Write(c, style);
    if (style == Style::Ellipsis && std::holds_alternative<Problem>(text) &&
        c.period.size() <= 40) {
      EXPECT_FALSE(SomeEllipsisEndingWorks(c.period)) << c.period;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<std::string>(text))
        << std::get<Problem>(text).message << " for style " << static_cast<int>(style);
    const exact::Result<exact::Reading> read = exact::Read(std::get<std::string>(text));
    ASSERT_TRUE(std::holds_alternative<exact::Reading>(read))
        << std::get<std::string>(text) << ": " << std::get<Problem>(read).message;
    const Decimal& back = std::get<Decimal>(std::get<exact::Reading>(read).value);
    EXPECT_EQ(exact::Canonical(back), exact::Result<Decimal>(c)) << std::get<std::string>(text);
  }
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
      refused += std::holds_alternative<Problem>(exact::Write(c, Style::Ellipsis)) ? 1 : 0;
    }
  }
  EXPECT_EQ(refused, 22);
  EXPECT_EQ(exact::Write({false, "0", "", "10010001000", 0}, Style::Ellipsis),
            exact::Result<std::string>(
                Problem{"no repetition of the period 10010001000 reads back unambiguously after an "
                        "ellipsis: use parentheses",
                        0}));
}

}  // namespace
}  // namespace quotalis::testing
