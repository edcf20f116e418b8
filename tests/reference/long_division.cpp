#include "reference/long_division.h"

#include <algorithm>
#include <cstddef>
#include <map>

#include "reference/integers.h"

namespace quotalis::testing {

namespace {

// n / d for n >= 0 and d > 0, a digit at a time. From below, a remainder of 0
// is taken as d, the quotient one less: the division then never ends, and
// writes a value that terminates with recurring nines (1/2 = 0.4999...).
class Divider {
 public:
  Divider(const mpz_class& n, const mpz_class& d, bool fromBelow) : d_(d), fromBelow_(fromBelow) {
    mpz_fdiv_qr(whole_.get_mpz_t(), remainder_.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    if (fromBelow && remainder_ == 0) {
      --whole_;
      remainder_ = d;
    }
  }
  const mpz_class& whole() const { return whole_; }
  const mpz_class& remainder() const { return remainder_; }

  // The next digit after the point: 10 r = digit d + the next r, with the
  // next r in 0..d-1 (from below: in 1..d).
  int Next() {
    mpz_mul_ui(remainder_.get_mpz_t(), remainder_.get_mpz_t(), 10);
    if (fromBelow_) --remainder_;
    mpz_fdiv_qr(digit_.get_mpz_t(), remainder_.get_mpz_t(), remainder_.get_mpz_t(), d_.get_mpz_t());
    if (fromBelow_) ++remainder_;
    return static_cast<int>(digit_.get_si());
  }

 private:
  mpz_class d_;
  bool fromBelow_;
  mpz_class whole_;
  mpz_class remainder_;
  mpz_class digit_;
};

std::string WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

std::string Digit(int d) { return std::string(1, static_cast<char>('0' + d)); }

}  // namespace

Quotient LongDivision(const mpz_class& numerator, const mpz_class& denominator) {
  Quotient out;
  out.negative = numerator != 0 && (numerator < 0) != (denominator < 0);
  Divider division(abs(numerator), abs(denominator), false);
  out.whole = division.whole().get_str();
  std::map<mpz_class, std::size_t> seen;  // remainder -> digits written before it
  std::string digits;
  while (division.remainder() != 0 && seen.emplace(division.remainder(), digits.size()).second) {
    digits += static_cast<char>('0' + division.Next());
  }
  const std::size_t start = division.remainder() == 0 ? digits.size() : seen[division.remainder()];
  out.fixed = digits.substr(0, start);
  out.period = digits.substr(start);
  return out;
}

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
  if (!AllDigits(numerator) || !AllDigits(denominator) ||
      denominator.find_first_not_of('0') == std::string_view::npos) {
    return "not a fraction the reference divides: " + std::string(numerator) + "/" +
           std::string(denominator);
  }
  const mpz_class n(std::string(numerator), 10);
  const mpz_class d(std::string(denominator), 10);

  // A value whose recurring digits are all nines is also a terminating one:
  // it is then the quotient taken from below that writes it this way.
  const bool fromBelow =
      recurring > 0 &&
      fraction.substr(fraction.size() - recurring).find_first_not_of('9') == std::string_view::npos;
  if (fromBelow && n == 0) return "0 has no recurring nines";
  Divider division(n, d, fromBelow);
  if (division.whole().get_str() != WithoutLeadingZeros(whole)) {
    return "whole part " + division.whole().get_str() + " for " + std::string(whole);
  }

  // The division goes on from its remainder alone: meeting again the
  // remainder it had k digits back, it repeats those k digits for ever.
  mpz_class periodStart;  // the remainder before the first recurring digit
  for (std::size_t i = 0; i < fraction.size(); ++i) {
    if (i == fraction.size() - recurring) periodStart = division.remainder();
    const int digit = division.Next();
    if (static_cast<char>('0' + digit) != fraction[i]) {
      return "digit " + std::to_string(i + 1) + " after the point is " + Digit(digit) + " for " +
             fraction[i];
    }
  }
  if (recurring == 0) {
    return division.remainder() == 0 ? std::string{} : "the division goes on past the last digit";
  }
  return division.remainder() == periodStart
             ? std::string{}
             : "the division does not repeat the last " + std::to_string(recurring) + " digits";
}

}  // namespace quotalis::testing
