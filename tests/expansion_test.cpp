// From the entry to the unreduced fraction: the entry tests, the
// normalisation, the point scan, the period clamp and the expansion.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "convert/conversion.h"
#include "convert/expansion.h"
#include "named_rows.h"
#include "outcome_names.h"
#include "reference/worked_table.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

// --- Entry tests ------------------------------------------------------------------

struct KindRow {
  const char* name;
  const char* entry;
  EntryKind kind;
};

class ClassifyEntryTest : public ::testing::TestWithParam<KindRow> {};

TEST_P(ClassifyEntryTest, TestsInConvertsOrder) {
  EXPECT_EQ(ClassifyEntry(GetParam().entry), GetParam().kind) << '"' << GetParam().entry << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClassifyEntryTest,
    ::testing::Values(KindRow{"empty", "", EntryKind::Empty}, KindRow{"zero", "0", EntryKind::Zero},
                      KindRow{"zero_trailing_point", "0.", EntryKind::Zero},
                      KindRow{"zero_leading_point", ".0", EntryKind::Zero},
                      KindRow{"zeros", "000", EntryKind::Zero},
                      KindRow{"zero_with_decimals", "0.000", EntryKind::Zero},
                      KindRow{"ten_zeros_with_point", "0000.00000", EntryKind::Zero},
                      KindRow{"lone_point", ".", EntryKind::NotANumber},
                      KindRow{"leading_zeros", "007", EntryKind::Number},
                      KindRow{"leading_point", ".5", EntryKind::Number},
                      KindRow{"smallest_nine_place_value", ".000000001", EntryKind::Number},
                      KindRow{"trailing_point", "1.", EntryKind::Number},
                      KindRow{"two_points", "1.2.3", EntryKind::NotANumber},
                      KindRow{"exponent_without_digits", "1e", EntryKind::NotANumber},
                      // The number test looks past a leading blank, the value does not.
                      KindRow{"leading_blank_reads_as_zero", " 5", EntryKind::Zero}),
    RowName());

// --- Normalisation --------------------------------------------------------------

struct NormaliseRow {
  const char* name;
  const char* entry;
  const char* normalised;
};

class NormaliseEntryTest : public ::testing::TestWithParam<NormaliseRow> {};

TEST_P(NormaliseEntryTest, PlainPositionalValue) {
  const std::string once = NormaliseEntry(GetParam().entry);
  EXPECT_EQ(once, GetParam().normalised);
  EXPECT_EQ(NormaliseEntry(once), once) << "a normalised entry stays as it is";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NormaliseEntryTest,
    ::testing::Values(NormaliseRow{"leading_zeros", "007", "7"},
                      NormaliseRow{"leading_point", ".5", "0.5"},
                      NormaliseRow{"trailing_point", "1.", "1"},
                      NormaliseRow{"trailing_zero", "1.50", "1.5"},
                      NormaliseRow{"leading_zeros_before_point", "00.25", "0.25"},
                      NormaliseRow{"only_zero_decimal", "1.0", "1"},
                      NormaliseRow{"below_exponent_limit", ".00001", "0.00001"},
                      NormaliseRow{"below_exponent_limit_two_digits", ".000012", "0.000012"},
                      NormaliseRow{"below_exponent_limit_leading_zeros", "000.000016", "0.000016"},
                      NormaliseRow{"at_exponent_limit", ".0001", "0.0001"},
                      NormaliseRow{"smallest_keypad_value", ".000000001", "0.000000001"},
                      NormaliseRow{"nine_decimals", ".123456789", "0.123456789"},
                      NormaliseRow{"largest_ten_digit_integer", "9999999999", "9999999999"},
                      NormaliseRow{"past_32_bits", "2147483648", "2147483648"},
                      NormaliseRow{"nine_digits_and_point", "999999999.", "999999999"},
                      NormaliseRow{"already_normal", "0.1666", "0.1666"}),
    RowName());

// --- Point scan and period clamp --------------------------------------------------

