// What a keypad entry converts to, worked out with integer arithmetic alone and
// without any engine function: the reference the sweeps check the engine against.
//
// A keypad entry is digits with at most one point, which may stand first or
// last, and leading zeros kept; it has at most 10 characters. With D the digits
// of its value written without the point and f the digits after the point, the
// last k of which recur:
//   k = 0: D over 10^f
//   k > 0: D minus D without its last k digits, over k nines and f - k zeros
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace quotalis::testing {

struct KeypadFraction {
  Outcome outcome = Outcome::Empty;
  std::string normalised;       // the value in plain form, no redundant zeros
  std::int32_t period = 0;      // k once the trailing zeros after the point are gone
  std::uint64_t numerator = 0;  // unreduced, as the schoolbook rule gives it
  std::uint64_t denominator = 0;
  std::uint64_t reducedNumerator = 0;  // divided by std::gcd of the two
  std::uint64_t reducedDenominator = 0;
};

// Precondition: `entry` is a keypad entry (IsKeypadEntry) and k >= 0. A k
// past the digits after the point, once its trailing zeros are gone, counts as
// all of them: (".50", 2) is 0.5 with 5 recurring.
KeypadFraction KeypadReference(std::string_view entry, std::int32_t k);

// Empty when the engine's conversion agrees with the reference in every field
// the reference gives; otherwise a line saying what differs, for a failure report.
std::string Disagreement(std::string_view entry, std::int32_t k, const Conversion& got,
                         const KeypadFraction& want);

}  // namespace quotalis::testing
