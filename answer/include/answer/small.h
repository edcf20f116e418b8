// The fast path of a batch: a small decimal answered in machine words, with
// no number built and no memory taken but the output's.
#pragma once

#include <string>
#include <string_view>

#include "answer/request.h"

namespace quotalis::answer {

// Whether AnswerSmall may answer under `request`: the value alone is asked
// for (perhaps as a mixed number), no working, not a rounded display, in
// base 10 both ways (a subscript on a line is no small decimal).
bool AnswersSmall(const Request& request);

// For `entry` a small decimal (exact::ReadSmall, within
// exact::ToWordFraction's bounds), blanks and a CR around it allowed, K taken
// from the request: appends what WriteValue writes for AnswerEntry's answer,
// then '\n', to `out`, and returns true. Returns false, appending nothing,
// for every other entry, which AnswerEntry then answers or refuses, and for
// every entry under a memory limit that no answer falls under. A few
// hundred nanoseconds.
//   "12.34(567)" -> "45679/3700\n"   " 0.5\r" -> "1/2\n"   "0.1666", K 1 -> "1/6\n"
//   "0.5 1", "1/7", "0.1e3", "#", "" -> false
bool AnswerSmall(std::string_view entry, const Request& request, std::string& out);

}  // namespace quotalis::answer
