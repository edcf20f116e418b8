// The command line on the exact library explaining its working: what the
// school exercises of cli_working_test.cpp leave aside (standard input, JSON,
// the limits, the words the working is put in).
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_run.h"

namespace {

using cli_run::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

TEST(ExactCommandLine, ExplainsEachLineOfStandardInput) {
  // One working after another, a blank line between them.
  const auto two = RunCli({"--explain"}, "1/2\n0.5\n");
  EXPECT_EQ(two.out,
            "Work out 1 ÷ 2 by long division:\n"
            "          1 ÷ 2 = 0 remainder 1\n"
            "digit 1: 10 ÷ 2 = 5 remainder 0\n"
            "Remainder 0: the division ends\n"
            "So 1/2 = 0.5\n\n"
            "Let x = 0.5\n"
            "There is 1 digit after the point: multiply by 10 to make a whole number\n"
            "10x = 5\n"
            "  x = 5/10\n"
            "Prime factorisation of the numerator and the denominator:\n"
            "5\u0336 is a prime number\n"
            "10 = 2 × 5\u0336\n"
            "The struck factors are those both share; their product is the highest common "
            "factor: 5\n"
            "Divide the numerator and the denominator by 5: x = 5/10 = 1/2\n"
            "So 0.5 = 1/2\n\n");
  EXPECT_EQ(two.status, 0);
}

TEST(ExactCommandLine, JsonCarriesTheWorkingsLines) {
  const auto text = RunCli({"--explain", "0.1(6)"});
  const auto json = RunCli({"--explain", "--json", "0.1(6)"});
  std::string expected = "\"working\":[";
  for (const std::string& line : Lines(text.out)) {
    expected += (expected.back() == '[' ? "\"" : ",\"") + line + "\"";
  }
  EXPECT_NE(json.out.find(expected + "]}"), std::string::npos) << json.out;
}

TEST(ExactCommandLine, ExplainsTermsTooLargeToFactor) {
  // Terms of 300 digits whose cofactors are too large to split: the highest
  // common factor comes from Euclid's algorithm, and the working says so.
  std::string period;
  for (int i = 0; i < 300; ++i) period += static_cast<char>('1' + i % 7);
  const auto big = RunCli({"--explain", "0.(" + period + ")"});
  EXPECT_NE(big.out.find("Euclid's algorithm gives their highest common factor: 27\n"
                         "Divide the numerator and the denominator by 27: x = "),
            std::string::npos)
      << big.out.substr(0, 400);
  EXPECT_EQ(big.status, 0);
}

TEST(ExactCommandLine, StopsALongDivision) {
  // 1/1019 has a period of 1018 digits: the division stops after 999.
  const auto r = RunCli({"--explain", "1/1019"});
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u + 1000u + 1u);
  EXPECT_EQ(lines[999], "digit 998:  7120 ÷ 1019 = 6 remainder 1006");
  EXPECT_EQ(lines.back(),
            "Stopped after 999 digits: the period has 1018 digits and starts at digit 1 after "
            "the point");
  // A product of two primes of 50 digits: too large to factor, its period
  // longer than the limit, as the answer says too.
  const std::string d =
      "1000000000000000000000000000000000000000000000002410000000000000000000000000"
      "000000000000000000000001359";
  const auto past = RunCli({"--explain", "1/" + d});
  EXPECT_EQ(Lines(past.out).back(),
            "Stopped after 999 digits: the period is longer than 10000000 digits");
  EXPECT_NE(RunCli({"--json", "1/" + d}).out.find(R"("period":null,"periodAbove":10000000)"),
            std::string::npos);
}

TEST(ExactCommandLine, KeypadWorkingWritesParentheses) {
  const auto r = RunCli({"--explain", "--notation", "keypad", "1/6"});
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "So 1/6 = 0.1(6)");
  EXPECT_EQ(lines.back(), "On the keypad: type 0.16 and set the number of recurring digits to 1");
  // What the keypad cannot type is refused, the working as well.
  EXPECT_EQ(RunCli({"--explain", "--notation", "keypad", "--", "-1/2"}).status, 1);
}

// Words that mark what they translate, so that a sentence left out of the
// translation shows.
class Marked final : public quotalis::words::Words {
 public:
  std::string Translate(std::string_view english) const override {
    return "<" + std::string(english) + ">";
  }
  std::string_view Language() const override { return "xx"; }
};

TEST(ExactCommandLine, EveryWordOfTheWorkingIsTranslated) {
  const Marked words;
  for (const char* entry : {"-1.2(3)e-5", "0.(9)", "7", "-3 2/4", "1/7", "14/2", "1.4(9)"}) {
    SCOPED_TRACE(entry);
    std::istringstream in;
    std::ostringstream out, err;
    const std::vector<std::string_view> args = {"--explain", "--mixed", "--", entry};
    EXPECT_EQ(quotalis::RunCli(args, in, out, err, words), 0) << err.str();
    // Each line is a translated sentence, an equation of numbers and
    // letters, a row of long division whose words are translated, or the
    // rule under a subtraction.
    for (const std::string& line : Lines(out.str())) {
      const bool sentence = line.front() == '<' && line.find('>') != std::string::npos;
      const bool row = line.find("<remainder>") != std::string::npos;
      const bool equation = line.find(" = ") != std::string::npos &&
                            line.find_first_of("abcdfghijklmnopqrstuvwz") == std::string::npos;
      bool rule = !line.empty();
      for (std::size_t at = line.find_first_not_of(' '); rule && at < line.size(); at += 3) {
        rule = line.compare(at, 3, "\u2500") == 0;
      }
      EXPECT_TRUE(sentence || row || equation || rule) << line;
    }
  }
}

}  // namespace
