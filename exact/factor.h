// Prime factors and modular powers. The one place that uses FLINT, so that a
// change of library touches this file alone.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace quotalis::exact {

struct PrimePower {
  mpz_class prime;
  std::int64_t exponent = 0;
  bool operator==(const PrimePower&) const = default;
};

// The prime factors of n > 0 in ascending order, each with its exponent; empty
// for 1. Nothing when n is too hard to split quickly, which is decided up front
// by size so that no call runs long:
//   - below 2^64: always factored, in well under a millisecond (n_factor);
//   - up to kFactorBits bits: small factors by trial division and ECM, then the
//     cofactor must be 1, a probable prime, or at most kSieveBits bits (split by
//     the quadratic sieve); otherwise nothing;
//   - longer: only the primes below kTrialPrimeLimit are divided out, and the
//     rest must be 1.
// Each case stays within about a tenth of a second. The primes above 2^64 are
// probable primes (BPSW), which no composite is known to pass.
//   12 -> 2^2 3   9999943 -> 9999943   999999 -> 3^3 7 11 13 37   1 -> (none)
std::optional<std::vector<PrimePower>> Factorise(const mpz_class& n);

// The largest number Factorise splits in full beyond the word size: 512 bits
// keep trial division, ECM and a BPSW test within a few tens of milliseconds.
inline constexpr unsigned kFactorBits = 512;
// A cofactor the quadratic sieve splits within about a tenth of a second: 30
// digits (a product of two 50-bit primes takes 0.1 s).
inline constexpr unsigned kSieveBits = 100;
// Trial division for longer numbers: primes below 1000 cost one pass each over
// the number's limbs.
inline constexpr unsigned kTrialPrimeLimit = 1000;

// (base ^ exponent) mod modulus, for a modulus of one machine word (> 0).
std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t modulus);

}  // namespace quotalis::exact
