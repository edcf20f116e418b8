#include <quotalis/exact/expansion.h>

#include <algorithm>
#include <bit>
#include <string>
#include <utility>
#include <vector>

#include <quotalis/exact/base.h>

#include "factor.h"
#include "numbers.h"
#include "order.h"

namespace quotalis::exact {

namespace {

// 2^e or 5^e; exponents here are digit counts, far below the range of unsigned long.
mpz_class SmallPrimeTo(unsigned long prime, std::uint64_t e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), prime, static_cast<unsigned long>(e));
  return p;
}

// base^e mod modulus, e any non-negative integer.
mpz_class PowBase(const mpz_class& e, const mpz_class& modulus, unsigned long base = 10) {
  if (FitsWord(modulus) && FitsWord(e)) {
    return FromWord(PowMod(base, ToWord(e), ToWord(modulus)));
  }
  mpz_class result;
  const mpz_class b(base);
  mpz_powm(result.get_mpz_t(), b.get_mpz_t(), e.get_mpz_t(), modulus.get_mpz_t());
  return result;
}

// The order of the base (10 unless said) modulo m > 1, m prime to it, found by
// the search when it is at most kMaxExpansionDigits; empty when it is longer.
// The functions down to OrderOfBase take the base in the same way, 10 unless
// said.
std::optional<mpz_class> SearchedOrder(const mpz_class& m, unsigned long base = 10) {
  const std::optional<std::int64_t> t = base == 10 ? OrderOfTenUpTo(m, kMaxExpansionDigits)
                                                   : OrderOfBaseUpTo(m, kMaxExpansionDigits, base);
  if (!t) return std::nullopt;
  return FromWord(static_cast<std::uint64_t>(*t));
}

// The order of the base B modulo the prime p (any prime not dividing B): the
// least divisor t of p - 1 with B^t = 1, found by dividing p - 1 by each of its
// prime factors while the power stays 1; by the search when p - 1 does not
// factor quickly (then empty when the order passes kMaxExpansionDigits).
std::optional<mpz_class> OrderModPrime(const mpz_class& p, unsigned long base = 10) {
  const mpz_class phi = p - 1;
  const std::optional<std::vector<PrimePower>> factors = PrimeFactors(phi);
  if (!factors) return SearchedOrder(p, base);
  mpz_class order = phi;
  for (const PrimePower& q : *factors) {
    for (std::int64_t i = 0; i < q.exponent; ++i) {
      const mpz_class smaller = order / q.prime;
      if (PowBase(smaller, p, base) != 1) break;
      order = smaller;
    }
  }
  return order;
}

// The order of the base B modulo p^e for a prime p not dividing B. For an odd
// p, with t the order modulo p and s the power of p in B^t - 1, the order
// modulo p^e is t * p^(e - s) when e > s, else t (the lifting of the exponent
// for odd primes). s is found modulo p^k for k = 2, 4, 8, ... so that the
// modulus stays small: s is almost always 1.
std::optional<mpz_class> OrderModPrimePower(const mpz_class& p, std::int64_t e,
                                            unsigned long base = 10) {
  // 2 divides no base it is prime to but an odd one, and there the lifting
  // of the exponent takes the power of 2 in base - 1, or in base^2 - 1.
  if (p == 2) {
    const auto twos = [](unsigned long n) {
      return static_cast<std::int64_t>(std::countr_zero(n));
    };
    const std::int64_t s1 = twos(base - 1);
    if (e <= s1) return mpz_class(1);
    const bool quarter = base % 4 == 1;
    const std::int64_t s2 = twos(base * base - 1);
    if (!quarter && e <= s2) return mpz_class(2);
    mpz_class order;
    mpz_ui_pow_ui(order.get_mpz_t(), 2, static_cast<unsigned long>(quarter ? e - s1 : e - s2 + 1));
    return order;
  }
  std::optional<mpz_class> t = OrderModPrime(p, base);
  if (!t || e == 1) return t;
  std::int64_t s = 0;
  for (std::int64_t k = 2;; k = std::min(2 * k, e)) {
    const mpz_class modulus = [&] {
      mpz_class m;
      mpz_pow_ui(m.get_mpz_t(), p.get_mpz_t(), static_cast<unsigned long>(k));
      return m;
    }();
    mpz_class x = PowBase(*t, modulus, base) - 1;
    if (x < 0) x += modulus;
    if (x == 0) {
      s = k;
    } else {
      s = static_cast<std::int64_t>(mpz_remove(x.get_mpz_t(), x.get_mpz_t(), p.get_mpz_t()));
    }
    if (s < k || k >= e) break;
  }
  if (s >= e) return t;
  mpz_class lift;
  mpz_pow_ui(lift.get_mpz_t(), p.get_mpz_t(), static_cast<unsigned long>(e - s));
  return *t * lift;
}

