#include "reference/round_trip.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "reference/integers.h"

namespace quotalis::testing {

namespace {

std::string WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

// Digits divided by a divisor below 10^18, by schoolbook long division.
struct Division {
  std::string quotient;  // without leading zeros
  std::uint64_t remainder = 0;
};

Division LongDivide(std::string_view digits, std::uint64_t divisor) {
  Division out;
  for (const char c : digits) {
    const std::uint64_t r = out.remainder * 10 + static_cast<std::uint64_t>(c - '0');
    out.quotient += static_cast<char>('0' + r / divisor);
    out.remainder = r % divisor;
  }
  out.quotient = WithoutLeadingZeros(out.quotient);
  return out;
}

// One less than a positive number written in digits.
std::string OneLess(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '0') digits[--i] = '9';
  --digits[i - 1];
  return WithoutLeadingZeros(digits);
}

std::string Digit(std::uint64_t d) { return std::string(1, static_cast<char>('0' + d)); }

}  // namespace

std::string RoundTripFault(std::string_view decimal, std::int32_t period,
                           std::string_view numerator, std::string_view denominator) {
  const std::size_t point = std::min(decimal.find('.'), decimal.size());
  const std::string_view whole = decimal.substr(0, point);
  const std::string_view fraction =
      point < decimal.size() ? decimal.substr(point + 1) : std::string_view{};
  const auto recurring = static_cast<std::size_t>(std::max(period, 0));
  if (!AllDigits(std::string(whole) + std::string(fraction)) || period < 0 ||
      recurring > fraction.size()) {
    return "not a decimal with that period: \"" + std::string(decimal) + "\"";
  }
  const std::optional<std::uint64_t> divisor = DigitsValue(denominator);
  if (!AllDigits(numerator) || !divisor || *divisor == 0 ||
      *divisor >= 1'000'000'000'000'000'000u) {
    return "not a fraction the reference divides: " + std::string(numerator) + "/" +
           std::string(denominator);
  }

  // A value whose recurring digits are all nines is also a terminating one:
  // it is then the quotient taken from below, with remainders 1 to d in place
  // of 0 to d - 1, that writes it this way.
  const bool fromBelow =
      recurring > 0 &&
      fraction.substr(fraction.size() - recurring).find_first_not_of('9') == std::string_view::npos;
  const std::uint64_t d = *divisor;
  Division division = LongDivide(numerator, d);
  if (fromBelow) {
    if (division.remainder == 0 && division.quotient == "0") return "0 has no recurring nines";
    if (division.remainder == 0) {
      division.quotient = OneLess(division.quotient);
      division.remainder = d;
    }
  }
  if (division.quotient != WithoutLeadingZeros(whole)) {
    return "whole part " + division.quotient + " for " + std::string(whole);
  }

  std::uint64_t r = division.remainder;
  std::vector<std::uint64_t> before;  // the remainder before each digit after the point
  for (std::size_t i = 0; i < fraction.size(); ++i) {
    before.push_back(r);
    const std::uint64_t digit = fromBelow ? (10 * r - 1) / d : 10 * r / d;
    r = 10 * r - digit * d;
    if (static_cast<char>('0' + digit) != fraction[i]) {
      return "digit " + std::to_string(i + 1) + " after the point is " + Digit(digit) + " for " +
             fraction[i];
    }
  }
  // The division goes on from its remainder alone: meeting again the
  // remainder it had k digits back, it repeats those k digits for ever.
  if (recurring == 0) {
    return r == 0 ? std::string{} : "the division goes on past the last digit";
  }
  return r == before[fraction.size() - recurring]
             ? std::string{}
             : "the division does not repeat the last " + std::to_string(recurring) + " digits";
}

}  // namespace quotalis::testing
