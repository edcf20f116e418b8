#include "cli/lines.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quotalis::cli {

namespace {
constexpr std::size_t kBlock = std::size_t{64} << 10;
}  // namespace

LineReader::LineReader(std::istream& in, std::size_t longest)
    : in_(in), longest_(longest), block_(kBlock) {}

LineReader::~LineReader() { std::free(buffer_); }

void LineReader::Release() {
  std::free(buffer_);
  buffer_ = nullptr;
  size_ = capacity_ = 0;
}

bool LineReader::Append(const char* bytes, std::size_t count) {
  if (size_ + count > capacity_) {
    // Half as much again: few copies for a line held on the heap, and a
    // mapped one grows where it lies.
    std::size_t wanted = capacity_ + capacity_ / 2;
    if (wanted < size_ + count) wanted = size_ + count;
    if (wanted > longest_) wanted = longest_;
    void* grown = std::realloc(buffer_, wanted);
    if (grown == nullptr) return false;
    buffer_ = static_cast<char*>(grown);
    capacity_ = wanted;
  }
  if (count > 0) std::memcpy(buffer_ + size_, bytes, count);
  size_ += count;
  return true;
}

bool LineReader::Waiting() const { return begin_ < end_ || in_.rdbuf()->in_avail() > 0; }

bool LineReader::Fill() {
  using Traits = std::istream::traits_type;
  begin_ = end_ = 0;
  std::streambuf* source = in_.rdbuf();
  try {
    // Only what the stream has waiting is asked for, so that a program
    // feeding one line at a time is answered before it writes the next.
    std::streamsize waiting = source->in_avail();
    if (waiting <= 0) {
      if (waiting < 0 || Traits::eq_int_type(source->sgetc(), Traits::eof())) {
        in_.setstate(std::ios::eofbit);
        return false;
      }
      waiting = std::max<std::streamsize>(source->in_avail(), 1);
    }
    const auto wanted = std::min(static_cast<std::size_t>(waiting), block_.size());
    end_ = static_cast<std::size_t>(
        source->sgetn(block_.data(), static_cast<std::streamsize>(wanted)));
  } catch (...) {
    // A stream buffer reports a failed read by throwing, as it does to istream.
    in_.setstate(std::ios::badbit);
    return false;
  }
  return end_ > 0;
}

bool LineReader::Next() {
  // A long line's buffer is not kept for the next line.
  if (capacity_ > kBlock * 16) Release();
  size_ = 0;
  line_ = {};
  cut_ = false;
  dropped_ = false;
  ended_ = false;
  bool any = false;   // a byte of the line, or its end, was read
  bool held = false;  // the line's first bytes are in buffer_
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      if (in_.bad() || !any) return false;
      break;  // the last line, without its end
    }
    const char* start = block_.data() + begin_;
    const std::size_t left = end_ - begin_;
    const auto* end = static_cast<const char*>(std::memchr(start, '\n', left));
    const std::size_t count = end != nullptr ? static_cast<std::size_t>(end - start) : left;
    begin_ += end != nullptr ? count + 1 : count;
    any = true;
    if (end != nullptr) ended_ = true;
    if (end != nullptr && !held && !cut_) {
      // The whole line lies in the block.
      if (count <= longest_) {
        line_ = {start, count};
      } else {
        cut_ = true;
      }
      return true;
    }
    if (!cut_ && size_ + count <= longest_) {
      if (!Append(start, count)) {
        cut_ = dropped_ = true;
        Release();
      }
      held = true;
    } else if (count > 0) {
      cut_ = true;
      Release();
    }
    if (end != nullptr) break;
  }
  if (!cut_) line_ = {buffer_, size_};
  return true;
}

}  // namespace quotalis::cli
