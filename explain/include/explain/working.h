// The working of a conversion written out for a reader: as lines of plain
// text, or as one LaTeX fragment to paste into a worksheet. Both walk the
// steps of explain/steps.h and word them through the Words, so that every
// language and every front end writes the same working.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/notation.h>
#include <quotalis/exact/working.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

// The notation a text working writes its decimals in: `notation` when it marks
// a period (parentheses, brackets, quotes, dots, overline, r, ellipsis),
// parentheses otherwise (keypad, plain, LaTeX): an equation never holds the
// keypad's "0.142857 6".
exact::Notation TextNotation(exact::Notation notation);

// Plain text, one line a step: sentences in the Words' language, formulas
// with Unicode superscripts (10⁶x, 3²), the equations of a group aligned at
// "=", the rows of a long division at "=" with their labels in a column.
//   0.1(6), English: "Let x = 0.1(6)", "The 1-digit period 6 starts at digit
//   2 after the point: ...", "100x = 16.(6)", " 10x =  1.(6)", ...
std::vector<std::string> TextLines(const Steps& steps, exact::Notation notation,
                                   const words::Words& words);

// One LaTeX fragment: a single align* environment (amsmath), each equation a
// row aligned at "=", each sentence an \intertext with its formulas in $...$,
// the words of a division row in \text{}; lines joined by '\n', no final one.
std::string LatexFragment(const Steps& steps, PeriodMark mark, const words::Words& words);

// The two directions from the exact library's working data.
std::vector<std::string> DecimalWorkingText(const exact::DecimalWorking& w,
                                            exact::Notation notation, bool mixed,
                                            const words::Words& words);
std::vector<std::string> FractionWorkingText(const exact::FractionWorking& w,
                                             exact::Notation notation, bool mixed,
                                             const words::Words& words);
std::string DecimalWorkingLatex(const exact::DecimalWorking& w, exact::Notation notation,
                                PeriodMark mark, bool mixed, const words::Words& words);
std::string FractionWorkingLatex(const exact::FractionWorking& w, PeriodMark mark, bool mixed,
                                 const words::Words& words);

}  // namespace quotalis::explain
