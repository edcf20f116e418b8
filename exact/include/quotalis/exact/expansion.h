// Fraction to decimal: the non-recurring part and the period found from the
// denominator's factors, then the digits, many at a time.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>

namespace quotalis::exact {

// The most digits after the point that one expansion writes, whatever
// maxDigits asks: as many as the largest term the library reads has, so that
// the answer is never longer than the longest input (10 MB of text, written in
// well under a second).
inline constexpr std::int64_t kMaxExpansionDigits = kMaxTermDigits;

struct DecimalExpansion {
  // The value in canonical form (see Decimal), unless `cut`: then `value.fixed`
  // and `value.period` hold only their first digits, up to the limit.
  Decimal value;
  // Digits of the non-recurring part: the larger of the powers of 2 and of 5 in
  // the reduced denominator. Always known, also when `cut`.
  std::int64_t fixedLength = 0;
  // Digits of the period (0 for a terminating decimal), also when it is cut.
  // Empty only when the period is longer than kMaxExpansionDigits and the
  // denominator, without its twos and fives, does not factor quickly enough to
  // count it (see kFactorBits below): then `cut` is true and `value.period`
  // holds the first digits after the non-recurring part. A period of at most
  // kMaxExpansionDigits digits is always counted.
  std::optional<mpz_class> periodLength;
  // Whether `value` holds fewer digits than the whole expansion.
  bool cut = false;
  // Whether the period is known to be longer than kMaxExpansionDigits without
  // being counted: the same as `!periodLength`, named for the reader.
  bool PeriodBeyondLimit() const { return !periodLength; }
};

// The period's length comes from the factors of the denominator d without its
// twos and fives. Factoring is bounded up front by size, so that no call runs
// long: a number below 2^64 is always factored; one of up to kFactorBits bits
// when, after its factors below about 2^32 are divided out (trial division and
// ECM), what is left is 1, a probable prime (BPSW) or at most kSieveBits bits
// (the quadratic sieve splits it); a longer one only as far as its prime
// factors below kTrialPrimeLimit. The order of 10 modulo each prime power
// found comes from the factors of p - 1 (or from the search below when p - 1
// does not factor); the order modulo the part left unfactored comes from a
// search that needs no factors (baby steps and giant steps, up to
// kMaxExpansionDigits), and the period is the least common multiple of them
// all. So a period of at most kMaxExpansionDigits digits is always found, and
// a longer one is counted when the factors allow, else reported as longer.
// 512 bits keep trial division, ECM and a BPSW test within a few tens of
// milliseconds; the sieve splits 134 bits (any product of two primes below
// 10^20) in under 0.1 s; each prime below 1000 costs one pass over a longer
// number's limbs. The search (see below) costs about 2 sqrt(10^7), some 6,300,
// steps on a part of up to a few thousand digits, each a multiplication and a
// reduction of numbers of its length; a longer part needs fewer, longer steps,
// since every power of ten below it is its own residue. It stops at the
// order. Measured (bench/exact_bench.cpp, CPU time): 10^70 - 1, 33 ms (most of
// it factoring); 10^1000 - 1, 0.02 ms; two 20-digit primes, 48 ms (the sieve);
// the whole search, no order up to 10^7: 8 ms for 50 digits, 11 ms for 1,000,
// 0.11 s for 10,000, 0.27 s for 100,000 and 0.46 s for 1,000,000 digits.
// Memory: 16 bytes a baby step (at most about 3,200 of them) and a few
// numbers as long as the denominator.
inline constexpr unsigned kFactorBits = 512;
inline constexpr unsigned kSieveBits = 134;
inline constexpr unsigned kTrialPrimeLimit = 1000;

// The recurring decimal of `r`. At most `maxDigits` digits of the non-recurring
// part and at most `maxDigits` of the period are written (all, when empty, up to
// kMaxExpansionDigits each); a longer part is cut there, and a cut non-recurring
// part leaves the period unwritten.
//   1/7  -> 0.(142857), fixed 0, period 6      1/6 -> 0.1(6), fixed 1, period 1
//   -7/2 -> -3.5, fixed 1, period 0            0/5 -> 0
//   1/7 with maxDigits 4 -> fixed "", period "1428", period length 6, cut
//   22/7 -> 3.(142857)                          1/9999943 -> period of 9999942 digits
// Problems: a zero denominator; maxDigits negative.
// Cost: splitting off the twos and fives (mpz_scan1, mpz_remove), one bounded
// factorisation of the rest of the denominator and of p - 1 for each prime p of
// it, one modular power per prime factor of the order's candidates, and the
// search on what is left unfactored (all above); the
// digits by long division in 128 bits, 19 digits a step, when the denominator
// is below 2^64, else by one multiplication and one division of numbers as
// long as the digits wanted.
Result<DecimalExpansion> ToDecimal(const Rational& r,
                                   std::optional<std::int64_t> maxDigits = std::nullopt);

// The number of digits of the period of n/d for any n prime to d: the
// multiplicative order of 10 modulo d without its twos and fives (0 when
// nothing is left, i.e. 1/d terminates). Empty when d is zero, or when the
// order is longer than kMaxExpansionDigits and what is left does not factor
// quickly enough to count it (see above).
//   7 -> 6   6 -> 1   8 -> 0   81 -> 9   9999943 -> 9999942   1 -> 0
// For any d below 10^18: d and p - 1 for each prime p of it split by FLINT's
// trial division, primality test and Pollard-Brent rho (see exact/factor.h),
// then modular powers in one machine word; about 7 microseconds for a prime
// near 10^18, 18 on average over random d between 10^17 and 10^18, 0.3 ms
// for the hardest kind, a product of two primes near 10^9
// (bench/exact_bench.cpp). Larger d cost what factoring and the search allow
// (above):
//   10^70 - 1 -> 70   10^2000 - 1 -> 2000
//   1000000000000037 * 2000000000000021 -> 500000000000023000000000000180
//   8 * 10000000000000000051 * 30000000000000000041
//     -> 7500000000000000047500000000000000050
std::optional<mpz_class> PeriodLength(const mpz_class& d);

}  // namespace quotalis::exact
