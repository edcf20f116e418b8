// libFuzzer target for the exact library's arithmetic, both ways. The first
// byte chooses what the rest builds:
//   0: a decimal, from lengths and digits (at most 6 digits in each part, an
//      exponent of -6 to 6), to a fraction and back;
//   1: a fraction n/d (d up to 4096, times the repunit prime R19 when asked,
//      so that the big-number path runs too) to a decimal and back, with a
//      digit limit, and its long division.
// (Keypad entries are checked against the window's engine by the conversion
// target.) Every result is checked against the tests' long division (which
// finds the period by waiting for a remainder to come again), never against
// the library itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/working.h>

#include "reference/long_division.h"

namespace {

using namespace quotalis;
using quotalis::testing::LongDivision;
using quotalis::testing::Quotient;
using quotalis::testing::RoundTripFault;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "\nbroken promise: %s\n", what);
  std::abort();
}

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
  std::string DigitsOf(std::size_t count) {
    std::string s(count, '0');
    for (char& c : s) c = static_cast<char>('0' + Next() % 10);
    return s;
  }
  std::uint64_t Word(int bytes) {
    std::uint64_t w = 0;
    for (int i = 0; i < bytes; ++i) w = w << 8 | Next();
    return w;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

exact::Decimal AsDecimal(const Quotient& q) { return {q.negative, q.whole, q.fixed, q.period, 0}; }

mpz_class PowerOfTen(std::int64_t n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(n));
  return p;
}

// Decimal -> fraction -> decimal.
void DecimalWay(Bytes& in) {
  const bool negative = in.Next() & 1;
  const std::size_t lengths[3] = {in.Next() % 7u, in.Next() % 7u, in.Next() % 7u};
  const std::int64_t exponent = static_cast<std::int64_t>(in.Next() % 13) - 6;
  exact::Decimal d{negative, in.DigitsOf(lengths[0]), in.DigitsOf(lengths[1]),
                   in.DigitsOf(lengths[2]), exponent};
  const auto s = exact::ToFraction(d);
  Require(std::holds_alternative<exact::Schoolbook>(s), "a small decimal converts");
  const exact::Rational& r = std::get<exact::Schoolbook>(s).reduced;
  Require(r.denominator > 0 && gcd(r.numerator, r.denominator) == 1,
          "the fraction is in lowest terms");
  Require((r.numerator < 0) == (negative && r.numerator != 0),
          "the sign is kept, and zero has none");
  // The fraction divides back to the decimal's digits, the exponent moved onto it.
  mpz_class n = abs(r.numerator);
  mpz_class den = r.denominator;
  (exponent < 0 ? n : den) *= PowerOfTen(exponent < 0 ? -exponent : exponent);
  std::string plain = d.integer.empty() ? "0" : d.integer;
  if (!d.fixed.empty() || !d.period.empty()) plain += "." + d.fixed + d.period;
  Require(
      RoundTripFault(plain, static_cast<std::int32_t>(d.period.size()), n.get_str(), den.get_str())
          .empty(),
      "the fraction writes the decimal's digits");
  const auto e = exact::ToDecimal(r, std::nullopt);
  Require(std::get<exact::DecimalExpansion>(e).value ==
              AsDecimal(LongDivision(r.numerator, r.denominator)),
          "back to the canonical decimal");

  const auto w = exact::ExplainDecimal(d);
  const exact::DecimalWorking& working = std::get<exact::DecimalWorking>(w);
  Require(working.fraction.reduced == r, "the working ends at the same fraction");
  if (!working.byEuclid) {
    mpz_class common = 1;
    for (const exact::SharedPrime& p : working.numerator.primes) {
      for (std::int64_t i = 0; i < p.common; ++i) common *= p.prime;
    }
    Require(common == working.common, "the marked factors make the common factor");
  }
}

// Fraction -> decimal -> fraction.
void FractionWay(Bytes& in) {
  const std::uint8_t flags = in.Next();
  const mpz_class n = static_cast<long>(in.Word(8));
  mpz_class d = static_cast<unsigned long>(in.Word(2) % 4096 + 1);
  if (flags & 1) d *= 1111111111111111111ul;  // R19, a prime of period 19
  if (flags & 2) d <<= flags >> 4;            // twos
  if (flags & 4) d *= 625;                    // fives
  const std::int64_t limit = in.Next();
  const Quotient want = LongDivision(n, d);
  const exact::Rational fraction{n, d};
  const auto e = exact::ToDecimal(fraction, (flags & 8) ? std::optional(limit) : std::nullopt);
  const exact::DecimalExpansion& x = std::get<exact::DecimalExpansion>(e);
  Require(x.fixedLength == static_cast<std::int64_t>(want.fixed.size()), "the fixed length");
  Require(x.periodLength && *x.periodLength == static_cast<unsigned long>(want.period.size()),
          "the period's length is the long division's");
  if (!x.cut) {
    Require(x.value == AsDecimal(want), "the decimal is the long division's");
    const mpz_class g = gcd(n, d);
    const auto back = exact::ToFraction(x.value);
    Require(std::get<exact::Schoolbook>(back).reduced == exact::Rational{n / g, d / g},
            "back to the fraction");
  } else {
    Require((flags & 8) && (static_cast<std::int64_t>(want.period.size()) > limit ||
                            static_cast<std::int64_t>(want.fixed.size()) > limit),
            "cut only past the limit");
    Require(want.fixed.compare(0, x.value.fixed.size(), x.value.fixed) == 0 &&
                want.period.compare(0, x.value.period.size(), x.value.period) == 0,
            "a cut keeps the first digits");
  }

  const auto w = exact::ExplainFraction(fraction);
  const exact::FractionWorking& working = std::get<exact::FractionWorking>(w);
  const std::string digits = want.fixed + want.period;
  for (std::size_t i = 0; i + 1 < working.steps.size() && i < digits.size(); ++i) {
    Require(working.steps[i].digit == digits[i] - '0', "the long division's digits");
  }
  if (!working.capped) {
    Require(working.steps.size() == digits.size() + 1, "the steps end at the first repeat");
    Require(working.steps.back().remainder ==
                working.steps[static_cast<std::size_t>(working.periodStart)].remainder,
            "the last remainder is the one the period starts at");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  if (in.Next() % 2 == 0) {
    DecimalWay(in);
  } else {
    FractionWay(in);
  }
  return 0;
}
