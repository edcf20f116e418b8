// Prime factors and modular powers. The one place that uses FLINT, so that a
// change of library touches this file alone.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <vector>

#include <quotalis/exact/expansion.h>

namespace quotalis::exact {

struct PrimePower {
  mpz_class prime;
  std::int64_t exponent = 0;
  bool operator==(const PrimePower&) const = default;
};

// The prime factors of n > 0 in ascending order, each with its exponent; empty
// for 1. Nothing when n is too hard to split quickly, which is decided up front
// by size so that no call runs long (the limits are in exact/expansion.h):
//   - below 2^64: always factored (FLINT's trial division, primality test
//     and Pollard-Brent rho, n_factor for a part rho leaves whole), in
//     microseconds, and in about 0.3 ms for a product of two 30-bit primes;
//   - up to kFactorBits bits: small factors by trial division and ECM, then the
//     cofactor must be 1, a probable prime, or at most kSieveBits bits (split by
//     the quadratic sieve); otherwise nothing;
//   - longer: only the primes below kTrialPrimeLimit are divided out (one
//     pass over the number finds which divide it), and the rest must be 1.
// Each case stays within about a tenth of a second (the sieve's worst, 134
// bits, about 0.08 s). The primes above 2^64 are
// probable primes (BPSW), which no composite is known to pass.
//   12 -> 2^2 3   9999943 -> 9999943   999999 -> 3^3 7 11 13 37   1 -> (none)
std::optional<std::vector<PrimePower>> PrimeFactors(const mpz_class& n);

// As much of n > 0 as the same bounded work splits: the primes found, in
// ascending order with their exponents, and `rest`, the product of what was
// left whole (1 when n was factored completely; otherwise greater than 1 and
// prime to every prime listed, though not necessarily composite: a number of
// more than kFactorBits bits may leave a prime). PrimeFactors(n) is `primes`
// when `rest` is 1. Same cost as PrimeFactors.
//   12 -> {2^2 3, 1}   10^70 - 1 -> {3^2 11 41 71 239 271 4649 ..., rest}
struct Factoring {
  std::vector<PrimePower> primes;
  mpz_class rest{1};
};
Factoring SplitFactors(const mpz_class& n);

// (base ^ exponent) mod modulus, for a modulus of one machine word (> 0).
std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t modulus);

}  // namespace quotalis::exact
