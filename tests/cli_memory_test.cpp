// --max-memory: its sizes read and refused, the sizes written back, the
// budget of an entry, the estimates against the peaks measured by
// bench/limits.sh, and entries that would pass the budget refused before
// they start, on the command line and on standard input, the lines around
// them answered. (Running out of memory itself: tests/memory_limits_check.sh
// under ulimit -v.)
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "answer/memory.h"
#include "cli/memory.h"
#include "cli/options.h"
#include "cli_run.h"

namespace {

using quotalis::cli::MemoryBudget;
using quotalis::cli::ParseMemorySize;

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(MaxMemory, ReadsSizes) {
  struct Row {
    const char* text;
    MemoryBudget budget;
  };
  const std::uint64_t most = UINT64_MAX;
  const Row rows[] = {
      {"4096", {MemoryBudget::Kind::Bytes, 4096}},
      {"4096B", {MemoryBudget::Kind::Bytes, 4096}},
      {"1k", {MemoryBudget::Kind::Bytes, 1024}},
      {"3KiB", {MemoryBudget::Kind::Bytes, 3072}},
      {"512M", {MemoryBudget::Kind::Bytes, 536870912}},
      {"5mb", {MemoryBudget::Kind::Bytes, 5242880}},
      {"2G", {MemoryBudget::Kind::Bytes, 2147483648}},
      {"1T", {MemoryBudget::Kind::Bytes, 1099511627776}},
      {"\xEF\xBC\x95\xEF\xBC\x91\xEF\xBC\x92M", {MemoryBudget::Kind::Bytes, 536870912}},  // ５１２M
      {"99999999999999999999", {MemoryBudget::Kind::Bytes, most}},
      {"20000000T", {MemoryBudget::Kind::Bytes, most}},
      {"all", {MemoryBudget::Kind::All, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    MemoryBudget budget;
    EXPECT_EQ(ParseMemorySize(row.text, budget), std::nullopt);
    EXPECT_EQ(budget, row.budget);
  }
}

TEST(MaxMemory, RefusesWhatIsNoSize) {
  struct Row {
    const char* text;
    const char* message;
  };
  const std::string notASize = "--max-memory takes a size such as 512M or 2G, or 'all', not ";
  const Row rows[] = {
      {"", "''"},   {"x", "'x'"},     {"12Q", "'12Q'"}, {"-1", "'-1'"},   {"1.5G", "'1.5G'"},
      {"G", "'G'"}, {"1 G", "'1 G'"}, {"ALL", "'ALL'"}, {"2GG", "'2GG'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    MemoryBudget budget{MemoryBudget::Kind::Bytes, 7};
    const auto problem = ParseMemorySize(row.text, budget);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, quotalis::exact::ProblemKind::Argument);
    EXPECT_EQ(problem->message, notASize + row.message);
    EXPECT_EQ(budget, (MemoryBudget{MemoryBudget::Kind::Bytes, 7}));  // left as it was
  }
  for (const char* zero : {"0", "0M", "000"}) {
    MemoryBudget budget;
    const auto problem = ParseMemorySize(zero, budget);
    ASSERT_TRUE(problem) << zero;
    EXPECT_EQ(problem->message, "--max-memory must be more than 0");
  }
}

TEST(MaxMemory, WritesSizesForPeople) {
  using quotalis::answer::SizeText;
  // Below a KiB in bytes, so that --max-memory 1 is not said to allow 1 KiB.
  EXPECT_EQ(SizeText(1), "1 B");
  EXPECT_EQ(SizeText(1023), "1023 B");
  EXPECT_EQ(SizeText(1024), "1 KiB");
  EXPECT_EQ(SizeText(1025), "2 KiB");
  EXPECT_EQ(SizeText(900 * 1024), "900 KiB");
  EXPECT_EQ(SizeText(kMiB), "1 MiB");
  EXPECT_EQ(SizeText(215 * kMiB - 1), "215 MiB");
  EXPECT_EQ(SizeText(10 * 1024 * kMiB - 1), "10240 MiB");
  EXPECT_EQ(SizeText(10 * 1024 * kMiB), "10.0 GiB");
  EXPECT_EQ(SizeText(10 * 1024 * kMiB + 1), "10.1 GiB");  // tenths, rounded up
  EXPECT_EQ(SizeText(15 * 1024 * kMiB + 512 * kMiB), "15.5 GiB");
  EXPECT_EQ(SizeText(UINT64_MAX), "17179869184.0 GiB");
}

TEST(MaxMemory, BudgetOfAnEntry) {
  using quotalis::cli::EntryBudget;
  EXPECT_EQ(EntryBudget({MemoryBudget::Kind::Bytes, 12345}), 12345u);
  EXPECT_EQ(EntryBudget({MemoryBudget::Kind::All, 0}), std::nullopt);
  // By default, half of what is left: something, and no more than half of
  // what the system has left now.
  const std::optional<std::uint64_t> half = EntryBudget({});
  ASSERT_TRUE(half);
  EXPECT_GT(*half, 0u);
  if (const auto left = quotalis::cli::MemoryLeft()) {
    EXPECT_LE(*half, *left / 2 + 64 * kMiB);
  }
}

// The estimates stand above the peaks bench/limits.sh measured at the
// limits, less the line read and the program itself (about 20 MB): an entry
// that passes the budget is refused, not started.
TEST(MaxMemory, EstimatesAreNotBelowThePeaksMeasured) {
  using namespace quotalis;
  exact::Decimal decimal{false, "0", std::string(5'000'000, '7'), std::string(4'999'999, '3'), 0};
  struct Mode {
    const char* name;
    bool detail, json, explain;
    std::uint64_t measuredMB;  // peak resident memory of the whole run
  };
  for (const Mode& m :
       {Mode{"plain", false, false, false, 73}, Mode{"detail", true, false, false, 93},
        Mode{"json", false, true, false, 93}, Mode{"explain", false, false, true, 127},
        Mode{"explain json", false, true, true, 137}}) {
    SCOPED_TRACE(m.name);
    cli::Options options;
    options.detail = m.detail;
    options.json = m.json;
    options.explain = m.explain;
    EXPECT_GE(answer::DecimalNeed(decimal, cli::RequestFor(options, {}, 0, words::EnglishWords())),
              (m.measuredMB - 20) * 1'000'000);
  }
  // 10,000,000 digits over 7: 74 MB, with --json too.
  const exact::Rational fraction{mpz_class(std::string(10'000'000, '9'), 10), 7};
  for (const bool json : {false, true}) {
    cli::Options options;
    options.json = json;
    EXPECT_GE(
        answer::FractionNeed(fraction, 12, cli::RequestFor(options, {}, 0, words::EnglishWords())),
        54'000'000u)
        << json;
  }
}

TEST(MaxMemory, RefusesAnEntryBeforeItStarts) {
  {
    SCOPED_TRACE("on the command line: status 1, the option named");
    const auto r = cli_run::RunCli({"--max-memory", "1M", "1e9999999"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: '1e9999999': answering it would take about "))
        << r.err;
    EXPECT_TRUE(
        r.err.ends_with(" of memory, more than the 1 MiB an entry may take "
                        "(--max-memory)\n"))
        << r.err;
  }
  {
    SCOPED_TRACE("on standard input: its line refused, the others answered");
    const auto r = cli_run::RunCli({"--max-memory=5M"}, "0.5\n1e9999999\n1/7\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    const std::string error = "error: '1e9999999': answering it would take about ";
    ASSERT_NE(r.out.find(error), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.starts_with("1/2\n" + error)) << r.out;
    EXPECT_TRUE(
        r.out.ends_with("more than the 5 MiB an entry may take (--max-memory)\n"
                        "0.(142857)\n"))
        << r.out;
  }
  {
    SCOPED_TRACE("JSON: kind too-large");
    const auto r = cli_run::RunCli({"--json", "--max-memory", "5M", "1e9999999"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.starts_with(
        "{\"input\":\"1e9999999\",\"error\":\"'1e9999999': answering it would take"))
        << r.out;
    EXPECT_TRUE(r.out.ends_with("(--max-memory)\",\"kind\":\"too-large\",\"position\":0}\n"))
        << r.out;
  }
  {
    SCOPED_TRACE("a budget large enough, or none");
    for (const char* budget : {"1G", "all"}) {
      const auto r = cli_run::RunCli({"--max-memory", budget, "1/7"});
      EXPECT_EQ(r.status, 0) << budget;
      EXPECT_EQ(r.out, "0.(142857)\n") << budget;
    }
  }
}

TEST(MaxMemory, TheDigitRuleComesFirst) {
  // An exponent past the digit limit is refused for its digits, and zero is
  // answered, under a budget far below what the exponent's zeros would take.
  const auto zero = cli_run::RunCli({"--max-memory", "512M", "0e999999999"});
  EXPECT_EQ(zero.status, 0);
  EXPECT_EQ(zero.out, "0/1\n");
  const auto big = cli_run::RunCli({"--max-memory", "512M", "1e999999999"});
  EXPECT_EQ(big.status, 2);  // the entry's fault, not the memory's
  EXPECT_EQ(big.err,
            "quotalis-cli: '1e999999999': the numerator would have more than 10,000,000 digits\n");
}

TEST(MaxMemory, BadValuesAreUsageErrors) {
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"--max-memory", "lots", "0.5"},
        std::vector<std::string_view>{"--max-memory=0", "0.5"},
        std::vector<std::string_view>{"--max-memory"}}) {
    const auto r = cli_run::RunCli(args);
    EXPECT_EQ(r.status, 2) << args.front();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--max-memory"), std::string::npos) << r.err;
    EXPECT_TRUE(r.err.ends_with("(see quotalis-cli --help)\n")) << r.err;
  }
}

}  // namespace