// The order of the base B modulo m, m prime to B: the least common multiple of the
// orders modulo the prime powers that factoring finds and of the order modulo
// the part it leaves whole, which the search finds. Empty when the order is
// longer than kMaxExpansionDigits and no factoring counts it.
std::optional<mpz_class> OrderOfBase(const mpz_class& m, unsigned long base = 10) {
  if (m == 1) return mpz_class(0);
  const Factoring factors = SplitFactors(m);
  mpz_class order = 1;
  for (const PrimePower& f : factors.primes) {
    const std::optional<mpz_class> o = OrderModPrimePower(f.prime, f.exponent, base);
    if (!o) return std::nullopt;
    mpz_lcm(order.get_mpz_t(), order.get_mpz_t(), o->get_mpz_t());
  }
  if (factors.rest != 1) {
    const std::optional<mpz_class> o = SearchedOrder(factors.rest, base);
    if (!o) return std::nullopt;
    mpz_lcm(order.get_mpz_t(), order.get_mpz_t(), o->get_mpz_t());
  }
  return order;
}

struct TensApart {
  std::uint64_t twos = 0;
  std::uint64_t fives = 0;
  mpz_class rest;  // prime to 10
};

// d > 0 as 2^twos 5^fives rest. Linear in the size of d per power found.
TensApart SplitTensOff(const mpz_class& d) {
  TensApart s;
  s.twos = mpz_scan1(d.get_mpz_t(), 0);
  mpz_tdiv_q_2exp(s.rest.get_mpz_t(), d.get_mpz_t(), s.twos);
  const mpz_class five(5);
  s.fives = mpz_remove(s.rest.get_mpz_t(), s.rest.get_mpz_t(), five.get_mpz_t());
  return s;
}

// `n` in exactly `width` digits, zeros in front. Precondition: n < 10^width.
std::string Padded(const mpz_class& n, std::int64_t width) {
  if (width == 0) return {};
  std::string digits = n.get_str();
  const auto w = static_cast<std::size_t>(width);
  if (digits.size() < w) digits.insert(0, w - digits.size(), '0');
  return digits;
}

// The first `count` digits of r/m (0 <= r < m), by big-number arithmetic: one
// multiplication and one division.
std::string DigitsByDivision(const mpz_class& r, const mpz_class& m, std::int64_t count) {
  const mpz_class q = r * TenTo(count) / m;
  return Padded(q, count);
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Wide;

// Writes the 19 digits of q < 10^19, zeros in front.
void Write19(std::uint64_t q, char* out) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  for (int i = 17; i >= 1; i -= 2) {
    const std::uint64_t pair = q % 100;
    q /= 100;
    out[i] = kPairs[2 * pair];
    out[i + 1] = kPairs[2 * pair + 1];
  }
  out[0] = static_cast<char>('0' + q);
}

// The first `count` digits of r/m (r < m < 2^64) by long division, 19 digits a
// step: r * 10^19 < m * 2^64 always fits in 128 bits and the quotient in 64.
std::string DigitsByWord(std::uint64_t r, std::uint64_t m, std::int64_t count) {
  constexpr std::uint64_t kStep = 10'000'000'000'000'000'000ULL;  // 10^19
  std::string out(static_cast<std::size_t>(count), '0');
  char* p = out.data();
  std::int64_t left = count;
  while (left >= 19) {
    const Wide t = static_cast<Wide>(r) * kStep;
    const auto q = static_cast<std::uint64_t>(t / m);
    r = static_cast<std::uint64_t>(t - static_cast<Wide>(q) * m);
    Write19(q, p);
    p += 19;
    left -= 19;
  }
  for (; left > 0; --left) {
    const Wide t = static_cast<Wide>(r) * 10;
    *p++ = static_cast<char>('0' + static_cast<int>(t / m));
    r = static_cast<std::uint64_t>(t % m);
  }
  return out;
}
#endif

