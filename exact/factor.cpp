#include "factor.h"

#include <flint/flint.h>
#include <flint/fmpz.h>
#include <flint/fmpz_factor.h>
#include <flint/ulong_extras.h>

#include <algorithm>

#include "numbers.h"

namespace quotalis::exact {

namespace {

// FLINT's word (ulong) is 64 bits on the desktop platforms and 32 on
// WebAssembly. There the numbers below 2^64 that need more than a word, and
// the powers modulo them, take the paths marked FLINT_BITS < 64, which give
// the same answers.
static_assert(FLINT_BITS == 64 || FLINT_BITS == 32);

// An fmpz that frees itself.
class Fmpz {
 public:
  Fmpz() { fmpz_init(value_); }
  explicit Fmpz(const mpz_class& n) : Fmpz() { fmpz_set_mpz(value_, n.get_mpz_t()); }
  ~Fmpz() { fmpz_clear(value_); }
  Fmpz(const Fmpz&) = delete;
  Fmpz& operator=(const Fmpz&) = delete;
  fmpz* get() { return value_; }
  mpz_class ToMpz() const {
    mpz_class n;
    fmpz_get_mpz(n.get_mpz_t(), value_);
    return n;
  }

 private:
  fmpz_t value_;
};

class FmpzFactor {
 public:
  FmpzFactor() { fmpz_factor_init(value_); }
  ~FmpzFactor() { fmpz_factor_clear(value_); }
  FmpzFactor(const FmpzFactor&) = delete;
  FmpzFactor& operator=(const FmpzFactor&) = delete;
  fmpz_factor_struct* get() { return value_; }

