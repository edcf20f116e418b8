// RunCli in-process: arguments and standard input in, the two output streams
// and the exit status out. Expected fractions are written out by hand, or
// taken from the tests' exact reference.
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>
#include <quotalis/version.h>

#include "cli/cli.h"
#include "reference/exact_fraction.h"
#include "reference/worked_table.h"

namespace {

struct Result {
  std::string out, err;
  int status = -1;
};

Result Cli(std::vector<std::string_view> args, std::istream& in, std::ostream& out) {
  std::ostringstream err;
  const int status = quotalis::RunCli(args, in, out, err);
  return {"", err.str(), status};
}

Result Cli(std::vector<std::string_view> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  Result r = Cli(std::move(args), in, out);
  r.out = out.str();
  return r;
}

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
    const Result r = Cli(args);
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
    const Result r = Cli(row.args);
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
      {{""}, "entry is empty"},
      {{"."}, "no digit"},
      {{"1.2.3"}, "more than one point"},
      {{"1,5"}, "holds ','"},
      {{"\x1b[2J"}, "'\\x1B[2J'"},
      {{"--period", "-1", ".5"}, "negative"},
      {{"--period", "x", ".5"}, "not a whole number"},
      {{"--period", "1.5", ".5"}, "not a whole number"},
      {{"--period", "+1", ".5"}, "not a whole number"},
      {{"--period=", ".5"}, "empty"},
      {{".5", "--period"}, "needs a value"},
      {{"--foo", ".5"}, "unknown option '--foo'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--detail=yes", ".5"}, "takes no value"},
      {{"0.5", "0.6"}, "too many arguments"},
      {{"--", "0.5", "--detail"}, "too many arguments"},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.phrase);
    const Result r = Cli(row.args, "0.5\n");
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
    EXPECT_NE(r.err.find(row.phrase), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.status, 2);
  }
}

TEST(CommandLine, HelpAndVersion) {
  const std::string version = std::to_string(quotalis::version::kMajor) + "." +
                              std::to_string(quotalis::version::kMinor) + "." +
                              std::to_string(quotalis::version::kRevision);
  EXPECT_EQ(Cli({"--version"}).out, "quotalis-cli " + version + "\n");
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"--help"}, {"-h"}, {"1.2.3", "--help"}}) {
    const Result r = Cli(args);
    EXPECT_TRUE(r.out.starts_with("Usage: quotalis-cli [--detail] [--period K] ENTRY\n"));
    for (const char* documented : {"--period=K", "--detail", "--version", "--", "0, 0/1 and 0/1",
                                   "overrides --period", "Exit status"}) {
      EXPECT_NE(r.out.find(documented), std::string::npos) << documented;
    }
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
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
       {"1/2", "error: no digit", "4/11", "error: more than one point", "1/6", "-5/1",
        "9999999999/1"},
       1},
      {"all good", {}, "0.75\n.000012 2\n0\n", {"3/4", "1/82500", "0/1"}, 0},
      {"no input", {}, "", {}, 0},
      {"CR LF line ends", {}, "0.5\r\n.36 2\r\n", {"1/2", "4/11"}, 0},
      {"blanks around and between", {}, "  0.5  \n\t.36\t\t2\t\n", {"1/2", "4/11"}, 0},
      {"blank lines answered",
       {},
       "0.5\n\n \t\r\n0.25\n",
       {"1/2", "error: empty", "error: empty", "1/4"},
       1},
      {"last line without its end", {}, "0.5\n0.25", {"1/2", "1/4"}, 0},
      {"K on a line overrides --period",
       {"--period", "1"},
       "0.1666\n0.1666 0\n0.50 2\n",
       {"1/6", "833/5000", "5/9"},
       0},
      {"--detail on every line", {"--detail"}, ".5\n0.000\n", {"0.5\t5/10\t1/2", "0\t0/1\t0/1"}, 0},
      {"bad K on a line",
       {},
       "0.5 -1\n0.5 x\n0.5 1 2\n0.5\n",
       {"error: negative", "error: not a whole number", "error: too many fields", "1/2"},
       1},
      {"huge K on a line", {}, "0.142857 99999999999999999999\n", {"1/7"}, 0},
      {"entry past the keypad's length", {}, "12345678901\n", {"12345678901/1"}, 0},
      {"NUL in a line", {}, std::string("0.5\0\n0.5\n", 9), {"error: '\\x00'", "1/2"}, 1},
      {"5000-digit line",
       {},
       std::string(5000, '1') + "\n0.5\n",
       {std::string(5000, '1') + "/1", "1/2"},
       0},
  };
  for (const Lines& row : rows) {
    SCOPED_TRACE(row.name);
    const Result r = Cli(row.args, row.in);
    ExpectLines(r.out, row.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, row.status);
  }
}

// Every entry the keypad builds with up to 4 characters, with every k up to
// one past its digits after the point, against the exact reference.
TEST(CommandLine, SweepOfShortEntriesAgreesWithExactFractions) {
  std::string in;
  std::vector<std::string> expected;
  std::vector<std::string> entries = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> longer;
    for (const std::string& e : entries) {
      for (const char c : std::string_view("0123456789.")) {
        if (c != '.' || e.find('.') == std::string::npos) longer.push_back(e + c);
      }
    }
    entries = longer;
    for (const std::string& entry : entries) {
      const std::size_t point = std::min(entry.find('.'), entry.size());
      const std::size_t after = point < entry.size() ? entry.size() - point - 1 : 0;
      for (std::size_t k = 0; k <= after + 1; ++k) {
        in += entry + " " + std::to_string(k) + "\n";
        const quotalis::testing::KeypadFraction want =
            quotalis::testing::KeypadReference(entry, static_cast<std::int32_t>(k));
        if (want.outcome != quotalis::Outcome::Converted) {
          expected.push_back(entry == "." ? "error: no digit" : "0/1");
          continue;
        }
        expected.push_back(std::to_string(want.reducedNumerator) + "/" +
                           std::to_string(want.reducedDenominator));
      }
    }
  }
  const Result r = Cli({}, in);
  ASSERT_EQ(expected.size(), 37'172u);
  ExpectLines(r.out, expected);
  EXPECT_EQ(r.status, 1);  // the lone point
}

// Stream buffers that fail: one refuses every write, one breaks while reading.
class FullBuffer : public std::streambuf {
  int_type overflow(int_type) override { return traits_type::eof(); }
};

class BrokenBuffer : public std::streambuf {
 public:
  explicit BrokenBuffer(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }
  int_type underflow() override { throw std::runtime_error("read error"); }

 private:
  std::string text_;
};

TEST(CommandLine, ReportsStreamFailures) {
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{"0.5"}, {}, {"--help"}, {"--version"}}) {
    FullBuffer full;
    std::ostream out(&full);
    std::istringstream in("0.5\n0.25\n");
    const Result r = Cli(args, in, out);
    EXPECT_EQ(r.err, "quotalis-cli: cannot write to standard output\n");
    EXPECT_EQ(r.status, 1);
    // Reading stops at the first failed answer: endless input must not keep it going.
    if (args.empty()) {
      EXPECT_EQ(in.tellg(), 4);
    }
  }
  BrokenBuffer broken("0.5\n");
  std::istream in(&broken);
  std::ostringstream out;
  const Result r = Cli({}, in, out);
  EXPECT_EQ(out.str(), "1/2\n");
  EXPECT_EQ(r.err, "quotalis-cli: cannot read standard input\n");
  EXPECT_EQ(r.status, 1);
}

}  // namespace