// The first `count` digits of r/m, 0 <= r < m.
std::string Digits(const mpz_class& r, const mpz_class& m, std::int64_t count) {
#ifdef __SIZEOF_INT128__
  if (FitsWord(m)) return DigitsByWord(ToWord(r), ToWord(m), count);
#endif
  return DigitsByDivision(r, m, count);
}

// One whole period of r/m (0 <= r < m, m prime to 10, period `length`): the
// integer r (10^length - 1) / m, exact.
std::string Period(const mpz_class& r, const mpz_class& m, std::int64_t length) {
#ifdef __SIZEOF_INT128__
  if (FitsWord(m)) return DigitsByWord(ToWord(r), ToWord(m), length);
#endif
  mpz_class p = TenTo(length) - 1;
  p *= r;
  mpz_divexact(p.get_mpz_t(), p.get_mpz_t(), m.get_mpz_t());
  return Padded(p, length);
}

// The base's primes split off d > 0: d = (product of p^e_p) rest, with the
// number of base digits they need, the largest ceil(e_p / a_p) for p^a_p in
// the base, and the power of the base that makes the product whole:
// base^fixed = product * cofactor.
struct BaseApart {
  std::uint64_t fixed = 0;
  mpz_class cofactor{1};
  mpz_class rest;  // prime to the base
};

BaseApart SplitBaseOff(const mpz_class& d, unsigned long base) {
  BaseApart s;
  s.rest = d;
  struct Found {
    unsigned long prime;
    std::uint64_t inBase;
    std::uint64_t inD;
  };
  std::vector<Found> found;
  unsigned long left = base;
  for (unsigned long p = 2; p <= left; ++p) {
    std::uint64_t a = 0;
    while (left % p == 0) {
      left /= p;
      ++a;
    }
    if (a == 0) continue;
    const mpz_class prime(p);
    const std::uint64_t e = mpz_remove(s.rest.get_mpz_t(), s.rest.get_mpz_t(), prime.get_mpz_t());
    found.push_back({p, a, e});
    s.fixed = std::max(s.fixed, (e + a - 1) / a);
  }
  for (const Found& f : found) {
    s.cofactor *= SmallPrimeTo(f.prime, s.fixed * f.inBase - f.inD);
  }
  return s;
}

mpz_class BaseTo(unsigned long base, std::int64_t e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), base, static_cast<unsigned long>(e));
  return p;
}

// `n` in exactly `width` digits of `base`, zeros in front. Precondition: n < base^width.
std::string PaddedIn(const mpz_class& n, std::int64_t width, int base) {
  if (width == 0) return {};
  std::string digits = n.get_str(base);
  const auto w = static_cast<std::size_t>(width);
  if (digits.size() < w) digits.insert(0, w - digits.size(), '0');
  return digits;
}

// The first `count` digits of r/m in `base`, 0 <= r < m.
std::string DigitsIn(const mpz_class& r, const mpz_class& m, std::int64_t count, int base) {
  const mpz_class q = r * BaseTo(static_cast<unsigned long>(base), count) / m;
  return PaddedIn(q, count, base);
}

}  // namespace

std::optional<mpz_class> PeriodLengthInBase(const mpz_class& d, int base) {
  if (base == 10) return PeriodLength(d);
  if (d == 0 || !BaseInRange(base)) return std::nullopt;
  const auto b = static_cast<unsigned long>(base);
  return OrderOfBase(SplitBaseOff(abs(d), b).rest, b);
}

