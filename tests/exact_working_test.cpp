// The working of both directions and the factorisations behind it.
#include <gtest/gtest.h>

#include "exact/factor.h"
#include "exact/working.h"
#include "named_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Rational;
using testing::PrintTo;

std::string Written(const exact::TermFactors& t) {
  if (!t.factored) return "unfactored";
  std::string s;
  for (const exact::SharedPrime& p : t.primes) {
    s += (s.empty() ? "" : " ") + p.prime.get_str() + "^" + std::to_string(p.exponent) + "/" +
         std::to_string(p.common);
  }
  return s;
}

TEST(ExplainDecimal, OneSixthMarksTheCommonThreeAndFive) {
  const auto w = std::get<exact::DecimalWorking>(exact::ExplainDecimal({false, "0", "1", "6", 0}));
  EXPECT_EQ(w.fixedDigits, 1);
  EXPECT_EQ(w.periodDigits, 1);
  EXPECT_EQ(w.upper, 16);
  EXPECT_EQ(w.lower, 1);
  EXPECT_EQ(w.fraction.numerator, 15);
  EXPECT_EQ(w.fraction.denominator, 90);
  EXPECT_EQ(Written(w.numerator), "3^1/1 5^1/1");
  EXPECT_EQ(Written(w.denominator), "2^1/0 3^2/1 5^1/1");
  EXPECT_EQ(w.common, 15);
  EXPECT_FALSE(w.byEuclid);
  EXPECT_EQ(w.fraction.reduced, (Rational{1, 6}));
}

TEST(ExplainDecimal, TermsTooLargeToFactorFallBackOnEuclid) {
  // 0.(0...01) with a 700-digit period: 1 over 10^700 - 1, which has no
  // factor below 1000 besides 3, 11 and the like, and a huge cofactor.
  const Decimal d{false, "0", "", std::string(699, '0') + "3", 0};
  const auto w = std::get<exact::DecimalWorking>(exact::ExplainDecimal(d));
  EXPECT_TRUE(w.numerator.factored);
  EXPECT_FALSE(w.denominator.factored);
  EXPECT_TRUE(w.byEuclid);
  EXPECT_EQ(w.common, 3);
}

TEST(ExplainFraction, OneSixthStopsAtTheFirstRepeat) {
  const auto w = std::get<exact::FractionWorking>(exact::ExplainFraction(Rational{7, 6}));
  EXPECT_EQ(w.whole, 1);
  ASSERT_EQ(w.steps.size(), 3u);
  EXPECT_EQ(w.steps[0].remainder, 1);
  EXPECT_EQ(w.steps[0].digit, 1);
  EXPECT_EQ(w.steps[1].remainder, 4);
  EXPECT_EQ(w.steps[1].digit, 6);
  EXPECT_EQ(w.steps[2].remainder, 4);
  EXPECT_EQ(w.periodStart, 1);
  EXPECT_EQ(*w.periodLength, 1);
  EXPECT_FALSE(w.capped);
}

TEST(ExplainFraction, TerminatingEndsAtRemainderZero) {
  const auto w = std::get<exact::FractionWorking>(exact::ExplainFraction(Rational{-1, 4}));
  ASSERT_EQ(w.steps.size(), 3u);
  EXPECT_EQ(w.steps[0].digit, 2);
  EXPECT_EQ(w.steps[1].digit, 5);
  EXPECT_EQ(w.steps[2].remainder, 0);
  EXPECT_EQ(*w.periodLength, 0);
}

TEST(ExplainFraction, LongPeriodIsCapped) {
  // 1/1019 has a period of 1018 digits: more steps than are kept.
  const auto w = std::get<exact::FractionWorking>(exact::ExplainFraction(Rational{1, 1019}));
  EXPECT_TRUE(w.capped);
  EXPECT_EQ(static_cast<std::int64_t>(w.steps.size()), exact::kMaxDivisionSteps);
  EXPECT_EQ(*w.periodLength, 1018);
  EXPECT_TRUE(std::holds_alternative<exact::Problem>(exact::ExplainFraction(Rational{1, 0})));
}

struct FactorRow {
  const char* name;
  const char* n;
  const char* primes;  // "p^e p^e", "" for 1, "none" when not factored
};

const FactorRow kFactors[] = {
    {"one", "1", ""},
    {"twelve", "12", "2^2 3^1"},
    {"six_nines", "999999", "3^3 7^1 11^1 13^1 37^1"},
    {"word_semiprime", "18446744030759878681", "4294967291^2"},
    {"above_the_word", "18446744073709551617", "274177^1 67280421310721^1"},  // 2^64 + 1
    {"semiprime_past_the_sieve", "1267651712242099705070840572189", "none"},  // two 50-bit primes
    {"large_prime_times_small", "510423550381407695195061911147652317181",
     "3^1 170141183460469231731687303715884105727^1"},
    {"smooth_beyond_512_bits", "", "2^600"},
};

class FactorTable : public ::testing::TestWithParam<FactorRow> {};

TEST_P(FactorTable, SplitsIntoPrimes) {
  const FactorRow& row = GetParam();
  mpz_class n(row.n[0] ? row.n : "1");
  if (!row.n[0]) mpz_ui_pow_ui(n.get_mpz_t(), 2, 600);
  const auto f = exact::Factorise(n);
  if (std::string_view(row.primes) == "none") {
    EXPECT_FALSE(f);
    return;
  }
  ASSERT_TRUE(f);
  std::string s;
  for (const exact::PrimePower& p : *f) {
    s += (s.empty() ? "" : " ") + p.prime.get_str() + "^" + std::to_string(p.exponent);
  }
  EXPECT_EQ(s, row.primes);
}

INSTANTIATE_TEST_SUITE_P(Worked, FactorTable, ::testing::ValuesIn(kFactors), RowName());

TEST(PowMod, MatchesSmallPowers) {
  EXPECT_EQ(exact::PowMod(10, 6, 7), 1u);
  EXPECT_EQ(exact::PowMod(10, 3, 7), 6u);
  EXPECT_EQ(exact::PowMod(2, 64, 18446744073709551557ULL), 59u);  // 2^64 - (2^64 - 59)
  EXPECT_EQ(exact::PowMod(5, 0, 1), 0u);
}

}  // namespace
}  // namespace quotalis::testing
