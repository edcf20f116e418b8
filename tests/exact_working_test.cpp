// The working of both directions and the factorisations behind it, each
// written as one line so that a row states the whole of it.
#include <gtest/gtest.h>

#include <quotalis/exact/working.h>

#include "named_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Rational;
using testing::PrintTo;

std::string Written(const exact::TermFactors& t) {
  if (!t.factored) return "?";
  std::string s;
  for (const exact::SharedPrime& p : t.primes) {
    s += (s.empty() ? "" : " ") + p.prime.get_str() + "^" + std::to_string(p.exponent) + "/" +
         std::to_string(p.common);
  }
  return s;
}

// a b | upper - lower = N / D | primes of N | primes of D | common (E: by Euclid) | N/D reduced
std::string Written(const exact::DecimalWorking& w) {
  return std::to_string(w.fixedDigits) + " " + std::to_string(w.periodDigits) + " | " +
         w.upper.get_str() + " - " + w.lower.get_str() + " = " + w.fraction.numerator.get_str() +
         " / " + w.fraction.denominator.get_str() + " | " + Written(w.numerator) + " | " +
         Written(w.denominator) + " | " + (w.byEuclid ? "E" : "") + w.common.get_str() + " | " +
         w.fraction.reduced.numerator.get_str() + "/" + w.fraction.reduced.denominator.get_str();
}

struct DecimalRow {
  const char* name;
  Decimal decimal;
  const char* working;
};

const DecimalRow kDecimals[] = {
    {"one_sixth",
     {false, "0", "1", "6", 0},
     "1 1 | 16 - 1 = 15 / 90 | 3^1/1 5^1/1 | 2^1/0 3^2/1 5^1/1 | 15 | 1/6"},
    {"terminating",
     {true, "1", "25", "", 0},
     "2 0 | 125 - 125 = -125 / 100 | 5^3/2 | 2^2/0 5^2/2 | 25 | -5/4"},
    {"zero", {false, "0", "0", "", 0}, "1 0 | 0 - 0 = 0 / 10 | ? | 2^1/1 5^1/1 | E10 | 0/1"},
    // 3 over 10^700 - 1, whose cofactor after the small primes is far too large.
    {"too_large_to_factor", {false, "0", "", std::string(699, '0') + "3", 0}, ""},
};

class DecimalWorking : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(DecimalWorking, ShowsEveryStep) {
  const auto w = std::get<exact::DecimalWorking>(exact::ExplainDecimal(GetParam().decimal));
  if (std::string_view(GetParam().name) == "too_large_to_factor") {
    EXPECT_EQ(Written(w.numerator), "3^1/1");
    EXPECT_FALSE(w.denominator.factored);
    EXPECT_TRUE(w.byEuclid);
    EXPECT_EQ(w.common, 3);
  } else {
    EXPECT_EQ(Written(w), GetParam().working);
  }
}

INSTANTIATE_TEST_SUITE_P(Worked, DecimalWorking, ::testing::ValuesIn(kDecimals), RowName());

// whole | remainder:digit ... | period start, length, capped
std::string Written(const exact::FractionWorking& w) {
  std::string s = w.whole.get_str() + " |";
  for (const exact::DivisionStep& step : w.steps) {
    s += " " + step.remainder.get_str() + ":" + std::to_string(step.digit);
  }
  if (w.capped) s = w.whole.get_str() + " | " + std::to_string(w.steps.size()) + " steps";
  return s + " | " + std::to_string(w.periodStart) + " " +
         (w.periodLength ? w.periodLength->get_str() : "?") + (w.capped ? " capped" : "");
}

struct FractionRow {
  const char* name;
  std::int64_t n, d;
  const char* working;
};

const FractionRow kFractions[] = {
    {"seven_sixths", 7, 6, "1 | 1:1 4:6 4:6 | 1 1"},
    {"quarter_ends_at_zero", -1, 4, "0 | 1:2 2:5 0:0 | 2 0"},
    {"seventh", 1, 7, "0 | 1:1 3:4 2:2 6:8 4:5 5:7 1:1 | 0 6"},
    {"period_past_the_steps_kept", 1, 1019, "0 | 1000 steps | 0 1018 capped"},
};

class FractionWorking : public ::testing::TestWithParam<FractionRow> {};

TEST_P(FractionWorking, DividesUpToTheFirstRepeat) {
  const FractionRow& row = GetParam();
  const auto w = exact::ExplainFraction(Rational{row.n, row.d});
  EXPECT_EQ(Written(std::get<exact::FractionWorking>(w)), row.working);
}

INSTANTIATE_TEST_SUITE_P(Worked, FractionWorking, ::testing::ValuesIn(kFractions), RowName());

TEST(ExplainFraction, RefusesZeroDenominator) {
  EXPECT_TRUE(std::holds_alternative<exact::Problem>(exact::ExplainFraction(Rational{1, 0})));
}

struct FactorRow {
  const char* name;
  const char* n;
  const char* primes;  // "p^e p^e", "" for 1, "none" when not factored
};

const FactorRow kFactors[] = {
    {"one", "1", ""},
    {"six_nines", "999999", "3^3 7^1 11^1 13^1 37^1"},
    {"word_square", "18446744030759878681", "4294967291^2"},
    {"above_the_word", "18446744073709551617", "274177^1 67280421310721^1"},  // 2^64 + 1
    {"large_prime_times_small", "510423550381407695195061911147652317181",
     "3^1 170141183460469231731687303715884105727^1"},                        // 3 (2^127 - 1)
    {"semiprime_past_the_sieve", "1267651712242099705070840572189", "none"},  // two 50-bit primes
    {"smooth_beyond_512_bits",                                                // 2^600 3^2
     "373456401199289366266116707732204503591120160901819320999609159672158753027161733175973634"
     "405239341485937809795017071026415563596787059777709818735070256731835506362306135857131683"
     "84",
     "2^600 3^2"},
};

class FactorTable : public ::testing::TestWithParam<FactorRow> {};

// The working of the integer n splits n into primes, over the denominator 1.
TEST_P(FactorTable, SplitsIntoPrimes) {
  const auto w = std::get<exact::DecimalWorking>(
      exact::ExplainDecimal(Decimal{false, GetParam().n, "", "", 0}));
  std::string s = w.numerator.factored ? "" : "none";
  for (const exact::SharedPrime& p : w.numerator.primes) {
    s += (s.empty() ? "" : " ") + p.prime.get_str() + "^" + std::to_string(p.exponent);
  }
  EXPECT_EQ(s, GetParam().primes);
}

INSTANTIATE_TEST_SUITE_P(Worked, FactorTable, ::testing::ValuesIn(kFactors), RowName());

}  // namespace
}  // namespace quotalis::testing
