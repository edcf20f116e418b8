// Expansions in the bases 2 to 36, both ways, against the test's own
// arithmetic: long division in the base with the remainders remembered, the
// value of a digit string by Horner's rule, and the order of the base from
// the known factors of the denominator.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <quotalis/exact/base.h>
#include <quotalis/exact/canonical.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/write.h>

#include "base_division.h"
#include "order.h"  // exact/, the search alone
#include "reference/order.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::DecimalExpansion;
using exact::Notation;
using exact::Problem;
using exact::ProblemKind;
using exact::Rational;

// The value of base-b digits by Horner's rule.
mpz_class Horner(const std::string& digits, int b) {
  mpz_class v = 0;
  for (const char c : digits) {
    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    v = v * b + d;
  }
  return v;
}

mpz_class Power(int b, std::size_t e) {
  mpz_class p = 1;
  for (std::size_t i = 0; i < e; ++i) p *= b;
  return p;
}

DecimalExpansion Expand(const Rational& r, int base) {
  auto e = exact::ToBase(r, base);
  EXPECT_TRUE(std::holds_alternative<DecimalExpansion>(e)) << base;
  return std::get<DecimalExpansion>(e);
}

Rational ValueOf(std::string_view text, int base) {
  auto read = exact::ReadInBase(text, base);
  if (auto* p = std::get_if<Problem>(&read)) {
    ADD_FAILURE() << text << " in base " << base << ": " << p->message;
    return {};
  }
  auto value = exact::FromBase(std::get<Decimal>(std::get<exact::Reading>(read).value), base);
  if (auto* p = std::get_if<Problem>(&value)) {
    ADD_FAILURE() << text << " in base " << base << ": " << p->message;
    return {};
  }
  return std::get<Rational>(value);
}

Problem Refusal(std::string_view text, int base) {
  auto read = exact::ReadInBase(text, base);
  EXPECT_TRUE(std::holds_alternative<Problem>(read)) << text << " in base " << base;
  return std::holds_alternative<Problem>(read) ? std::get<Problem>(read) : Problem{};
}

// The examples a pupil meets first.
TEST(Base, ExamplesOfTheLesson) {
  const Decimal tenth = Expand({1, 10}, 2).value;
  EXPECT_EQ(tenth, (Decimal{false, "0", "0", "0011", 0}));
  EXPECT_EQ(std::get<std::string>(exact::WriteInBase(tenth, Notation::Parentheses, 2)),
            "0.0(0011)");
  EXPECT_EQ(Expand({1, 5}, 2).value, (Decimal{false, "0", "", "0011", 0}));
  EXPECT_EQ(Expand({1, 6}, 16).value, (Decimal{false, "0", "2", "a", 0}));
  EXPECT_EQ(Expand({255, 2}, 16).value, (Decimal{false, "7f", "8", "", 0}));
  EXPECT_EQ(Expand({-1, 7}, 8).value, (Decimal{true, "0", "", "1", 0}));
  EXPECT_EQ(Expand({1, 3}, 3).value, (Decimal{false, "0", "1", "", 0}));
  EXPECT_EQ(ValueOf("0.0(0011)", 2), (Rational{1, 10}));
  EXPECT_EQ(ValueOf("0.2(A)", 16), (Rational{1, 6}));
  EXPECT_EQ(ValueOf("FF.8", 16), (Rational{511, 2}));
  EXPECT_EQ(ValueOf("-0.(z)", 36), (Rational{-1, 1}));
  EXPECT_EQ(ValueOf("0.1r6", 16), (Rational{7, 80}));
  // e is a digit from base 15 on, r from base 28 on.
  EXPECT_EQ(ValueOf("e", 15), (Rational{14, 1}));
  EXPECT_EQ(ValueOf("0.(r)", 28), (Rational{1, 1}));
  // A fraction's terms are in base 10 whatever the base.
  auto fraction = exact::ReadInBase("1/5", 2);
  ASSERT_TRUE(std::holds_alternative<exact::Reading>(fraction));
  EXPECT_EQ(std::get<exact::Reading>(fraction).notation, Notation::Fraction);
}

