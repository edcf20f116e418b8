// The command line on the exact library explaining its working.
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

using cli_run::RunCli;

struct Working {
  const char* name;
  std::vector<std::string_view> args;
  std::vector<std::string> lines;
};

TEST(ExactCommandLine, ExplainsTheWorking) {
  const std::vector<Working> rows = {
      {"a recurring decimal",
       {"--explain", "0.1(6)"},
       {"x = 0.1(6) = 0.1666...", "100x = 16.666...", "10x = 1.666...",
        "subtracting: 100x - 10x = 16 - 1, the recurring parts cancel", "90x = 15", "x = 15/90",
        "in primes, the factors common to both in brackets:", "15 = [3] × [5]",
        "90 = 2 × [3] × 3 × [5]", "common factor: 15",
        "dividing both by 15: x = 1/6, in lowest terms"}},
      {"a plain decimal",
       {"--explain", "0.25"},
       {"x = 0.25", "100x = 25", "x = 25/100",
        "in primes, the factors common to both in brackets:", "25 = [5^2]", "100 = 2^2 × [5^2]",
        "common factor: 25", "dividing both by 25: x = 1/4, in lowest terms"}},
      {"a fraction",
       {"--explain", "1/6"},
       {"1/6: divide 1 by 6", "1 ÷ 6 = 0 remainder 1: the whole part is 0",
        "digit 1: 10 ÷ 6 = 1 remainder 4", "digit 2: 40 ÷ 6 = 6 remainder 4",
        "remainder 4 came before, ahead of digit 2: from there the digits recur",
        "the non-recurring part has 1 digit; the period starts at digit 2 and has 1 digit",
        "1/6 = 0.1(6)"}},
      {"a terminating fraction",
       {"--explain", "5/4"},
       {"5/4: divide 5 by 4", "5 ÷ 4 = 1 remainder 1: the whole part is 1",
        "digit 1: 10 ÷ 4 = 2 remainder 2", "digit 2: 20 ÷ 4 = 5 remainder 0",
        "remainder 0: the division ends; 2 digits after the point, nothing recurs", "5/4 = 1.25"}},
  };
  for (const Working& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    std::string expected;
    for (const std::string& line : row.lines) expected += line + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.status, 0);
  }
  // Terms of 300 digits whose cofactors are too large to split: the common
  // factor comes from Euclid's algorithm, and the working says so.
  std::string period;
  for (int i = 0; i < 300; ++i) period += static_cast<char>('1' + i % 7);
  const std::string entry = "0.(" + period + ")";
  const auto big = RunCli({"--explain", entry});
  EXPECT_NE(big.out.find("Euclid's algorithm"), std::string::npos) << big.out.substr(0, 400);
  EXPECT_EQ(big.status, 0);
  // Standard input: one working after another, a blank line between them.
  const auto two = RunCli({"--explain"}, "1/2\n0.5\n");
  EXPECT_EQ(two.out,
            "1/2: divide 1 by 2\n1 ÷ 2 = 0 remainder 1: the whole part is 0\n"
            "digit 1: 10 ÷ 2 = 5 remainder 0\n"
            "remainder 0: the division ends; 1 digit after the point, nothing recurs\n"
            "1/2 = 0.5\n\n"
            "x = 0.5\n10x = 5\nx = 5/10\nin primes, the factors common to both in brackets:\n"
            "5 = [5]\n10 = 2 × [5]\ncommon factor: 5\n"
            "dividing both by 5: x = 1/2, in lowest terms\n\n");
}

}  // namespace
