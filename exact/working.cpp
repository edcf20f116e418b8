#include <quotalis/exact/working.h>

#include <algorithm>
#include <utility>

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

}  // namespace

Result<DecimalWorking> ExplainDecimal(const Decimal& decimal) {
  Result<Schoolbook> fraction = ToFraction(decimal);
  if (const Problem* p = std::get_if<Problem>(&fraction)) return *p;
  DecimalWorking w;
  w.decimal = decimal;
  w.fraction = std::move(std::get<Schoolbook>(fraction));
  w.fixedDigits = static_cast<std::int64_t>(decimal.fixed.size());
  w.periodDigits = static_cast<std::int64_t>(decimal.period.size());
  const std::string lowerDigits = decimal.integer + decimal.fixed;
  if (!lowerDigits.empty()) w.lower = mpz_class(lowerDigits, 10);
  w.upper = w.lower;
  if (!decimal.period.empty()) w.upper = mpz_class(lowerDigits + decimal.period, 10);

  const mpz_class top = abs(w.fraction.numerator);
  mpz_gcd(w.common.get_mpz_t(), top.get_mpz_t(), w.fraction.denominator.get_mpz_t());
  w.numerator = MarkCommon(top, w.common);
  w.denominator = MarkCommon(w.fraction.denominator, w.common);
  w.byEuclid = !w.numerator.factored || !w.denominator.factored;
  return w;
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
  if (e.periodLength && *e.periodLength < most) {
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
