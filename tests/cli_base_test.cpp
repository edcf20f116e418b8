// The command line in bases 2 to 36: --base, --to-base and subscripts, both
// ways, against the tests' own long division in the base and std::gcd.
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base_division.h"
#include "cli_run.h"
#include "reference/long_division.h"

namespace {

using cli_run::RunCli;
using quotalis::testing::InParenthesesIn;

std::string Lowest(std::uint64_t n, std::uint64_t d, bool negative = false) {
  const std::uint64_t g = std::gcd(n, d);
  return (negative && n != 0 ? "-" : "") + std::to_string(n / g) + "/" + std::to_string(d / g);
}

std::string Answer(std::vector<std::string_view> args) {
  const cli_run::Run r = RunCli(std::move(args));
  EXPECT_EQ(r.status, 0) << r.err;
  return r.out;
}

TEST(BaseCommandLine, AnswersTheLessonsExamples) {
  EXPECT_EQ(Answer({"--to-base", "2", "0.1"}), "0.0(0011)\n");
  EXPECT_EQ(Answer({"--base", "2", "0.0(0011)"}), "1/10\n");
  EXPECT_EQ(Answer({"--base", "2", "1/5"}), "0.(0011)\n");
  EXPECT_EQ(Answer({"--to-base", "16", "0.1(6)"}), "0.2(a)\n");
  EXPECT_EQ(Answer({"0.0(0011)\u2082"}), "1/10\n");
  EXPECT_EQ(Answer({"0.0(0011)_2"}), "1/10\n");
  EXPECT_EQ(Answer({"--base", "2", "0.0(0011)_2"}), "1/10\n");
  EXPECT_EQ(Answer({"--base", "16", "FF.8"}), "511/2\n");
  EXPECT_EQ(Answer({"--base=16", "--to-base=2", "0.8"}), "0.1\n");
  EXPECT_EQ(Answer({"--to-base", "2", "--", "-0.1"}), "-0.0(0011)\n");
  EXPECT_EQ(Answer({"--base", "2", "--period", "4", "0.00011"}), "1/10\n");
  EXPECT_EQ(Answer({"--to-base", "２", "0.5"}), "0.1\n");
  EXPECT_EQ(Answer({"--to-base", "2", "--notation", "dots", "0.1"}), "0.00\u0307011\u0307\n");
  EXPECT_EQ(Answer({"--to-base", "2", "--max-digits", "3", "0.1"}),
            "0.0(001...) [cut: the period has 4 digits; the first 3 are shown]\n");
  // Lines of standard input in the base.
  const cli_run::Run lines = RunCli({"--base", "16"}, "0.2(a)\n1/6\nff.8\n");
  EXPECT_EQ(lines.out, "1/6\n0.2(a)\n511/2\n");
}

// Seeded fractions in every base, each way: the fraction's expansion, the
// expansion's fraction, and a base-10 decimal written in the base.
TEST(BaseCommandLine, SeededEntriesInEveryBaseBothWays) {
  std::mt19937_64 random(1410);
  for (int b = 2; b <= 36; ++b) {
    const std::string base = std::to_string(b);
    std::string fractions, expansions, decimals, wantExpansions, wantFractions, wantTo;
    for (int i = 0; i < 25; ++i) {
      const std::uint64_t d = 1 + random() % 3000;
      const std::uint64_t n = random() % (4 * d);
      fractions += std::to_string(n) + "/" + std::to_string(d) + "\n";
      wantExpansions += InParenthesesIn(n, d, b) + "\n";
      expansions += InParenthesesIn(n, d, b) + "\n";
      wantFractions += Lowest(n, d) + "\n";
      // The same value as a base-10 decimal, by the reference's long division.
      const quotalis::testing::Quotient q =
          quotalis::testing::LongDivision(static_cast<long>(n), static_cast<long>(d));
      std::string ten = q.whole;
      if (!q.fixed.empty() || !q.period.empty()) ten += "." + q.fixed;
      if (!q.period.empty()) ten += "(" + q.period + ")";
      decimals += ten + "\n";
      wantTo += InParenthesesIn(n, d, b) + "\n";
    }
    EXPECT_EQ(RunCli({"--base", base}, fractions).out, wantExpansions) << "base " << b;
    EXPECT_EQ(RunCli({"--base", base}, expansions).out, wantFractions) << "base " << b;
    EXPECT_EQ(RunCli({"--to-base", base}, decimals).out, wantTo) << "base " << b;
  }
}

TEST(BaseCommandLine, DetailAndJsonCountInTheBase) {
  EXPECT_EQ(Answer({"--detail", "--base", "2", "1/10"}), "0.0(0011)\t1\t4\n");
  EXPECT_EQ(Answer({"--detail", "--base", "16", "0.2(a)"}), "0.2(a)\t40/240\t1/6\n");
  EXPECT_EQ(Answer({"--json", "--to-base", "2", "0.1"}),
            "{\"input\":\"0.1\",\"reading\":\"plain\",\"base\":2,\"decimal\":\"0.0(0011)\","
            "\"fraction\":\"1/10\",\"numerator\":\"1\",\"denominator\":\"10\",\"nonRecurring\":1,"
            "\"period\":4,\"cut\":false}\n");
  // Base 10 keeps its fields: no "base" key.
  const std::string ten = Answer({"--json", "1/7"});
  EXPECT_EQ(ten.find("\"base\""), std::string::npos) << ten;
  EXPECT_EQ(Answer({"--json", "--to-base", "10", "1/7"}), ten);
}

TEST(BaseCommandLine, RefusesWhatDisagrees) {
  cli_run::Run r = RunCli({"--base", "3", "0.0(0011)_2"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("the subscript names base 2, but the entry is read in base 3"),
            std::string::npos)
      << r.err;
  r = RunCli({"--base", "16", "0.g"});
  EXPECT_NE(r.err.find("g at character 3 is not a digit in base 16"), std::string::npos) << r.err;
  r = RunCli({"--base", "2"}, "0.2\n0.1\n");
  EXPECT_EQ(r.status, 1);
  // One answer line a line: the refusal stands in its place.
  EXPECT_EQ(r.out, "error: '0.2': 2 at character 3 is not a digit in base 2\n1/2\n");
  for (const char* bad : {"1", "37", "x", "", "100"}) {
    r = RunCli({"--base", bad, "1"});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("--base takes a base from 2 to 36"), std::string::npos) << r.err;
  }
  r = RunCli({"--to-base", "2", "--rounded", "0.1"});
  EXPECT_EQ(r.status, 2);
  r = RunCli({"--base", "2", "--notation", "keypad", "1/5"});
  EXPECT_EQ(r.status, 2);
  r = RunCli({"--to-base", "36", "--notation", "r", "0.1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("r is a digit in base 36"), std::string::npos) << r.err;
  r = RunCli({"0.1_1"});
  EXPECT_NE(r.err.find("the subscript at character 4 names no base from 2 to 36"),
            std::string::npos)
      << r.err;
  r = RunCli({"--base", "2", "1e3"});
  EXPECT_NE(r.err.find("only a decimal in base 10 takes one"), std::string::npos) << r.err;
}

}  // namespace

namespace {

// The number stored: the value, --detail's fields, and what cannot go with it.
TEST(BinaryCommandLine, AnswersTheNumberStored) {
  EXPECT_EQ(Answer({"--double", "0.1"}), "3602879701896397/36028797018963968\n");
  EXPECT_EQ(Answer({"--float", "0.1"}), "13421773/134217728\n");
  EXPECT_EQ(Answer({"--detail", "--double", "0.1"}),
            "3602879701896397/36028797018963968\t"
            "0.1000000000000000055511151231257827021181583404541015625\t"
            "0.0001100110011001100110011001100110011001100110011001101\t1/180143985094819840\t"
            "0.0000000000000000055511151231257827021181583404541015625\t0x3FB999999999999A\n");
  EXPECT_EQ(Answer({"--double", "1e309"}), "infinity\n");
  EXPECT_EQ(Answer({"--double", "--", "-1e309"}), "-infinity\n");
  EXPECT_EQ(Answer({"--detail", "--double", "--", "-0"}),
            "-0\t-0\t-0\t0/1\t0\t0x8000000000000000\n");
  EXPECT_EQ(Answer({"--double", "--base", "2", "0.0(0011)"}),
            "3602879701896397/36028797018963968\n");
  const std::string json = Answer({"--json", "--float", "1e-50"});
  EXPECT_NE(json.find("\"class\":\"zero\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"bits\":\"0x00000000\""), std::string::npos) << json;
  for (const char* other : {"--float", "--rounded", "--mixed", "--mark"}) {
    EXPECT_EQ(RunCli({"--double", other, "0.1"}).status, 2) << other;
  }
  EXPECT_EQ(RunCli({"--double", "--to-base", "2", "0.1"}).status, 2);
  // The working: the expansion, the bits cut off, the rounding and the error.
  const cli_run::Run explained = RunCli({"--double", "--explain", "0.1"});
  EXPECT_EQ(explained.status, 0) << explained.err;
  for (const char* part :
       {"0.1 is 0.0(0011)", "begin 10011001", "rounded up",
        "3602879701896397/36028797018963968 = "
        "0.1000000000000000055511151231257827021181583404541015625",
        "= 1/180143985094819840 = 0.0000000000000000055511151231257827021181583404541015625"}) {
    EXPECT_NE(explained.out.find(part), std::string::npos) << part << "\n" << explained.out;
  }
  const cli_run::Run single = RunCli({"--float", "--explain", "--base", "2", "0.0(0011)"});
  EXPECT_EQ(single.status, 0) << single.err;
  EXPECT_NE(single.out.find("13421773/134217728"), std::string::npos) << single.out;
  EXPECT_NE(single.out.find("24 significant bits"), std::string::npos) << single.out;
}

}  // namespace

namespace {

// The working of an expansion in a base: each digit a line, the digits those
// of the test's own long division, ending where the fractional part recurs.
TEST(BaseCommandLine, ExplainsTheMultiplicationByTheBase) {
  EXPECT_EQ(Answer({"--explain", "--to-base", "2", "0.1"}),
            "To write 0.1 in base 2, write the whole part in base 2, then multiply the "
            "fractional part by 2 again and again: each whole part taken off is the next digit\n"
            "In base 2 the integer part 0 is written 0\n"
            "0.1 × 2 = 0 + 0.2\nDigit 1 after the point: 0\n"
            "0.2 × 2 = 0 + 0.4\nDigit 2 after the point: 0\n"
            "0.4 × 2 = 0 + 0.8\nDigit 3 after the point: 0\n"
            "0.8 × 2 = 1 + 0.6\nDigit 4 after the point: 1\n"
            "0.6 × 2 = 1 + 0.2\nDigit 5 after the point: 1\n"
            "The fractional part 0.2 comes back, as it was for digit 2: the digits from digit 2 on "
            "repeat\n"
            "So 0.1 is 0.0(0011) in base 2\n");
  std::mt19937_64 random(2026);
  for (int i = 0; i < 60; ++i) {
    const int b = 2 + static_cast<int>(random() % 35);
    if (b == 10) continue;  // base 10 keeps its long division
    const std::uint64_t d = 2 + random() % 300;
    const std::uint64_t n = random() % (2 * d);
    const std::string fraction = std::to_string(n) + "/" + std::to_string(d);
    const std::string base = std::to_string(b);
    const std::string working = Answer({"--explain", "--base", base, fraction});
    const quotalis::testing::Expanded want = quotalis::testing::Divide(n, d, b);
    std::string digits;
    for (std::size_t at = 0; (at = working.find("after the point: ", at)) != std::string::npos;) {
      at += 17;
      digits += working[at];
    }
    EXPECT_EQ(digits, want.fixed + want.period) << fraction << " base " << b << "\n" << working;
    EXPECT_NE(working.find(" is " + InParenthesesIn(n, d, b) + " in base " + base + "\n"),
              std::string::npos)
        << working;
  }
  // A decimal read in another base has no working yet; its fraction is said so.
  const cli_run::Run r = RunCli({"--explain", "--base", "2", "0.1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the working is written for base 10 only"), std::string::npos);
}

}  // namespace