 private:
  fmpz_factor_t value_;
};

using Factors = std::vector<PrimePower>;

// Trial division by the primes below 2,000 leaves a part whose factors rho
// finds in about 2^(bits / 4) steps; a few tries of up to 2^20 steps each
// split any composite below 2^64 in practice (every one of 2,000 random
// numbers near 10^18 and their p - 1 in the benchmark).
constexpr ulong kWordTrialPrimes = 300;
constexpr ulong kRhoTries = 8;
constexpr ulong kRhoSteps = ulong{1} << 20;

void AddWordFactors(std::uint64_t n, std::int64_t times, Factors& out) {
#if FLINT_BITS < 64
  if (n >> 32 != 0) {
    // Too long for n_factor's 32-bit word: FLINT's general factoring, whose
    // primes below 2^64 are proven like n_factor's.
    Fmpz value(FromWord(n));
    FmpzFactor f;
    fmpz_factor(f.get(), value.get());
    for (slong i = 0; i < f.get()->num; ++i) {
      Fmpz p;
      fmpz_set(p.get(), f.get()->p + i);
      out.push_back({p.ToMpz(), static_cast<std::int64_t>(f.get()->exp[i]) * times});
    }
    return;
  }
#endif
  // FLINT's own pieces, in the order that suits numbers near 2^60, where
  // n_factor's SQUFOF and p + 1 take most of a millisecond on a product of
  // two primes near 2^30: trial division by its first primes, then its
  // primality test (BPSW, proven exact below 2^64) and Pollard-Brent rho on
  // what is left; a part rho does not split within its tries goes to
  // n_factor whole.
  n_factor_t f;
  n_factor_init(&f);
  const ulong left = n_factor_trial(&f, static_cast<ulong>(n), kWordTrialPrimes);
  for (int i = 0; i < f.num; ++i) {
    out.push_back({FromWord(f.p[i]), static_cast<std::int64_t>(f.exp[i]) * times});
  }
  if (left == 1) return;
  flint_rand_t state;
  flint_randinit(state);  // the same seed every time: the same splits
  std::vector<ulong> parts{left};
  while (!parts.empty()) {
    const ulong m = parts.back();
    parts.pop_back();
    if (n_is_prime(m)) {
      out.push_back({FromWord(m), times});
      continue;
    }
    ulong factor = 0;
    if (n_factor_pollard_brent(&factor, state, m, kRhoTries, kRhoSteps) != 0 && factor > 1 &&
        factor < m) {
      parts.push_back(factor);
      parts.push_back(m / factor);
      continue;
    }
    n_factor_t whole;
    n_factor_init(&whole);
    n_factor(&whole, m, 0);
    for (int i = 0; i < whole.num; ++i) {
      out.push_back({FromWord(whole.p[i]), static_cast<std::int64_t>(whole.exp[i]) * times});
    }
  }
  flint_randclear(state);
}

// Sorted by prime, equal primes merged.
Factors Tidy(Factors f) {
  std::sort(f.begin(), f.end(),
            [](const PrimePower& a, const PrimePower& b) { return a.prime < b.prime; });
  Factors out;
  for (PrimePower& p : f) {
    if (!out.empty() && out.back().prime == p.prime) {
      out.back().exponent += p.exponent;
    } else {
      out.push_back(std::move(p));
    }
  }
  return out;
}

// Splits a factor that FLINT's smooth search left whole; false, leaving it
// whole, when it is too long for the sieve.
bool AddCofactor(const mpz_class& c, std::int64_t times, Factors& out) {
  if (c == 1) return true;
  if (FitsWord(c)) {
    AddWordFactors(ToWord(c), times, out);
    return true;
  }
  Fmpz n(c);
  if (fmpz_is_probabprime(n.get())) {
    out.push_back({c, times});
    return true;
  }
  if (mpz_sizeinbase(c.get_mpz_t(), 2) > kSieveBits) return false;
  FmpzFactor f;
  fmpz_factor(f.get(), n.get());
  for (slong i = 0; i < f.get()->num; ++i) {
    Fmpz p;
    fmpz_set(p.get(), f.get()->p + i);
    out.push_back({p.ToMpz(), static_cast<std::int64_t>(f.get()->exp[i]) * times});
  }
  return true;
}

}  // namespace

std::optional<std::vector<PrimePower>> PrimeFactors(const mpz_class& n) {
  if (n <= 0) return std::nullopt;
  Factoring f = SplitFactors(n);
  if (f.rest != 1) return std::nullopt;
  return std::move(f.primes);
}

Factoring SplitFactors(const mpz_class& n) {
  Factoring result;
  Factors& out = result.primes;
  if (FitsWord(n)) {
    if (n > 1) AddWordFactors(ToWord(n), 1, out);
    out = Tidy(std::move(out));
    return result;
  }
  const std::size_t bits = mpz_sizeinbase(n.get_mpz_t(), 2);
  if (bits > kFactorBits) {
    // One pass over the number finds which small primes divide it at all.
    static const mpz_class primorial = [] {
      mpz_class product = 1;
      for (ulong p = 2; p < kTrialPrimeLimit; p = n_nextprime(p, 0)) {
        product *= static_cast<unsigned long>(p);
      }
      return product;
    }();
    mpz_class shared;
    mpz_gcd(shared.get_mpz_t(), n.get_mpz_t(), primorial.get_mpz_t());
    mpz_class rest = n;
    for (ulong p = 2; p < kTrialPrimeLimit && shared > 1; p = n_nextprime(p, 0)) {
      const auto small = static_cast<unsigned long>(p);  // below 1000
      if (!mpz_divisible_ui_p(shared.get_mpz_t(), small)) continue;
      mpz_divexact_ui(shared.get_mpz_t(), shared.get_mpz_t(), small);
      const mpz_class prime(small);
      const mp_bitcnt_t e = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), prime.get_mpz_t());
      out.push_back({prime, static_cast<std::int64_t>(e)});
    }
    result.rest = std::move(rest);
    return result;
  }
  Fmpz value(n);
  FmpzFactor f;
  // Primes up to about 2^32 by trial division and ECM; what is left over stays
  // whole in one entry, prime or not.
  fmpz_factor_smooth(f.get(), value.get(), 32, 0);
  for (slong i = 0; i < f.get()->num; ++i) {
    Fmpz p;
    fmpz_set(p.get(), f.get()->p + i);
    const mpz_class c = p.ToMpz();
    const auto e = static_cast<unsigned long>(f.get()->exp[i]);  // at most the bits of n
    if (!AddCofactor(c, static_cast<std::int64_t>(e), out)) {
      mpz_class power;
      mpz_pow_ui(power.get_mpz_t(), c.get_mpz_t(), e);
      result.rest *= power;
    }
  }
  // A prime found may divide what was left whole too: it moves into the list.
  for (PrimePower& q : out) {
    if (result.rest == 1) break;
    q.exponent += static_cast<std::int64_t>(
        mpz_remove(result.rest.get_mpz_t(), result.rest.get_mpz_t(), q.prime.get_mpz_t()));
  }
  out = Tidy(std::move(out));
  return result;
}

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t modulus) {
  if (modulus == 1) return 0;
#if FLINT_BITS < 64
  // FLINT's 32-bit word holds neither the modulus nor the exponent: GMP's power.
  mpz_class result;
  mpz_powm(result.get_mpz_t(), FromWord(base).get_mpz_t(), FromWord(exponent).get_mpz_t(),
           FromWord(modulus).get_mpz_t());
  return ToWord(result);
#else
  const ulong inverse = n_preinvert_limb(modulus);
  return n_powmod2_ui_preinv(base % modulus, exponent, modulus, inverse);
#endif
}

}  // namespace quotalis::exact
