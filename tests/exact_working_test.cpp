// The working of both directions, each written as one line so that a row
// states the whole of it, and the factorisations behind it: primes that
// multiply back to the number, checked by GMP, and the limits past which the
// factoring gives up.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include <quotalis/exact/canonical.h>
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

std::string Digits(const Decimal& d) { return d.integer + "." + d.fixed + "(" + d.period + ")"; }

// y | a b | upper - lower = difference / coefficient | x = N / D | primes of N | primes
// of D | common (E: by Euclid) | lowest terms | mixed: whole numerator/denominator
std::string Written(const exact::DecimalWorking& w) {
  const exact::MixedNumber& m = w.mixed;
  return Digits(w.shortest) + " | " + std::to_string(w.fixedDigits) + " " +
         std::to_string(w.periodDigits) + " | " + w.upper.get_str() + " - " + w.lower.get_str() +
         " = " + w.difference.get_str() + " / " + w.coefficient.get_str() + " | " +
         w.fraction.numerator.get_str() + " / " + w.fraction.denominator.get_str() + " | " +
         Written(w.numerator) + " | " + Written(w.denominator) + " | " + (w.byEuclid ? "E" : "") +
         w.common.get_str() + " | " + w.fraction.reduced.numerator.get_str() + "/" +
         w.fraction.reduced.denominator.get_str() + " | " + (m.negative ? "-" : "") +
         m.whole.get_str() + " " + m.numerator.get_str() + "/" + m.denominator.get_str();
}

struct DecimalRow {
  const char* name;
  Decimal decimal;
  const char* working;
};

