// The order of 10 modulo a prime, from the prime's own factors: Pollard's rho
// and GMP's probable-prime test, no FLINT and nothing of the exact library.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <map>

namespace quotalis::testing {

// The prime factors of n >= 1 with their exponents, by trial division below
// 1000, then Pollard's rho (Floyd's cycle) on what is left, each factor
// tested by mpz_probab_prime_p. For n below about 10^24 (factors up to 10^12
// found in a few hundredths of a second).
std::map<mpz_class, std::int64_t> Factorise(const mpz_class& n);

// The least t >= 1 with 10^t = 1 modulo the prime p (p neither 2 nor 5):
// p - 1 factorised, then divided by each prime while the power stays 1.
// Another base (p not dividing it) in the same way.
mpz_class OrderModPrime(const mpz_class& p, unsigned long base = 10);

// The least t >= 1 with 10^t = 1 modulo m (1 < m < 2^32, prime to 10), by
// multiplying by ten until the residue is 1 again; 0 when none is found in
// `most` steps. Another base (below 2^32, prime to m) in the same way.
std::int64_t OrderByStepping(std::uint64_t m, std::int64_t most, std::uint64_t base = 10);

}  // namespace quotalis::testing
