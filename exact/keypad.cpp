#include "exact/keypad.h"

#include <algorithm>
#include <string>

namespace quotalis::exact {

Result<Decimal> FromKeypad(std::string_view entry, std::int64_t k) {
  if (entry.empty()) return Problem{"the entry is empty", 0};
  std::size_t point = std::string_view::npos;
  bool anyDigit = false;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const char c = entry[i];
    const auto position = static_cast<std::int64_t>(i + 1);
    if (c >= '0' && c <= '9') {
      anyDigit = true;
    } else if (c == '.') {
      if (point != std::string_view::npos) {
        return Problem{"the point at character " + std::to_string(position) + " is a second point",
                       position};
      }
      point = i;
    } else {
      return Problem{"character " + std::to_string(position) + " is neither a digit nor the point",
                     position};
    }
  }
  if (!anyDigit) return Problem{"the entry holds no digit", 0};

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