const DecimalRow kDecimals[] = {
    {"one_sixth",
     {false, "0", "1", "6", 0},
     "0.1(6) | 1 1 | 16 - 1 = 15 / 90 | 15 / 90 | 3^1/1 5^1/1 | 2^1/0 3^2/1 5^1/1 | 15 | 1/6 | "
     "0 1/6"},
    // The working starts from the shortest form: 0.1666... read as 0.166(6).
    {"one_sixth_written_longer",
     {false, "0", "166", "6", 0},
     "0.1(6) | 1 1 | 16 - 1 = 15 / 90 | 15 / 90 | 3^1/1 5^1/1 | 2^1/0 3^2/1 5^1/1 | 15 | 1/6 | "
     "0 1/6"},
    {"terminating",
     {true, "1", "25", "", 0},
     "1.25() | 2 0 | 125 - 125 = 125 / 100 | -125 / 100 | 5^3/2 | 2^2/0 5^2/2 | 25 | -5/4 | "
     "-1 1/4"},
    // The sign and the exponent set aside: y = 1.2(3) = 111/90, x = -111/9000000.
    {"sign_and_exponent",
     {true, "1", "2", "3", -5},
     "1.2(3) | 1 1 | 123 - 12 = 111 / 90 | -111 / 9000000 | 3^1/1 37^1/0 | 2^6/0 3^2/1 5^6/0 | "
     "3 | -37/3000000 | -0 37/3000000"},
    // A period of nines is kept, and the working ends at 1.
    {"nines",
     {false, "0", "", "99", 0},
     "0.(9) | 0 1 | 9 - 0 = 9 / 9 | 9 / 9 | 3^2/2 | 3^2/2 | 9 | 1/1 | 1 0/1"},
    {"whole_number_with_exponent",
     {false, "007", "", "", 2},
     "7.() | 0 0 | 7 - 7 = 7 / 1 | 700 / 1 | 2^2/0 5^2/0 7^1/0 |  | 1 | 700/1 | 700 0/1"},
    {"zero",
     {false, "0", "0", "", 0},
     "0.() | 0 0 | 0 - 0 = 0 / 1 | 0 / 1 | ? |  | E1 | 0/1 | 0 0/1"},
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
  long n, d;  // what gmpxx takes
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

struct ShortestRow {
  const char* name;
  Decimal given;
  Decimal shortest;
};

const ShortestRow kShortest[] = {
    {"period_starts_earlier", {false, "0", "16", "6", 0}, {false, "0", "1", "6", 0}},
    {"period_repeated", {false, "0", "", "1212", 0}, {false, "0", "", "12", 0}},
    {"period_turned", {false, "0", "1", "21", 0}, {false, "0", "", "12", 0}},
    {"period_turned_past_its_length", {false, "0", "3123", "123", 0}, {false, "0", "", "312", 0}},
    {"leading_and_trailing_zeros", {false, "007", "50", "", 0}, {false, "7", "5", "", 0}},
    {"sign_and_exponent_aside", {true, "1", "2", "3", -5}, {false, "1", "2", "3", 0}},
    {"nines_kept", {false, "0", "4", "99", 0}, {false, "0", "4", "9", 0}},
    {"period_of_zeros", {false, "0", "50", "00", 0}, {false, "0", "5", "", 0}},
    {"zero", {false, "", "", "0", 0}, {false, "0", "", "", 0}},
    {"no_fixed_digit_shared", {false, "0", "0", "01", 0}, {false, "0", "0", "01", 0}},
    {"period_of_prime_power_length", {false, "0", "", "1111111", 0}, {false, "0", "", "1", 0}},
    {"period_of_six_not_three", {false, "0", "", "121121", 0}, {false, "0", "", "121", 0}},
};

class Shortest : public ::testing::TestWithParam<ShortestRow> {};

TEST_P(Shortest, KeepsTheValue) {
  EXPECT_EQ(exact::Shortest(GetParam().given), GetParam().shortest);
}

INSTANTIATE_TEST_SUITE_P(Forms, Shortest, ::testing::ValuesIn(kShortest), RowName());

// Over seeded decimals of a few digits: the shortest form has the same value
// and, but for a period of nines, is the canonical form.
TEST(Shortest, IsCanonicalButForNines) {
  std::mt19937_64 random(6);
  const auto digits = [&](std::size_t most, const char* alphabet) {
    std::string s(random() % (most + 1), '0');
    for (char& c : s) c = alphabet[random() % 3];
    return s;
  };
  for (int i = 0; i < 3000; ++i) {
    const Decimal d{false, digits(2, "019"), digits(4, "129"), digits(6, "129"), 0};
    const Decimal y = exact::Shortest(d);
    const auto value = std::get<exact::Schoolbook>(exact::ToFraction(d)).reduced;
    EXPECT_EQ(std::get<exact::Schoolbook>(exact::ToFraction(y)).reduced, value);
    if (y.period.find_first_not_of('9') != std::string::npos || y.period.empty()) {
      EXPECT_EQ(y, std::get<Decimal>(exact::Canonical(d)))
          << d.integer << "." << d.fixed << "(" << d.period << ")";
    }
  }
}

TEST(ToMixed, SplitsTheWholePart) {
  EXPECT_EQ(exact::ToMixed({7, 6}), (exact::MixedNumber{false, 1, 1, 6}));
  EXPECT_EQ(exact::ToMixed({-7, 6}), (exact::MixedNumber{true, 1, 1, 6}));
  EXPECT_EQ(exact::ToMixed({1, 6}), (exact::MixedNumber{false, 0, 1, 6}));
  EXPECT_EQ(exact::ToMixed({7, 1}), (exact::MixedNumber{false, 7, 0, 1}));
}

// sign whole numerator/denominator improper common | the fraction worked
std::string Written(const exact::WrittenFraction& f, const Rational& r) {
  return std::string(f.negative ? "-" : "+") + (f.mixed ? f.whole.get_str() + " " : "") +
         f.numerator.get_str() + "/" + f.denominator.get_str() + " " + f.improper.get_str() + " " +
         f.common.get_str() + " | " + r.numerator.get_str() + "/" + r.denominator.get_str();
}

TEST(ExplainFraction, KeepsTheFractionAsWritten) {
  const auto worked = [](exact::FractionText text) {
    const auto w = exact::ExplainFraction(text);
    const auto& working = std::get<exact::FractionWorking>(w);
    return Written(*working.written, working.fraction);
  };
  EXPECT_EQ(worked({false, "3", "1", "4"}), "+3 1/4 13 1 | 13/4");
  EXPECT_EQ(worked({false, "", "10", "4"}), "+10/4 10 2 | 5/2");
  EXPECT_EQ(worked({true, "3", "2", "4"}), "-3 2/4 14 2 | -7/2");
  EXPECT_EQ(worked({true, "", "0", "5"}), "+0/5 0 5 | 0/1");
  EXPECT_EQ(worked({false, "", "014", "2"}), "+14/2 14 2 | 7/1");
  EXPECT_TRUE(std::holds_alternative<exact::Problem>(
      exact::ExplainFraction(exact::FractionText{false, "", "1", "0"})));
}

// The prime factors the working gives for the integer n, over the denominator 1.
exact::TermFactors FactorsOf(const mpz_class& n) {
  const auto w = exact::ExplainDecimal(Decimal{false, n.get_str(), "", "", 0});
  return std::get<exact::DecimalWorking>(w).numerator;
}

// Empty when `t` splits n into primes: each a probable prime by GMP's own test
// (30 rounds), in ascending order without repeats, each to a power of 1 or
// more with no copy shared with the denominator 1, all multiplying back to n.
// Otherwise what is wrong.
std::string SplitFault(const mpz_class& n, const exact::TermFactors& t) {
  if (!t.factored) return "not factored";
  mpz_class product = 1;
  for (std::size_t i = 0; i < t.primes.size(); ++i) {
    const exact::SharedPrime& p = t.primes[i];
    const std::string prime = p.prime.get_str();
    if (mpz_probab_prime_p(p.prime.get_mpz_t(), 30) == 0) return prime + " is not a prime";
    if (i > 0 && p.prime <= t.primes[i - 1].prime) return prime + " out of order";
    if (p.exponent < 1 || p.common != 0) {
      return prime + "^" + std::to_string(p.exponent) + "/" + std::to_string(p.common);
    }
    mpz_class power;
    mpz_pow_ui(power.get_mpz_t(), p.prime.get_mpz_t(), static_cast<unsigned long>(p.exponent));
    product *= power;
  }
  return product == n ? "" : "the primes multiply to " + product.get_str();
}

mpz_class Power(unsigned long base, unsigned long exponent) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), base, exponent);
  return p;
}

