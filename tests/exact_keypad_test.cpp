// The keypad form: worked entries, refusals, and agreement with the window's
// engine on every entry of 1 to 6 characters with every K from 0 to 7.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <quotalis/exact/fraction.h>
#include <quotalis/exact/keypad.h>

#include "convert/conversion.h"
#include "exact_reference.h"
#include "named_rows.h"
#include "outcome_names.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Problem;
using testing::PrintTo;

struct KeypadRow {
  const char* name;
  const char* entry;
  std::int64_t k;
  Decimal want;               // when read
  std::int64_t position = 0;  // when refused (want.integer empty), the character named
};

const KeypadRow kKeypad[] = {
    {"one_sixth", "0.1666", 1, {false, "0", "166", "6"}},
    {"trailing_zero_shortens_k", "0.50", 2, {false, "0", "", "5"}},
    {"point_dropped_with_its_zero", "1.0", 1, {false, "1", "", ""}},
    {"k_clamped_to_the_digits", "12.34", 9, {false, "12", "", "34"}},
    {"negative_k_is_none", "5", -3, {false, "5", "", ""}},
    {"leading_zeros_and_lone_point_start", "007.", 0, {false, "7", "", ""}},
    {"point_first", ".5", 1, {false, "0", "", "5"}},
    {"zero", "0.000", 2, {false, "0", "", ""}},
    {"longer_than_the_window",
     "123456789012.3456789012345",
     13,
     {false, "123456789012", "", "3456789012345"}},
    {"refused_empty", "", 0, {}},
    {"refused_lone_point", ".", 0, {}, 1},
    {"refused_second_point", "1.2.3", 0, {}, 4},
    {"refused_sign", "-1", 0, {}, 1},
    {"refused_blank", "1 ", 0, {}, 2},
};

class KeypadTable : public ::testing::TestWithParam<KeypadRow> {};

TEST_P(KeypadTable, ReadsAsTheWindowDoes) {
  const KeypadRow& row = GetParam();
  const auto result = exact::FromKeypad(row.entry, row.k);
  if (row.want.integer.empty()) {
    ASSERT_TRUE(std::holds_alternative<Problem>(result));
    EXPECT_EQ(std::get<Problem>(result).position, row.position);
  } else {
    ASSERT_TRUE(std::holds_alternative<Decimal>(result));
    EXPECT_EQ(std::get<Decimal>(result), row.want);
  }
}

INSTANTIATE_TEST_SUITE_P(Worked, KeypadTable, ::testing::ValuesIn(kKeypad), RowName());

// Empty when the two agree on (entry, k).
std::string Disagreement(const std::string& entry, std::int32_t k, const Conversion& window) {
  const auto decimal = exact::FromKeypad(entry, k);
  const std::string where = "\n  " + entry + " K=" + std::to_string(k) + ": ";
  if (window.outcome == Outcome::NotANumber) {
    return std::holds_alternative<Problem>(decimal) ? "" : where + "not refused";
  }
  if (!std::holds_alternative<Decimal>(decimal)) return where + "refused";
  const auto s = std::get<exact::Schoolbook>(exact::ToFraction(std::get<Decimal>(decimal)));
  const std::string got = s.reduced.numerator.get_str() + "/" + s.reduced.denominator.get_str();
  if (window.outcome == Outcome::Zero) return got == "0/1" ? "" : where + got + " for zero";
  const std::string want = window.reduction.numerator + "/" + window.reduction.denominator;
  const std::string unreduced = s.numerator.get_str() + "/" + s.denominator.get_str();
  const std::string wantUnreduced = window.expansion.numerator + "/" + window.expansion.denominator;
  if (window.outcome != Outcome::Converted) return where + "the window did not convert";
  if (got != want || unreduced != wantUnreduced) {
    return where + unreduced + " -> " + got + ", the window " + wantUnreduced + " -> " + want;
  }
  return "";
}

// Every string of digits and at most one point of `length` characters that
// starts with `first`, with every K from 0 to 7.
class KeypadAgreement : public ::testing::TestWithParam<std::pair<int, char>> {};

TEST_P(KeypadAgreement, SameFractionAsTheWindow) {
  const auto [length, first] = GetParam();
  std::uint64_t pairs = 0;
  std::uint64_t wrong = 0;
  std::string report;
  const std::string alphabet = "0123456789.";
  std::string entry(static_cast<std::size_t>(length), '0');
  entry[0] = first;
  std::uint64_t combinations = 1;
  for (int i = 1; i < length; ++i) combinations *= alphabet.size();
  for (std::uint64_t n = 0; n < combinations; ++n) {
    std::uint64_t rest = n;
    for (std::size_t i = entry.size() - 1; i >= 1; --i, rest /= alphabet.size()) {
      entry[i] = alphabet[rest % alphabet.size()];
    }
    if (std::count(entry.begin(), entry.end(), '.') > 1) continue;
    // The window's scroll bar holds at most the characters after the point as
    // typed: a larger K is held there, so the window converts that one.
    const std::size_t point = entry.find('.');
    const auto range =
        point == std::string::npos ? 0 : static_cast<std::int32_t>(entry.size() - point - 1);
    std::vector<Conversion> window;
    for (std::int32_t k = 0; k <= range; ++k) window.push_back(ConvertEntry(entry, k));
    for (std::int32_t k = 0; k <= 7; ++k) {
      ++pairs;
      const std::string what =
          Disagreement(entry, k, window[static_cast<std::size_t>(std::min(k, range))]);
      if (!what.empty() && ++wrong <= 10) report += what;
    }
  }
  // Entries counted by hand: the other length - 1 places hold digits only, or
  // one point among them when the first is a digit.
  std::uint64_t entries = 1;
  for (int i = 1; i < length; ++i) entries *= 10;
  if (first != '.' && length > 1) entries += static_cast<std::uint64_t>(length - 1) * entries / 10;
  EXPECT_EQ(pairs, 8 * entries);
  EXPECT_EQ(wrong, 0u) << report;
}

std::vector<std::pair<int, char>> Slices() {
  std::vector<std::pair<int, char>> s;
  for (int length = 1; length <= 6; ++length) {
    for (const char c : std::string("0123456789.")) s.emplace_back(length, c);
  }
  return s;
}

INSTANTIATE_TEST_SUITE_P(ShortEntries, KeypadAgreement, ::testing::ValuesIn(Slices()),
                         [](const auto& row) {
                           const char c = row.param.second;
                           return "length_" + std::to_string(row.param.first) + "_from_" +
                                  (c == '.' ? std::string("point") : std::string(1, c));
                         });

}  // namespace
}  // namespace quotalis::testing
