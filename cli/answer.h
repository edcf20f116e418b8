// One entry answered: what a run writes for it, or why it cannot.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"

namespace quotalis::cli {

enum class Verdict {
  Converted,  // `text` is the answer
  BadInput,   // `text` says what is wrong with the entry or the line
  Failed,     // `text` says why an acceptable entry could not be converted
};

struct Answer {
  Verdict verdict = Verdict::Converted;
  std::string text;
};

// Answers `entry` with the last `period` digits recurring, as `options` ask.
//   ("0.1666", 1, {}) -> "1/6"   (".5", 0, detail) -> "0.5\t5/10\t1/2"
Answer AnswerEntry(std::string_view entry, std::int32_t period, const Options& options);

// Answers one line of standard input: "ENTRY [K]", blanks around and between
// the fields; K on the line takes the place of options.period.
//   "0.36 2" -> "4/11"   "" -> BadInput "the line is empty; give ENTRY [K]"
Answer AnswerLine(std::string_view line, const Options& options);

}  // namespace quotalis::cli
