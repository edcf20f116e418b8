// The working of a conversion for --explain: the exact library's working data
// put into the reader's words by explain/working.h, in the notation of the
// entry or of --notation, as lines of text or, with --notation latex, as the
// lines of one LaTeX fragment; with Options::mathml, as MathML blocks
// (explain/mathml.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/notation.h>
#include <quotalis/exact/working.h>

#include "cli/options.h"
#include "cli/reading.h"

namespace quotalis::cli {

// The notation the working writes its decimals in: that of --notation when it
// names one other than the default, parentheses; otherwise the entry's own,
// when it marks a period; otherwise parentheses. The keypad's form never
// stands in an equation: a keypad working writes parentheses.
//   --notation dots, any entry -> Dots    no --notation, "0.1666..." -> Ellipsis
//   no --notation, "0.1666" with K 1 -> Parentheses
exact::Notation WorkingNotation(const Options& options, const Entry& entry);

// Lines joined with '\n', no final one, and back: a LaTeX fragment of
// explain/working.h is one such text.
std::string JoinedLines(const std::vector<std::string>& lines);
std::vector<std::string> LatexLines(const std::string& text);

// Decimal to fraction, from x = the entry to its lowest terms.
std::vector<std::string> DecimalWorkingLines(exact::DecimalWorking w, const Entry& entry,
                                             const Options& options);

// Fraction to decimal: `text` is the entry as given, whose whole part and
// terms the working starts from ("3 1/4" is made improper, "10/4" reduced).
// With --notation keypad, a last line says what to type on the keypad.
exact::Result<std::vector<std::string>> FractionWorkingLines(std::string_view text,
                                                             const Entry& entry,
                                                             const Options& options);

}  // namespace quotalis::cli
