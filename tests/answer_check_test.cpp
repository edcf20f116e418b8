// The check of a pupil's working: each line's verdict, the answer, the slip
// named at the first wrong line, unreadable lines with the character at
// fault, and a class's answers split and tallied. The values are worked by
// hand (0.1(6) = 15/90 = 1/6, 2.3(45) = 2322/990 = 129/55).
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "answer/check.h"

namespace {

using quotalis::answer::Check;
using quotalis::answer::CheckWorking;
using quotalis::answer::Outcome;
using quotalis::answer::Slip;
using quotalis::answer::SlipName;
using quotalis::answer::Verdict;

Check Checked(const std::string& entry, const std::string& working) {
  return CheckWorking({entry, working});
}

std::vector<Verdict> Verdicts(const Check& check) {
  std::vector<Verdict> verdicts;
  for (const auto& line : check.lines) verdicts.push_back(line.verdict);
  return verdicts;
}

TEST(Check, RightWorkingsInEveryNotationAndWords) {
  const std::pair<const char*, const char*> rows[] = {
      {"0.1(6)", "x = 0.1(6)\n100x = 16.(6)\n10x = 1.(6)\n90x = 15\nx = 15/90 = 1/6\n"},
      {"0.1(6)",
       "Let x = 0.1666...\nSo 100x - 10x = 16.666... - 1.666...\n90x = 15\n"
       "Therefore x = 1/6."},
      {"0.1(6)",
       "ｘ＝０．１（６）とおく。\n１００ｘ＝１６．（６）\n１０ｘ＝１．（６）\n"
       "よって ９０ｘ＝１５\n答え １／６"},
      {"0.1(6)",
       "x = 0.16\u0307\n10\u00b2x = 16.6\u0307\n10x = 1.6\u0307 \u2461\n"
       "\u2212) 10x = 1.6\u0307\n\u2460 \u2212 \u2461 \u3088\u308a\n90x = 15\n"
       "\u2234 x = 15/90\n  = 1/6"},
      {"0.1(6)", "a = 0.1[6]\n10^2 a = 16.[6]\n(100 - 10) a = 15\na = 15 ÷ 90 = 1/6"},
      {"2.3(45)",
       "x = 2.3(45)\n1000x = 2345.(45)\n10x = 23.(45)\n990x = 2322\n"
       "x = 2322/990 = 129/55 = 2 19/55"},
      {"1/7", "1 ÷ 7 = 0 remainder 1\n10 ÷ 7 = 1 あまり 3\n1/7 = 0.(142857)"},
      {"-0.(3)", "x = -0.(3)\n10x = -3.(3)\n9x = -3\nx = -1/3"},
      {"0.1(6)", "90x = 15 ∴ x = 15/90 = 1/6（答）"},
      {"0.1(6)", "1/6 = x"},
      {"0.1(6)", " 100x = 16.(6)\n-) 10x = 1.(6)\n----------\n  90x = 15\nよって答えは 1/6 です"},
      {"0.1(6)", "x = 90分の15 = 6分の1"},
      {"0.1(6)", "x = 0.16\u0304\n10x = 1.6\u0304\n【答】 1/6"},
  };
  for (const auto& [entry, working] : rows) {
    const Check check = Checked(entry, working);
    EXPECT_TRUE(check.correct) << entry << "\n" << working << "\n" << check.closing;
    EXPECT_EQ(check.outcome, Outcome::Right) << working;
    for (const auto& line : check.lines) {
      EXPECT_TRUE(line.verdict == Verdict::Right || line.verdict == Verdict::PassedOver)
          << line.text << ": " << line.reason;
    }
  }
  EXPECT_EQ(Checked("2.3(45)", "x = 129/55").answer, "129/55");
  EXPECT_EQ(Checked("2.3(45)", "x = 2 19/55").answer, "2 19/55");
}

TEST(Check, VerdictsLineByLine) {
  const Check check = Checked("0.1(6)",
                              "Let x = 0.1(6)\nmultiply by 100\n100x = 16.(6)\n"
                              "100x - 10x = 80x\nx = 15/90");
  EXPECT_EQ(Verdicts(check),
            (std::vector<Verdict>{Verdict::Right, Verdict::PassedOver, Verdict::Right,
                                  Verdict::Wrong, Verdict::NotLowest}));
  EXPECT_EQ(check.firstWrong, 4);
  EXPECT_EQ(check.slip, Slip::Subtraction);
  EXPECT_FALSE(check.correct);
  // An intermediate unreduced fraction is right; only the answer must be reduced.
  const Check reduced = Checked("0.1(6)", "x = 15/90\nx = 1/6");
  EXPECT_EQ(Verdicts(reduced), (std::vector<Verdict>{Verdict::Right, Verdict::Right}));
  EXPECT_TRUE(reduced.correct);
  const Check unreduced = Checked("0.1(6)", "x = 15/90");
  EXPECT_EQ(unreduced.slip, Slip::NotLowest);
  EXPECT_EQ(unreduced.outcome, Outcome::NotLowest);
  EXPECT_EQ(unreduced.firstWrong, std::nullopt);
  // A wrong step of a chain says what its left side really comes to.
  const Check chain = Checked("0.1(6)", "x = 15/90 = 3/18 = 1/9");
  EXPECT_EQ(chain.lines.at(0).reason, "3/18 makes 1/6, not 1/9");
}

TEST(Check, SlipsNamedAtTheFirstWrongLine) {
  struct Row {
    const char* entry;
    const char* working;
    std::int64_t firstWrong;
    Slip slip;
  };
  const Row rows[] = {
      {"0.1(6)", "x = 16/99", 1, Slip::WholeAsPeriod},
      {"0.1(6)", "x = 6/9", 1, Slip::NonRecurringDropped},
      {"0.1(6)", "x = 2/3", 1, Slip::NonRecurringDropped},
      {"0.1(6)", "x = 15/99", 1, Slip::NinesAndZeros},
      {"0.1(6)", "x = 15/900", 1, Slip::NinesAndZeros},
      {"0.1(6)", "x = 16/90", 1, Slip::NotSubtracted},
      {"0.1(6)", "x = 1666/10000", 1, Slip::ReadAsTerminating},
      {"0.1(6)", "x = 16/100", 1, Slip::ReadAsTerminating},
      {"0.1(6)", "x = 0.1666 = 833/5000", 1, Slip::ReadAsTerminating},
      {"0.1(6)", "100x = 16.(6)\nx = 0.1(6)\n100x - x = 16.5\n99x = 16", 4,
       Slip::PeriodsNotAligned},
      {"0.1(6)", "100x = 16.(6)\n10x = 1.(6)\n100x - 10x = 80x", 3, Slip::Subtraction},
      {"0.1(6)", "100x = 16.(6)\n10x = 1.(6)\n90x = 16.(6) - 1.(6) = 15.(6)", 3, Slip::Subtraction},
      {"0.1(6)", "100x = 16.(6)\n10x = 1.(6)\n80x = 15", 3, Slip::Subtraction},
      {"0.1(6)", "x = 15/90 = 3/18 = 1/9", 1, Slip::Reduction},
      {"0.1(6)", "x = -1/6", 1, Slip::Sign},
      {"2.3(45)", "x = 129/55 = 2 9/55", 1, Slip::MixedNumber},
      {"3 1/4", "3 1/4 = 31/4 = 7.75", 1, Slip::MixedNumber},
      {"3 1/4", "x = 0.75", 1, Slip::MixedNumber},
      {"0.1(6)", "x = 0.1(6)\n15 = 3 × 6", 2, Slip::Other},
  };
  for (const Row& row : rows) {
    const Check check = Checked(row.entry, row.working);
    EXPECT_EQ(check.firstWrong, row.firstWrong) << row.working;
    ASSERT_TRUE(check.slip) << row.working;
    EXPECT_EQ(SlipName(*check.slip), SlipName(row.slip)) << row.working;
    EXPECT_FALSE(check.correct) << row.working;
  }
}

TEST(Check, AnAnswerRightThroughAWrongLineAndNoAnswer) {
  const Check cancelled =
      Checked("0.1(6)", "100x = 16.(6)\n10x = 1.(6)\n90x = 16\nx = 15/90 = 1/6");
  EXPECT_EQ(cancelled.outcome, Outcome::SlipCancelled);
  EXPECT_EQ(cancelled.firstWrong, 3);
  EXPECT_FALSE(cancelled.correct);
  const Check none = Checked("0.1(6)", "x = 0.1(6)\n100x = 16.(6)");
  EXPECT_EQ(none.outcome, Outcome::NoAnswer);
  EXPECT_EQ(none.answer, std::nullopt);
  EXPECT_FALSE(none.correct);
  EXPECT_EQ(Checked("0.1(6)", "").outcome, Outcome::NoAnswer);
}

TEST(Check, UnreadableLinesNameTheCharacter) {
  const std::pair<const char*, std::int64_t> rows[] = {
      {"x = 1,5", 6},     {"x = 0.1(6", 8},
      {"x = 1/0", 7},     {"x = ", 3},
      {"x = 15 $ 90", 8}, {"= 1/6", 1},
      {"x = 1/6 = ", 9},  {"x = 1.2.3", 8},
      {"y = x + z", 5},   {"x = (10^100000)^100000", 16},  // y, met first, is
                                                           // the unknown
  };
  for (const auto& [working, position] : rows) {
    const Check check = Checked("0.1(6)", working);
    ASSERT_EQ(check.lines.size(), 1u) << working;
    EXPECT_EQ(check.lines[0].verdict, Verdict::Unreadable) << working;
    EXPECT_EQ(check.lines[0].position, position) << working << ": " << check.lines[0].reason;
    EXPECT_EQ(check.firstWrong, 1) << working;
    EXPECT_EQ(check.slip, std::nullopt) << working;
  }
  const Check bad = Checked("0.1(6", "x = 1/6");
  EXPECT_EQ(bad.status, quotalis::answer::Status::BadInput);
}

TEST(Check, JsonObject) {
  std::ostringstream out;
  WriteCheckJson(out, Checked("0.1(6)", "x = 16/99"), true);
  EXPECT_EQ(out.str(),
            "{\"entry\":\"0.1(6)\",\"value\":\"1/6\",\"correct\":false,\"firstWrong\":1,"
            "\"slip\":\"whole-as-period\",\"answer\":\"16/99\",\"outcome\":\"wrong\",\"closing\":"
            "\"Line 1 is the first wrong line. Slip: the digits before the period taken as "
            "recurring. Only the digits under the recurring mark repeat; the ones before them do "
            "not. Redo the two multiples: one moves the point to the start of the period, the "
            "other one period further.\",\"lines\":"
            "[{\"text\":\"x = 16/99\",\"verdict\":\"wrong\",\"reason\":\"16/99 is not the value "
            "of 0.1(6)\"}]}");
}

TEST(Mark, LinesSplitAndTallied) {
  using quotalis::answer::MarkLine;
  using quotalis::answer::SplitMarkLine;
  const MarkLine equals = SplitMarkLine("0.1(6) = 1/6");
  EXPECT_EQ(equals.entry, "0.1(6)");
  EXPECT_EQ(equals.answer, "1/6");
  const MarkLine tab = SplitMarkLine("Taro\t0.1(6)\t16/99\r");
  EXPECT_EQ(tab.name, "Taro");
  EXPECT_EQ(tab.entry, "0.1(6)");
  EXPECT_EQ(tab.answer, "16/99");
  const MarkLine csv = SplitMarkLine("\"Hanako, Y\",\"2.3(45)\",\"2 19/55\",,");
  EXPECT_EQ(csv.name, "Hanako, Y");
  EXPECT_EQ(csv.entry, "2.3(45)");
  EXPECT_EQ(csv.answer, "2 19/55");
  EXPECT_EQ(SplitMarkLine("  ").kind, MarkLine::Kind::Blank);
  EXPECT_EQ(SplitMarkLine("0.1(6)").kind, MarkLine::Kind::Unsplit);

  quotalis::answer::Tally tally;
  const quotalis::words::English english;
  for (const char* line : {"0.1(6),1/6", "0.1(6),16/99", "0.1(6),15/90", "0.1(6),16/99",
                           "2.3(45),2 19/55", "0.1(6,1/6"}) {
    tally.Add(MarkAnswer(SplitMarkLine(line), english));
  }
  EXPECT_EQ(tally.right, 2);
  EXPECT_EQ(tally.wrong, 3);
  EXPECT_EQ(tally.refused, 1);
  EXPECT_EQ(tally.slips[Slip::WholeAsPeriod], 2);
  EXPECT_EQ(tally.slips[Slip::NotLowest], 1);
  std::ostringstream json;
  WriteTallyJson(json, tally);
  EXPECT_EQ(json.str(),
            "{\"right\":2,\"wrong\":3,\"refused\":1,\"slips\":{\"whole-as-period\":2,"
            "\"not-lowest\":1}}");
}

}  // namespace