TEST(PointScan, PositionAndDigitsAfterPoint) {
  EXPECT_EQ(PointPosition("12.34"), 3);
  EXPECT_EQ(PointPosition("."), 1);
  EXPECT_EQ(PointPosition("12"), 0);
  EXPECT_EQ(PointPosition(""), 0);
  EXPECT_EQ(PointPosition("1.2.3"), 4) << "the scan runs on: the last point counts";

  EXPECT_EQ(DigitsAfterPoint("3.14159"), 5);
  EXPECT_EQ(DigitsAfterPoint("1."), 0);
  EXPECT_EQ(DigitsAfterPoint("12"), 0);
  EXPECT_EQ(DigitsAfterPoint(".5"), 1);
  EXPECT_EQ(DigitsAfterPoint("0.123456789"), 9);
}

TEST(PeriodClamp, IntoZeroToDigitsAfterPoint) {
  EXPECT_EQ(ClampPeriod("12.34", 2), 2);
  EXPECT_EQ(ClampPeriod("12.34", 3), 2);
  EXPECT_EQ(ClampPeriod("12.34", -1), 0);
  EXPECT_EQ(ClampPeriod("0.5", 2), 1);
  EXPECT_EQ(ClampPeriod("1", 1), 0);
  EXPECT_EQ(ClampPeriod("1", 0), 0);
}

// --- Expansion --------------------------------------------------------------------

struct ExpandRow {
  const char* name;
  const char* entry;  // as typed
  std::int32_t k;     // as read once the normalised entry is written back
  const char* normalised;
  std::optional<std::string> decimal;
  const char* numerator;
  const char* denominator;
};

class ExpandTest : public ::testing::TestWithParam<ExpandRow> {};

TEST_P(ExpandTest, SchoolbookFraction) {
  const ExpandRow& row = GetParam();
  const std::string normalised = NormaliseEntry(row.entry);
  EXPECT_EQ(normalised, row.normalised);
  const std::optional<Expansion> e = Expand(normalised, row.k);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->decimal, row.decimal);
  EXPECT_EQ(e->numerator, row.numerator);
  EXPECT_EQ(e->denominator, row.denominator);
}

// The worked table: every text from the entry to the unreduced fraction, and
// the whole conversion on to lowest terms (the table's own test divides its
// fractions back to the entries).
class WorkedExpansionTest : public ::testing::TestWithParam<WorkedRow> {};

TEST_P(WorkedExpansionTest, SchoolbookFraction) {
  const WorkedRow& row = GetParam();
  const std::string normalised = NormaliseEntry(row.entry);
  EXPECT_EQ(normalised, row.normalised);
  const std::optional<Expansion> e = Expand(normalised, row.k);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->decimal, row.decimal);
  EXPECT_EQ(e->numerator, row.numerator);
  EXPECT_EQ(e->denominator, row.denominator);
}

TEST_P(WorkedExpansionTest, ConvertsToLowestTerms) {
  const WorkedRow& row = GetParam();
  const Conversion c = ConvertEntry(row.entry, row.k);
  ASSERT_EQ(c.outcome, Outcome::Converted) << Describe(c.outcome);
  EXPECT_EQ(c.normalised, row.normalised);
  EXPECT_EQ(c.period, row.k);
  EXPECT_EQ(c.expansion.numerator, row.numerator);
  EXPECT_EQ(c.expansion.denominator, row.denominator);
  EXPECT_EQ(c.reduction.numerator, row.reducedNumerator);
  EXPECT_EQ(c.reduction.denominator, row.reducedDenominator);
}

INSTANTIATE_TEST_SUITE_P(WorkedTable, WorkedExpansionTest, ::testing::ValuesIn(kWorkedTable),
                         RowName());

INSTANTIATE_TEST_SUITE_P(
    Contract, ExpandTest,
    ::testing::Values(
        ExpandRow{"tiny_terminating", ".00001", 0, "0.00001", "000001", "1", "100000"},
        ExpandRow{"tiny_recurring", ".000012", 2, "0.000012", "0000012", "12", "990000"},
        ExpandRow{"nine_decimals_one_recurring", ".000000001", 1, "0.000000001", "0000000001", "1",
                  "900000000"},
        ExpandRow{"whole_part_recurring_tail", "12345.6789", 4, "12345.6789", "123456789",
                  "123444444", "9999"},
        ExpandRow{"ten_digit_integer", "9999999999", 0, "9999999999", std::nullopt, "9999999999",
                  "1"}),
    RowName());

