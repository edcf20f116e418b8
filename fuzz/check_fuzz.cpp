// libFuzzer target for the check of a pupil's working. The first line of the
// bytes is the entry, the rest the working; the check must never crash or
// hang, must give one verdict a line, put its first wrong line among them
// and say right only of a working whose every line is right or words, with
// an answer; an unreadable line must name a character inside it. The same
// bytes as a line of a class's answers are split and marked too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include <quotalis/exact/utf8.h>

#include "answer/check.h"

namespace {

using quotalis::answer::Check;
using quotalis::answer::Verdict;

// Past this the check of one input takes more than the fuzzer's time for it.
constexpr std::size_t kLongest = 4096;

std::int64_t Characters(std::string_view text) {
  std::int64_t count = 0;
  while (!text.empty()) {
    const auto c = quotalis::exact::FirstCodePoint(text);
    text.remove_prefix(c ? c->length : 1);
    ++count;
  }
  return count;
}

void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kLongest) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t end = bytes.find('\n');
  const std::string_view entry = bytes.substr(0, end);
  const std::string_view working = end == std::string_view::npos ? "" : bytes.substr(end + 1);
  const Check check = quotalis::answer::CheckWorking({entry, working});
  std::ostringstream out;
  quotalis::answer::WriteCheckJson(out, check, true);
  quotalis::answer::WriteCheckText(out, check);
  if (check.status == quotalis::answer::Status::Answered) {
    if (check.firstWrong) {
      Require(*check.firstWrong >= 1 &&
              *check.firstWrong <= static_cast<std::int64_t>(check.lines.size()));
    }
    bool allRight = true;
    for (const auto& line : check.lines) {
      allRight =
          allRight && (line.verdict == Verdict::Right || line.verdict == Verdict::PassedOver);
      if (line.verdict == Verdict::Unreadable) {
        Require(line.position >= 1 && line.position <= Characters(line.text));
      }
    }
    if (check.correct) Require(allRight && check.answer.has_value() && !check.firstWrong);
  }
  quotalis::answer::Tally tally;
  tally.Add(quotalis::answer::MarkAnswer(quotalis::answer::SplitMarkLine(bytes.substr(0, end)),
                                         quotalis::words::EnglishWords()));
  Require(tally.right + tally.wrong + tally.refused == 1);
  return 0;
}
