// The working of a rounded display's simplest fraction (exact/rounded.h) as
// steps, and written out by the renderers of explain/working.h.
#pragma once

#include <string>
#include <vector>

#include <quotalis/exact/rounded.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

// From the working data: the interval the display stands for; 0 when it
// holds 0; the sign set aside; each whole part both ends of the range share
// taken off, the variable written as that part plus one over the next
// variable, and the next variable's range (as mixed numbers); the smallest
// whole number in the last range; the whole parts put back together; and why
// no simpler fraction lies in the range: the answer lies between two
// neighbouring fractions outside it. For 3.14159, in English:
//   3.14159 is rounded at digit 5 after the point: the value x lies within
//     0.000005 of it, half a unit of that digit
//   3.141585 ≤ x ≤ 3.141595
//   Look for the fraction with the smallest denominator in this range, taking
//     off one whole part at a time
//   The whole part of both ends is 3: let x = 3 + 1/x₁, so that x₁ = 1/(x - 3)
//   7 1767/28319 ≤ x₁ ≤ 7 1781/28317
//   The whole part of both ends is 7: let x₁ = 7 + 1/x₂, so that x₂ = 1/(x₁ - 7)
//   15 1602/1781 ≤ x₂ ≤ 16 47/1767
//   The smallest whole number in this range is 16: let x₂ = 16
//   Put the whole parts back: x = 3 + 1/(7 + 1/16) = 355/113
//   No fraction with a smaller denominator lies in the range: 355/113 lies
//     between 333/106 and 22/7, which are outside it
//   333/106 < 3.141585 ≤ 355/113 ≤ 3.141595 < 22/7
//   22 × 106 - 333 × 7 = 1, so every fraction strictly between 333/106 and
//     22/7 has a denominator of at least 106 + 7 = 113, and 355/113 is the
//     only one with the denominator 113
// With `style.mixed`, the answer as a mixed number too. The decimals that
// end are written plainly whatever the notation.
Steps RoundedSteps(const exact::RoundedWorking& w, const Style& style);

// The same as lines of text, and as one LaTeX fragment (explain/working.h).
std::vector<std::string> RoundedWorkingText(const exact::RoundedWorking& w, bool mixed,
                                            const words::Words& words);
std::string RoundedWorkingLatex(const exact::RoundedWorking& w, bool mixed,
                                const words::Words& words);

}  // namespace quotalis::explain
