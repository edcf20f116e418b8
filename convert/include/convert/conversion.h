// The whole conversion of an entry in one call: the entry tests, the
// normalisation, the recurring period clamped to the normalised entry, the
// expansion and the reduction.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/expansion.h"
#include "convert/reduction.h"

namespace quotalis {

enum class Outcome {
  Converted,   // all fields below are filled
  Empty,       // nothing entered
  Zero,        // the entry is 0: nothing to convert, the fraction is 0/1
  NotANumber,  // not the whole of a number: ".", "1.2.3", "abc"
  OutOfRange,  // a number this conversion does not hold exactly: more than 9
               // digits after the point, more than 15 significant digits, a
               // negative value, one too large or too small for a double, a
               // term the reduction cannot hold
};

struct Conversion {
  Outcome outcome = Outcome::Empty;
  std::string normalised;   // the normalised entry; the entry itself when it stops before
  std::int32_t period = 0;  // k after clamping to the normalised entry
  Expansion expansion;      // the unreduced fraction
  Reduction reduction;      // the factor lists and the fraction in lowest terms
};

// Converts `entry` with the last `period` digits recurring. The period is
// clamped into 0..digits after the point of the normalised entry. Blanks at
// either end, which the number test looks past, are dropped before the value
// is read: " 5" converts as "5".
//   ("0.1666", 1) -> 1500/9000 -> 1/6      (".5", 0) -> "0.5", 5/10 -> 1/2
//   ("0.50", 2)   -> "0.5", period 1, 5/9  ("1.0", 1) -> "1", period 0, 1/1
Conversion ConvertEntry(std::string_view entry, std::int32_t period);

// A short English description of an outcome:
//   Converted -> "converted"   Empty -> "the entry is empty"   Zero -> "the entry is zero"
//   NotANumber -> "the entry is not a number"
//   OutOfRange -> "the entry is beyond what the program converts"
std::string_view Describe(Outcome outcome);

}  // namespace quotalis
