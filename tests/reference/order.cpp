#include "reference/order.h"

namespace quotalis::testing {

namespace {

// A nontrivial factor of the composite n, odd and with no factor below 1000.
mpz_class Rho(const mpz_class& n) {
  for (unsigned long c = 1;; ++c) {
    mpz_class x = 2;
    mpz_class y = 2;
    mpz_class g = 1;
    while (g == 1) {
      x = (x * x + c) % n;
      y = (y * y + c) % n;
      y = (y * y + c) % n;
      const mpz_class diff = abs(x - y);
      mpz_gcd(g.get_mpz_t(), diff.get_mpz_t(), n.get_mpz_t());
    }
    if (g != n) return g;
  }
}

void Split(const mpz_class& n, std::map<mpz_class, std::int64_t>& out) {
  if (n == 1) return;
  if (mpz_probab_prime_p(n.get_mpz_t(), 30) != 0) {
    ++out[n];
    return;
  }
  const mpz_class f = Rho(n);
  Split(f, out);
  Split(n / f, out);
}

}  // namespace

std::map<mpz_class, std::int64_t> Factorise(const mpz_class& n) {
  std::map<mpz_class, std::int64_t> out;
  mpz_class rest = n;
  for (unsigned long p = 2; p < 1000; ++p) {
    while (mpz_divisible_ui_p(rest.get_mpz_t(), p) != 0) {
      ++out[mpz_class(p)];
      rest /= p;
    }
  }
  Split(rest, out);
  return out;
}

mpz_class OrderModPrime(const mpz_class& p, unsigned long base) {
  const mpz_class phi = p - 1;
  mpz_class order = phi;
  const mpz_class ten = base;
  for (const auto& [q, e] : Factorise(phi)) {
    for (std::int64_t i = 0; i < e; ++i) {
      const mpz_class smaller = order / q;
      mpz_class power;
      mpz_powm(power.get_mpz_t(), ten.get_mpz_t(), smaller.get_mpz_t(), p.get_mpz_t());
      if (power != 1) break;
      order = smaller;
    }
  }
  return order;
}

std::int64_t OrderByStepping(std::uint64_t m, std::int64_t most, std::uint64_t base) {
  std::uint64_t r = base % m;
  for (std::int64_t t = 1; t <= most; ++t) {
    if (r == 1) return t;
    r = r * base % m;
  }
  return 0;
}

}  // namespace quotalis::testing
