#include <quotalis/exact/keypad.h>

#include <algorithm>
#include <string>

#include "characters.h"
#include "cursor.h"

namespace quotalis::exact {

namespace {

// The refusal of the first character of `entry` that is neither a digit nor
// the point, worded as the readers word it.
Problem Stray(std::string_view entry) {
  Result<std::string> decoded = parse::Decode(entry);
  if (auto* problem = std::get_if<Problem>(&decoded)) return *problem;
  const std::string& text = std::get<std::string>(decoded);
  parse::Cursor c{text, 0, text.size()};
  while (IsDigitChar(c.Peek()) || c.Peek() == '.') ++c.i;
  return parse::Unexpected(c);
}

}  // namespace

Result<Decimal> FromKeypad(std::string_view entry, std::int64_t k) {
  if (entry.empty()) return parse::NothingToRead();
  std::size_t point = std::string_view::npos;
  bool anyDigit = false;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const char c = entry[i];
    if (IsDigitChar(c)) {
      anyDigit = true;
    } else if (c != '.') {
      return Stray(entry);
    } else if (point != std::string_view::npos) {
      return parse::SecondPoint(i);
    } else {
      point = i;
    }
  }
  if (!anyDigit) return parse::PointWithoutDigits(point);

  std::string_view whole = entry.substr(0, std::min(point, entry.size()));
  std::string_view after =
      point == std::string_view::npos ? std::string_view{} : entry.substr(point + 1);
  // The normalisation Convert writes back, by its effect on the digits.
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  while (!after.empty() && after.back() == '0') after.remove_suffix(1);
  const auto digitsAfter = static_cast<std::int64_t>(after.size());
  const std::int64_t period = std::clamp<std::int64_t>(k, 0, digitsAfter);

  Decimal d;
  d.integer = whole.empty() ? "0" : std::string(whole);
  d.fixed = std::string(after.substr(0, static_cast<std::size_t>(digitsAfter - period)));
  d.period = std::string(after.substr(static_cast<std::size_t>(digitsAfter - period)));
  return d;
}

}  // namespace quotalis::exact
