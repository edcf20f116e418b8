// --rounded: the entry is a display rounded at its last digit, as a
// calculator or a spreadsheet shows a number, and the answer is the simplest
// fraction it may stand for (exact/rounded.h).
#pragma once

#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>

#include "cli/options.h"

namespace quotalis::cli {

// The answer to `text` read as a rounded display, as `options` ask: the
// fraction (a mixed number with --mixed); with --detail the two ends of the
// interval and the fraction, separated by tabs; with --json one object whose
// "low" and "high" are the ends; with --explain the working's lines, joined
// by '\n' (one LaTeX fragment with --notation latex).
//   "0.6666666667" -> "2/3"    "3.14159" -> "355/113"    "7" -> "7/1"
//   "0.6666666667", detail -> "0.66666666665\t0.66666666675\t2/3"
// Refused (the entry's fault; position 0 unless said):
//   a fraction  -> {Syntax, "a fraction is exact already, not a rounded display"}
//   0.1(6), 0.333... -> {Syntax, "a recurring decimal is exact already, not a rounded display"}
//   1.5e3 -> the exponent refusal of exact::RoundedInterval, at the exponent's character
//   and whatever exact::Read refuses in the text.
exact::Result<std::string> RoundedAnswer(std::string_view text, const Options& options);

}  // namespace quotalis::cli
