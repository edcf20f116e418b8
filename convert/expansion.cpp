#include "convert/expansion.h"

#include <algorithm>

#include "convert/reading.h"
#include "convert/writing.h"

namespace quotalis {

namespace {

// The denominator is cut from these: k nines, then d - k zeros. A normalised
// keypad entry has at most 9 digits after its point, so they always suffice.
constexpr std::string_view kNines = "999999999";
constexpr std::string_view kZeros = "0000000000";
constexpr std::int32_t kMostDigitsAfterPoint = 9;

std::size_t Count(std::int32_t n) { return static_cast<std::size_t>(n); }

}  // namespace

EntryKind ClassifyEntry(std::string_view entry) {
  if (entry.empty()) return EntryKind::Empty;
  const bool number = IsNumber(entry);
  if (number && LeadingValue(entry) == 0.0) return EntryKind::Zero;
  if (!number) return EntryKind::NotANumber;
  return EntryKind::Number;
}

std::string NormaliseEntry(std::string_view entry) { return PlainText(LeadingValue(entry)); }

std::int32_t PointPosition(std::string_view text) {
  const std::size_t at = text.rfind('.');
  return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::int32_t DigitsAfterPoint(std::string_view text) {
  const std::int32_t point = PointPosition(text);
  return point == 0 ? 0 : static_cast<std::int32_t>(text.size()) - point;
}

std::int32_t ClampPeriod(std::string_view text, std::int32_t k) {
  return std::clamp(k, 0, DigitsAfterPoint(text));
}

std::optional<Expansion> Expand(std::string_view normalised, std::int32_t k) {
  if (std::count(normalised.begin(), normalised.end(), '.') > 1) return std::nullopt;
  const std::int32_t p = PointPosition(normalised);
  if (p == 0) {
    if (k != 0) return std::nullopt;
    return Expansion{std::nullopt, std::string(normalised), "1"};
  }
  const auto length = static_cast<std::int32_t>(normalised.size());
  const std::int32_t d = length - p;
  if (d > kMostDigitsAfterPoint || k < 0 || k > d) return std::nullopt;

  Expansion e;
  const std::string decimal = Left(normalised, Count(p - 1)) + Right(normalised, Count(d));
  if (k == 0) {
    e.numerator = GeneralText(LeadingValue(decimal));
    e.denominator = std::string("1").append(Right(kZeros, Count(d)));
  } else {
    const std::int32_t m = length - 1 - k;  // digits that do not recur
    e.numerator = GeneralText(LeadingValue(decimal) - LeadingValue(Left(decimal, Count(m))));
    e.denominator = Right(kNines, Count(k)) + Right(kZeros, Count(d - k));
  }
  e.decimal = decimal;
  return e;
}

}  // namespace quotalis
