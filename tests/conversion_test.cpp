// The whole conversion as callers without a window use it: what each kind of
// entry comes to, keypad-built or not.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "convert/conversion.h"
#include "named_rows.h"
#include "outcome_names.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

struct OutcomeRow {
  const char* name;
  const char* entry;
  std::int32_t k;
  Outcome outcome;
  const char* normalised;  // the entry as typed when the conversion stops early
  const char* reduced;     // numerator/denominator when converted
};

class ConvertEntryTest : public ::testing::TestWithParam<OutcomeRow> {};

TEST_P(ConvertEntryTest, OutcomeAndFraction) {
  const OutcomeRow& row = GetParam();
  const Conversion c = ConvertEntry(row.entry, row.k);
  EXPECT_EQ(c.outcome, row.outcome) << Describe(c.outcome);
  if (row.outcome == Outcome::OutOfRange) return;  // normalised or not, nothing to show
  EXPECT_EQ(c.normalised, row.normalised);
  if (row.outcome == Outcome::Converted) {
    EXPECT_EQ(c.reduction.numerator + "/" + c.reduction.denominator, row.reduced);
  }
}

INSTANTIATE_TEST_SUITE_P(
    StopsEarly, ConvertEntryTest,
    ::testing::Values(OutcomeRow{"empty", "", 0, Outcome::Empty, "", ""},
                      OutcomeRow{"zero", "0", 0, Outcome::Zero, "0", ""},
                      OutcomeRow{"zero_trailing_point", "0.", 0, Outcome::Zero, "0.", ""},
                      OutcomeRow{"zero_leading_point", ".0", 1, Outcome::Zero, ".0", ""},
                      OutcomeRow{"zeros", "000", 0, Outcome::Zero, "000", ""},
                      OutcomeRow{"zero_with_decimals", "0.000", 2, Outcome::Zero, "0.000", ""},
                      OutcomeRow{"zero_with_exponent", "0e5", 0, Outcome::Zero, "0e5", ""},
                      OutcomeRow{"lone_point", ".", 0, Outcome::NotANumber, ".", ""},
                      OutcomeRow{"letters", "abc", 0, Outcome::NotANumber, "abc", ""},
                      OutcomeRow{"two_points", "1.2.3", 0, Outcome::NotANumber, "1.2.3", ""},
                      OutcomeRow{"sign_alone", "+", 0, Outcome::NotANumber, "+", ""},
                      OutcomeRow{"blanks_only", "  ", 0, Outcome::NotANumber, "  ", ""}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Converted, ConvertEntryTest,
    ::testing::Values(OutcomeRow{"one_sixth", "0.1666", 1, Outcome::Converted, "0.1666", "1/6"},
                      OutcomeRow{"leading_point", ".5", 0, Outcome::Converted, "0.5", "1/2"},
                      OutcomeRow{"largest_period_asked", "0.1666",
                                 std::numeric_limits<std::int32_t>::max(), Outcome::Converted,
                                 "0.1666", "1666/9999"},
                      OutcomeRow{"smallest_period_asked", "0.1666",
                                 std::numeric_limits<std::int32_t>::min(), Outcome::Converted,
                                 "0.1666", "833/5000"},
                      OutcomeRow{"plus_sign", "+0.25", 0, Outcome::Converted, "0.25", "1/4"},
                      OutcomeRow{"exponent_form", "2.5e-1", 0, Outcome::Converted, "0.25", "1/4"},
                      OutcomeRow{"fifteen_digit_integer", "123456789012345", 0, Outcome::Converted,
                                 "123456789012345", "123456789012345/1"},
                      OutcomeRow{"wide_power_of_ten", "1e20", 0, Outcome::Converted,
                                 "100000000000000000000", "100000000000000000000/1"},
                      // The number test looks past blanks at either end; the value must too.
                      OutcomeRow{"leading_blank", " 5", 0, Outcome::Converted, "5", "5/1"},
                      OutcomeRow{"blanks_and_tabs", "\t.5 ", 0, Outcome::Converted, "0.5", "1/2"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, ConvertEntryTest,
    ::testing::Values(
        OutcomeRow{"negative", "-0.5", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"negative_integer", "-5", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"ten_decimals", "0.1234567891", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"wide_numerator_with_point", "2147483648.5", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"wide_recurring_numerator", "9999999999.9", 1, Outcome::OutOfRange, "", ""},
        // A double holds neither of these: they must not come back as 0 or as
        // a rounded neighbour reported as converted.
        OutcomeRow{"too_large_for_a_double", "1e999", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"too_small_for_a_double", "1e-400", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"sixteen_significant_digits", "1234567890123456", 0, Outcome::OutOfRange, "",
                   ""},
        OutcomeRow{"nines_past_double_precision", "0.99999999999999999", 0, Outcome::OutOfRange, "",
                   ""},
        OutcomeRow{"rounds_up_to_ten_digits", "999999999.9999999", 0, Outcome::OutOfRange, "", ""},
        OutcomeRow{"wide_with_decimals", "123456789012345.6", 0, Outcome::OutOfRange, "", ""}),
    RowName());

TEST(Describe, EveryOutcomeInWords) {
  EXPECT_EQ(Describe(Outcome::Converted), "converted");
  EXPECT_EQ(Describe(Outcome::Empty), "the entry is empty");
  EXPECT_EQ(Describe(Outcome::Zero), "the entry is zero");
  EXPECT_EQ(Describe(Outcome::NotANumber), "the entry is not a number");
  EXPECT_EQ(Describe(Outcome::OutOfRange), "the entry is beyond what the program converts");
  // "1.2.3" holds digits: it is not a number for another reason.
  EXPECT_EQ(ConvertEntry("1.2.3", 0).outcome, Outcome::NotANumber);
}

}  // namespace
}  // namespace quotalis::testing
