#include "exact/decimal.h"

#include <limits>

namespace quotalis::exact {

namespace {

// a + b, or nothing when the sum leaves the 64-bit range.
std::optional<std::int64_t> Add(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b)) return std::nullopt;
  return a + b;
}

}  // namespace

std::optional<TermDigits> CountTermDigits(const Decimal& d) {
  const auto digits =
      static_cast<std::int64_t>(d.integer.size() + d.fixed.size() + d.period.size());
  const auto after = static_cast<std::int64_t>(d.fixed.size() + d.period.size());
  // The numerator has the digits written, plus the zeros a positive exponent
  // appends; the denominator 1 followed by one nine or zero per digit after the
  // point, plus the zeros a negative exponent appends.
  const std::optional<std::int64_t> numerator =
      d.exponent > 0 ? Add(digits, d.exponent) : std::optional<std::int64_t>(digits);
  const std::optional<std::int64_t> denominator =
      d.exponent < 0
          ? (d.exponent == std::numeric_limits<std::int64_t>::min() ? std::nullopt
                                                                    : Add(after + 1, -d.exponent))
          : std::optional<std::int64_t>(after + 1);
  if (!numerator || !denominator) return std::nullopt;
  return TermDigits{*numerator, *denominator};
}

bool WithinLimits(const Decimal& d) {
  const std::optional<TermDigits> t = CountTermDigits(d);
  return t && t->numerator <= kMaxTermDigits && t->denominator <= kMaxTermDigits;
}

}  // namespace quotalis::exact
