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
//   - below 2^64: always factored (n_factor), in tens of microseconds, and
//     under a millisecond even for a product of two 30-bit primes;
//   - up to kFactorBits bits: small factors by trial division and ECM, then the
//     cofactor must be 1, a probable prime, or at most kSieveBits bits (split by
//     the quadratic sieve); otherwise nothing;
//   - longer: only the primes below kTrialPrimeLimit are divided out (one
//     pass over the number finds which divide it), and the rest must be 1.
// Each case stays within about a tenth of a second. The primes above 2^64 are
// probable primes (BPSW), which no composite is known to pass.
//   12 -> 2^2 3   9999943 -> 9999943   999999 -> 3^3 7 11 13 37   1 -> (none)
std::optional<std::vector<PrimePower>> PrimeFactors(const mpz_class& n);

// (base ^ exponent) mod modulus, for a modulus of one machine word (> 0).
std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t modulus);

}  // namespace quotalis::exact
