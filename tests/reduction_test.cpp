// The reduction: trial bounds, factor lists, pairwise cancellation and the
// rebuild, checked on the lists themselves and not only on the fraction.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "named_rows.h"
#include "convert/reduction.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

using List = std::vector<std::int32_t>;

// factors[1..count], the part of a list that is in use.
List Used(const FactorArray& factors, std::int16_t count) {
  return List(factors.begin() + 1, factors.begin() + 1 + count);
}

List Repeat(std::int32_t value, std::size_t times, List tail = {}) {
  List list(times, value);
  list.insert(list.end(), tail.begin(), tail.end());
  return list;
}

// --- Trial bound ------------------------------------------------------------------

TEST(TrialBound, RoundedRootPlusOne) {
  EXPECT_EQ(TrialBound(5), 3);
  EXPECT_EQ(TrialBound(7), 4);
  EXPECT_EQ(TrialBound(9), 4);
  EXPECT_EQ(TrialBound(10), 4);
  EXPECT_EQ(TrialBound(1), 2);
  EXPECT_EQ(TrialBound(0), 1);
  EXPECT_EQ(TrialBound(2147483647), 46342);
  EXPECT_EQ(TrialBound(2147395600), 46341);  // 46340 squared
  EXPECT_EQ(TrialBound(-1), std::nullopt);
}

// --- Factorisation ----------------------------------------------------------------

struct FactoriseRow {
  const char* name;
  const char* text;
  std::int32_t bound;  // of the trial division
  List factors;
};

class FactoriseTest : public ::testing::TestWithParam<FactoriseRow> {};

TEST_P(FactoriseTest, PrimesAscendingThenRemainder) {
  const FactoriseRow& row = GetParam();
  FactorArray factors{};
  factors[0] = -7;  // index 0 is never used
  std::int32_t term = -1;
  std::int16_t count = -1;
  std::int32_t divisor = -1;
  ASSERT_TRUE(Factorise(row.text, term, count, factors, divisor));
  EXPECT_EQ(Used(factors, count), row.factors);
  EXPECT_EQ(term, row.factors.back()) << "the term ends as the last remainder";
  EXPECT_EQ(TrialBound(std::stoi(row.text)), row.bound);
  EXPECT_EQ(divisor, row.bound + 1) << "the search runs to the bound taken from the starting value";
  EXPECT_EQ(factors[0], -7);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FactoriseTest,
    ::testing::Values(
        FactoriseRow{"largest_prime_above_bound", "10", 4, {2, 5}},
        FactoriseRow{"largest_prime_within_bound", "6", 3, {2, 3, 1}},
        FactoriseRow{"square", "9", 4, {3, 3, 1}},
        FactoriseRow{"one", "1", 2, {1}},
        FactoriseRow{"zero", "0", 1, {0}},
        FactoriseRow{"two", "2", 2, {2, 1}},
        FactoriseRow{"four", "4", 3, {2, 2, 1}},
        FactoriseRow{"prime_at_top", "2147483647", 46342, {2147483647}},
        FactoriseRow{"two_to_the_thirty", "1073741824", 32769, Repeat(2, 30, {1})},
        FactoriseRow{"three_times_two_to_the_29", "1610612736", 40133, Repeat(2, 29, {3, 1})},
        FactoriseRow{"square_of_prime_near_bound", "2147117569", 46338, {46337, 46337, 1}},
        FactoriseRow{"power_of_ten", "1000000000", 31624, Repeat(2, 9, Repeat(5, 9, {1}))},
        FactoriseRow{"nine_nines", "999999999", 31624, {3, 3, 3, 3, 37, 333667}}),
    RowName());

TEST(Factorise, RoundsTheValueItReads) {
  FactorArray factors{};
  std::int32_t term = 0;
  std::int16_t count = 0;
  std::int32_t divisor = 0;
  ASSERT_TRUE(Factorise("2147483646.6", term, count, factors, divisor));
  EXPECT_EQ(Used(factors, count), List{2147483647});
}

struct RefusedRow {
  const char* name;
  const char* text;
};

