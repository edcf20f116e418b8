// Reduction of the unreduced fraction to lowest terms by prime factors: each
// term is split by trial division into a factor list, equal entries of the two
// lists cancel pairwise, and what is left is multiplied back together.
//
// A factor list has 32 entries, used from index 1 to its count, index 0 never
// used. A positive 32-bit term has at most 30 prime factors, so with the
// remainder a list needs at most 31 entries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/reading.h"
#include "convert/writing.h"

namespace quotalis {

using FactorArray = std::array<std::int32_t, 32>;

// RoundToLong(sqrt(term) + 1), the largest trial divisor:
//   5 -> 3   7 -> 4   9 -> 4   10 -> 4   1 -> 2   0 -> 1   2147483647 -> 46342
// Nothing for a negative term.
std::optional<std::int32_t> TrialBound(std::int32_t term);

// Splits the term written in `text` into factors[1..count]: its prime factors
// in ascending order, each as often as it divides the term, then the remainder
// of the trial division (1, or a prime above the trial bound; 0 for the term 0).
// The trial bound is taken once from the starting value, and the divisor
// starts again at 2 after every division.
//   "10" -> 2, 5        "6" -> 2, 3, 1        "9" -> 3, 3, 1       "1" -> 1
//   "2147483647" -> 2147483647               "1073741824" -> thirty 2s, 1
// `term` ends as the last remainder and `divisor` where the search stopped.
// Entries past the count keep what they held. Returns false, with count 0 and
// term unchanged, when the text has no non-negative 32-bit value.
[[nodiscard]] bool Factorise(std::string_view text, std::int32_t& term, std::int16_t& count,
                             FactorArray& factors, std::int32_t& divisor);

// Cancels equal entries pairwise by overwriting both with 1: every numerator
// entry, in order, against every denominator entry, in order. A prime standing
// a times in one list and b times in the other cancels min(a, b) times.
//   (2, 7 | 3, 3, 1)           -> unchanged
//   (3, 5, 5, 1 | 2, 2, 5, 5, 1) -> (3, 1, 1, 1 | 2, 2, 1, 1, 1)
// `nentry` and `dentry` end where the loops ended.
// Precondition: 0 <= nnterm <= 31 and 0 <= dnterm <= 31.
void CancelPairs(FactorArray& nfactor, std::int16_t nnterm, FactorArray& dfactor,
                 std::int16_t dnterm, std::int32_t& nentry, std::int32_t& dentry);

// Multiplies factors[1..count] back together, keeping the running product as
// text: write(GeneralText(factors[1])) first, then for each further entry
// write(GeneralText(entry * LeadingValue(read()))). `entry` ends at count + 1.
//   (2, 2, 3, 1) -> writes "2", "4", "12", "12"
// Precondition: 1 <= count <= 31, and read() gives back what write() was last
// given. Every partial product of a factor list divides its term, so all are
// exact.
template <class Read, class Write>
void Rebuild(const FactorArray& factors, std::int16_t count, std::int32_t& entry, Read read,
             Write write) {
  write(GeneralText(factors[1]));
  for (entry = 2; entry <= count; ++entry) {
    write(GeneralText(static_cast<double>(factors[static_cast<std::size_t>(entry)]) *
                      LeadingValue(read())));
  }
}

// The same, with the product held in a plain string that is returned.
//   (2, 2, 3, 1) -> "12"   (2147483647) -> "2147483647"   (thirty 2s, 1) -> "1073741824"
// Precondition: 1 <= count <= 31.
std::string Rebuild(const FactorArray& factors, std::int16_t count);

struct Reduction {
  std::int32_t Numerator = 0;  // last remainders of the trial divisions
  std::int32_t Denominator = 0;
  std::int16_t Nnterm = 0;  // entry counts
  std::int16_t Dnterm = 0;
  FactorArray Nfactor{};  // the lists after the cancellation
  FactorArray Dfactor{};
  std::string numerator;  // the fraction in lowest terms
  std::string denominator;
};

// The wide-integer rule: whether numerator/denominator is a whole number of
// digits too wide for a 32-bit term, over "1". Such a fraction has no factor
// list and needs none, being already in lowest terms.
//   ("9999999999", "1") -> true   ("2147483647", "1") -> false (it fits)
//   ("9999999999", "3") -> false  ("-9999999999", "1") -> false
bool IsWideInteger(std::string_view numerator, std::string_view denominator);

// The whole reduction of an unreduced fraction given as decimal texts.
//   ("1500", "9000") -> "1", "6"      ("14", "9") -> "14", "9"
// An integer beyond the 32-bit range over "1" is already in lowest terms and
// comes back as it stands: ("9999999999", "1") -> "9999999999", "1" (Nnterm 0).
// Nothing when a term has no non-negative 32-bit value otherwise, or the
// denominator is 0.
std::optional<Reduction> Reduce(std::string_view numerator, std::string_view denominator);

}  // namespace quotalis