// Seeded fractions, every base: the digits and both lengths of long division,
// and the written expansion read back in either case.
TEST(Base, SeededFractionsInEveryBaseMatchLongDivision) {
  std::mt19937_64 random(20261210);
  for (int b = 2; b <= 36; ++b) {
    for (int i = 0; i < 60; ++i) {
      const std::uint64_t d = 1 + random() % 5000;
      const std::uint64_t n = random() % (3 * d);
      const std::uint64_t g = std::gcd(n, d);
      const Expanded want = Divide(n / g, d / g, b);
      const DecimalExpansion got =
          Expand({mpz_class(std::to_string(n)), mpz_class(std::to_string(d))}, b);
      ASSERT_EQ(got.value, (Decimal{false, want.integer, want.fixed, want.period, 0}))
          << n << "/" << d << " base " << b;
      EXPECT_EQ(got.fixedLength, static_cast<std::int64_t>(want.fixed.size()));
      ASSERT_TRUE(got.periodLength);
      EXPECT_EQ(*got.periodLength, want.period.size());
      EXPECT_FALSE(got.cut);
      for (const Notation how : {Notation::Parentheses, Notation::Brackets, Notation::Dots,
                                 Notation::Overline, Notation::Ellipsis}) {
        auto text = exact::WriteInBase(got.value, how, b);
        if (std::holds_alternative<Problem>(text)) continue;  // an ellipsis with no ending
        std::string written = std::get<std::string>(text);
        const Rational back = ValueOf(written, b);
        // (Through strings: where long is 32 bits, gmpxx takes no 64-bit integer.)
        EXPECT_EQ(back,
                  (Rational{mpz_class(std::to_string(n / g)), mpz_class(std::to_string(d / g))}))
            << written << " base " << b;
        for (char& c : written) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (how == Notation::Parentheses) {
          EXPECT_EQ(ValueOf(written, b), back) << written;
        }
      }
    }
  }
}

// Seeded digit strings in every base, read and valued against Horner's rule.
TEST(Base, SeededDigitStringsInEveryBaseMatchHorner) {
  std::mt19937_64 random(3602879701896397ULL);
  const auto digits = [&](int b, std::size_t most) {
    std::string s;
    const std::size_t n = random() % (most + 1);
    for (std::size_t i = 0; i < n; ++i) s += kDigits[random() % static_cast<std::uint64_t>(b)];
    return s;
  };
  for (int b = 2; b <= 36; ++b) {
    for (int i = 0; i < 80; ++i) {
      const std::string integer = "1" + digits(b, 6);
      const std::string fixed = digits(b, 8);
      const std::string period = digits(b, 9);
      // (head + period - head) / ((b^p - 1) b^f), or head / b^f.
      const mpz_class head = Horner(integer + fixed, b);
      mpq_class want;
      if (period.empty()) {
        want = mpq_class(head, Power(b, fixed.size()));
      } else {
        want = mpq_class(Horner(integer + fixed + period, b) - head,
                         (Power(b, period.size()) - 1) * Power(b, fixed.size()));
      }
      want.canonicalize();
      std::string text = integer + "." + fixed;
      if (!period.empty()) text += "(" + period + ")";
      if (fixed.empty() && period.empty()) text = integer;
      const Rational got = ValueOf(text, b);
      EXPECT_EQ(got.numerator, want.get_num()) << text << " base " << b;
      EXPECT_EQ(got.denominator, want.get_den()) << text << " base " << b;
      // And back: the canonical expansion of the value has the same value.
      const Decimal again = Expand(got, b).value;
      EXPECT_EQ(std::get<Rational>(exact::FromBase(again, b)), got);
    }
  }
}

