// What to type on the window's keypad: worked values, refusals, and every
// answer for seeded random values typed back to the value it came from.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/fraction.h>

#include "answer/keypad.h"
#include "cli/keypad_window.h"
#include "exact_notation_rows.h"

namespace quotalis::testing {
namespace {

using answer::KeypadForm;
using exact::Decimal;
using exact::Problem;
using exact::Rational;

Rational Fraction(const char* numerator, const char* denominator) {
  return {mpz_class(numerator, 10), mpz_class(denominator, 10)};
}

struct KeypadRow {
  const char* name;
  Rational value;
  KeypadForm form;
};

class KeypadTest : public ::testing::TestWithParam<KeypadRow> {};

TEST_P(KeypadTest, WhatToType) {
  const exact::Result<KeypadForm> form = answer::ToKeypad(GetParam().value, cli::WindowRefuses);
  ASSERT_TRUE(std::holds_alternative<KeypadForm>(form)) << std::get<Problem>(form).message;
  EXPECT_EQ(std::get<KeypadForm>(form), GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeypadTest,
    ::testing::Values(
        KeypadRow{"seventh", Fraction("1", "7"), {"0.142857", 6}},
        KeypadRow{"sixth", Fraction("1", "6"), {"0.16", 1}},
        KeypadRow{"integer", Fraction("12", "1"), {"12", 0}},
        KeypadRow{"zero", Fraction("0", "1"), {"0", 0}},
        // 0.(123456789)
        KeypadRow{"leading_zero_dropped", Fraction("13717421", "111111111"), {".123456789", 9}},
        // 0.1(2345678), ten characters with its zero
        KeypadRow{"ten_characters_kept", Fraction("12345677", "99999990"), {"0.12345678", 7}},
        KeypadRow{"period_ending_in_zero", Fraction("10", "99"), {"0.101", 2}},
        KeypadRow{"period_ending_in_zeros", Fraction("10", "9999"), {"0.0010001", 4}}),
    RowName{});

struct KeypadRefusalRow {
  const char* name;
  Rational value;
  const char* message;
};

class KeypadRefusalTest : public ::testing::TestWithParam<KeypadRefusalRow> {};

TEST_P(KeypadRefusalTest, SaysWhy) {
  const exact::Result<KeypadForm> form = answer::ToKeypad(GetParam().value, cli::WindowRefuses);
  ASSERT_TRUE(std::holds_alternative<Problem>(form));
  EXPECT_EQ(std::get<Problem>(form),
            (Problem{exact::ProblemKind::Unwritable, GetParam().message, 0}));
}

constexpr const char* kNeedsMore =
    "the keypad holds at most 10 characters; the entry would need more";

INSTANTIATE_TEST_SUITE_P(
    Rows, KeypadRefusalTest,
    ::testing::Values(
        KeypadRefusalRow{"negative", Fraction("-1", "2"),
                         "the keypad cannot type a negative value"},
        // 0.0(123456789): twelve characters, eleven without the leading zero
        KeypadRefusalRow{"too_long", Fraction("13717421", "1111111110"),
                         "the keypad holds at most 10 characters; the entry would need 11"},
        // 0.(1234567890), typed 0.1(2345678901)
        KeypadRefusalRow{"too_long_by_the_moved_zero", Fraction("137174210", "1111111111"),
                         "the keypad holds at most 10 characters; the entry would need 12"},
        // 0.(12345678901): a period longer than the keypad, .12345678901 at least
        KeypadRefusalRow{
            "period_past_the_keypad", Fraction("12345678901", "99999999999"),
            "the keypad holds at most 10 characters; the entry would need at least 12"},
        // 1/6144 = 0.00016276041(6): eleven digits before its period
        KeypadRefusalRow{
            "fixed_part_past_the_keypad", Fraction("1", "6144"),
            "the keypad holds at most 10 characters; the entry would need at least 13"},
        // 1/(10^70 - 1): a period of 70 digits, found though 10^70 - 1 is not factored
        KeypadRefusalRow{
            "period_of_ten_to_the_70_minus_1",
            Fraction("1",
                     "99999999999999999999999999999999999999999999999999999999999"
                     "99999999999"),
            "the keypad holds at most 10 characters; the entry would need at least 71"},
        // two 25-digit primes: a period past 10,000,000 digits, not counted
        KeypadRefusalRow{"period_past_the_limit",
                         Fraction("1", "14000000000000000000000143000000000000000000000183"),
                         kNeedsMore}),
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
    const mpq_class value = exact::reference::ValueOf(c);
    const exact::Result<KeypadForm> form =
        answer::ToKeypad(Rational{value.get_num(), value.get_den()}, cli::WindowRefuses);
    if (!std::holds_alternative<KeypadForm>(form)) continue;
    const KeypadForm& f = std::get<KeypadForm>(form);
    ++typed;
    ASSERT_LE(f.entry.size(), 10u);
    const std::size_t point = f.entry.find('.');
    Decimal entered;
    entered.integer = f.entry.substr(0, point);
    if (point != std::string::npos) {
      const std::string after = f.entry.substr(point + 1);
      ASSERT_LE(static_cast<std::size_t>(f.period), after.size()) << f.entry;
      entered.fixed = after.substr(0, after.size() - static_cast<std::size_t>(f.period));
      entered.period = after.substr(after.size() - static_cast<std::size_t>(f.period));
    }
    EXPECT_EQ(exact::reference::ValueOf(entered), value) << f.entry;
  }
  EXPECT_GT(typed, 1000);
}

}  // namespace
}  // namespace quotalis::testing
