// The command line's fast path for small decimals against AnswerLine's
// general path: the same answer for every line it takes, on both sides of
// the 64-bit boundary, with K and --mixed; every other line left to the
// general path; and a batch mixing both answered in order.
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "answer/small.h"
#include "answer/write.h"
#include "cli/line.h"
#include "cli/options.h"
#include "cli_run.h"

namespace {

using quotalis::cli::Options;

quotalis::answer::Request RequestOf(const Options& options) {
  return quotalis::cli::RequestFor(options, {}, options.period, quotalis::words::EnglishWords());
}

bool AnswerSmallLine(std::string_view line, const Options& options, std::string& out) {
  return quotalis::answer::AnswerSmall(line, RequestOf(options), out);
}

// The general path's answer line, or "" when it refuses the line.
std::string General(std::string_view line, const Options& options) {
  const quotalis::answer::Answer answer = quotalis::cli::AnswerLine(line, RequestOf(options));
  if (answer.status != quotalis::answer::Status::Answered) return "";
  std::ostringstream out;
  bool started = false;
  quotalis::answer::WriteValue(out, answer, started);
  return out.str() + "\n";
}

TEST(SmallLines, AnswerAsTheGeneralPathAcrossTheBoundary) {
  std::mt19937_64 rng(17);
  const auto digits = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % (rng() % 3 ? 10 : 1));
    return s;
  };
  const char* const kBlanks[] = {"", " ", "\t", "  "};
  int fast = 0;
  int left = 0;
  for (int i = 0; i < 20000; ++i) {
    Options options;
    options.mixed = rng() % 2 == 0;
    options.period = static_cast<std::int32_t>(rng() % 4 == 0 ? rng() % 25 : 0);
    std::string line = kBlanks[rng() % 4];
    if (rng() % 3 == 0) line += rng() % 2 ? "-" : "+";
    line += digits(rng() % 22);
    const bool point = rng() % 5 != 0;
    if (point) {
      line += '.';
      line += digits(rng() % 22);
    }
    if (rng() % 2 == 0) {
      line += '(';
      line += digits(rng() % 22);
      line += ')';
    }
    line += kBlanks[rng() % 4];
    if (rng() % 8 == 0) line += '\r';
    std::string out = "kept";
    if (AnswerSmallLine(line, options, out)) {
      ASSERT_EQ(out.substr(4), General(line, options)) << line << " K " << options.period;
      ++fast;
    } else {
      ASSERT_EQ(out, "kept") << line;
      ++left;
    }
  }
  EXPECT_GT(fast, 4000);
  EXPECT_GT(left, 4000);
}

TEST(SmallLines, LeavesEveryOtherLineToTheGeneralPath) {
  Options options;
  for (const std::string_view line :
       {"", " ", "# 0.5", "0.5 1", "1/7", "1 1/6", "0.1e3", "0.1666...", "0.1\u03036",
        "\xEF\xBC\x90.5", "0.5\xE3\x80\x80", "1(2)", "0.(", "99999999999999999999",
        "0.(00000000000000000001)", "--1", ".", "0.5\n"}) {
    std::string out;
    EXPECT_FALSE(AnswerSmallLine(line, options, out)) << line;
    EXPECT_EQ(out, "");
  }
  // K with the recurring digits marked is refused; --detail, --json,
  // --explain and --rounded are not the fast path's.
  options.period = 1;
  std::string out;
  EXPECT_FALSE(AnswerSmallLine("0.(3)", options, out));
  EXPECT_TRUE(AnswerSmallLine("0.1666", options, out));
  EXPECT_EQ(out, "1/6\n");
  for (bool Options::*flag :
       {&Options::detail, &Options::json, &Options::explain, &Options::rounded}) {
    Options asked;
    asked.*flag = true;
    EXPECT_FALSE(quotalis::answer::AnswersSmall(RequestOf(asked)));
  }
  // A budget of bytes too small for any entry: the general path refuses.
  Options tight;
  tight.memory = {quotalis::cli::MemoryBudget::Kind::Bytes, 4096};
  EXPECT_FALSE(AnswerSmallLine("0.5", tight, out));
}

// Small decimals, fractions, errors and comments in one batch, across the
// 64 KiB block of answers: each answer in its place.
TEST(SmallLines, BatchAnswersInOrder) {
  std::string input;
  std::string expected;
  for (int i = 0; i < 12000; ++i) {
    switch (i % 6) {
      case 0: input += "0.1(6)\n", expected += "1/6\n"; break;
      case 1: input += "1/8\n", expected += "0.125\n"; break;
      case 2: input += "12.34(567)\r\n", expected += "45679/3700\n"; break;
      case 3: input += "# note\n"; break;
      case 4:
        input += "0.1x\n", expected += "error: '0.1x': unexpected 'x' at character 4\n";
        break;
      case 5: input += "-0.25 0\n", expected += "-1/4\n"; break;
    }
  }
  const cli_run::Run r = cli_run::RunCli({}, input);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, expected);
}

}  // namespace
