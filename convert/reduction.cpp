#include "convert/reduction.h"

#include <cmath>

namespace quotalis {

std::optional<std::int32_t> TrialBound(std::int32_t term) {
  if (term < 0) return std::nullopt;
  return RoundToLong(std::sqrt(static_cast<double>(term)) + 1.0);
}

bool Factorise(std::string_view text, std::int32_t& term, std::int16_t& count, FactorArray& factors,
               std::int32_t& divisor) {
  count = 0;
  const std::optional<std::int32_t> start = RoundToLong(LeadingValue(text));
  if (!start || *start < 0) return false;
  term = *start;
  // Taken once: the bound does not shrink as factors are divided out.
  const std::int32_t bound = *TrialBound(term);
  for (divisor = 2; divisor <= bound; ++divisor) {
    if (term % divisor == 0) {
      term = *RoundToLong(static_cast<double>(term) / static_cast<double>(divisor));
      ++count;
      factors[static_cast<std::size_t>(count)] = divisor;
      divisor = 1;  // start again at 2, so that no composite ever divides
    }
  }
  ++count;
  factors[static_cast<std::size_t>(count)] = term;
  return true;
}

void CancelPairs(FactorArray& nfactor, std::int16_t nnterm, FactorArray& dfactor,
                 std::int16_t dnterm, std::int32_t& nentry, std::int32_t& dentry) {
  for (nentry = 1; nentry <= nnterm; ++nentry) {
    for (dentry = 1; dentry <= dnterm; ++dentry) {
      auto& n = nfactor[static_cast<std::size_t>(nentry)];
      auto& d = dfactor[static_cast<std::size_t>(dentry)];
      if (n == d) {
        n = 1;
        d = 1;
      }
    }
  }
}

std::string Rebuild(const FactorArray& factors, std::int16_t count) {
  std::string product;
  std::int32_t entry = 0;
  Rebuild(
      factors, count, entry, [&product] { return product; },
      [&product](std::string text) { product = std::move(text); });
  return product;
}

bool IsWideInteger(std::string_view numerator, std::string_view denominator) {
  std::int32_t term = 0;
  std::int16_t count = 0;
  std::int32_t divisor = 0;
  FactorArray factors{};
  return denominator == "1" && IsDigits(numerator) &&
         !Factorise(numerator, term, count, factors, divisor);
}

std::optional<Reduction> Reduce(std::string_view numerator, std::string_view denominator) {
  Reduction r;
  std::int32_t divisor = 0;
  std::int32_t nentry = 0;
  std::int32_t dentry = 0;
  const bool numeratorFits = Factorise(numerator, r.Numerator, r.Nnterm, r.Nfactor, divisor);
  if (!Factorise(denominator, r.Denominator, r.Dnterm, r.Dfactor, divisor) || r.Denominator == 0) {
    return std::nullopt;
  }
  if (!numeratorFits) {
    // A whole number too wide for 32 bits has no factor list, and over 1 it
    // needs none: it is already in lowest terms.
    if (!IsWideInteger(numerator, denominator)) return std::nullopt;
    r.numerator = numerator;
    r.denominator = Rebuild(r.Dfactor, r.Dnterm);
    return r;
  }
  CancelPairs(r.Nfactor, r.Nnterm, r.Dfactor, r.Dnterm, nentry, dentry);
  r.numerator = Rebuild(r.Nfactor, r.Nnterm);
  r.denominator = Rebuild(r.Dfactor, r.Dnterm);
  return r;
}

}  // namespace quotalis
