// --check and --mark: standard input read into the answer library's check,
// and its verdicts printed.
#pragma once

#include <iosfwd>

#include "cli/options.h"
#include "words/words.h"

namespace quotalis::cli {

// The working on `in` checked against the options' entry: 0 when the working
// and its answer are right, 1 when not (or reading or writing failed), 2 for
// an entry that cannot be read.
int RunCheck(const Options& options, const words::Words& words, std::istream& in, std::ostream& out,
             std::ostream& err);

// The answers on `in` marked, then the tally: 0 when every line was marked,
// 1 when a line's entry could not be read (or reading or writing failed).
int RunMark(const Options& options, const words::Words& words, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace quotalis::cli
