// The command line on its arguments: one entry answered, bad arguments
// refused, help and version. Expected fractions are written out by hand, or
// taken from the tests' worked table.
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>
#include <quotalis/version.h>

#include "cli_run.h"
#include "reference/worked_table.h"

namespace {

using cli_run::RunCli;

struct Answered {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
};

// The worked table in detail: entry as written back, unreduced and reduced.
TEST(CommandLine, AnswersTheWorkedTable) {
  for (const quotalis::testing::WorkedRow& row : quotalis::testing::kWorkedTable) {
    SCOPED_TRACE(row.name);
    std::vector<std::string_view> args = {"--detail"};
    if (row.k != 0) {
      args.insert(
          args.end(),
          {"--period", std::string_view("0123456789").substr(static_cast<std::size_t>(row.k), 1)});
    }
    args.push_back(row.entry);
    const auto r = RunCli(args);
    std::string want(row.normalised);
    want.append("\t").append(row.numerator).append("/").append(row.denominator);
    want.append("\t").append(row.reducedNumerator).append("/").append(row.reducedDenominator);
    EXPECT_EQ(r.out, want + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(CommandLine, AnswersOneEntry) {
  const std::vector<Answered> rows = {
      // The reduction's worked table.
      {"reduction table: 0.75", {"0.75"}, "3/4"},
      {"reduction table: 1.25", {"1.25"}, "5/4"},
      {"reduction table: 0.36, k 2", {"--period", "2", "0.36"}, "4/11"},
      {"reduction table: 360", {"360"}, "360/1"},
      {"k shrinks with the dropped zero", {"--detail", "--period", "2", "0.50"}, "0.5\t5/9\t5/9"},
      {"k clamped to 0 when the point goes", {"--detail", "--period", "1", "1.0"}, "1\t1/1\t1/1"},
      {"k on an integer", {"--period", "5", "360"}, "360/1"},
      {"k far past the 32-bit range", {"--period", "99999999999999999999", "0.142857"}, "1/7"},
      {"k one past the 32-bit range", {"--period=2147483648", ".36"}, "4/11"},
      {"k with leading zeros", {"--period", "007", "0.36"}, "4/11"},
      {"k in full-width digits", {"--period", "\uff12", "0.36"}, "4/11"},
      {"k in full-width digits after =", {"--period=\uff10\uff11", "0.1666"}, "1/6"},
      {"max digits in full-width digits", {"--max-digits", "\uff14", "1/8"}, "0.125"},
      {"the last --period counts", {"--period", "1", "--period=0", "0.1666"}, "833/5000"},
      {"tiny value", {"--detail", ".00001"}, "0.00001\t1/100000\t1/100000"},
      {"tiny value, k 2", {"--detail", "--period", "2", ".000012"}, "0.000012\t12/990000\t1/82500"},
      {"tiny value with leading zeros", {"000.000016"}, "1/62500"},
      {"ten digits", {"--detail", "9999999999"}, "9999999999\t9999999999/1\t9999999999/1"},
      {"one past the 32-bit range", {"2147483648"}, "2147483648/1"},
      {"top of the 32-bit range", {"2147483647"}, "2147483647/1"},
      {"2 to the 30", {"1073741824"}, "1073741824/1"},
      {"nine digits and a point", {"999999999."}, "999999999/1"},
      {"zero", {"0"}, "0/1"},
      {"zero with points and k", {"--period", "3", "0.000"}, "0/1"},
      {"zero in detail", {"--detail", "000"}, "0\t0/1\t0/1"},
      {"options after the entry", {".5", "--detail"}, "0.5\t5/10\t1/2"},
      {"entry after --", {"--", ".5"}, "1/2"},
      // Refused while only the keypad's entries were taken; now they convert.
      {"negative", {"-5"}, "-5/1"},
      {"plus sign", {"+5"}, "5/1"},
      {"negative after --", {"--", "-0.5"}, "-1/2"},
      {"exponent", {"1e5"}, "100000/1"},
      {"blank before", {" 0.5"}, "1/2"},
      {"eleven digits", {"12345678901"}, "12345678901/1"},
      {"ten digits after the point, the last a zero",
       {"--detail", ".1234567890"},
       "0.123456789\t123456789/1000000000\t123456789/1000000000"},
  };
  for (const Answered& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

struct Refused {
  std::vector<std::string_view> args;
  std::string phrase;  // the message names the problem with this
};

TEST(CommandLine, RefusesBadArgumentsOnStandardError) {
  const std::vector<Refused> rows = {
      {{""}, "'': there is nothing to read"},
      {{"."}, "no digit"},
      {{"1.2.3"}, "'1.2.3': a second point at character 4"},
      {{"1,5"}, "'1,5': unexpected ',' at character 2"},
      {{"\x1b[2J"}, "'\\x1B[2J'"},
      {{"--period", "-1", ".5"}, "negative"},
      {{"--period", "x", ".5"}, "not a whole number"},
      {{"--period", "1.5", ".5"}, "not a whole number"},
      {{"--period", "+1", ".5"}, "not a whole number"},
      {{"--period=", ".5"}, "empty"},
      {{".5", "--period"}, "needs a value"},
      {{"--foo", ".5"}, "unknown option '--foo' (see quotalis-cli --help)"},
      {{"-x"}, "unknown option '-x'"},
      {{"--detail=yes", ".5"}, "takes no value"},
      {{"0.5", "0.6"}, "too many arguments"},
      {{"--", "0.5", "--detail"}, "too many arguments"},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.phrase);
    const auto r = RunCli(row.args, "0.5\n");
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
    EXPECT_NE(r.err.find(row.phrase), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.status, 2);
  }
}

// Someone at a terminal who gives no entry is told, on standard error, what
// the program waits for; with an entry, or with input from a file, nothing.
TEST(CommandLine, HintsAtATerminalWithoutEntry) {
  struct Row {
    std::vector<std::string_view> args;
    bool terminal;
    std::string out, err;
  };
  const std::string hint =
      "quotalis-cli: reading \"ENTRY [K]\" lines from standard input; press Ctrl-D to end "
      "(quotalis-cli --help for more)\n";
  const std::vector<Row> rows = {
      {{}, true, "1/2\n", hint},
      {{"--detail"}, true, "0.5\t5/10\t1/2\n", hint},
      {{}, false, "1/2\n", ""},
      {{"0.25"}, true, "1/4\n", ""},
  };
  for (const Row& row : rows) {
    std::istringstream in("0.5\n");
    std::ostringstream out, err;
    const int status =
        quotalis::RunCli(row.args, in, out, err, quotalis::words::EnglishWords(), row.terminal);
    EXPECT_EQ(out.str(), row.out);
    EXPECT_EQ(err.str(), row.err);
    EXPECT_EQ(status, 0);
  }
}

TEST(CommandLine, HelpAndVersion) {
  const std::string version = std::to_string(quotalis::version::kMajor) + "." +
                              std::to_string(quotalis::version::kMinor) + "." +
                              std::to_string(quotalis::version::kRevision);
  EXPECT_EQ(RunCli({"--version"}).out, "quotalis-cli " + version + "\n");
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"--help"}, {"-h"}, {"1.2.3", "--help"}}) {
    const auto r = RunCli(args);
    EXPECT_TRUE(r.out.starts_with("Usage: quotalis-cli [--detail] [--period K] ENTRY\n"));
    for (const char* documented : {"--period=K", "--detail", "--version", "--", "0, 0/1 and 0/1",
                                   "overrides --period", "Exit status"}) {
      EXPECT_NE(r.out.find(documented), std::string::npos) << documented;
    }
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

}  // namespace
