// Standard input, line by line, in bounded chunks.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace quotalis::cli {

// A line of input of more bytes than this, its line end (LF, or CR LF) not
// counted, is refused without being kept: 64 MiB holds a decimal or a
// fraction with terms of the largest size the exact library builds
// (10,000,000 digits each) several times over, while a runaway input cannot
// take more memory than that.
inline constexpr std::size_t kLongestLine = std::size_t{64} << 20;

// What the reader keeps at most: the longest line and the CR of a CR LF line
// end, which AnswerLine (cli/answer.h) then takes off before it counts.
inline constexpr std::size_t kLongestRead = kLongestLine + 1;

class LineReader {
 public:
  // `longest` is for tests; the command line keeps kLongestRead.
  explicit LineReader(std::istream& in, std::size_t longest = kLongestRead);

  // Reads the next line, without its '\n', into line(). A line longer than
  // the limit is read to its end but not kept: line() is then empty and cut()
  // is true. A CR before the '\n' stays in the line. False at the end of the
  // input, or when reading failed (the stream's bad() then tells).
  // Cost: linear in the line's length; memory: at most the limit plus 64 KiB.
  bool Next();

  const std::string& line() const { return line_; }
  bool cut() const { return cut_; }

 private:
  std::istream& in_;
  std::size_t longest_;
  std::vector<char> chunk_;
  std::string line_;
  bool cut_ = false;
};

}  // namespace quotalis::cli
