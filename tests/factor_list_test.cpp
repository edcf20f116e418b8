// The factor lists: trial bounds, the factorisation, stale entries, pairwise
// cancellation and the rebuild, checked on the lists themselves.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/reduction.h"
#include "factor_lists.h"
#include "named_rows.h"

namespace quotalis::testing {
namespace {

using testing::PrintTo;

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
        FactoriseRow{"square", "9", 4, {3, 3, 1}}, FactoriseRow{"one", "1", 2, {1}},
        FactoriseRow{"zero", "0", 1, {0}}, FactoriseRow{"two", "2", 2, {2, 1}},
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

INSTANTIATE_TEST_SUITE_P(Rows, FactoriseRefusesTest,
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
        PairingRow{
            "fewer_in_numerator", {3, 5, 5, 1}, {2, 2, 5, 5, 1}, {3, 1, 1, 1}, {2, 2, 1, 1, 1}},
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

}  // namespace
}  // namespace quotalis::testing