Result<DecimalExpansion> ToBase(const Rational& r, int base,
                                std::optional<std::int64_t> maxDigits) {
  if (base == 10) return ToDecimal(r, maxDigits);
  if (!BaseInRange(base)) return BaseOutOfRange(base);
  if (r.denominator == 0) return ZeroDenominator();
  if (maxDigits && *maxDigits < 0) {
    return MakeProblem(ProblemKind::Argument, N_("the number of digits is negative"), {});
  }
  const auto b = static_cast<unsigned long>(base);
  const std::int64_t cap = std::min(maxDigits.value_or(kMaxExpansionDigits), kMaxExpansionDigits);
  const Rational reduced = Reduced(r);
  DecimalExpansion e;
  e.value.negative = reduced.numerator < 0;
  const mpz_class n = abs(reduced.numerator);
  const mpz_class& d = reduced.denominator;

  mpz_class whole;
  mpz_class rem;
  mpz_tdiv_qr(whole.get_mpz_t(), rem.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
  e.value.integer = whole.get_str(base);

  const BaseApart split = SplitBaseOff(d, b);
  e.fixedLength = static_cast<std::int64_t>(split.fixed);
  if (split.rest == 1) e.periodLength = mpz_class(0);
  if (e.fixedLength > cap) {
    e.value.fixed = DigitsIn(rem, d, cap, base);
    if (split.rest != 1) e.periodLength = OrderOfBase(split.rest, b);
    e.cut = true;
    return e;
  }
  // rem / d = rem cofactor / (base^fixed rest), as in ToDecimal.
  const mpz_class scaled = rem * split.cofactor;
  mpz_class fixedDigits;
  mpz_class periodRem;
  mpz_tdiv_qr(fixedDigits.get_mpz_t(), periodRem.get_mpz_t(), scaled.get_mpz_t(),
              split.rest.get_mpz_t());
  e.value.fixed = PaddedIn(fixedDigits, e.fixedLength, base);
  if (split.rest == 1) return e;

  e.periodLength = OrderOfBase(split.rest, b);
  if (!e.periodLength || *e.periodLength > FromInt64(cap)) {
    e.value.period = DigitsIn(periodRem, split.rest, cap, base);
    e.cut = true;
    return e;
  }
  // One whole period: periodRem (base^length - 1) / rest, exact.
  const std::int64_t length = e.periodLength->get_si();
  mpz_class period = BaseTo(b, length) - 1;
  period *= periodRem;
  mpz_divexact(period.get_mpz_t(), period.get_mpz_t(), split.rest.get_mpz_t());
  e.value.period = PaddedIn(period, length, base);
  return e;
}

std::optional<mpz_class> PeriodLength(const mpz_class& d) {
  if (d == 0) return std::nullopt;
  const mpz_class positive = abs(d);
  return OrderOfBase(SplitTensOff(positive).rest);
}

Result<DecimalExpansion> ToDecimal(const Rational& r, std::optional<std::int64_t> maxDigits) {
  if (r.denominator == 0) return ZeroDenominator();
  if (maxDigits && *maxDigits < 0) {
    return MakeProblem(ProblemKind::Argument, N_("the number of digits is negative"), {});
  }
  const std::int64_t cap = std::min(maxDigits.value_or(kMaxExpansionDigits), kMaxExpansionDigits);
  const Rational reduced = Reduced(r);
  DecimalExpansion e;
  e.value.negative = reduced.numerator < 0;
  const mpz_class n = abs(reduced.numerator);
  const mpz_class& d = reduced.denominator;

  mpz_class whole;
  mpz_class rem;
  mpz_tdiv_qr(whole.get_mpz_t(), rem.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
  e.value.integer = whole.get_str();

  const TensApart split = SplitTensOff(d);
  const std::uint64_t fixed = std::max(split.twos, split.fives);
  e.fixedLength = static_cast<std::int64_t>(fixed);
  if (split.rest == 1) e.periodLength = mpz_class(0);
  if (e.fixedLength > cap) {
    // Only the first `cap` digits of the non-recurring part; the period is not reached.
    e.value.fixed = DigitsByDivision(rem, d, cap);
    if (split.rest != 1) e.periodLength = OrderOfBase(split.rest);
    e.cut = true;
    return e;
  }
  // rem / d = rem 2^(f - twos) 5^(f - fives) / (10^f rest): the quotient by
  // `rest` gives the non-recurring digits, the remainder starts the period.
  const mpz_class scaled =
      rem * SmallPrimeTo(2, fixed - split.twos) * SmallPrimeTo(5, fixed - split.fives);
  mpz_class fixedDigits;
  mpz_class periodRem;
  mpz_tdiv_qr(fixedDigits.get_mpz_t(), periodRem.get_mpz_t(), scaled.get_mpz_t(),
              split.rest.get_mpz_t());
  e.value.fixed = Padded(fixedDigits, e.fixedLength);
  if (split.rest == 1) return e;

  e.periodLength = OrderOfBase(split.rest);
  if (!e.periodLength) {
    e.value.period = Digits(periodRem, split.rest, cap);
    e.cut = true;
    return e;
  }
  if (*e.periodLength > FromInt64(cap)) {
    e.value.period = Digits(periodRem, split.rest, cap);
    e.cut = true;
    return e;
  }
  e.value.period = Period(periodRem, split.rest, e.periodLength->get_si());
  return e;
}

}  // namespace quotalis::exact
