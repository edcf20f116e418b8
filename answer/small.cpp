#include "answer/small.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <quotalis/exact/word.h>

namespace quotalis::answer {

bool AnswersSmall(const Request& request) {
  return request.form == Form::Value && !request.working.Any() && !request.rounded &&
         request.base == 10 && request.toBase == 0;
}

bool AnswerSmall(std::string_view line, const Request& request, std::string& out) {
  // A limit below what AnswerEntry counts for any entry refuses even a small
  // one: the general path says so.
  constexpr std::uint64_t kSmallestNeed = std::uint64_t{2} << 20;
  if (!request.findMemoryLimit && request.memoryLimit && *request.memoryLimit < kSmallestNeed) {
    return false;
  }
  if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  std::optional<exact::DecimalDigits> d = exact::ReadSmall(line);
  if (!d) return false;
  if (d->period.empty()) {
    // A plain decimal, as ReadEntry reads it: the zeros that end the digits
    // after the point dropped, then the last K of them recur.
    std::string_view after = d->fixed;
    while (!after.empty() && after.back() == '0') after.remove_suffix(1);
    const std::size_t k =
        std::min(static_cast<std::size_t>(std::max<std::int32_t>(request.period, 0)), after.size());
    d->fixed = after.substr(0, after.size() - k);
    d->period = after.substr(after.size() - k);
  } else if (request.period > 0) {
    return false;  // K with marked digits: refused
  }
  const std::optional<exact::WordFraction> f = exact::ToWordFraction(*d);
  if (!f) return false;
  char written[exact::kWordFractionChars];
  out.append(written, exact::WriteWordFraction(*f, request.mixed, written));
  out += '\n';
  return true;
}

}  // namespace quotalis::answer
