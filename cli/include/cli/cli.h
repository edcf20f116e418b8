// The command line of the conversion engine, as a function that tests can run
// in-process: `quotalis-cli` itself only hands it its arguments and streams.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

#include "words/words.h"

namespace quotalis {

// Exit statuses of a run.
inline constexpr int kExitConverted = 0;  // every answer given
inline constexpr int kExitFailed = 1;     // a line of input failed, or reading or writing failed
inline constexpr int kExitUsage = 2;      // a bad option, entry or period on the command line

// Runs `quotalis-cli` with `args`, the arguments after the program's name.
//   {"0.5"}                      -> out "1/2\n", status 0
//   {"--period", "1", "0.1666"}  -> out "1/6\n", status 0
//   {"--detail", ".5"}           -> out "0.5\t5/10\t1/2\n", status 0
//   {"1.2.3"}                    -> one line on err, nothing on out, status 2
//   {} with in "0.5\n.\n"        -> out "1/2\nerror: ...\n", status 1 ("error:" in `words`)
//   {"--foo", "--json"}          -> out {"input":null,"error":...,"kind":"argument",...}, status 2
// `in` is read only when no entry is given; its lines may start with a
// byte-order mark, which is passed over, and lines whose first character
// other than blanks is '#' are comments, passed over too. When
// `inputIsTerminal`, a person is typing: a one-line hint on `err` says so
// before the lines are read. The usage text (--help) lists every option and
// the exit statuses. Messages, the usage text, the working and the words of
// an answer are in `words`' language; the answers themselves, the fields of
// --detail, the keys of --json and the exit statuses are not.
int RunCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
           std::ostream& err, const words::Words& words = words::EnglishWords(),
           bool inputIsTerminal = false);

}  // namespace quotalis