// A number of exactly `bits` bits, from the generator's raw words (the same
// on every platform).
mpz_class RandomBits(std::mt19937_64& random, unsigned long bits) {
  mpz_class n = 0;
  for (unsigned long have = 0; have < bits; have += 64) {
    n <<= 64;
    n += mpz_class(std::to_string(random()));  // all 64 bits, where long has 32 too
  }
  mpz_fdiv_r_2exp(n.get_mpz_t(), n.get_mpz_t(), bits - 1);
  mpz_setbit(n.get_mpz_t(), bits - 1);
  return n;
}

// The first prime after a random number of `bits` bits, by GMP's search.
mpz_class RandomPrime(std::mt19937_64& random, unsigned long bits) {
  mpz_class p;
  mpz_nextprime(p.get_mpz_t(), RandomBits(random, bits).get_mpz_t());
  return p;
}

// Seeded numbers of every size the factoring treats its own way (the limits
// are in exact/expansion.h), each split into primes that multiply back to it:
// below 2^64, every number; up to kSieveBits bits, every number, whatever is
// left after the small primes; up to kFactorBits bits, a large prime times
// small ones; past it, primes below kTrialPrimeLimit only.
TEST(Factorisation, SplitsSeededNumbersIntoPrimes) {
  std::mt19937_64 random(20261209);
  std::vector<mpz_class> primesBelow1000;
  for (mpz_class p = 2; p < 1000; mpz_nextprime(p.get_mpz_t(), p.get_mpz_t())) {
    primesBelow1000.push_back(p);
  }
  const auto below1000 = [&] { return primesBelow1000[random() % primesBelow1000.size()]; };
  std::vector<mpz_class> numbers = {
      1, 2, 3, 4, Power(2, 32) - 5, Power(2, 64) - 1, Power(2, 64), Power(2, 64) + 1};
  // The draws are made one statement at a time: the order in which the
  // operands of a product are worked out is the compiler's choice.
  for (unsigned long i = 0; i < 24; ++i) {
    numbers.push_back(RandomBits(random, 1 + i % 32));  // below 2^32
    // Under 2^24, which even a 32-bit long holds.
    const auto draw = static_cast<unsigned long>(random() % (1u << 24));
    numbers.push_back(Power(2, 64) - 1 - draw);              // just below 2^64
    numbers.push_back(RandomBits(random, 65 + 3 * i % 36));  // 65 to 100 bits
    mpz_class n = below1000();                               // just past 2^64, with small primes
    n *= RandomPrime(random, 16);
    numbers.push_back(n * RandomBits(random, 60 + i % 5));
    // Two primes of 100 bits together, the smaller of 20 to 58.
    const unsigned long smaller = 20 + 5 * i / 3;
    n = RandomPrime(random, smaller);
    numbers.push_back(n * RandomPrime(random, 100 - smaller));
    n = RandomPrime(random, 2 + i % 29);  // a cube, for the exponents
    numbers.push_back(n * n * n * below1000());
    n = RandomPrime(random, 80 + 17 * i);  // one large prime of 80 to 471 bits, times small ones
    n *= below1000();
    numbers.push_back(n * RandomPrime(random, 20));
    n = 1;  // 200 to 591 bits of primes below 1000
    while (mpz_sizeinbase(n.get_mpz_t(), 2) < 200 + 17 * i) n *= below1000();
    numbers.push_back(n);
  }
  for (const mpz_class& n : numbers) {
    EXPECT_EQ(SplitFault(n, FactorsOf(n)), "") << n.get_str();
  }
}

