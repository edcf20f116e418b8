// --check and --mark on the command line: what they print, their exit
// statuses, and the command lines they refuse.
#include <string>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

using cli_run::RunCli;

TEST(CheckCommand, MarksEachLineAndEndsWithItsStatus) {
  const auto right = RunCli({"--check", "0.1(6)"},
                            "x = 0.1(6)\nwords\n100x = 16.(6)\n"
                            "10x = 1.(6)\n90x = 15\nx = 1/6\n");
  EXPECT_EQ(right.status, 0) << right.out << right.err;
  EXPECT_EQ(right.out,
            "○ x = 0.1(6)\n  words\n○ 100x = 16.(6)\n○ 10x = 1.(6)\n○ 90x = 15\n○ x = 1/6\n"
            "All right: the answer 1/6 is right.\n");
  const auto wrong = RunCli({"--check", "0.1(6)"}, "x = 16/99\n");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.out.substr(0, wrong.out.find('\n')),
            "× x = 16/99  — 16/99 is not the value of 0.1(6)");
  EXPECT_EQ(RunCli({"--check", "0.1(6)"}, "x = 15/90").status, 1);
  EXPECT_EQ(RunCli({"--check", "0.1(6)"}, "").status, 1);
  // A refused entry: exit 2, on standard error; with --json, its object.
  const auto bad = RunCli({"--check", "0.1(6"}, "x = 1/6\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err,
            "quotalis-cli: '0.1(6': the parenthesis opened at character 4 is never closed\n");
  const auto badJson = RunCli({"--check", "0.1(6", "--json"}, "x = 1/6\n");
  EXPECT_EQ(badJson.status, 2);
  EXPECT_EQ(badJson.out.rfind("{\"entry\":\"0.1(6\",\"error\":", 0), 0u) << badJson.out;
}

TEST(CheckCommand, RefusesWhatCannotGoTogether) {
  for (const std::vector<std::string_view>& args :
       std::vector<std::vector<std::string_view>>{{"--check"},
                                                  {"--mark", "0.5"},
                                                  {"--check", "--mark", "0.5"},
                                                  {"--check", "0.5", "--explain"},
                                                  {"--check", "0.5", "--detail"},
                                                  {"--check", "0.5", "--period", "1"},
                                                  {"--mark", "--rounded"}}) {
    const auto run = RunCli(args, "x = 1/2\n");
    EXPECT_EQ(run.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    EXPECT_NE(run.err.find("(see quotalis-cli --help)"), std::string::npos) << run.err;
  }
}

TEST(MarkCommand, MarksEachAnswerThenTheTally) {
  const auto run = RunCli({"--mark"},
                          "name,question,answer\nTaro,0.1(6),1/6\n"
                          "Hanako,0.1(6),16/99\n\n0.1(6) = 15/90\r\n0.(3)\t1/3\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Taro: ○ 0.1(6) = 1/6\n"
            "Hanako: × 0.1(6) = 16/99  — the digits before the period taken as recurring\n"
            "× 0.1(6) = 15/90  — not in lowest terms\n"
            "○ 0.(3) = 1/3\n"
            "right 2, wrong 2 (the digits before the period taken as recurring 1, not in lowest "
            "terms 1)\n");
  const auto json = RunCli({"--mark", "--json"}, "0.1(6),16/99\nx,1/2\n");
  EXPECT_EQ(json.status, 1);  // "x" is not the header: it is not the first line
  EXPECT_EQ(json.out.substr(json.out.rfind("{\"right\"")),
            "{\"right\":0,\"wrong\":1,\"refused\":1,\"slips\":{\"whole-as-period\":1}}\n");
}

}  // namespace
