// The command line answering standard input line by line.
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

using cli_run::RunCli;

// Each expected line must equal the answer line, except "error: PHRASE",
// which only asks for an error line naming PHRASE.
void ExpectLines(const std::string& out, const std::vector<std::string>& expected) {
  std::istringstream lines(out);
  std::string line;
  for (const std::string& want : expected) {
    ASSERT_TRUE(std::getline(lines, line)) << "missing answer " << want;
    if (want.starts_with("error: ")) {
      EXPECT_TRUE(line.starts_with("error: ")) << line;
      EXPECT_NE(line.find(want.substr(7)), std::string::npos) << line << " lacks " << want;
    } else {
      EXPECT_EQ(line, want);
    }
  }
  EXPECT_FALSE(std::getline(lines, line)) << "extra answer " << line;
  EXPECT_TRUE(out.empty() || out.ends_with('\n'));
}

struct Lines {
  const char* name;
  std::vector<std::string_view> args;
  std::string in;
  std::vector<std::string> out;
  int status;
};

TEST(CommandLine, AnswersStandardInputLineByLine) {
  const std::vector<Lines> rows = {
      {"good and bad lines mixed",
       {},
       "0.5\n.\n0.36 2\n1.2.3\n0.1666 1\n-5\n9999999999\n",
       {"1/2", "error: no digit", "4/11", "error: a second point", "1/6", "-5/1", "9999999999/1"},
       1},
      {"all good", {}, "0.75\n.000012 2\n0\n", {"3/4", "1/82500", "0/1"}, 0},
      {"no input", {}, "", {}, 0},
      {"CR LF line ends", {}, "0.5\r\n.36 2\r\n", {"1/2", "4/11"}, 0},
      {"fractions with blanks inside", {}, "1 1/6\n1 \u00f7 7\n", {"1.1(6)", "0.(142857)"}, 0},
      {"blanks around and between", {}, "  0.5  \n\t.36\t\t2\t\n", {"1/2", "4/11"}, 0},
      {"blank lines answered, quoted",
       {},
       "0.5\n\n \t\r\n0.25\n",
       {"1/2", "error: '': the line is empty; give ENTRY [K]",
        "error: ' \\x09': the line is empty; give ENTRY [K]", "1/4"},
       1},
      {"comments passed over",
       {},
       "# heading\n0.5\n  # indented\n\t#\n\uff03 full-width\n0.25 # not a comment\n",
       {"1/2", "error: '0.25 # not a comment': too many fields; give ENTRY [K]"},
       1},
      {"comments only", {"--json"}, "#\n# 0.5\n", {}, 0},
      {"byte-order mark on the first line only",
       {},
       "\xEF\xBB\xBF"
       "0.5\n\xEF\xBB\xBF"
       "0.5\n",
       {"1/2", "error: unexpected character U+FEFF at character 1"},
       1},
      {"byte-order mark before a comment", {}, "\xEF\xBB\xBF# x\n0.5\n", {"1/2"}, 0},
      // An empty file as Notepad saves it: no line, as an empty input has none.
      {"byte-order mark alone", {}, "\xEF\xBB\xBF", {}, 0},
      {"byte-order mark alone, with --json", {"--json"}, "\xEF\xBB\xBF", {}, 0},
      {"byte-order mark, then an empty line",
       {},
       "\xEF\xBB\xBF\n",
       {"error: '': the line is empty; give ENTRY [K]"},
       1},
      {"byte-order mark, then an entry without a line end",
       {},
       "\xEF\xBB\xBF"
       "0.5",
       {"1/2"},
       0},
      {"ideographic spaces and full-width K",
       {},
       "\uff10\uff0e\uff11\uff16\u3000\uff11\n0.16\u3000\u3000\uff11\n\u30000.36\t\uff12\u3000\n",
       {"1/6", "1/6", "4/11"},
       0},
      {"last line without its end", {}, "0.5\n0.25", {"1/2", "1/4"}, 0},
      {"K on a line overrides --period",
       {"--period", "1"},
       "0.1666\n0.1666 0\n0.50 2\n",
       {"1/6", "833/5000", "5/9"},
       0},
      {"--detail on every line", {"--detail"}, ".5\n0.000\n", {"0.5\t5/10\t1/2", "0\t0/1\t0/1"}, 0},
      {"bad K on a line, the line quoted",
       {},
       "0.5 -1\n0.5 x\n0.5 1 2\n0.5\n0.5 \uff0d\uff11\n",
       {"error: '0.5 -1': the period K '-1' is negative; give 0 or more",
        "error: '0.5 x': the period K 'x' is not a whole number",
        "error: '0.5 1 2': too many fields; give ENTRY [K]", "1/2",
        "error: '0.5 \uff0d\uff11': the period K '\uff0d\uff11' is negative"},
       1},
      {"huge K on a line", {}, "0.142857 99999999999999999999\n", {"1/7"}, 0},
      {"entry past the keypad's length", {}, "12345678901\n", {"12345678901/1"}, 0},
      {"NUL in a line",
       {},
       std::string("0.5\0\n0.5\n", 9),
       {"error: '0.5\\x00': unexpected character U+0000 at character 4", "1/2"},
       1},
      {"5000-digit line",
       {},
       std::string(5000, '1') + "\n0.5\n",
       {std::string(5000, '1') + "/1", "1/2"},
       0},
  };
  for (const Lines& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args, row.in);
    ExpectLines(r.out, row.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, row.status);
  }
}

}  // namespace
