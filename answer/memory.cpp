#include "answer/memory.h"

#include <algorithm>
#include <limits>

#include <quotalis/exact/expansion.h>

#include "words/words.h"

namespace quotalis::answer {

namespace {

using words::N_;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = kKiB * 1024;
constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// Bytes per digit, in tenths, measured as said at ReadingNeed below.
constexpr std::uint64_t kReadingTenths = 30;
constexpr std::uint64_t kDecimalTenths = 60;
constexpr std::uint64_t kDecimalDetailTenths = 80;
constexpr std::uint64_t kDecimalJsonTenths = 100;
constexpr std::uint64_t kDecimalExplainTenths = 80;
// A fraction's whole part, with about as many digits as its numerator has
// more than its denominator, is written out beside its terms: 10,000,000
// digits over 7 took 5.6 bytes a digit of the terms above the line read
// (74 MB in all), with --json too.
constexpr std::uint64_t kFractionTenths = 70;
constexpr std::uint64_t kFractionJsonTenths = 80;
constexpr std::uint64_t kExpansionTenths = 30;
constexpr std::uint64_t kExpansionDetailTenths = 30;
constexpr std::uint64_t kExpansionJsonTenths = 40;

std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
  return b != 0 && a > kMax / b ? kMax : a * b;
}
std::uint64_t Plus(std::uint64_t a, std::uint64_t b) { return a > kMax - b ? kMax : a + b; }

// A whole number of bytes for the digits and the characters the estimates
// count: `perDigit` tenths of a byte for each.
std::uint64_t Tenths(std::uint64_t count, std::uint64_t perDigit) {
  return Times(count, perDigit) / 10;
}

// Whether n < bound.
bool FitsWordBelow(const mpz_class& n, std::uint64_t bound) {
  return mpz_sizeinbase(n.get_mpz_t(), 2) <= 63 && n.get_ui() < bound;
}

}  // namespace

// The estimates below are the peaks measured with /usr/bin/time -v on
// 1,000,000- and 10,000,000-digit entries (bench/limits.sh), as bytes per
// digit of the terms or of the text, in tenths, rounded up, with a quarter
// more for what the measurements did not meet; a conversion of small numbers
// takes far less than the 1 MiB counted for any.
std::uint64_t ReadingNeed(std::size_t length) { return Plus(Tenths(length, kReadingTenths), kMiB); }

std::uint64_t DecimalNeed(const exact::Decimal& d, const Request& request) {
  const std::uint64_t written = d.integer.size() + d.fixed.size() + d.period.size();
  const std::uint64_t after = d.fixed.size() + d.period.size();
  // The terms' digits, with the zeros an exponent adds (exact::kMaxTermDigits
  // bounds them once read).
  const std::uint64_t exponent = d.exponent > 0 ? static_cast<std::uint64_t>(d.exponent)
                                 : d.exponent == std::numeric_limits<std::int64_t>::min()
                                     ? kMax
                                     : static_cast<std::uint64_t>(-d.exponent);
  // A term past exact::kMaxTermDigits is refused before memory is taken for
  // it, so no estimate goes beyond two such terms: 1e999999999 is refused for
  // its digits, and 0e999999999 answered, whatever the budget.
  constexpr auto kLongestTerms = static_cast<std::uint64_t>(2 * exact::kMaxTermDigits);
  const std::uint64_t terms = std::min(Plus(Plus(written, after), exponent), kLongestTerms);
  std::uint64_t perDigit = kDecimalTenths;
  if (request.form == Form::Detail) perDigit = kDecimalDetailTenths;
  if (request.form == Form::Json) perDigit = kDecimalJsonTenths;
  if (request.working.Any()) perDigit = std::max(perDigit, kDecimalExplainTenths);
  return Plus(Tenths(terms, perDigit), kMiB);
}

std::uint64_t FractionNeed(const exact::Rational& r, std::uint64_t digits, const Request& request) {
  const std::uint64_t terms =
      mpz_sizeinbase(r.numerator.get_mpz_t(), 10) + mpz_sizeinbase(r.denominator.get_mpz_t(), 10);
  std::uint64_t perTerm = kFractionTenths;
  std::uint64_t perDigit = kExpansionTenths;
  if (request.form == Form::Detail) perDigit = kExpansionDetailTenths;
  if (request.form == Form::Json) {
    perTerm = kFractionJsonTenths;
    perDigit = kExpansionJsonTenths;
  }
  return Plus(Plus(Tenths(terms, perTerm), Tenths(digits, perDigit)), kMiB);
}

// Its non-recurring part has as many digits as the larger power of 2 or 5 in
// the denominator (at most 3.33 per digit of it), its period fewer than the
// denominator; the digit limit cuts each.
std::uint64_t ExpansionDigitsBound(const exact::Rational& r, const Request& request) {
  const std::uint64_t cap = static_cast<std::uint64_t>(
      std::min(request.maxDigits.value_or(exact::kMaxExpansionDigits), exact::kMaxExpansionDigits));
  const std::uint64_t fixed = std::min<std::uint64_t>(
      cap, static_cast<std::uint64_t>(mpz_sizeinbase(r.denominator.get_mpz_t(), 2)));
  const std::uint64_t period = FitsWordBelow(r.denominator, cap) ? r.denominator.get_ui() : cap;
  return fixed + period;
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < kKiB) return std::to_string(bytes) + " B";
  if (bytes < kMiB) return std::to_string((bytes + kKiB - 1) / kKiB) + " KiB";
  if (bytes < 10 * kMiB * kKiB) return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
  // Tenths of a GiB, rounded up.
  const std::uint64_t gib = kMiB * kKiB;
  const std::uint64_t tenths = bytes / gib * 10 + ((bytes % gib) * 10 + gib - 1) / gib;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GiB";
}

exact::Problem OverBudget(std::uint64_t need, std::uint64_t allowed) {
  return exact::MakeProblem(exact::ProblemKind::TooLarge,
                            N_("answering it would take about {1} of memory, more than the {2} "
                               "an entry may take (--max-memory)"),
                            {SizeText(need), SizeText(allowed)});
}

}  // namespace quotalis::answer
