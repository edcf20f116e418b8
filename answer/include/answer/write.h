// The answer written in each form a front end prints: the value alone, the
// fields of --detail, the one JSON object of --json (for an answer and for a
// refusal alike), and the working alone.
//
// Each writer first makes sure that the memory the longest number's digits
// take can be had, and throws std::bad_alloc when it cannot: an answer is
// written whole or not at all, unless the memory is taken away while it is
// written, and `started` then tells that part of it was. No writer ends the
// line.
#pragma once

#include <iosfwd>

#include "answer/answer.h"

namespace quotalis::answer {

// The answer alone: a fraction in lowest terms, N/D ("7/1" for a whole
// number), or a mixed number with Request::mixed ("1 1/6", "7", "0"); a
// fraction's decimal.
void WriteValue(std::ostream& out, const Answer& answer, bool& started);

// Three fields separated by tabs. A decimal's fraction: the entry as the
// window writes it back (a plain decimal without K) or its canonical form,
// the fraction before reduction, and the answer as WriteValue writes it. A
// fraction's decimal: the decimal, its non-recurring digits, its period's
// digits (">10000000" when longer and not counted). A rounded display: the
// two ends of its interval and the answer.
//   "0.5\t5/10\t1/2"   "0.1(6)\t1\t1"   "0.66666666665\t0.66666666675\t2/3"
void WriteDetail(std::ostream& out, const Answer& answer, bool& started);

// One JSON object, the schema every front end writes. An answer:
//   "input" (the entry), "reading" (how it was written: plain, parentheses,
//   brackets, quotes, dots, overline, r, ellipsis, fraction or mixed), then
//   for a decimal: "decimal", "unreduced", "fraction", "numerator",
//   "denominator", ["mixed"], "nonRecurring", "period", "cut" (false);
//   for a fraction: "decimal", "fraction", "numerator", "denominator",
//   ["mixed"], "nonRecurring", "period" (null, with "periodAbove", when not
//   counted), "cut";
//   for a rounded display: "low", "high", "fraction", "numerator",
//   "denominator", ["mixed"];
//   then, with a working asked, "working": its lines (its LaTeX with the
//   latex notation, else its text); and when several formats are asked (the
//   page asks for all three), each whole under a key of its own too:
//   "workingMathml" (the blocks), "workingText", "workingLatex", each joined
//   by '\n'.
// The terms are strings of digits, and so is a length (of a period) past
// 2^53 - 1, the largest whole number that JavaScript and jq read exactly; a
// shorter length is a number. A refusal: "input" (the entry, or null),
// "error", "kind" (exact::ProblemKindName) and "position".
//   {"input":"0.1(6)","reading":"parentheses","decimal":"0.1(6)","unreduced":"15/90",
//    "fraction":"1/6","numerator":"1","denominator":"6","nonRecurring":1,"period":1,
//    "cut":false}
void WriteJson(std::ostream& out, const Answer& answer, bool& started);

// The working's lines, joined by '\n': its text, or its LaTeX fragment when
// that alone was asked.
void WriteWorking(std::ostream& out, const Answer& answer);

}  // namespace quotalis::answer