// Periods in base B of denominators built from known primes: the least
// common multiple of the orders modulo each prime, the base's own primes
// giving the digits before the period.
TEST(Base, PeriodsFromKnownFactorsMatchTheOrderOfTheBase) {
  const std::vector<unsigned long> primes = {3, 7, 11, 13, 17, 101, 9973, 99991, 999983, 9999991};
  std::mt19937_64 random(99);
  for (int b = 2; b <= 36; ++b) {
    for (int i = 0; i < 20; ++i) {
      mpz_class d = 1;
      mpz_class want = 1;
      for (const unsigned long p : primes) {
        if (random() % 3 != 0 || b % static_cast<int>(p) == 0) continue;
        d *= p;
        const mpz_class o = OrderModPrime(mpz_class(p), static_cast<unsigned long>(b));
        mpz_lcm(want.get_mpz_t(), want.get_mpz_t(), o.get_mpz_t());
      }
      if (d == 1) want = 0;
      // The base's primes ahead: b^3 times a factor of b.
      const mpz_class withBase = d * Power(b, 3) * (b % 4 == 0 ? 2 : 1);
      const auto got = exact::PeriodLengthInBase(withBase, b);
      ASSERT_TRUE(got) << withBase << " base " << b;
      EXPECT_EQ(*got, want) << withBase << " base " << b;
      const DecimalExpansion e = std::get<DecimalExpansion>(exact::ToBase({1, withBase}, b, 0));
      EXPECT_EQ(e.fixedLength, b % 4 == 0 ? 4 : 3) << b;
      EXPECT_EQ(e.periodLength, got);
    }
  }
  // The prime 9999991 whose period a loop over remainders takes long to find.
  EXPECT_EQ(exact::PeriodLengthInBase(9999991, 2), 4999995);
  EXPECT_EQ(exact::PeriodLengthInBase(9999991, 16), 4999995);
  EXPECT_EQ(exact::PeriodLengthInBase(9999991, 10), 1666665);
  EXPECT_EQ(exact::PeriodLengthInBase(0, 2), std::nullopt);
  EXPECT_EQ(exact::PeriodLengthInBase(7, 37), std::nullopt);
}

// In an odd base 2 is prime to the base: powers of two in the denominator,
// whose order the base-10 library never meets, against stepping.
TEST(Base, PowersOfTwoInOddBases) {
  for (int b = 3; b <= 35; b += 2) {
    for (int k = 1; k <= 24; ++k) {
      const std::uint64_t two = std::uint64_t{1} << k;
      const std::int64_t want =
          std::lcm(OrderByStepping(two, 1 << 25, static_cast<std::uint64_t>(b)),
                   b % 7 == 0 ? 1 : OrderByStepping(7, 10, static_cast<std::uint64_t>(b)));
      const mpz_class d = mpz_class(std::to_string(two)) * (b % 7 == 0 ? 1 : 7);
      EXPECT_EQ(exact::PeriodLengthInBase(d, b), mpz_class(std::to_string(want)))
          << d << " base " << b;
    }
  }
}

// The search for the order on its own, in other bases, against stepping.
TEST(Base, SearchForTheOrderMatchesStepping) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 400; ++i) {
    const unsigned long b = 2 + random() % 35;
    const std::uint64_t m = 2 + random() % 2'000'000;
    if (std::gcd(m, static_cast<std::uint64_t>(b)) != 1) continue;
    const std::int64_t want = OrderByStepping(m, 3'000'000, b);
    const auto got = exact::OrderOfBaseUpTo(mpz_class(std::to_string(m)), 3'000'000, b);
    ASSERT_TRUE(got) << m << " base " << b;
    EXPECT_EQ(*got, want) << m << " base " << b;
  }
  EXPECT_EQ(exact::OrderOfBaseUpTo(9, 5, 2), std::nullopt);
}

// A long period written whole: 1/9999991 in base 2 and in base 16, every
// digit checked against the period's defining identity.
TEST(Base, LongPeriodsAreWrittenWhole) {
  for (const int b : {2, 16}) {
    const DecimalExpansion e = Expand({1, 9999991}, b);
    ASSERT_EQ(e.value.period.size(), 4999995u);
    // period = (b^L - 1) / 9999991, as a number in base b.
    const mpz_class period(e.value.period, b);
    mpz_class whole;
    mpz_ui_pow_ui(whole.get_mpz_t(), static_cast<unsigned long>(b), 4999995);
    EXPECT_EQ(period * 9999991, whole - 1);
  }
}

