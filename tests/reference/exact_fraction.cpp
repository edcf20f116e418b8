#include "reference/exact_fraction.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace quotalis::testing {

namespace {

std::uint64_t PowerOfTen(std::int32_t n) {
  std::uint64_t p = 1;
  for (std::int32_t i = 0; i < n; ++i) p *= 10;
  return p;
}

std::uint64_t DigitsValue(std::string_view digits) {
  std::uint64_t v = 0;
  for (const char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  return v;
}

// Whether `text` is exactly the decimal digits of `value`, with no leading zero.
bool Writes(std::string_view text, std::uint64_t value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return text == std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace

KeypadFraction KeypadReference(std::string_view entry, std::int32_t k) {
  KeypadFraction r;
  if (entry.empty()) return r;
  if (entry.find_first_not_of('.') == std::string_view::npos) {
    r.outcome = Outcome::NotANumber;
    return r;
  }
  if (entry.find_first_not_of("0.") == std::string_view::npos) {
    r.outcome = Outcome::Zero;
    return r;
  }

  const std::size_t point = std::min(entry.find('.'), entry.size());
  std::string_view whole = entry.substr(0, point);
  std::string_view fraction = point < entry.size() ? entry.substr(point + 1) : std::string_view{};
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);  // npos + 1 == 0

  const auto f = static_cast<std::int32_t>(fraction.size());
  r.outcome = Outcome::Converted;
  r.period = std::min(k, f);
  r.normalised = whole.empty() ? "0" : std::string(whole);
  if (f > 0) r.normalised.append(".").append(fraction);

  const std::string digits = std::string(whole) + std::string(fraction);
  const std::uint64_t all = DigitsValue(digits);
  if (r.period == 0) {
    r.numerator = all;
    r.denominator = PowerOfTen(f);
  } else {
    const std::uint64_t fixed = DigitsValue(
        std::string_view(digits).substr(0, digits.size() - static_cast<std::size_t>(r.period)));
    r.numerator = all - fixed;
    r.denominator = (PowerOfTen(r.period) - 1) * PowerOfTen(f - r.period);
  }
  const std::uint64_t g = std::gcd(r.numerator, r.denominator);
  r.reducedNumerator = r.numerator / g;
  r.reducedDenominator = r.denominator / g;
  return r;
}

std::string Disagreement(std::string_view entry, std::int32_t k, const Conversion& got,
                         const KeypadFraction& want) {
  const bool converted = got.outcome == Outcome::Converted;
  // The sweeps call this millions of times: compare without building text first.
  const bool agrees =
      got.outcome == want.outcome &&
      (converted ? got.normalised == want.normalised && got.period == want.period &&
                       Writes(got.expansion.numerator, want.numerator) &&
                       Writes(got.expansion.denominator, want.denominator) &&
                       Writes(got.reduction.numerator, want.reducedNumerator) &&
                       Writes(got.reduction.denominator, want.reducedDenominator)
                 : got.normalised == entry);  // an entry that stops is left as typed
  if (agrees) return {};
  std::string what = "\"";
  what.append(entry).append("\" k=").append(std::to_string(k)).append(": got ");
  what.append(Describe(got.outcome));
  if (converted) {
    what += " \"" + got.normalised + "\" k=" + std::to_string(got.period) + " " +
            got.expansion.numerator + "/" + got.expansion.denominator + " -> " +
            got.reduction.numerator + "/" + got.reduction.denominator;
  } else {
    what += " leaving \"" + got.normalised + "\"";
  }
  what += "; want " + std::string(Describe(want.outcome));
  if (want.outcome == Outcome::Converted) {
    what += " \"" + want.normalised + "\" k=" + std::to_string(want.period) + " " +
            std::to_string(want.numerator) + "/" + std::to_string(want.denominator) + " -> " +
            std::to_string(want.reducedNumerator) + "/" + std::to_string(want.reducedDenominator);
  }
  return what;
}

}  // namespace quotalis::testing
