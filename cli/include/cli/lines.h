// Standard input, line by line, in bounded chunks.
#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
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
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line, without its '\n', into line(). A line longer than
  // the limit is read to its end but not kept: line() is then empty and cut()
  // is true; so is a line that the memory left cannot hold, and dropped() is
  // true too. A CR before the '\n' stays in the line. False at the end of the
  // input, or when reading failed (the stream's bad() then tells).
  // The input is taken in blocks of up to 64 KiB, as much as the stream has
  // waiting (never waiting for more than it has), and a line that lies
  // within one block is the block's own bytes, not copied; line() stays
  // valid until the next call.
  // Cost: linear in the line's length; memory: the block, and a line that
  // spans blocks, grown in place (a long line's buffer is remapped, not
  // copied, where the system allows), so that holding a line never takes
  // twice its length.
  bool Next();

  std::string_view line() const { return line_; }
  // Whether the line ended with a line feed: false for a last line without one.
  bool ended() const { return ended_; }
  bool cut() const { return cut_; }
  bool dropped() const { return dropped_; }

  // Whether more input is at hand without waiting for it: read already and
  // not yet handed out, or waiting in the stream.
  bool Waiting() const;

 private:
  // Reads the next block: what the stream has waiting, or, when it has
  // nothing, what comes first. False at the end of the input or on a failure
  // (the stream's bad() is then set).
  bool Fill();
  // Appends `count` bytes; false when memory for them is refused.
  bool Append(const char* bytes, std::size_t count);
  void Release();

  std::istream& in_;
  std::size_t longest_;
  std::vector<char> block_;
  std::size_t begin_ = 0;  // the bytes of block_ not yet handed out: [begin_, end_)
  std::size_t end_ = 0;
  char* buffer_ = nullptr;  // a line that spans blocks; malloc's, so that it grows with realloc
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::string_view line_;
  bool cut_ = false;
  bool dropped_ = false;
  bool ended_ = false;
};

}  // namespace quotalis::cli
