// The period's length where factoring alone does not finish: 1/(10^k - 1),
// products of two primes below 10^20 with twos and fives, and the search for
// the order of 10 on its own, each against a computation of the test's own.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include <quotalis/exact/expansion.h>

#include "factor.h"  // exact/, factoring alone
#include "order.h"   // exact/, the search alone
#include "reference/order.h"

namespace quotalis::testing {
namespace {

using exact::DecimalExpansion;
using exact::Rational;

mpz_class PowerOf(unsigned long base, unsigned long e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), base, e);
  return p;
}

// Only the lengths: no digit is written.
DecimalExpansion Lengths(const mpz_class& denominator) {
  return std::get<DecimalExpansion>(exact::ToDecimal(Rational{1, denominator}, 0));
}

// 10^k - 1 divides 10^t - 1 exactly when k divides t, so the period of
// 1/(10^k - 1) is k, whatever its factors; times 2^a 5^b it starts after
// max(a, b) digits.
TEST(Period, OfOneOverTenToTheKMinusOneIsK) {
  for (unsigned long k = 1; k <= 2000; ++k) {
    const mpz_class d = PowerOf(10, k) - 1;
    const DecimalExpansion e = Lengths(d);
    ASSERT_TRUE(e.periodLength) << "k = " << k;
    ASSERT_EQ(e.periodLength->get_ui(), k);
    ASSERT_EQ(e.fixedLength, 0);
  }
  std::mt19937_64 rng(70);
  for (int i = 0; i < 60; ++i) {
    const unsigned long k = rng() % 2000 + 1;
    const unsigned long a = rng() % 30;
    const unsigned long b = rng() % 30;
    const DecimalExpansion e = Lengths((PowerOf(10, k) - 1) * PowerOf(2, a) * PowerOf(5, b));
    ASSERT_TRUE(e.periodLength) << "k = " << k;
    ASSERT_EQ(e.periodLength->get_ui(), k);
    ASSERT_EQ(e.fixedLength, static_cast<std::int64_t>(std::max(a, b)));
  }
}

// A random prime below 10^digits, neither 2 nor 5.
mpz_class RandomPrime(std::mt19937_64& rng, int digits) {
  mpz_class n = 0;
  for (int i = 0; i < digits; ++i) n = n * 10 + static_cast<unsigned long>(rng() % 10);
  for (n = n + 7;; ++n) {
    if (n % 2 == 0 || n % 5 == 0) continue;
    if (mpz_probab_prime_p(n.get_mpz_t(), 30) != 0) return n;
  }
}

// A random prime of `bits` bits, by the test's own choice and GMP's test.
std::uint64_t PrimeOfBits(std::mt19937_64& rng, int bits) {
  for (std::uint64_t n = (rng() >> (64 - bits)) | (std::uint64_t{1} << (bits - 1)) | 1;; n += 2) {
    if (mpz_probab_prime_p(mpz_class(std::to_string(n)).get_mpz_t(), 30) != 0) return n;
  }
}

// Numbers below 2^64 built from primes chosen here, the hardest kinds for
// the word-sized splitting: two primes of equal size, squares and cubes of
// primes, three primes, and small primes to a high power beside them; the
// factors found, with their exponents, are those they were built from.
TEST(Factoring, SplitsWordsIntoThePrimesTheyWereBuiltFrom) {
  std::mt19937_64 rng(1209);
  for (int i = 0; i < 300; ++i) {
    std::map<std::uint64_t, std::int64_t> want;
    const int kind = i % 5;
    if (kind == 0) {
      const int bits = 20 + i % 13;  // two primes of 20 to 32 bits
      ++want[PrimeOfBits(rng, bits)];
      ++want[PrimeOfBits(rng, bits)];
    } else if (kind == 1) {
      want[PrimeOfBits(rng, 31)] += 2;
    } else if (kind == 2) {
      want[PrimeOfBits(rng, 21)] += 3;
    } else if (kind == 3) {
      ++want[PrimeOfBits(rng, 20)];
      ++want[PrimeOfBits(rng, 20)];
      ++want[PrimeOfBits(rng, 20)];
    } else {
      want[3] += 5;
      want[7] += 2;
      ++want[PrimeOfBits(rng, 40)];
    }
    mpz_class n = 1;
    for (const auto& [p, e] : want) {
      // Through a string: `long` may hold only 32 bits (WebAssembly).
      mpz_class power;
      mpz_pow_ui(power.get_mpz_t(), mpz_class(std::to_string(p)).get_mpz_t(),
                 static_cast<unsigned long>(e));
      n *= power;
    }
    ASSERT_LE(mpz_sizeinbase(n.get_mpz_t(), 2), 64u);
    const auto found = exact::PrimeFactors(n);
    ASSERT_TRUE(found) << n.get_str();
    std::map<std::uint64_t, std::int64_t> got;
    for (const exact::PrimePower& f : *found) got[std::stoull(f.prime.get_str())] += f.exponent;
    EXPECT_EQ(got, want) << n.get_str();
  }
}

