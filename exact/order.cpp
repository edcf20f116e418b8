#include "order.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "numbers.h"

namespace quotalis::exact {

namespace {

// A 64-bit hash of the limbs of x >= 0, whatever their width.
std::uint64_t Hash(const mpz_class& x) {
  const std::size_t limbs = mpz_size(x.get_mpz_t());
  std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(limbs);
  for (std::size_t i = 0; i < limbs; ++i) {
    h ^= static_cast<std::uint64_t>(mpz_getlimbn(x.get_mpz_t(), static_cast<mp_size_t>(i)));
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 32;
  }
  return h;
}

// base^e mod m, e >= 0: the power itself reduced once while it is not much
// longer than m, else a modular power.
mpz_class PowerOf(unsigned long base, std::int64_t e, const mpz_class& m, std::int64_t digits) {
  mpz_class power;
  if (e <= 2 * digits) {
    mpz_ui_pow_ui(power.get_mpz_t(), base, static_cast<unsigned long>(e));
    mpz_tdiv_r(power.get_mpz_t(), power.get_mpz_t(), m.get_mpz_t());
    return power;
  }
  const mpz_class b(base);
  const mpz_class exponent = FromWord(static_cast<std::uint64_t>(e));
  mpz_powm(power.get_mpz_t(), b.get_mpz_t(), exponent.get_mpz_t(), m.get_mpz_t());
  return power;
}

// The least b with b * b >= n, n >= 1.
std::int64_t CeilSqrt(std::int64_t n) {
  std::int64_t b = 1;
  while (b * b < n) ++b;
  return b;
}

// j when y = 10^j for some j < below, else -1: 10^j ends in exactly j binary
// zeros, and has j + 1 digits.
std::int64_t PowerOfTenExponent(const mpz_class& y, std::int64_t below) {
  const auto j = static_cast<std::int64_t>(mpz_scan1(y.get_mpz_t(), 0));
  if (j >= below) return -1;
  const auto size = static_cast<std::int64_t>(mpz_sizeinbase(y.get_mpz_t(), 10));
  if (size != j + 1 && size != j + 2) return -1;  // sizeinbase may count one more
  return y == TenTo(j) ? j : -1;
}

// The same for any base: base^j has j + 1 digits in its base (sizeinbase may
// count one more), and for j > 0 the base divides it.
std::int64_t PowerExponent(const mpz_class& y, unsigned long base, std::int64_t below) {
  if (base == 10) return PowerOfTenExponent(y, below);
  if (y == 1) return below > 0 ? 0 : -1;
  if (!mpz_divisible_ui_p(y.get_mpz_t(), base)) return -1;
  const auto size =
      static_cast<std::int64_t>(mpz_sizeinbase(y.get_mpz_t(), static_cast<int>(base)));
  for (std::int64_t j = size - 2; j <= size - 1; ++j) {
    if (j < 1 || j >= below) continue;
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), base, static_cast<unsigned long>(j));
    if (y == power) return j;
  }
  return -1;
}

struct Baby {
  std::uint64_t hash;
  std::int64_t j;
};

}  // namespace

std::optional<std::int64_t> OrderOfTenUpTo(const mpz_class& m, std::int64_t most) {
  return OrderOfBaseUpTo(m, most, 10);
}

std::optional<std::int64_t> OrderOfBaseUpTo(const mpz_class& m, std::int64_t most,
                                            unsigned long base) {
  // m has at least `digits` - 1 digits, and base^t - 1 at least as many as m.
  const auto digits =
      static_cast<std::int64_t>(mpz_sizeinbase(m.get_mpz_t(), static_cast<int>(base)));
  const std::int64_t lo = std::max<std::int64_t>(1, digits - 1);
  if (lo > most) return std::nullopt;
  const std::int64_t range = most - lo + 1;
  // base^j for j < below is less than m: its own residue, known without a table.
  const std::int64_t below = digits - 1;
  const std::int64_t b = std::max(CeilSqrt(range), std::min(below, range));

  // The babies from `below` on, hashed; an order among them shows itself.
  std::vector<Baby> babies;
  if (b > below) {
    babies.reserve(static_cast<std::size_t>(b - below));
    mpz_class x = PowerOf(base, std::max<std::int64_t>(below, 0), m, digits);
    for (std::int64_t j = std::max<std::int64_t>(below, 0); j < b; ++j) {
      if (j > 0 && x == 1) return j;
      babies.push_back({Hash(x), j});
      mpz_mul_ui(x.get_mpz_t(), x.get_mpz_t(), base);
      if (x >= m) mpz_tdiv_r(x.get_mpz_t(), x.get_mpz_t(), m.get_mpz_t());
    }
  }
  // No order below b: the babies are distinct residues. Those of one hash sit
  // together, the largest j first, which gives the least t.
  std::sort(babies.begin(), babies.end(), [](const Baby& p, const Baby& q) {
    return p.hash != q.hash ? p.hash < q.hash : p.j > q.j;
  });
  const mpz_class step = PowerOf(base, b, m, digits);
  mpz_class y = PowerOf(base, lo - 1 + b, m, digits);
  for (std::int64_t top = lo - 1 + b; top - b + 1 <= most; top += b) {
    // y = base^top; a baby j with base^j = y gives base^(top - j) = 1.
    const std::uint64_t h = babies.empty() ? 0 : Hash(y);
    auto at = std::lower_bound(babies.begin(), babies.end(), h,
                               [](const Baby& p, std::uint64_t v) { return p.hash < v; });
    for (; at != babies.end() && at->hash == h; ++at) {
      const std::int64_t t = top - at->j;
      if (t > most) break;
      if (PowerOf(base, at->j, m, digits) == y) return t;
    }
    if (const std::int64_t j = PowerExponent(y, base, below); j >= 0 && top - j <= most) {
      return top - j;
    }
    y *= step;
    mpz_tdiv_r(y.get_mpz_t(), y.get_mpz_t(), m.get_mpz_t());
  }
  return std::nullopt;
}

}  // namespace quotalis::exact