struct RefusedRow {
  const char* name;
  const char* normalised;
  std::int32_t k;
};

class ExpandRefusesTest : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(ExpandRefusesTest, NothingOutsideItsPrecondition) {
  EXPECT_FALSE(Expand(GetParam().normalised, GetParam().k).has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, ExpandRefusesTest,
                         ::testing::Values(RefusedRow{"two_points", "1.2.3", 0},
                                           RefusedRow{"ten_decimals", "0.1234567891", 0},
                                           RefusedRow{"ten_decimals_recurring", "0.1234567891", 1},
                                           RefusedRow{"period_past_decimals", "12.34", 3},
                                           RefusedRow{"negative_period", "12.34", -1},
                                           RefusedRow{"period_without_point", "7", 1}),
                         RowName());

// --- Period clamping and the mends, through the whole conversion -------------------

struct ConvertRow {
  const char* name;
  const char* entry;
  std::int32_t k;  // as chosen before Convert
  const char* normalised;
  std::int32_t period;  // as read after the normalisation
  const char* unreduced;
  const char* reduced;
};

class ConvertThroughExpansionTest : public ::testing::TestWithParam<ConvertRow> {};

TEST_P(ConvertThroughExpansionTest, ClampsAndExpands) {
  const ConvertRow& row = GetParam();
  const Conversion c = ConvertEntry(row.entry, row.k);
  ASSERT_EQ(c.outcome, Outcome::Converted) << Describe(c.outcome);
  EXPECT_EQ(c.normalised, row.normalised);
  EXPECT_EQ(c.period, row.period);
  EXPECT_EQ(c.expansion.numerator + "/" + c.expansion.denominator, row.unreduced);
  EXPECT_EQ(c.reduction.numerator + "/" + c.reduction.denominator, row.reduced);

  const Conversion again = ConvertEntry(c.normalised, c.period);
  EXPECT_EQ(again.normalised, c.normalised) << "pressing Convert twice";
  EXPECT_EQ(again.expansion.numerator, c.expansion.numerator);
  EXPECT_EQ(again.expansion.denominator, c.expansion.denominator);
  EXPECT_EQ(again.reduction.numerator, c.reduction.numerator);
  EXPECT_EQ(again.reduction.denominator, c.reduction.denominator);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertThroughExpansionTest,
    ::testing::Values(
        ConvertRow{"trailing_zero_shrinks_period", "0.50", 2, "0.5", 1, "5/9", "5/9"},
        ConvertRow{"point_dropped_period_gone", "1.0", 1, "1", 0, "1/1", "1/1"},
        ConvertRow{"period_past_range_clamped", "12.34", 7, "12.34", 2, "1222/99", "1222/99"},
        ConvertRow{"negative_period_clamped", "12.34", -3, "12.34", 0, "1234/100", "617/50"},
        ConvertRow{"tiny_below_exponent_limit", ".00001", 0, "0.00001", 0, "1/100000", "1/100000"},
        ConvertRow{"tiny_recurring", ".000012", 2, "0.000012", 2, "12/990000", "1/82500"},
        ConvertRow{"tiny_with_leading_zeros", "000.000016", 0, "0.000016", 0, "16/1000000",
                   "1/62500"},
        ConvertRow{"tiny_trailing_zero_shrinks_period", ".0000120", 7, "0.000012", 6, "12/999999",
                   "4/333333"},
        ConvertRow{"smallest_keypad_value", ".000000001", 0, "0.000000001", 0, "1/1000000000",
                   "1/1000000000"},
        ConvertRow{"smallest_keypad_value_recurring", ".000000001", 1, "0.000000001", 1,
                   "1/900000000", "1/900000000"}),
    RowName());

}  // namespace
}  // namespace quotalis::testing
