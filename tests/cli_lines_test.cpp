// Standard input read in bounded chunks: lines of every length around the
// chunk and the limit, and a line past 64 MiB refused without being kept.
#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/lines.h"
#include "cli_run.h"

namespace {

using quotalis::cli::LineReader;

struct Split {
  const char* name;
  std::string in;
  std::size_t longest;
  std::vector<std::string> lines;  // "<cut>" for a refused line
};

std::vector<std::string> ReadAll(const std::string& text, std::size_t longest) {
  std::istringstream in(text);
  LineReader reader(in, longest);
  std::vector<std::string> lines;
  while (reader.Next()) lines.push_back(reader.cut() ? "<cut>" : std::string(reader.line()));
  return lines;
}

TEST(LineReader, SplitsAndCutsLines) {
  const std::size_t chunk = std::size_t{64} << 10;
  const std::string a(chunk - 1, 'a'), b(chunk, 'b'), c(3 * chunk + 5, 'c');
  const std::vector<Split> rows = {
      {"no input", "", 100, {}},
      {"one empty line", "\n", 100, {""}},
      {"last line without its end", "x\ny", 100, {"x", "y"}},
      {"CR stays in the line", "x\r\n", 100, {"x\r"}},
      {"NUL kept", std::string("a\0b\n", 4), 100, {std::string("a\0b", 3)}},
      {"exactly the limit", "12345\n6\n", 5, {"12345", "6"}},
      {"one past the limit", "123456\n7\n", 5, {"<cut>", "7"}},
      {"past the limit, no end", "123456", 5, {"<cut>"}},
      {"one short of a chunk", a + "\nz\n", chunk * 4, {a, "z"}},
      {"exactly a chunk", b + "\nz\n", chunk * 4, {b, "z"}},
      {"several chunks", c + "\n" + b, chunk * 4, {c, b}},
      {"several chunks past the limit", c + "\nz", chunk * 2, {"<cut>", "z"}},
  };
  for (const Split& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReadAll(row.in, row.longest), row.lines);
  }
}

// Gives `size` copies of one digit, then `tail`, without holding them.
class Endless : public std::streambuf {
 public:
  Endless(std::size_t size, std::string tail) : left_(size), tail_(std::move(tail)) {
    block_.assign(1 << 16, '1');
  }

 private:
  int_type underflow() override {
    if (left_ > 0) {
      const std::size_t n = std::min(left_, block_.size());
      left_ -= n;
      setg(block_.data(), block_.data(), block_.data() + n);
    } else if (!tailGiven_) {
      tailGiven_ = true;
      setg(tail_.data(), tail_.data(), tail_.data() + tail_.size());
    } else {
      return traits_type::eof();
    }
    return traits_type::to_int_type(*gptr());
  }
  std::size_t left_;
  std::string tail_, block_;
  bool tailGiven_ = false;
};

TEST(LineReader, RefusesALinePast64MiBAndGoesOn) {
  Endless source(quotalis::cli::kLongestLine + 1, "\n0.5\n");
  std::istream in(&source);
  std::ostringstream out;
  const cli_run::Run r = cli_run::RunCli({}, in, out);
  EXPECT_EQ(r.status, quotalis::kExitFailed);
  EXPECT_EQ(out.str(), "error: the line is longer than 67108864 bytes\n1/2\n");
  EXPECT_EQ(r.err, "");
}

// The limit counts bytes, not the CR of a CR LF line end: a line of exactly
// 64 MiB is read (and refused for its 67,108,864-digit number, not for its
// length) whether it ends in LF or CR LF; one byte more is too long with
// either end. A comment line past the limit is refused too.
TEST(LineReader, CountsBytesWithoutTheLineEnd) {
  const std::size_t limit = quotalis::cli::kLongestLine;
  const std::string digits = "error: '" + std::string(24, '1') + "...': the numerator would have";
  const std::string tooLong = "error: the line is longer than 67108864 bytes\n1/2\n";
  struct Row {
    const char* name;
    std::size_t size;
    const char* end;
    bool refusedForLength;
  };
  const Row rows[] = {
      {"limit, LF", limit, "\n", false},
      {"limit, CR LF", limit, "\r\n", false},
      {"one past, LF", limit + 1, "\n", true},
      {"one past, CR LF", limit + 1, "\r\n", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Endless source(row.size, std::string(row.end) + "0.5\n");
    std::istream in(&source);
    std::ostringstream out;
    cli_run::RunCli({}, in, out);
    if (row.refusedForLength) {
      EXPECT_EQ(out.str(), tooLong);
    } else {
      EXPECT_EQ(out.str().substr(0, digits.size()), digits);
      EXPECT_TRUE(out.str().ends_with("\n1/2\n"));
    }
  }
  std::string comment(limit, ' ');
  comment.front() = '#';
  std::istringstream in(comment + "x\r\n0.5\n");
  std::ostringstream out;
  cli_run::RunCli({}, in, out);
  EXPECT_EQ(out.str(), tooLong);
}

}  // namespace
