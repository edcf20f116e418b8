// One entry answered: what a run writes for it, or why it cannot.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/options.h"

namespace quotalis::cli {

enum class Verdict {
  Converted,  // `text` is the answer
  BadInput,   // `text` says what is wrong with the entry or the line
  Failed,     // `text` says why the answer asked for cannot be given
};

// `text` is one line, or with --explain several lines each ending in '\n'
// but the last; with --json it is the whole object, for an error as well.
struct Answer {
  Verdict verdict = Verdict::Converted;
  std::string text;
};

// Answers `entry` with K = `period` (for a plain decimal), as `options` ask.
//   ("0.1666", 1, {}) -> "1/6"   (".5", 0, detail) -> "0.5\t5/10\t1/2"
//   ("1/7", 0, {}) -> "0.(142857)"   ("1/6", 0, detail) -> "0.1(6)\t1\t1"
Answer AnswerEntry(std::string_view entry, std::int32_t period, const Options& options);

// The working of `entry` as MathML, read and answered as AnswerEntry reads
// and answers it with --explain: `text` the blocks (explain/mathml.h) joined
// by '\n', one a line of the text working (the equations of an aligned group
// and the rows of a long division one block together); a refusal as
// AnswerEntry words it. Options::json and detail are not looked at.
Answer WorkingMathml(std::string_view entry, std::int32_t period, const Options& options);

// Whether the line is a comment, to be passed over without an answer: its
// first character other than blanks is '#' (or the full-width U+FF03).
//   "# sums" -> true   "  #" -> true   "0.5 # half" -> false   "" -> false
// A line longer than kLongestLine (cli/lines.h) is none: AnswerLine refuses it.
bool IsCommentLine(std::string_view line);

// Answers one line of standard input: "ENTRY [K]", blanks (spaces, tabs,
// U+3000) around and between the fields; K on the line, in ASCII or
// full-width digits, takes the place of options.period. A line that holds a
// "/" is one fraction or mixed number, blanks inside and all. A CR at its
// end is dropped. An error about the line as a whole quotes the line. A line
// of more than kLongestLine bytes without that CR is refused as
// AnswerOverlongLine refuses it.
//   "0.36 2" -> "4/11"   "0.16\u30001" -> "1/6"   "1 1/6" -> "1.1(6)"
//   "" -> BadInput "'': the line is empty; give ENTRY [K]"
//   "0.5 x" -> BadInput "'0.5 x': the period K 'x' is not a whole number"
Answer AnswerLine(std::string_view line, const Options& options);

// The answer for a line longer than the limit of standard input:
// "the line is longer than 67108864 bytes".
Answer AnswerOverlongLine(const Options& options);

// The refusal of a bad command line (Command::problem): the sentence and
// "(see quotalis-cli --help)" in the user's words, or with --json its object,
// "input" null.
Answer AnswerUsageProblem(const exact::Problem& problem, const Options& options);

}  // namespace quotalis::cli
