#include "cli/lines.h"

namespace quotalis::cli {

namespace {
constexpr std::size_t kChunk = std::size_t{64} << 10;
}  // namespace

LineReader::LineReader(std::istream& in, std::size_t longest)
    : in_(in), longest_(longest), chunk_(kChunk) {}

bool LineReader::Next() {
  line_.clear();
  cut_ = false;
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
    if (!cut_ && line_.size() + count <= longest_) {
      line_.append(chunk_.data(), count);
    } else if (count > 0) {
      cut_ = true;
      line_.clear();
      line_.shrink_to_fit();
    }
    if (more) {
      in_.clear();
      continue;
    }
    return any;
  }
}

}  // namespace quotalis::cli
