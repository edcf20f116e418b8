// The order of 10 modulo a number that is not factored: a search by baby
// steps and giant steps that needs no factor of the modulus.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>

namespace quotalis::exact {

// The least t >= 1 with 10^t = 1 (mod m), when t <= most; empty when there is
// none up to `most`. Precondition: m > 1 and m prime to 10; 1 <= most.
//   7, most 10 -> 6      7, most 5 -> (none)     10^70 - 1, most 10^7 -> 70
//
// Method: t is at least the number of digits of m (m divides 10^t - 1), so
// only [lo, most] is searched, lo = digits of m - 1. Every power 10^j below
// m is its own residue, so the baby steps j < below = digits - 1 need no
// table: a giant step that equals 10^j shows j by its trailing binary zeros.
// With b = max(ceil(sqrt(most - lo + 1)), min(below, most - lo + 1)), the
// baby steps 10^j mod m for below <= j < b (each the last times ten,
// reduced) are kept as 64-bit hashes of their limbs with j, not as residues;
// the giant steps y_i = 10^(lo - 1 + i b) mod m, i = 1, 2, ..., each the
// last times 10^b mod m, are looked up among them: y_i = 10^j gives t = lo -
// 1 + i b - j, and every match of hashes is checked on the residues
// themselves before it is taken. An order below b shows itself among the baby
// steps. Cost, most = 10^7: at most about 3,200 baby steps, each linear in
// the digits n of m, and (most - lo) / b giant steps, each a multiplication
// of an n-digit number by one of at most min(n, b) digits and its reduction
// modulo m, plus two modular powers; so about 6,300 steps for n up to a few
// thousand and fewer, longer ones beyond (0.11 s for 10,000 digits, 0.46 s
// for 1,000,000 when no order is found). Memory: 16 bytes a hashed baby step
// and a few copies of m.
std::optional<std::int64_t> OrderOfTenUpTo(const mpz_class& m, std::int64_t most);

// The same search for the least t >= 1 with base^t = 1 (mod m), any base from
// 2 to 36, at the same cost; for base 10 it is OrderOfTenUpTo. A power of the
// base below m is recognised by its length in that base and a comparison.
// Precondition: m > 1 and m prime to base; 1 <= most.
//   7, base 2, most 10 -> 3     7, base 16, most 10 -> 3     9, base 2, most 5 -> (none)
std::optional<std::int64_t> OrderOfBaseUpTo(const mpz_class& m, std::int64_t most,
                                            unsigned long base);

}  // namespace quotalis::exact