class FactoriseRefusesTest : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(FactoriseRefusesTest, NoNonNegative32BitValue) {
  FactorArray factors{};
  factors.fill(9);
  const FactorArray before = factors;
  std::int32_t term = 12345;
  std::int16_t count = 7;
  std::int32_t divisor = 0;
  EXPECT_FALSE(Factorise(GetParam().text, term, count, factors, divisor));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(term, 12345) << "term unchanged";
  EXPECT_EQ(factors, before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FactoriseRefusesTest,
    ::testing::Values(RefusedRow{"one_past_32_bits", "2147483648"},
                      RefusedRow{"largest_ten_digit_integer", "9999999999"},
                      RefusedRow{"negative", "-1"},
                      RefusedRow{"exponent_form", "1.5E+10"}),
    RowName());

TEST(FactorListStaleEntries, KeptAndNeverRead) {
  FactorArray factors{};
  std::int32_t term = 0;
  std::int16_t count = 0;
  std::int32_t divisor = 0;
  ASSERT_TRUE(Factorise("1073741824", term, count, factors, divisor));
  ASSERT_EQ(count, 31);
  ASSERT_TRUE(Factorise("10", term, count, factors, divisor));
  EXPECT_EQ(count, 2);
  List whole = {2, 5};
  const List stale = Repeat(2, 28, {1});
  whole.insert(whole.end(), stale.begin(), stale.end());
  EXPECT_EQ(Used(factors, 31), whole) << "entries past the count keep what they held";
  EXPECT_EQ(Rebuild(factors, count), "10");

  // Entries past the counts that would cancel if they were read.
  FactorArray n{};
  n.fill(5);
  n[1] = 2;
  n[2] = 3;
  FactorArray d{};
  d.fill(2);
  d[1] = 5;
  const FactorArray nBefore = n;
  const FactorArray dBefore = d;
  std::int32_t nentry = 0;
  std::int32_t dentry = 0;
  CancelPairs(n, 2, d, 1, nentry, dentry);
  EXPECT_EQ(n, nBefore);
  EXPECT_EQ(d, dBefore);
  EXPECT_EQ(Rebuild(n, 2), "6");
  EXPECT_EQ(Rebuild(d, 1), "5");
}

// --- Pairwise cancellation and rebuild -------------------------------------------

FactorArray Array(const List& entries) {
  FactorArray a{};
  for (std::size_t i = 0; i < entries.size(); ++i) a[i + 1] = entries[i];
  return a;
}

struct PairingRow {
  const char* name;
  List numerator;
  List denominator;
  List numeratorAfter;
  List denominatorAfter;
};

class CancelPairsTest : public ::testing::TestWithParam<PairingRow> {};

TEST_P(CancelPairsTest, EqualEntriesBecomeOne) {
  const PairingRow& row = GetParam();
  FactorArray n = Array(row.numerator);
  FactorArray d = Array(row.denominator);
  const auto nn = static_cast<std::int16_t>(row.numerator.size());
  const auto dn = static_cast<std::int16_t>(row.denominator.size());
  std::int32_t nentry = 0;
  std::int32_t dentry = 0;
  CancelPairs(n, nn, d, dn, nentry, dentry);
  EXPECT_EQ(Used(n, nn), row.numeratorAfter);
  EXPECT_EQ(Used(d, dn), row.denominatorAfter);
  EXPECT_EQ(nentry, nn + 1);
  EXPECT_EQ(dentry, dn + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CancelPairsTest,
    ::testing::Values(
        PairingRow{"nothing_shared", {2, 7}, {3, 3, 1}, {2, 7}, {3, 3, 1}},
        PairingRow{"fewer_in_numerator", {3, 5, 5, 1}, {2, 2, 5, 5, 1}, {3, 1, 1, 1},
                   {2, 2, 1, 1, 1}},
        PairingRow{"more_in_numerator", {2, 2, 2, 1}, {2, 3}, {1, 2, 2, 1}, {1, 3}},
        PairingRow{"first_standing_entry_cancels", {5}, {2, 5, 5}, {1}, {2, 1, 5}},
        PairingRow{"all_cancel", {3, 3, 1}, {3, 3, 1}, {1, 1, 1}, {1, 1, 1}}),
    RowName());

TEST(Rebuild, RunningProductKeptAsText) {
  const FactorArray factors = Array({2, 2, 3, 1});
  std::string box;
  std::vector<std::string> written;
  std::int32_t entry = 0;
  Rebuild(
      factors, 4, entry, [&box] { return box; },
      [&box, &written](std::string text) {
        written.push_back(text);
        box = std::move(text);
      });
  EXPECT_EQ(written, (std::vector<std::string>{"2", "4", "12", "12"}));
  EXPECT_EQ(entry, 5);
  EXPECT_EQ(Rebuild(Array({2147483647}), 1), "2147483647");
  EXPECT_EQ(Rebuild(Array(Repeat(2, 30, {1})), 31), "1073741824");
}

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
        ReductionRow{"three_quarters", "0.75", 0, "75", "100", 10, 11, {3, 5, 5, 1},
                     {2, 2, 5, 5, 1}, {3, 1, 1, 1}, {2, 2, 1, 1, 1}, "3/4"},
        ReductionRow{"five_quarters", "1.25", 0, "125", "100", 12, 11, {5, 5, 5, 1},
                     {2, 2, 5, 5, 1}, {1, 1, 5, 1}, {2, 2, 1, 1, 1}, "5/4"},
        ReductionRow{"remainder_above_bound", "12.34", 0, "1234", "100", 36, 11, {2, 617},
                     {2, 2, 5, 5, 1}, {1, 617}, {1, 2, 5, 5, 1}, "617/50"},
        ReductionRow{"nothing_shared", "1.5", 1, "14", "9", 5, 4, {2, 7}, {3, 3, 1}, {2, 7},
                     {3, 3, 1}, "14/9"},
        ReductionRow{"nine_recurring_is_one", "0.9", 1, "9", "9", 4, 4, {3, 3, 1}, {3, 3, 1},
                     {1, 1, 1}, {1, 1, 1}, "1/1"},
        ReductionRow{"four_elevenths", "0.36", 2, "36", "99", 7, 11, {2, 2, 3, 3, 1},
                     {3, 3, 11, 1}, {2, 2, 1, 1, 1}, {1, 1, 11, 1}, "4/11"},
        ReductionRow{"one_sixth", "0.1666", 1, "1500", "9000", 40, 96, {2, 2, 3, 5, 5, 5, 1},
                     {2, 2, 2, 3, 3, 5, 5, 5, 1}, {1, 1, 1, 1, 1, 1, 1},
                     {1, 1, 2, 1, 3, 1, 1, 1, 1}, "1/6"},
        ReductionRow{"one_seventh", "0.142857", 6, "142857", "999999", 379, 1001,
                     {3, 3, 3, 11, 13, 37, 1}, {3, 3, 3, 7, 11, 13, 37, 1},
                     {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 7, 1, 1, 1, 1}, "1/7"},
        ReductionRow{"integer", "360", 0, "360", "1", 20, 2, {2, 2, 2, 3, 3, 5, 1}, {1},
                     {2, 2, 2, 3, 3, 5, 1}, {1}, "360/1"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ReductionTest,
    ::testing::Values(
        ReductionRow{"prime_at_top", "2147483647", 0, "2147483647", "1", 46342, 2,
                     {2147483647}, {1}, {2147483647}, {1}, "2147483647/1"},
        ReductionRow{"thirty_one_entries", "1073741824", 0, "1073741824", "1", 32769, 2,
                     Repeat(2, 30, {1}), {1}, Repeat(2, 30, {1}), {1}, "1073741824/1"},
        ReductionRow{"term_of_one", "1", 0, "1", "1", 2, 2, {1}, {1}, {1}, {1}, "1/1"},
        ReductionRow{"nine_nines_recurring", "0.999999999", 9, "999999999", "999999999", 31624,
                     31624, {3, 3, 3, 3, 37, 333667}, {3, 3, 3, 3, 37, 333667},
                     {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, "1/1"},
        ReductionRow{"nine_decimals_share_nothing", ".123456789", 0, "123456789", "1000000000",
                     11112, 31624, {3, 3, 3607, 3803, 1}, Repeat(2, 9, Repeat(5, 9, {1})),
                     {3, 3, 3607, 3803, 1}, Repeat(2, 9, Repeat(5, 9, {1})),
                     "123456789/1000000000"},
        ReductionRow{"ten_digit_integer_within_32_bits", "1000000000", 0, "1000000000", "1",
                     31624, 2, Repeat(2, 9, Repeat(5, 9, {1})), {1},
                     Repeat(2, 9, Repeat(5, 9, {1})), {1}, "1000000000/1"}),
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

INSTANTIATE_TEST_SUITE_P(
    Rows, WideIntegerTest,
    ::testing::Values(WideRow{"one_past_32_bits", "2147483648", "2147483648"},
                      WideRow{"two_to_the_32", "4294967296", "4294967296"},
                      WideRow{"largest", "9999999999", "9999999999"},
                      WideRow{"two_to_the_32_less_one", "4294967295", "4294967295"}),
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
