// The working of a conversion, line by line, as a teacher writes it.
#pragma once

#include <string>
#include <vector>

#include <quotalis/exact/working.h>

namespace quotalis::cli {

// Decimal to fraction: x = the decimal, times the two powers of ten, the
// subtraction, the unreduced fraction, both terms in primes with the common
// ones in brackets (or the common factor from Euclid's algorithm when a term
// is too large to factor), the lowest terms. `written` is the decimal as the
// answer's notation writes it.
//   0.1(6): "x = 0.1(6) = 0.1666...", "100x = 16.666...", "10x = 1.666...",
//           "100x - 10x = 16 - 1", "90x = 15", "x = 15/90", "15 = [3] × [5]",
//           "90 = 2 × [3] × 3 × [5]", ..., "x = 1/6"
std::vector<std::string> ExplainDecimalLines(const exact::DecimalWorking& w,
                                             const std::string& written);

// Fraction to decimal: the long division with its remainders up to the first
// that comes again, where the period starts and how long it is. `answer` is
// the decimal as the answer writes it.
//   1/6: "1 ÷ 6 = 0 remainder 1", "10 ÷ 6 = 1 remainder 4", "40 ÷ 6 = 6 remainder 4", ...
std::vector<std::string> ExplainFractionLines(const exact::FractionWorking& w,
                                              const std::string& answer);

}  // namespace quotalis::cli
