// Between big integers and one 64-bit machine word, without going through
// `long`, which holds only 32 bits on Windows. For the library's own files.
#pragma once

#include <gmpxx.h>

#include <cstdint>

namespace quotalis::exact {

inline bool FitsWord(const mpz_class& n) { return mpz_sizeinbase(n.get_mpz_t(), 2) <= 64; }

// The low 64 bits of |n|.
inline std::uint64_t ToWord(const mpz_class& n) {
  return mpz_size(n.get_mpz_t()) > 0 ? static_cast<std::uint64_t>(mpz_getlimbn(n.get_mpz_t(), 0))
                                     : 0;
}

inline mpz_class FromWord(std::uint64_t w) {
  mpz_class n;
  mpz_import(n.get_mpz_t(), 1, 1, sizeof w, 0, 0, &w);
  return n;
}

}  // namespace quotalis::exact
