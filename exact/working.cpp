#include <quotalis/exact/working.h>

#include <algorithm>
#include <string>
#include <utility>

#include <quotalis/exact/canonical.h>

#include "factor.h"
#include "numbers.h"

namespace quotalis::exact {

namespace {

// How often `prime` divides g, at most `most` times. mpz_remove divides by
// squares of the prime in turn, so a power of millions costs a few dozen
// divisions, not millions.
std::int64_t Multiplicity(mpz_class g, const mpz_class& prime, std::int64_t most) {
  const auto all =
      static_cast<std::int64_t>(mpz_remove(g.get_mpz_t(), g.get_mpz_t(), prime.get_mpz_t()));
  return std::min(all, most);
}

// The term's primes, each marked with how many of its copies the greatest
// common factor g holds.
TermFactors MarkCommon(const mpz_class& term, const mpz_class& g) {
  TermFactors t;
  if (term == 0) return t;
  const std::optional<std::vector<PrimePower>> primes = PrimeFactors(term);
  if (!primes) return t;
  t.factored = true;
  for (const PrimePower& p : *primes) {
    t.primes.push_back({p.prime, p.exponent, Multiplicity(g, p.prime, p.exponent)});
  }
  return t;
}

// Whether `digits` repeats every `step` characters.
bool Repeats(const std::string& digits, std::size_t step) {
  return digits.compare(step, digits.size() - step, digits, 0, digits.size() - step) == 0;
}

// The shortest block whose repetition makes `period`: for each prime of the
// length, divide it out while the period still repeats at that step. A few
// dozen comparisons of the whole string at most.
std::string Root(const std::string& period) {
  std::size_t root = period.size();
  std::size_t rest = root;
  for (std::size_t prime = 2; rest > 1; ++prime) {
    if (prime * prime > rest) prime = rest;
    if (rest % prime != 0) continue;
    while (rest % prime == 0) rest /= prime;
    while (root % prime == 0 && Repeats(period, root / prime)) root /= prime;
  }
  return period.substr(0, root);
}

}  // namespace

Decimal Shortest(const Decimal& d) {
  Decimal s;
  const std::size_t lead = d.integer.find_first_not_of('0');
  s.integer = lead == std::string::npos ? "0" : d.integer.substr(lead);
  s.fixed = d.fixed;
  if (!d.period.empty()) {
    const std::string period = Root(d.period);
    // The digits at the end of the non-recurring part that the period, run
    // backwards, would give anyway.
    const std::size_t p = period.size();
    std::size_t k = 0;
    while (k < s.fixed.size() && s.fixed[s.fixed.size() - 1 - k] == period[p - 1 - k % p]) ++k;
    s.fixed.resize(s.fixed.size() - k);
    const std::size_t turn = k % p;
    s.period = period.substr(p - turn) + period.substr(0, p - turn);
    if (s.period == "0") s.period.clear();
  }
  if (s.period.empty()) {
    const std::size_t last = s.fixed.find_last_not_of('0');
    s.fixed.resize(last == std::string::npos ? 0 : last + 1);
  }
  return s;
}

MixedNumber ToMixed(const Rational& r) {
  MixedNumber m;
  m.negative = r.numerator < 0;
  m.denominator = r.denominator;
  const mpz_class magnitude = abs(r.numerator);
  mpz_tdiv_qr(m.whole.get_mpz_t(), m.numerator.get_mpz_t(), magnitude.get_mpz_t(),
              r.denominator.get_mpz_t());
  return m;
}

Result<DecimalWorking> ExplainDecimal(const Decimal& decimal) {
  return ExplainDecimal(Decimal(decimal));
}

Result<DecimalWorking> ExplainDecimal(Decimal&& given) {
  DecimalWorking w;
  w.decimal = std::move(given);
  const Decimal& decimal = w.decimal;
  w.shortest = Shortest(decimal);
  Decimal& y = w.shortest;
  // x is y with the sign and the exponent set aside: y lends its digits for
  // the conversion rather than have them copied.
  y.negative = decimal.negative;
  y.exponent = decimal.exponent;
  Result<Schoolbook> fraction = ToFraction(y);
  y.negative = false;
  y.exponent = 0;
  if (const Problem* p = std::get_if<Problem>(&fraction)) return *p;
  w.fraction = std::move(std::get<Schoolbook>(fraction));
  Result<Decimal> canonical = Canonical(y);
  if (const Problem* p = std::get_if<Problem>(&canonical)) return *p;
  w.canonical = std::move(std::get<Decimal>(canonical));
  w.fixedDigits = static_cast<std::int64_t>(y.fixed.size());
  w.periodDigits = static_cast<std::int64_t>(y.period.size());
  const std::string lowerDigits = y.integer + y.fixed;
  w.lower = mpz_class(lowerDigits, 10);
  w.upper = w.lower;
  if (!y.period.empty()) w.upper = mpz_class(lowerDigits + y.period, 10);
  mpz_ui_pow_ui(w.coefficient.get_mpz_t(), 10, static_cast<unsigned long>(w.fixedDigits));
  w.difference = w.upper;
  if (!y.period.empty()) {
    mpz_class upperPower;
    mpz_ui_pow_ui(upperPower.get_mpz_t(), 10,
                  static_cast<unsigned long>(w.fixedDigits + w.periodDigits));
    w.coefficient = upperPower - w.coefficient;
    w.difference = w.upper - w.lower;
  }
  w.mixed = ToMixed(w.fraction.reduced);

  // The terms' highest common factor is what ToFraction divided them by:
  // one exact division rather than a second Euclid's algorithm.
  mpz_divexact(w.common.get_mpz_t(), w.fraction.denominator.get_mpz_t(),
               w.fraction.reduced.denominator.get_mpz_t());
  w.numerator = MarkCommon(abs(w.fraction.numerator), w.common);
  w.denominator = MarkCommon(w.fraction.denominator, w.common);
  w.byEuclid = !w.numerator.factored || !w.denominator.factored;
  return w;
}

Result<FractionWorking> ExplainFraction(const FractionText& text) {
  Result<Rational> value = FromText(text);
  if (const Problem* p = std::get_if<Problem>(&value)) return *p;
  Result<FractionWorking> working = ExplainFraction(std::get<Rational>(value));
  auto* w = std::get_if<FractionWorking>(&working);
  if (w == nullptr) return working;
  WrittenFraction f;
  f.mixed = !text.whole.empty();
  if (f.mixed) f.whole = mpz_class(text.whole, 10);
  f.numerator = mpz_class(text.numerator, 10);
  f.denominator = mpz_class(text.denominator, 10);
  f.improper = f.whole * f.denominator + f.numerator;
  f.negative = text.negative && f.improper != 0;
  mpz_gcd(f.common.get_mpz_t(), f.improper.get_mpz_t(), f.denominator.get_mpz_t());
  w->written = std::move(f);
  return working;
}

Result<FractionWorking> ExplainFraction(const Rational& r) {
  if (r.denominator == 0) return ZeroDenominator();
  // No digits wanted: only the lengths of the two parts.
  Result<DecimalExpansion> lengths = ToDecimal(r, 0);
  if (const Problem* p = std::get_if<Problem>(&lengths)) return *p;
  const DecimalExpansion& e = std::get<DecimalExpansion>(lengths);

  FractionWorking w;
  w.fraction = Reduced(r);
  w.periodStart = e.fixedLength;
  w.periodLength = e.periodLength;
  const mpz_class& d = w.fraction.denominator;
  mpz_class remainder;
  const mpz_class n = abs(w.fraction.numerator);
  mpz_tdiv_qr(w.whole.get_mpz_t(), remainder.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());

  // The remainders are below d: each holds at most as many digits as d.
  const auto digits = static_cast<std::int64_t>(mpz_sizeinbase(d.get_mpz_t(), 10));
  const std::int64_t most =
      std::max<std::int64_t>(1, std::min(kMaxDivisionSteps, kMaxRemainderDigits / digits));
  // The steps up to the first remainder that comes again, that one included.
  std::int64_t wanted = most + 1;
  if (e.periodLength && *e.periodLength < FromInt64(most)) {
    wanted = e.fixedLength + e.periodLength->get_si() + 1;
  }
  w.capped = wanted > most;
  wanted = std::min(wanted, most);
  w.steps.reserve(static_cast<std::size_t>(wanted));
  for (std::int64_t i = 0; i < wanted; ++i) {
    DivisionStep step;
    step.remainder = remainder;
    remainder *= 10;
    mpz_class digit;
    mpz_tdiv_qr(digit.get_mpz_t(), remainder.get_mpz_t(), remainder.get_mpz_t(), d.get_mpz_t());
    step.digit = static_cast<int>(digit.get_si());
    w.steps.push_back(std::move(step));
  }
  return w;
}

}  // namespace quotalis::exact