// p q 2^a 5^b for primes p, q below 10^20 of every size: the period is the
// least common multiple of the orders of 10 modulo p and modulo q (modulo p^2
// when they are equal: the order modulo p, times p unless 10^t = 1 modulo p^2),
// the non-recurring part max(a, b) digits.
TEST(Period, OfTwoPrimesBelowTenToTheTwentyTimesTwosAndFives) {
  std::mt19937_64 rng(20260101);
  for (int i = 0; i < 40; ++i) {
    const int pDigits = i % 4 == 0 ? 20 : static_cast<int>(rng() % 19 + 2);
    const int qDigits = i % 4 == 0 ? 20 : static_cast<int>(rng() % 19 + 2);
    const mpz_class p = RandomPrime(rng, pDigits);
    const mpz_class q = i == 7 ? p : RandomPrime(rng, qDigits);
    mpz_class want;
    const mpz_class op = OrderModPrime(p);
    const mpz_class oq = OrderModPrime(q);
    mpz_lcm(want.get_mpz_t(), op.get_mpz_t(), oq.get_mpz_t());
    if (p == q) {
      mpz_class square = p * p;
      mpz_class power;
      const mpz_class ten = 10;
      mpz_powm(power.get_mpz_t(), ten.get_mpz_t(), op.get_mpz_t(), square.get_mpz_t());
      if (power != 1) want *= p;
    }
    const unsigned long a = i % 3 == 0 ? 0 : rng() % 40;
    const unsigned long b = i % 5 == 0 ? 0 : rng() % 40;
    const mpz_class d = p * q * PowerOf(2, a) * PowerOf(5, b);
    const DecimalExpansion e = Lengths(d);
    ASSERT_TRUE(e.periodLength) << p.get_str() << " " << q.get_str();
    EXPECT_EQ(e.periodLength->get_str(), want.get_str()) << p.get_str() << " " << q.get_str();
    EXPECT_EQ(e.fixedLength, static_cast<std::int64_t>(std::max(a, b)));
  }
}

// The search alone, on moduli small enough to step through: the order when
// it is at most `most`, nothing when it is longer.
TEST(Period, SearchFindsTheOrderUpToItsLimitAndNoFurther) {
  std::mt19937_64 rng(31);
  for (int i = 0; i < 3000; ++i) {
    // Small moduli, the limit at the order or one short of it half the time;
    // moduli up to 2^32 against a limit of up to 20,000.
    const bool small = i < 2000;
    std::uint64_t m = rng() % (small ? 100000 : 4000000000) + 2;
    while (m % 2 == 0 || m % 5 == 0) ++m;
    std::int64_t most = static_cast<std::int64_t>(rng() % 20000) + 1;
    if (small && i % 2 == 0) {
      most = OrderByStepping(m, 100000) - static_cast<std::int64_t>(rng() % 2);
      if (most < 1) continue;
    }
    const std::int64_t order = OrderByStepping(m, most);
    const std::optional<std::int64_t> got =
        exact::OrderOfTenUpTo(mpz_class(static_cast<unsigned long>(m)), most);
    if (order > 0) {
      ASSERT_TRUE(got) << m << " within " << most;
      ASSERT_EQ(*got, order) << m;
    } else {
      ASSERT_FALSE(got) << m << " within " << most << ": " << *got;
    }
  }
}

// Moduli of many digits: factors of 10^k - 1 whose order is known, and a
// product of two 25-digit primes, whose period passes the limit.
TEST(Period, SearchOnLongModuli) {
  const mpz_class r = (PowerOf(10, 1009) - 1) / 9;  // the repunit of 1009 ones
  EXPECT_EQ(exact::OrderOfTenUpTo(r, 10'000'000), 1009);
  EXPECT_EQ(exact::OrderOfTenUpTo(r, 1009), 1009);
  EXPECT_FALSE(exact::OrderOfTenUpTo(r, 1008));
  // 10^4000 + 1 divides 10^8000 - 1 and no 10^t - 1 of a smaller t.
  const mpz_class plus = PowerOf(10, 4000) + 1;
  EXPECT_EQ(exact::OrderOfTenUpTo(plus, 10'000'000), 8000);
  EXPECT_FALSE(exact::OrderOfTenUpTo(plus, 7999));
  std::mt19937_64 rng(25);
  const mpz_class hard = RandomPrime(rng, 25) * RandomPrime(rng, 25);
  EXPECT_FALSE(exact::OrderOfTenUpTo(hard, 10'000'000));
  const DecimalExpansion e = std::get<DecimalExpansion>(exact::ToDecimal(Rational{1, hard}, 5));
  EXPECT_FALSE(e.periodLength);
  EXPECT_TRUE(e.PeriodBeyondLimit());
  EXPECT_TRUE(e.cut);
}

}  // namespace
}  // namespace quotalis::testing
