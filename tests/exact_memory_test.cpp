// Running out of memory inside GMP and FLINT: each operation is run again and
// again with the system refusing its first, second, third... block, until it
// completes. Every refusal must come out as std::bad_alloc (no abort, no
// crash), ReclaimSince must give back what the interrupted operation left
// behind, and the run that completes must give the right answer. Under the
// sanitizers a block freed twice or written past its end fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <variant>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/memory.h>
#include <quotalis/exact/working.h>

#include "memory_testing.h"
#include "named_rows.h"

// What an interrupted operation loses by design (exact/memory.h), which
// LeakSanitizer would otherwise report when the test ends: GMP's temporaries
// and small numbers of 512 bytes or less, which ReclaimSince leaves alone
// because FLINT may still hold them, and what FLINT allocated for itself.
// Blocks of more than 512 bytes are still counted by the test itself.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:__gmp_tmp_reentrant_alloc\n"
         "leak:__gmpz_realloc\n"
         "leak:flint_malloc\n";
}

namespace quotalis::testing {
namespace {

using testing::PrintTo;

mpz_class TenTo(unsigned long n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
  return p;
}

std::string Digits(char digit, std::size_t count) { return std::string(count, digit); }

std::string FractionOf(const exact::Rational& r) {
  return r.numerator.get_str() + "/" + r.denominator.get_str();
}

// 0.1(6...6): its period of n sixes does not change the value.
std::string SixthWithLongPeriod() {
  const exact::Decimal d{false, "0", "1", Digits('6', 300000), 0};
  return FractionOf(std::get<exact::Schoolbook>(exact::ToFraction(d)).reduced);
}

// 1/2^n = 5^n/10^n: the n digits after the point are those of 5^n, with
// zeros before them.
std::string ExpansionOfAPowerOfTwo() {
  constexpr unsigned long kTwos = 100000;
  mpz_class two;
  mpz_ui_pow_ui(two.get_mpz_t(), 2, kTwos);
  const auto e = std::get<exact::DecimalExpansion>(exact::ToDecimal(exact::Rational{1, two}));
  mpz_class five;
  mpz_ui_pow_ui(five.get_mpz_t(), 5, kTwos);
  const std::string digits = five.get_str();
  const std::string expected = Digits('0', kTwos - digits.size()) + digits;
  return e.value.fixed == expected && e.value.period.empty() ? "0.5^n" : "wrong digits";
}

// A product into a number that already holds a smaller one: GMP frees the
// old block before it allocates the new (the case the allocator keeps the
// freed block for). (10^n - 1)(10^n + 1) = 10^2n - 1.
std::string ProductIntoAnExistingNumber() {
  const mpz_class a = TenTo(200000) - 1;
  const mpz_class b = TenTo(200000) + 1;
  mpz_class w = 12345;
  mpz_mul(w.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
  return w + 1 == TenTo(400000) ? "10^400000 - 1" : "wrong product";
}

// The working of 0.(0...01) with a 42-digit period: 10^42 - 1, of 140 bits,
// is split into primes by FLINT (trial division, ECM).
std::string WorkingThroughFlint() {
  const exact::Decimal d{false, "0", "", Digits('0', 41) + "1", 0};
  const auto w = std::get<exact::DecimalWorking>(exact::ExplainDecimal(d));
  mpz_class product = 1;
  for (const exact::SharedPrime& p : w.denominator.primes) {
    if (mpz_probab_prime_p(p.prime.get_mpz_t(), 30) == 0) return "not prime: " + p.prime.get_str();
    mpz_class power;
    mpz_pow_ui(power.get_mpz_t(), p.prime.get_mpz_t(), static_cast<unsigned long>(p.exponent));
    product *= power;
  }
  if (!w.denominator.factored || product != TenTo(42) - 1) return "wrong factors";
  return FractionOf(w.fraction.reduced);
}

// A 100,000-digit number written out and read back.
std::string DigitsBackAndForth() {
  const mpz_class n = TenTo(100000) / 7;
  const mpz_class back(n.get_str(), 10);
  return back == n && n.get_str().size() == 100000 ? "same" : "different";
}

struct Row {
  const char* name;
  std::function<std::string()> run;
  const char* answer;
};

// Which block to refuse in turn: each of the first 64, then every quarter
// more, so that an operation of thousands of blocks is tried at a hundred
// places or so, its first steps all.
std::int64_t Next(std::int64_t after) {
  return after < 64 ? after + 1 : after + std::max<std::int64_t>(1, after / 4);
}

const Row kRows[] = {
    {"decimal_to_fraction", SixthWithLongPeriod, "1/6"},
    {"fraction_to_decimal", ExpansionOfAPowerOfTwo, "0.5^n"},
    {"product_into_existing_number", ProductIntoAnExistingNumber, "10^400000 - 1"},
    {"working_through_flint", WorkingThroughFlint, "1/999999999999999999999999999999999999999999"},
    {"digits_back_and_forth", DigitsBackAndForth, "same"},
};

class RefusedMemory : public ::testing::TestWithParam<Row> {
 protected:
  static void SetUpTestSuite() { exact::ThrowWhenMemoryRunsOut(); }
  void TearDown() override { exact::RefuseBlocksAfter(-1); }
};

TEST_P(RefusedMemory, EveryRefusalThrowsAndIsReclaimed) {
  const Row& row = GetParam();
  int refusals = 0;
  for (std::int64_t after = 0;; after = Next(after)) {
    const std::size_t trackedBefore = exact::TrackedBlocks();
    const std::uint64_t mark = exact::MemoryMark();
    exact::RefuseBlocksAfter(after);
    std::string answer;
    try {
      answer = row.run();
    } catch (const std::bad_alloc&) {
      exact::RefuseBlocksAfter(-1);
      ++refusals;
      exact::ReclaimSince(mark);
      ASSERT_EQ(exact::TrackedBlocks(), trackedBefore) << "refused after " << after << " blocks";
      continue;
    }
    exact::RefuseBlocksAfter(-1);
    EXPECT_EQ(answer, row.answer);
    EXPECT_EQ(exact::TrackedBlocks(), trackedBefore) << "a block left in use";
    break;
  }
  EXPECT_GT(refusals, 0);
  // What may be left: one freed block of at most 512 bytes a refusal.
  EXPECT_LE(exact::ZombieBlocks(), static_cast<std::size_t>(refusals));
}

INSTANTIATE_TEST_SUITE_P(Operations, RefusedMemory, ::testing::ValuesIn(kRows), RowName{});

}  // namespace
}  // namespace quotalis::testing
