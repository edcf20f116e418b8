// The whole reduction: the worked table and the edge cases through the whole
// conversion, lists before and after pairing; ten-digit integers beyond 32
// bits; and Reduce on fractions given as text.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "convert/conversion.h"
#include "convert/reduction.h"
#include "factor_lists.h"
#include "named_rows.h"
#include "outcome_names.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

// --- The worked table and the edge cases, through the whole conversion ------------

struct ReductionRow {
  const char* name;
  const char* entry;
  std::int32_t k;
  const char* numerator;  // unreduced
  const char* denominator;
  std::int32_t numeratorBound;
  std::int32_t denominatorBound;
  List nfactor;  // before pairing
  List dfactor;
  List nfactorAfter;  // after pairing
  List dfactorAfter;
  const char* reduced;
};

class ReductionTest : public ::testing::TestWithParam<ReductionRow> {};

TEST_P(ReductionTest, ListsBeforeAndAfterPairing) {
  const ReductionRow& row = GetParam();
  const Conversion c = ConvertEntry(row.entry, row.k);
  ASSERT_EQ(c.outcome, Outcome::Converted) << Describe(c.outcome);
  EXPECT_EQ(c.expansion.numerator, row.numerator);
  EXPECT_EQ(c.expansion.denominator, row.denominator);

  EXPECT_EQ(TrialBound(std::stoi(row.numerator)), row.numeratorBound);
  EXPECT_EQ(TrialBound(std::stoi(row.denominator)), row.denominatorBound);

  FactorArray before{};
  std::int32_t term = 0;
  std::int16_t count = 0;
  std::int32_t divisor = 0;
  ASSERT_TRUE(Factorise(row.numerator, term, count, before, divisor));
  EXPECT_EQ(Used(before, count), row.nfactor) << "numerator before pairing";
  ASSERT_TRUE(Factorise(row.denominator, term, count, before, divisor));
  EXPECT_EQ(Used(before, count), row.dfactor) << "denominator before pairing";

  const Reduction& r = c.reduction;
  EXPECT_EQ(r.Nnterm, static_cast<std::int16_t>(row.nfactor.size()));
  EXPECT_EQ(r.Dnterm, static_cast<std::int16_t>(row.dfactor.size()));
  EXPECT_EQ(Used(r.Nfactor, r.Nnterm), row.nfactorAfter) << "numerator after pairing";
  EXPECT_EQ(Used(r.Dfactor, r.Dnterm), row.dfactorAfter) << "denominator after pairing";
  EXPECT_EQ(r.Numerator, row.nfactor.back()) << "last remainder";
  EXPECT_EQ(r.Denominator, row.dfactor.back()) << "last remainder";
  EXPECT_EQ(r.numerator + "/" + r.denominator, row.reduced);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedTable, ReductionTest,
    ::testing::Values(
        ReductionRow{"half", "0.5", 0, "5", "10", 3, 4, {5}, {2, 5}, {1}, {2, 1}, "1/2"},
        ReductionRow{"three_quarters",
                     "0.75",
                     0,
                     "75",
                     "100",
                     10,
                     11,
                     {3, 5, 5, 1},
                     {2, 2, 5, 5, 1},
                     {3, 1, 1, 1},
                     {2, 2, 1, 1, 1},
                     "3/4"},
        ReductionRow{"five_quarters",
                     "1.25",
                     0,
                     "125",
                     "100",
                     12,
                     11,
                     {5, 5, 5, 1},
                     {2, 2, 5, 5, 1},
                     {1, 1, 5, 1},
                     {2, 2, 1, 1, 1},
                     "5/4"},
        ReductionRow{"remainder_above_bound",
                     "12.34",
                     0,
                     "1234",
                     "100",
                     36,
                     11,
                     {2, 617},
                     {2, 2, 5, 5, 1},
                     {1, 617},
                     {1, 2, 5, 5, 1},
                     "617/50"},
        ReductionRow{"nothing_shared",
                     "1.5",
                     1,
                     "14",
                     "9",
                     5,
                     4,
                     {2, 7},
                     {3, 3, 1},
                     {2, 7},
                     {3, 3, 1},
                     "14/9"},
        ReductionRow{"nine_recurring_is_one",
                     "0.9",
                     1,
                     "9",
                     "9",
                     4,
                     4,
                     {3, 3, 1},
                     {3, 3, 1},
                     {1, 1, 1},
                     {1, 1, 1},
                     "1/1"},
        ReductionRow{"four_elevenths",
                     "0.36",
                     2,
                     "36",
                     "99",
                     7,
                     11,
                     {2, 2, 3, 3, 1},
                     {3, 3, 11, 1},
                     {2, 2, 1, 1, 1},
                     {1, 1, 11, 1},
                     "4/11"},
        ReductionRow{"one_sixth",
                     "0.1666",
                     1,
                     "1500",
                     "9000",
                     40,
                     96,
                     {2, 2, 3, 5, 5, 5, 1},
                     {2, 2, 2, 3, 3, 5, 5, 5, 1},
                     {1, 1, 1, 1, 1, 1, 1},
                     {1, 1, 2, 1, 3, 1, 1, 1, 1},
                     "1/6"},
        ReductionRow{"one_seventh",
                     "0.142857",
                     6,
                     "142857",
                     "999999",
                     379,
                     1001,
                     {3, 3, 3, 11, 13, 37, 1},
                     {3, 3, 3, 7, 11, 13, 37, 1},
                     {1, 1, 1, 1, 1, 1, 1},
                     {1, 1, 1, 7, 1, 1, 1, 1},
                     "1/7"},
        ReductionRow{"integer",
                     "360",
                     0,
                     "360",
                     "1",
                     20,
                     2,
                     {2, 2, 2, 3, 3, 5, 1},
                     {1},
                     {2, 2, 2, 3, 3, 5, 1},
                     {1},
                     "360/1"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ReductionTest,
    ::testing::Values(ReductionRow{"prime_at_top",
                                   "2147483647",
                                   0,
                                   "2147483647",
                                   "1",
                                   46342,
                                   2,
                                   {2147483647},
                                   {1},
                                   {2147483647},
                                   {1},
                                   "2147483647/1"},
                      ReductionRow{"thirty_one_entries",
                                   "1073741824",
                                   0,
                                   "1073741824",
                                   "1",
                                   32769,
                                   2,
                                   Repeat(2, 30, {1}),
                                   {1},
                                   Repeat(2, 30, {1}),
                                   {1},
                                   "1073741824/1"},
                      ReductionRow{
                          "term_of_one", "1", 0, "1", "1", 2, 2, {1}, {1}, {1}, {1}, "1/1"},
                      ReductionRow{"nine_nines_recurring",
                                   "0.999999999",
                                   9,
                                   "999999999",
                                   "999999999",
                                   31624,
                                   31624,
                                   {3, 3, 3, 3, 37, 333667},
                                   {3, 3, 3, 3, 37, 333667},
                                   {1, 1, 1, 1, 1, 1},
                                   {1, 1, 1, 1, 1, 1},
                                   "1/1"},
                      ReductionRow{"nine_decimals_share_nothing",
                                   ".123456789",
                                   0,
                                   "123456789",
                                   "1000000000",
                                   11112,
                                   31624,
                                   {3, 3, 3607, 3803, 1},
                                   Repeat(2, 9, Repeat(5, 9, {1})),
                                   {3, 3, 3607, 3803, 1},
                                   Repeat(2, 9, Repeat(5, 9, {1})),
                                   "123456789/1000000000"},
                      ReductionRow{"ten_digit_integer_within_32_bits",
                                   "1000000000",
                                   0,
                                   "1000000000",
                                   "1",
                                   31624,
                                   2,
                                   Repeat(2, 9, Repeat(5, 9, {1})),
                                   {1},
                                   Repeat(2, 9, Repeat(5, 9, {1})),
                                   {1},
                                   "1000000000/1"}),
    RowName());

// --- Ten-digit integers beyond 32 bits -------------------------------------------

struct WideRow {
  const char* name;
  const char* entry;
  const char* integer;
};

class WideIntegerTest : public ::testing::TestWithParam<WideRow> {};

TEST_P(WideIntegerTest, ItselfOverOne) {
  const Conversion c = ConvertEntry(GetParam().entry, 0);
  ASSERT_EQ(c.outcome, Outcome::Converted) << Describe(c.outcome);
  EXPECT_EQ(c.expansion.numerator, GetParam().integer);
  EXPECT_EQ(c.expansion.denominator, "1");
  EXPECT_EQ(c.reduction.numerator, GetParam().integer);
  EXPECT_EQ(c.reduction.denominator, "1");
  EXPECT_EQ(c.reduction.Nnterm, 0) << "no factor list";
  EXPECT_EQ(Used(c.reduction.Dfactor, c.reduction.Dnterm), List{1});
}

INSTANTIATE_TEST_SUITE_P(Rows, WideIntegerTest,
                         ::testing::Values(WideRow{"one_past_32_bits", "2147483648", "2147483648"},
                                           WideRow{"two_to_the_32", "4294967296", "4294967296"},
                                           WideRow{"largest", "9999999999", "9999999999"},
                                           WideRow{"two_to_the_32_less_one", "4294967295",
                                                   "4294967295"}),
                         RowName());

struct ReduceRow {
  const char* name;
  const char* numerator;
  const char* denominator;
  std::optional<std::string> reduced;  // nothing: refused
};

class ReduceTest : public ::testing::TestWithParam<ReduceRow> {};

TEST_P(ReduceTest, LowestTermsOrRefused) {
  const std::optional<Reduction> r = Reduce(GetParam().numerator, GetParam().denominator);
  if (!GetParam().reduced) {
    EXPECT_FALSE(r.has_value());
    return;
  }
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->numerator + "/" + r->denominator, *GetParam().reduced);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReduceTest,
    ::testing::Values(ReduceRow{"one_sixth", "1500", "9000", "1/6"},
                      ReduceRow{"already_lowest", "14", "9", "14/9"},
                      ReduceRow{"wide_integer", "9999999999", "1", "9999999999/1"},
                      ReduceRow{"zero_over_one", "0", "1", "0/1"},
                      ReduceRow{"zero_denominator", "5", "0", std::nullopt},
                      ReduceRow{"negative_numerator", "-5", "10", std::nullopt},
                      ReduceRow{"negative_denominator", "5", "-10", std::nullopt},
                      ReduceRow{"wide_numerator_over_ten", "9999999999", "10", std::nullopt},
                      ReduceRow{"wide_numerator_in_exponent_form", "1E+10", "1", std::nullopt},
                      ReduceRow{"wide_denominator", "1", "9999999999", std::nullopt}),
    RowName());

}  // namespace
}  // namespace quotalis::testing
