// Internal to the exact library: the small helpers on digits, counts and
// powers that its files share, and the refusal of a term past the digit limit.
#pragma once

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/text.h>

namespace quotalis::exact {

inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// Whether every character is one of the digits 0 to 9 (true for "").
inline bool AllDigits(std::string_view s) { return std::all_of(s.begin(), s.end(), IsDigitChar); }

// a + b, or nothing when the sum leaves the 64-bit range.
inline std::optional<std::int64_t> CheckedAdd(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b)) return std::nullopt;
  return a + b;
}

// 10^e for 0 <= e. Callers keep e within kMaxTermDigits, far inside unsigned long.
inline mpz_class TenTo(std::int64_t e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e));
  return p;
}

// 10^e in a machine word, for 0 <= e <= 19.
inline std::uint64_t WordTenTo(std::int64_t e) {
  std::uint64_t p = 1;
  for (std::int64_t i = 0; i < e; ++i) p *= 10;
  return p;
}

// Between big integers and one 64-bit machine word, without going through
// `long`, which holds only 32 bits on Windows.
inline bool FitsWord(const mpz_class& n) { return mpz_sizeinbase(n.get_mpz_t(), 2) <= 64; }

// The low 64 bits of |n|: one limb where GMP's limbs are 64 bits, two where
// they are 32 (WebAssembly).
inline std::uint64_t ToWord(const mpz_class& n) {
  static_assert(64 % GMP_NUMB_BITS == 0);
  std::uint64_t w = 0;
  for (std::size_t i = 0; i < 64 / GMP_NUMB_BITS && i < mpz_size(n.get_mpz_t()); ++i) {
    w |= static_cast<std::uint64_t>(mpz_getlimbn(n.get_mpz_t(), static_cast<mp_size_t>(i)))
         << (i * GMP_NUMB_BITS);
  }
  return w;
}

inline mpz_class FromWord(std::uint64_t w) {
  mpz_class n;
  mpz_import(n.get_mpz_t(), 1, 1, sizeof w, 0, 0, &w);
  return n;
}

// gmpxx converts from `long`, 32 bits on WebAssembly, and then refuses
// std::int64_t (long long there): a 64-bit integer goes through this.
inline mpz_class FromInt64(std::int64_t v) {
  const auto magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  mpz_class n = FromWord(magnitude);
  if (v < 0) n = -n;
  return n;
}

// The refusal of a digit string handed in that holds something else, `what`
// being a word marked N_: "the integer part holds a character that is not a digit".
Problem NotDigits(std::string_view what);

// NotDigits for the first part of `d` that is not all digits, if any.
std::optional<Problem> CheckDigits(const Decimal& d);

// The number of decimal digits, at most, of the numerator and of the
// denominator of the unreduced fraction `d` stands for (see ToFraction): the
// denominator's exactly; nothing when the count does not fit in 64 bits.
// Constant time.
//   0.1(6) -> {3, 2}   12e5 -> {8, 1}   1.5e-3 -> {2, 5}   0.(9) -> {1, 1}
struct TermDigits {
  std::int64_t numerator = 0;
  std::int64_t denominator = 0;
};
std::optional<TermDigits> CountTermDigits(const Decimal& d);

enum class Term { Numerator, Denominator };

// The refusal of a value whose numerator or denominator would pass
// kMaxTermDigits: "the numerator would have more than 10,000,000 digits".
Problem TooManyDigits(Term term);

// "the denominator is zero".
Problem ZeroDenominator();

// The number of decimal digits, exactly, of the numerator and of the
// denominator of the unreduced fraction of `c`, a canonical decimal other than
// zero. Linear in its digits; no number is built.
//   0.1(6) -> 15/90 {2, 2}   1.(01) -> 100/99 {3, 2}   10.(01) -> 991/99 {3, 2}
//   0.0025 -> 25/10000 {2, 5}
TermDigits CanonicalTermDigits(const Decimal& c);

// TooManyDigits for the term of `d` past kMaxTermDigits by CountTermDigits,
// the denominator first; nothing when both are within it. Within means within
// for the value's canonical form too, whose terms are never longer.
std::optional<Problem> OverLimit(const Decimal& d);

// The one digit rule of the library: TooManyDigits for the term of the
// canonical decimal `c` past kMaxTermDigits by CanonicalTermDigits, the
// denominator first; nothing when both are within it, and nothing for zero.
std::optional<Problem> CanonicalOverLimit(const Decimal& c);

// Whether `base` is one the library writes in, 2 to 36, and the refusal of one
// that is not: "the base 37 is not between 2 and 36".
bool BaseInRange(int base);
Problem BaseOutOfRange(int base);

}  // namespace quotalis::exact
