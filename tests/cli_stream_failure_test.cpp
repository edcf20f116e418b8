// The command line reporting streams that fail.
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

using cli_run::RunCli;

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
    // Small decimals and a fraction, a megabyte of them.
    std::string lines;
    while (lines.size() < (std::size_t{1} << 20)) lines += "0.5\n1/7\n0.25\n";
    std::istringstream in(lines);
    const auto r = RunCli(args, in, out);
    EXPECT_EQ(r.err, "quotalis-cli: cannot write to standard output\n");
    EXPECT_EQ(r.status, 1);
    // Reading stops at the first failed write, within the block of input
    // read (64 KiB): endless input must not keep it going.
    if (args.empty()) {
      EXPECT_LE(in.tellg(), 64 << 10);
    }
  }
  BrokenBuffer broken("0.5\n");
  std::istream in(&broken);
  std::ostringstream out;
  const auto r = RunCli({}, in, out);
  EXPECT_EQ(out.str(), "1/2\n");
  EXPECT_EQ(r.err, "quotalis-cli: cannot read standard input\n");
  EXPECT_EQ(r.status, 1);
}

}  // namespace