// Base 10 is the rest of the library itself.
TEST(Base, TenIsTheLibrarysOwn) {
  for (const char* text : {"0.1(6)", "-1.2(3)e-5", "0.1666...", "1 1/6", "1,5", "0.1(6"}) {
    EXPECT_EQ(exact::ReadInBase(text, 10), exact::Read(text)) << text;
  }
  for (const Rational& r : {Rational{1, 7}, Rational{-7, 2}, Rational{22, 7}, Rational{0, 5}}) {
    const auto a = std::get<DecimalExpansion>(exact::ToBase(r, 10));
    const auto b = std::get<DecimalExpansion>(exact::ToDecimal(r));
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.fixedLength, b.fixedLength);
    EXPECT_EQ(a.periodLength, b.periodLength);
  }
}

TEST(Base, RefusalsNameThePlace) {
  Problem p = Refusal("0.12", 2);
  EXPECT_EQ(p.message, "2 at character 4 is not a digit in base 2");
  EXPECT_EQ(p.position, 4);
  p = Refusal("0.g", 16);
  EXPECT_EQ(p.message, "g at character 3 is not a digit in base 16");
  EXPECT_EQ(p.kind, ProblemKind::Character);
  p = Refusal("1e3", 2);
  EXPECT_EQ(p.message, "the exponent at character 2: only a decimal in base 10 takes one");
  EXPECT_EQ(Refusal("0.1(1", 2).message, "the parenthesis opened at character 4 is never closed");
  EXPECT_EQ(Refusal("1", 1).kind, ProblemKind::Argument);
  EXPECT_EQ(Refusal("1", 37).kind, ProblemKind::Argument);
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::FromBase(Decimal{false, "2", "", "", 0}, 2)));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::FromBase(Decimal{false, "1", "", "", 3}, 2)));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ToBase({1, 3}, 1)));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ToBase({1, 0}, 2)));
  // Past the digit limit, refused before anything is built.
  const Decimal huge{false, "1", std::string(9'000'000, '1'), "", 0};
  const auto tooLarge = exact::FromBase(huge, 16);
  ASSERT_TRUE(std::holds_alternative<Problem>(tooLarge));
  EXPECT_EQ(std::get<Problem>(tooLarge).kind, ProblemKind::TooLarge);
  EXPECT_EQ(
      std::get<Problem>(exact::WriteInBase(Decimal{false, "0", "", "r", 0}, Notation::R, 28)).kind,
      ProblemKind::Unwritable);
  EXPECT_EQ(
      std::get<Problem>(exact::WriteInBase(Decimal{false, "0", "1", "", 0}, Notation::Keypad, 2))
          .kind,
      ProblemKind::Unwritable);
}

TEST(Base, SubscriptsNameTheBase) {
  using exact::Subscripted;
  EXPECT_EQ(std::get<Subscripted>(exact::SplitSubscript("0.0(0011)\u2082")),
            (Subscripted{"0.0(0011)", 2}));
  EXPECT_EQ(std::get<Subscripted>(exact::SplitSubscript("0.2(a)\u2081\u2086 ")),
            (Subscripted{"0.2(a)", 16}));
  EXPECT_EQ(std::get<Subscripted>(exact::SplitSubscript("ff_16")), (Subscripted{"ff", 16}));
  EXPECT_EQ(std::get<Subscripted>(exact::SplitSubscript("0.5")),
            (Subscripted{"0.5", std::nullopt}));
  EXPECT_EQ(std::get<Subscripted>(exact::SplitSubscript("a_b")),
            (Subscripted{"a_b", std::nullopt}));
  const auto one = exact::SplitSubscript("0.1_1");
  ASSERT_TRUE(std::holds_alternative<Problem>(one));
  EXPECT_EQ(std::get<Problem>(one).message,
            "the subscript at character 4 names no base from 2 to 36");
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::SplitSubscript("0.1_")));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::SplitSubscript("0.1\u2083\u2087")));
  EXPECT_EQ(std::get<Problem>(exact::SplitSubscript("\u00BD_99999999999999999999")).position, 2);
}

}  // namespace
}  // namespace quotalis::testing