// Past the limits the factoring gives up, rather than split wrongly or take
// long. Each row sits on one side of a limit.
struct LimitRow {
  const char* name;
  mpz_class n;
  bool factored;
};

const mpz_class kPrime67("73786976294838206473");   // the first prime after 2^66
const mpz_class kPrime68("147573952589676412931");  // after 2^67
const mpz_class kPrime69("295147905179352825889");  // after 2^68

const LimitRow kLimits[] = {
    {"two_large_primes_within_the_sieve", kPrime67* kPrime68, true},  // 134 bits
    {"two_large_primes_past_the_sieve", kPrime67* kPrime69, false},   // 135 bits
    {"small_prime_within_512_bits", Power(2, 499) * 8191, true},      // 512 bits
    {"prime_of_1000_or_more_past_512_bits", Power(2, 500) * 8191, false},
    {"primes_below_1000_past_512_bits", Power(2, 600) * 997 * 9, true},
    {"prime_1009_past_512_bits", Power(2, 600) * 1009, false},
};

class FactorLimit : public ::testing::TestWithParam<LimitRow> {};

TEST_P(FactorLimit, SplitsOnlyWithin) {
  const LimitRow& row = GetParam();
  const exact::TermFactors t = FactorsOf(row.n);
  if (row.factored) {
    EXPECT_EQ(SplitFault(row.n, t), "");
  } else {
    EXPECT_FALSE(t.factored);
    EXPECT_TRUE(t.primes.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, FactorLimit, ::testing::ValuesIn(kLimits), RowName());

// Two primes of 60 bits or more, and together past the sieve but within 512
// bits, are too hard: the small-prime search does not reach them.
TEST(Factorisation, GivesUpOnTwoLargePrimes) {
  std::mt19937_64 random(512);
  for (unsigned long i = 0; i < 6; ++i) {
    mpz_class n = RandomPrime(random, 60 + 8 * i);
    n *= RandomPrime(random, 200 - 8 * i);
    const exact::TermFactors t = FactorsOf(n);
    EXPECT_FALSE(t.factored) << n.get_str();
    EXPECT_TRUE(t.primes.empty());
  }
}

}  // namespace
}  // namespace quotalis::testing
