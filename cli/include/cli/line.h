// A line of standard input, "ENTRY [K]", answered.
#pragma once

#include <optional>
#include <string_view>

#include "answer/answer.h"
#include "cli/options.h"

namespace quotalis::cli {

// Whether the line is a comment, to be passed over without an answer: its
// first character other than blanks is '#' (or the full-width U+FF03).
//   "# sums" -> true   "  #" -> true   "0.5 # half" -> false   "" -> false
// A line longer than kLongestLine (cli/lines.h) is none: AnswerLine refuses it.
bool IsCommentLine(std::string_view line);

// Answers one line: "ENTRY [K]", blanks (spaces, tabs, U+3000) around and
// between the fields; K on the line, in ASCII or full-width digits, takes
// the place of options.period. A line that holds a "/" is one fraction or
// mixed number, blanks inside and all. A CR at its end is dropped. An error
// about the line as a whole quotes the line. A line of more than
// kLongestLine bytes without that CR is refused as AnswerOverlongLine
// refuses it. `request` is the request of every line, its entry and K still
// to fill in.
//   "0.36 2" -> 4/11   "0.16\u30001" -> 1/6   "1 1/6" -> 1.1(6)
//   "" -> BadInput "'': the line is empty; give ENTRY [K]"
//   "0.5 x" -> BadInput "'0.5 x': the period K 'x' is not a whole number"
answer::Answer AnswerLine(std::string_view line, answer::Request request);

// The answer for a line longer than the limit of standard input, or (when
// `dropped`) one that the memory left could not hold:
// "the line is longer than 67108864 bytes".
answer::Answer AnswerOverlongLine(const answer::Request& request, bool dropped = false);

}  // namespace quotalis::cli
