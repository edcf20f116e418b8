// Writing numbers as text, and rounding them to 32-bit integers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "convert/writing.h"
#include "named_rows.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- GeneralText and PlainText --------------------------------------------------

struct TextRow {
  const char* name;
  double value;
  const char* text;
};

class GeneralTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(GeneralTextTest, FifteenDigitsPlainOrExponentForm) {
  EXPECT_EQ(GeneralText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneralTextTest,
    ::testing::Values(TextRow{"half", 0.5, "0.5"}, TextRow{"integer", 14.0, "14"},
                      TextRow{"smallest_plain_exponent", 0.0001, "0.0001"},
                      TextRow{"fifteen_digit_integer", 123456789012345.0, "123456789012345"},
                      TextRow{"zero", 0.0, "0"}, TextRow{"negative_zero", -0.0, "0"},
                      TextRow{"negative", -2.5, "-2.5"},
                      TextRow{"one_step_below_plain", 1e-05, "1E-05"},
                      TextRow{"exponent_form_with_fraction", 1.5e-07, "1.5E-07"},
                      TextRow{"sixteen_digits_rounded", 1234567890123456.0, "1.23456789012346E+15"},
                      TextRow{"largest_plain_exponent", 999999999999999.0, "999999999999999"},
                      TextRow{"one_step_past_plain", 1e15, "1E+15"},
                      TextRow{"rounding_carries_into_exponent_form", 999999999999999.5, "1E+15"},
                      TextRow{"just_below_plain_rounds_up", 0.00009999999999999999, "0.0001"},
                      TextRow{"three_digit_exponent", 1e100, "1E+100"},
                      TextRow{"three_digit_negative_exponent", -1e-100, "-1E-100"},
                      TextRow{"third", 1.0 / 3.0, "0.333333333333333"},
                      TextRow{"two_thirds", 2.0 / 3.0, "0.666666666666667"},
                      TextRow{"binary_noise_rounded_away", 0.1 + 0.2, "0.3"},
                      TextRow{"ten_digit_product", 2147483647.0, "2147483647"},
                      TextRow{"infinity", kInf, "inf"}, TextRow{"negative_infinity", -kInf, "-inf"},
                      TextRow{"not_a_number", kNaN, "nan"}),
    RowName());

class PlainTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(PlainTextTest, FifteenDigitsNeverExponentForm) {
  EXPECT_EQ(PlainText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainTextTest,
    ::testing::Values(TextRow{"tiny", 1e-05, "0.00001"},
                      TextRow{"tiny_two_digits", 1.2e-05, "0.000012"}, TextRow{"half", 0.5, "0.5"},
                      TextRow{"large", 1e15, "1000000000000000"},
                      TextRow{"nine_digits_after_point", 1e-9, "0.000000001"},
                      TextRow{"seven_zeros_then_digits", 1.5e-07, "0.00000015"},
                      TextRow{"sixteen_digits_rounded", 1234567890123456.0, "1234567890123460"},
                      TextRow{"zeros_past_the_digits", 1e20, "100000000000000000000"},
                      TextRow{"negative_tiny", -1e-05, "-0.00001"},
                      TextRow{"mixed", 123456.789, "123456.789"}, TextRow{"zero", 0.0, "0"},
                      TextRow{"infinity", kInf, "inf"}, TextRow{"not_a_number", kNaN, "nan"}),
    RowName());

TEST(GeneralTextOfInteger, DecimalDigitsWithSign) {
  EXPECT_EQ(GeneralText(std::int32_t{42}), "42");
  EXPECT_EQ(GeneralText(std::int32_t{-7}), "-7");
  EXPECT_EQ(GeneralText(std::int32_t{0}), "0");
  EXPECT_EQ(GeneralText(std::numeric_limits<std::int32_t>::max()), "2147483647");
  EXPECT_EQ(GeneralText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

// --- RoundToLong ----------------------------------------------------------------

struct RoundRow {
  const char* name;
  double value;
  std::optional<std::int32_t> rounded;  // nothing: overflow
};

class RoundToLongTest : public ::testing::TestWithParam<RoundRow> {};

TEST_P(RoundToLongTest, NearestTiesToEvenOverflowAsValue) {
  EXPECT_EQ(RoundToLong(GetParam().value), GetParam().rounded);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundToLongTest,
    ::testing::Values(RoundRow{"tie_to_even_below", 2.5, 2}, RoundRow{"tie_to_even_above", 3.5, 4},
                      RoundRow{"tie_four_and_a_half", 4.5, 4}, RoundRow{"negative_tie", -2.5, -2},
                      RoundRow{"negative_tie_odd", -1.5, -2}, RoundRow{"half_to_zero", 0.5, 0},
                      RoundRow{"negative_half_to_zero", -0.5, 0},
                      RoundRow{"just_below_half", 0.49999999999999994, 0},
                      RoundRow{"just_above_tie", 2.5000000000000004, 3},
                      RoundRow{"below_top", 2147483647.4, kMax},
                      RoundRow{"top", 2147483647.0, kMax},
                      RoundRow{"tie_below_top_to_even", 2147483646.5, 2147483646},
                      RoundRow{"tie_at_top_rounds_out", 2147483647.5, std::nullopt},
                      RoundRow{"one_past_top", 2147483648.0, std::nullopt},
                      RoundRow{"bottom", -2147483648.0, kMin},
                      RoundRow{"tie_at_bottom_to_even", -2147483648.5, kMin},
                      RoundRow{"past_bottom", -2147483648.6, std::nullopt},
                      RoundRow{"one_past_bottom", -2147483649.0, std::nullopt},
                      RoundRow{"huge", 1e300, std::nullopt},
                      RoundRow{"infinity", kInf, std::nullopt},
                      RoundRow{"negative_infinity", -kInf, std::nullopt},
                      RoundRow{"not_a_number", kNaN, std::nullopt}),
    RowName());

}  // namespace
}  // namespace quotalis::testing
