// The command line on the exact library refusing entries and options, with
// the problem and its place, and answering good and bad lines in order.
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

using cli_run::RunCli;

struct Refused {
  const char* name;
  std::vector<std::string_view> args;
  std::string phrase;
  int status;
};

TEST(ExactCommandLine, RefusesWithTheProblemAndItsPlace) {
  const std::vector<Refused> rows = {
      {"unclosed parenthesis",
       {"0.1(6"},
       "'0.1(6': the parenthesis opened at character 4 is never closed",
       2},
      {"empty parentheses", {"0.1()"}, "character 4", 2},
      {"a second point", {"1.2.3"}, "'1.2.3': a second point at character 4", 2},
      {"a second point, with a period",
       {"1.2.3(4)"},
       "'1.2.3(4)': a second point at character 4",
       2},
      {"ellipsis without a block",
       {"0.5..."},
       "'0.5...': the ellipsis at character 4 must follow the recurring digits written out at "
       "least twice after the point: if 5 recurs, write 0.555... or 0.(5)",
       2},
      {"an ellipsis after a calculator's display",
       {"0.6666666667..."},
       "'0.6666666667...': the ellipsis at character 13 must follow the recurring digits "
       "written out at least twice after the point: for a display rounded at its last digit, "
       "write 0.6666666667 and read it as rounded",
       2},
      {"a period before any point",
       {"12(3)"},
       "'12(3)': the recurring part at character 3 must follow a point: write 12.(3) or 1.2(3)",
       2},
      {"a decimal divided", {"1.5\u00f72"}, "only whole numbers can stand on either side of", 2},
      {"zero denominator", {"1/0"}, "zero", 2},
      {"a term past 10,000,000 digits",
       {"1e999999999"},
       "numerator would have more than 10,000,000 digits",
       2},
      {"a tiny term past 10,000,000 digits",
       {"1e-999999999"},
       "denominator would have more than 10,000,000 digits",
       2},
      {"a denominator past 10,000,000 digits", {"1e-999999999"}, "digits", 2},
      {"a stray letter", {"0.1x"}, "'0.1x': unexpected 'x' at character 4", 2},
      {"K with a notation", {"--period", "1", "0.1(6)"}, "K is for a plain decimal", 2},
      {"K with a fraction",
       {"--period", "2", "1/7"},
       "'1/7': K is for a plain decimal, not for a fraction",
       2},
      {"keypad, negative", {"--notation", "keypad", "--", "-1/2"}, "negative", 1},
      {"keypad, too long", {"--notation", "keypad", "1/17"}, "at most 10", 1},
      {"keypad, a part longer than the keypad",
       {"--notation", "keypad", "1/6144"},
       "the keypad holds at most 10 characters; the entry would need at least 13",
       1},
      {"unknown notation", {"--notation", "roman", "1/7"}, "unknown notation 'roman'", 2},
      {"max digits zero", {"--max-digits", "0", "1/7"}, "1 or more", 2},
      {"max digits not a number", {"--max-digits", "many", "1/7"}, "'many'", 2},
      {"max digits without a value", {"1/7", "--max-digits"}, "needs a value", 2},
      {"detail with explain",
       {"--detail", "--explain", "1/7"},
       "--detail and --explain cannot be given together (see quotalis-cli --help)",
       2},
      {"flag with a value", {"--mixed=1", "1/7"}, "takes no value", 2},
      {"a control character", {"0.1\x1b(6)"}, "'0.1\\x1B(6)': unexpected character U+001B", 2},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
    EXPECT_NE(r.err.find(row.phrase), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.status, row.status);
  }
}

struct RefusedAsJson {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
};

// With --json anywhere among the options, a refused command line is an
// object on standard output like a refused entry, "input" null.
TEST(ExactCommandLine, RefusesOptionsAsJsonWhenAskedFor) {
  const std::vector<RefusedAsJson> rows = {
      {"unknown option before --json",
       {"--foo", "--json", "1/7"},
       R"j({"input":null,"error":"unknown option '--foo'","kind":"argument","position":0})j"},
      {"bad K",
       {"--json", "--period", "x", "0.5"},
       R"j({"input":null,"error":"the period K 'x' is not a whole number","kind":"syntax",)j"
       R"j("position":0})j"},
      {"negative K",
       {"--json", "--period=-2", "0.5"},
       R"j({"input":null,"error":"the period K '-2' is negative; give 0 or more",)j"
       R"j("kind":"syntax","position":0})j"},
      {"detail with json",
       {"--detail", "--json", "1/7"},
       R"j({"input":null,"error":"--detail and --json cannot be given together",)j"
       R"j("kind":"argument","position":0})j"},
      {"too many arguments",
       {"--json", "1/7", "2/7"},
       R"j({"input":null,"error":"too many arguments: '2/7' after the entry",)j"
       R"j("kind":"argument","position":0})j"},
      {"a value missing",
       {"1/7", "--json", "--notation"},
       R"j({"input":null,"error":"the option --notation needs a value","kind":"argument",)j"
       R"j("position":0})j"},
  };
  for (const RefusedAsJson& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 2);
  }
  // --json as the value of an option, or after "--", is no --json.
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"--period", "--json", "0.5"}, {"--foo", "--", "--json"}}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
    EXPECT_EQ(r.status, 2);
  }
}

TEST(ExactCommandLine, AnswersMixedLinesInOrder) {
  const auto r = RunCli({}, "0.1(6)\n 1 1/6 \n-3/4\r\n0.16 1\n0.1(6\n1/0\n0.(3) 1\n1e5\n");
  EXPECT_EQ(
      r.out,
      "1/6\n1.1(6)\n-0.75\n1/6\n"
      "error: '0.1(6': the parenthesis opened at character 4 is never closed\n"
      "error: '1/0': the denominator at character 3 is zero\n"
      "error: '0.(3)': K is for a plain decimal, and this entry marks its recurring digits itself\n"
      "100000/1\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 1);
}

}  // namespace
