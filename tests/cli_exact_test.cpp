// The command line on the exact library: every notation in, fractions out in
// every notation and the options. Fractions are checked against std::gcd and
// decimals against the tests' long division.
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "answer/json.h"
#include "answer/quote.h"
#include "cli_run.h"
#include "reference/long_division.h"

namespace {

using cli_run::RunCli;

// n/d in lowest terms, the sign on the numerator.
std::string Lowest(std::int64_t n, std::int64_t d) {
  if (d < 0) n = -n, d = -d;
  const std::int64_t g = std::gcd(n, d);
  return std::to_string(n / g) + "/" + std::to_string(d / g);
}

// n/d by long division, in parentheses.
std::string InParentheses(std::int64_t n, std::int64_t d) {
  const quotalis::testing::Quotient q =
      quotalis::testing::LongDivision(static_cast<long>(n), static_cast<long>(d));
  std::string text = (q.negative ? "-" : "") + q.whole;
  if (!q.fixed.empty() || !q.period.empty()) text += "." + q.fixed;
  return q.period.empty() ? text : text + "(" + q.period + ")";
}

struct ToFraction {
  const char* name;
  std::string entry;
  std::int64_t n, d;  // the value, unreduced
};

TEST(ExactCommandLine, ReadsEveryNotation) {
  const std::vector<ToFraction> rows = {
      {"parentheses", "0.1(6)", 15, 90},
      {"brackets", "0.1[6]", 15, 90},
      {"quotes", "0.1'6'", 15, 90},
      {"dots, one digit", "0.16\u0307", 15, 90},
      {"dots, first and last", "0.1\u030742857\u0307", 142857, 999999},
      {"overline", "0.16\u0305", 15, 90},
      {"overline on every digit", "0.1\u03054\u0305", 14, 99},
      {"r form", "1.234r56", 123456 - 1234, 99000},
      {"ellipsis, one digit thrice", "0.1666...", 15, 90},
      {"ellipsis character, block twice", "0.142857142857\u2026", 1, 7},
      {"ellipsis, one digit twice", "0.33...", 1, 3},
      {"ellipsis, a longer block before one digit", "0.13331333...", 1333, 9999},
      {"ellipsis, full-width with katakana middle dots",
       "\uff10\uff0e\uff11\uff16\uff16\u30fb\u30fb\u30fb", 15, 90},
      {"ellipsis, midline", "0.1666\u22ef", 15, 90},
      {"plain, longer than the keypad", "12345678901.5", 123456789015, 10},
      {"plain, K past the keypad", "0.12345678901", 12345678901, 100000000000},
      {"minus sign", "-0.5", -1, 2},
      {"plus sign", "+0.5", 1, 2},
      {"U+2212 minus", "\u22120.1(6)", -15, 90},
      {"exponent", "1.2(3)e-5", 111, 9000000},
      {"exponent on a plain decimal", "1.5e-3", 15, 10000},
      {"exponent up", "2.5E2", 250, 1},
      {"full-width", "\uff10\uff0e\uff11\uff08\uff16\uff09", 15, 90},
      {"blanks around", "  0.5\t", 1, 2},
      {"nines recur to one", "0.(9)", 1, 1},
      {"minus zero", "-0", 0, 1},
      {"fraction of a period of nines", "0.4(9)", 1, 2},
  };
  for (const ToFraction& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli({row.entry});
    EXPECT_EQ(r.out, Lowest(row.n, row.d) + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

struct ToDecimal {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
};

TEST(ExactCommandLine, AnswersFractionsInEveryNotation) {
  const std::string kOverTenToThe70MinusOne = "1/" + std::string(70, '9');
  const std::vector<ToDecimal> rows = {
      {"parens by default", {"1/7"}, "0.(142857)"},
      {"non-recurring then period", {"1/6"}, "0.1(6)"},
      {"improper", {"22/7"}, "3.(142857)"},
      {"terminating, negative", {"-7/2"}, "-3.5"},
      {"whole", {"6/3"}, "2"},
      {"zero", {"0/5"}, "0"},
      {"mixed number, one argument", {"1 1/6"}, "1.1(6)"},
      {"mixed number, two arguments", {"1", "1/6"}, "1.1(6)"},
      {"negative mixed number", {"--", "-1", "1/6"}, "-1.1(6)"},
      {"full-width slash", {"\uff11\uff0f\uff17"}, "0.(142857)"},
      {"division sign", {"1\u00f77"}, "0.(142857)"},
      {"division sign, full-width digits and blanks", {" \uff13 \u00f7 \uff14"}, "0.75"},
      {"brackets", {"--notation", "brackets", "1/6"}, "0.1[6]"},
      {"quotes", {"--notation=quotes", "1/6"}, "0.1'6'"},
      {"r", {"--notation", "r", "1/6"}, "0.1r6"},
      {"dots, one digit", {"--notation", "dots", "1/6"}, "0.16\u0307"},
      {"dots, long period", {"--notation", "dots", "1/7"}, "0.1\u030742857\u0307"},
      {"overline", {"--notation", "overline", "1/6"}, "0.16\u0305"},
      {"ellipsis", {"--notation", "ellipsis", "1/6"}, "0.1666..."},
      {"ellipsis, long period", {"--notation", "ellipsis", "1/7"}, "0.142857142857..."},
      {"latex", {"--notation", "latex", "1/6"}, "0.1\\overline{6}"},
      {"latex, whole period", {"--notation", "latex", "1/7"}, "0.\\overline{142857}"},
      {"keypad", {"--notation", "keypad", "1/7"}, "0.142857 6"},
      {"keypad, non-recurring digit", {"--notation", "keypad", "1/6"}, "0.16 1"},
      {"keypad, whole number", {"--notation", "keypad", "12/1"}, "12 0"},
      {"keypad, whatever the digit limit",
       {"--max-digits", "3", "--notation", "keypad", "1/7"},
       "0.142857 6"},
      {"keypad ignores the digit limit, as designed",
       {"--notation", "keypad", "--max-digits", "1", "1/8"},
       "0.125 0"},
      {"parentheses by their own name", {"--notation", "parentheses", "1/6"}, "0.1(6)"},
      {"parentheses by their short name", {"--notation", "parens", "1/6"}, "0.1(6)"},
      {"integer in every notation", {"--notation", "dots", "4/2"}, "2"},
      {"cut period",
       {"--max-digits", "4", "1/7"},
       "0.(1428...) [cut: the period has 6 digits; the first 4 are shown]"},
      {"period exactly at the limit", {"--max-digits=6", "1/7"}, "0.(142857)"},
      {"no limit", {"--max-digits", "all", "1/7"}, "0.(142857)"},
      {"cut period, one digit shown",
       {"--max-digits", "1", "1/7"},
       "0.(1...) [cut: the period has 6 digits; the first digit is shown]"},
      {"cut decimal that ends",
       {"--max-digits", "3", "1/1024"},
       "0.000... [cut: the decimal ends after 10 digits; the first 3 are shown]"},
      {"cut decimal that ends, one digit shown",
       {"--max-digits", "1", "1/1024"},
       "0.0... [cut: the decimal ends after 10 digits; the first digit is shown]"},
      // 1/1536 = 0.000651041(6)
      {"cut non-recurring part before a period",
       {"--max-digits", "3", "1/1536"},
       "0.000... [cut: the non-recurring part has 9 digits; the first 3 are shown; then comes a "
       "period of length 1]"},
      {"cut non-recurring part, one digit shown",
       {"--max-digits", "1", "-1/1536"},
       "-0.0... [cut: the non-recurring part has 9 digits; the first digit is shown; then comes "
       "a period of length 1]"},
      // A cut decimal in the notation asked, "..." where the digits stop.
      {"cut period in brackets",
       {"--notation", "brackets", "--max-digits", "4", "1/7"},
       "0.[1428...] [cut: the period has 6 digits; the first 4 are shown]"},
      {"cut period in quotes",
       {"--notation", "quotes", "--max-digits", "4", "1/7"},
       "0.'1428...' [cut: the period has 6 digits; the first 4 are shown]"},
      {"cut period after r",
       {"--notation", "r", "--max-digits", "4", "1/7"},
       "0.r1428... [cut: the period has 6 digits; the first 4 are shown]"},
      {"cut period with a dot on its first digit",
       {"--notation", "dots", "--max-digits", "4", "1/7"},
       "0.1\u0307428... [cut: the period has 6 digits; the first 4 are shown]"},
      {"cut period, one digit, dotted",
       {"--notation", "dots", "--max-digits", "1", "1/7"},
       "0.1\u0307... [cut: the period has 6 digits; the first digit is shown]"},
      {"cut period overlined",
       {"--notation", "overline", "--max-digits", "2", "1/7"},
       "0.1\u03054\u0305... [cut: the period has 6 digits; the first 2 are shown]"},
      {"cut period after the ellipsis's digits",
       {"--notation", "ellipsis", "--max-digits", "4", "1/7"},
       "0.1428... [cut: the period has 6 digits; the first 4 are shown]"},
      {"cut period in LaTeX",
       {"--notation", "latex", "--max-digits", "4", "1/7"},
       "0.\\overline{1428\\ldots}\\ \\text{[cut: the period has 6 digits; the first 4 are "
       "shown]}"},
      {"cut non-recurring part in LaTeX",
       {"--notation", "latex", "--max-digits", "3", "1/1536"},
       "0.000\\ldots\\ \\text{[cut: the non-recurring part has 9 digits; the first 3 are "
       "shown; then comes a period of length 1]}"},
      // Periods that factoring alone does not count.
      {"period of 1/(10^70 - 1)",
       {"--detail", "--max-digits", "3", kOverTenToThe70MinusOne},
       "0.(000...) [cut: the period has 70 digits; the first 3 are shown]\t0\t70"},
      {"period of two 16-digit primes",
       {"--detail", "--max-digits", "2", "1/2000000000000095000000000000777"},
       "0.(00...) [cut: the period has 500000000000023000000000000180 digits; the first 2 are "
       "shown]\t0\t500000000000023000000000000180"},
      {"period past the limit, uncounted",  // two primes of 25 digits
       {"--detail", "--max-digits", "2", "3/14000000000000000000000143000000000000000000000183"},
       "0.(00...) [cut: the period has more than 10,000,000 digits; the first 2 are "
       "shown]\t0\t>10000000"},
      {"period past the limit after a cut non-recurring part",
       {"--max-digits", "2", "1/112000000000000000000001144000000000000000000001464"},
       "0.00... [cut: the non-recurring part has 3 digits; the first 2 are shown; then comes a "
       "period of more than 10,000,000 digits]"},
      {"detail of a fraction", {"--detail", "1/6"}, "0.1(6)\t1\t1"},
      {"detail of a cut period keeps its length",
       {"--detail", "--max-digits", "2", "1/7"},
       "0.(14...) [cut: the period has 6 digits; the first 2 are shown]\t0\t6"},
      {"detail of a terminating decimal", {"--detail", "3/8"}, "0.375\t3\t0"},
  };
  for (const ToDecimal& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(ExactCommandLine, AnswersDecimalsWithDetailAndMixedNumbers) {
  const std::vector<ToDecimal> rows = {
      {"detail of a notation: the canonical form", {"--detail", "0.1(66)"}, "0.1(6)\t165/990\t1/6"},
      {"detail in dots", {"--detail", "--notation", "dots", "0.1(6)"}, "0.16\u0307\t15/90\t1/6"},
      {"detail of a signed plain decimal", {"--detail", "--", "-0.50"}, "-0.5\t-5/10\t-1/2"},
      {"detail of an exponent", {"--detail", "1.5e-3"}, "0.0015\t15/10000\t3/2000"},
      // The zeros that end it are dropped first, as a plain decimal's are.
      {"detail of an exponent, trailing zeros", {"--detail", "1.50e1"}, "15\t150/10\t15/1"},
      {"detail of an exponent, zeros only after the point",
       {"--detail", "2.000e-1"},
       "0.2\t2/10\t1/5"},
      {"mixed", {"--mixed", "1.1(6)"}, "1 1/6"},
      {"mixed, negative", {"--mixed", "--", "-1.1(6)"}, "-1 1/6"},
      {"mixed, proper", {"--mixed", "0.5"}, "1/2"},
      {"mixed, whole", {"--mixed", "7"}, "7"},
      {"mixed, zero", {"--mixed", "0"}, "0"},
      {"mixed in detail", {"--mixed", "--detail", "1.5"}, "1.5\t15/10\t1 1/2"},
      {"K on a long plain decimal", {"--period", "2", "0.0000000012"}, Lowest(12, 9900000000)},
  };
  for (const ToDecimal& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

// Seeded fractions of many sizes, both ways through standard input: each
// fraction's decimal must be the long division's, and that decimal must
// come back as the fraction in lowest terms.
TEST(ExactCommandLine, RoundTripsSeededFractions) {
  std::mt19937_64 random(20261209);
  std::string fractions;
  std::vector<std::string> decimals, lowest;
  for (int i = 0; i < 600; ++i) {
    const std::int64_t scale = std::int64_t{1} << (i % 17 + 1);
    const auto d = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(scale)) + 1;
    const auto n = static_cast<std::int64_t>(random() % 2'000'000) - 1'000'000;
    fractions += std::to_string(n) + "/" + std::to_string(d) + "\n";
    decimals.push_back(InParentheses(n, d));
    lowest.push_back(Lowest(n, d));
  }
  const auto there = RunCli({"--max-digits", "all"}, fractions);
  std::string expected, back;
  for (const std::string& s : decimals) expected += s + "\n";
  ASSERT_EQ(there.out, expected);
  EXPECT_EQ(there.status, 0);
  const auto again = RunCli({}, there.out);
  for (const std::string& s : lowest) back += s + "\n";
  EXPECT_EQ(again.out, back);
  EXPECT_EQ(again.status, 0);
}

}  // namespace
