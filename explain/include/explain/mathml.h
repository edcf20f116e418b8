// The working as MathML, for a web page: the third renderer of the steps
// (explain/steps.h), beside plain text and LaTeX (explain/working.h), in the
// elements of MathML Core, which browsers render natively.
//
// Each block is one <math display="block"> element whose spoken alternative
// (alttext and aria-label) is the plain-text working's line or lines, and
// whose class says what it holds:
//   - quotalis-sentence: a sentence, its words as <mtext>, its formulas
//     inline (MathML does not wrap it: a narrow page may scroll it);
//   - quotalis-equations: a run of equations of one aligned group, as an
//     <mtable>, one row an equation, the relation in a column of its own, so
//     that they line up at "=" (and at the point, when every right side is one
//     number); or any other equation, as one row;
//   - quotalis-division: the rows of a long division, drawn as by hand (the
//     divisor, the bracket, the quotient's digits on top, each product and
//     remainder beneath) as an <mtable> of one digit a cell.
// Fractions are <mfrac>, powers <msup>, indices <msub>. A recurring period is
// written with a dot over its first and last digits (over its one digit, when
// it has one), as Japanese textbooks print it, with PeriodMark::Dots; with a
// line over it with PeriodMark::Overline; in a notation that marks the period
// with characters (brackets, quotes, r, ellipsis) as that notation writes it.
//
// What MathML Core cannot draw is left to the page's style sheet, by class:
//   quotalis-cancel     a prime factor whose every copy both terms share (to strike)
//   quotalis-common     a prime power only some of whose copies both share
//   quotalis-ldiv       the long division's table
//   quotalis-quotient   a cell of its quotient row
//   quotalis-bracket    a cell of the dividend under the bracket (a line over it)
//   quotalis-divisor    the divisor's cell, and quotalis-bracket-open the ")"
//   quotalis-rule       a cell of a product, to be ruled under
//   quotalis-repeat     a cell of the remainder that comes again, and of its
//                       first appearance
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/notation.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/working.h>

#include "explain/steps.h"
#include "explain/working.h"
#include "words/words.h"

namespace quotalis::explain {

// The blocks of the working, each a <math display="block"> element, in the
// order of the steps. `notation` is the text working's (TextNotation).
std::vector<std::string> MathmlBlocks(const Steps& steps, exact::Notation notation, PeriodMark mark,
                                      const words::Words& words);

// A line of words alone (the keypad's last line) as a block.
std::string MathmlTextBlock(std::string_view text);

// The three workings, as explain/working.h and explain/rounded.h write them.
std::vector<std::string> DecimalWorkingMathml(const exact::DecimalWorking& w,
                                              exact::Notation notation, PeriodMark mark, bool mixed,
                                              const words::Words& words);
std::vector<std::string> FractionWorkingMathml(const exact::FractionWorking& w,
                                               exact::Notation notation, PeriodMark mark,
                                               bool mixed, const words::Words& words);
std::vector<std::string> RoundedWorkingMathml(const exact::RoundedWorking& w, PeriodMark mark,
                                              bool mixed, const words::Words& words);

}  // namespace quotalis::explain
