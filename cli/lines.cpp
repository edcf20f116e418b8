#include "cli/lines.h"

#include <cstdlib>
#include <cstring>

namespace quotalis::cli {

namespace {
constexpr std::size_t kChunk = std::size_t{64} << 10;
}  // namespace

LineReader::LineReader(std::istream& in, std::size_t longest)
    : in_(in), longest_(longest), chunk_(kChunk) {}

LineReader::~LineReader() { std::free(buffer_); }

void LineReader::Release() {
  std::free(buffer_);
  buffer_ = nullptr;
  size_ = capacity_ = 0;
}

bool LineReader::Append(std::size_t count) {
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
  std::memcpy(buffer_ + size_, chunk_.data(), count);
  size_ += count;
  return true;
}

bool LineReader::Next() {
  // A long line's buffer is not kept for the next line.
  if (capacity_ > kChunk * 16) Release();
  size_ = 0;
  cut_ = false;
  dropped_ = false;
  bool any = false;
  for (;;) {
    in_.getline(chunk_.data(), static_cast<std::streamsize>(chunk_.size()));
    auto count = static_cast<std::size_t>(in_.gcount());
    if (in_.bad()) return false;
    if (count > 0) any = true;
    // The chunk filled up before the line ended: keep going after it.
    const bool more = in_.fail() && !in_.eof() && count > 0;
    // Otherwise the '\n' was taken too, unless the input ended first.
    const bool ended = !more && !in_.eof();
    if (ended) --count;
    if (!cut_ && size_ + count <= longest_) {
      if (!Append(count)) {
        cut_ = dropped_ = true;
        Release();
      }
    } else if (count > 0) {
      cut_ = true;
      Release();
    }
    if (more) {
      in_.clear();
      continue;
    }
    return any;
  }
}

}  // namespace quotalis::cli
