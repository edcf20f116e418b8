#include "reference/integers.h"

#include <algorithm>

#include "convert/reading.h"

namespace quotalis::testing {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

std::optional<std::uint64_t> DigitsValue(std::string_view digits) {
  if (!AllDigits(digits) || digits.size() > 18) return std::nullopt;
  std::uint64_t v = 0;
  for (const char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  return v;
}

bool IsPrime(std::int64_t n) {
  if (n < 2) return false;
  for (std::int64_t d = 2; d * d <= n; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

}  // namespace quotalis::testing
