// The keypad form: worked entries and refusals. Its agreement with the
// window's engine on every short entry is the engine's keypad sweep.
#include <gtest/gtest.h>

#include <quotalis/exact/keypad.h>

#include "exact_notation_rows.h"

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

}  // namespace
}  // namespace quotalis::testing
