#include "cli/usage.h"

namespace quotalis::cli {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: quotalis-cli [--detail] [--period K] ENTRY
       quotalis-cli [--detail] [--period K] < LINES
Turns a decimal, possibly recurring, into a fraction in lowest terms.

ENTRY is a decimal as the Quotalis keypad builds it: digits and at most one
point, which may stand first or last, 10 characters at most (.5, 007, 12.34).
K is how many of its trailing digits recur; 0, the default, for a decimal that
ends: 0.16 with K = 1 stands for 0.1666... Like the window's scroll bar, the
program clamps K, however large, to the digits after the point of the
normalised entry: 0.50 with K = 2 is 0.5 with K = 1, and 1.0 with K = 1 is 1.

The answer is N/D, the fraction in lowest terms. A zero entry (0, 0., .0, 000)
answers 0/1.

Options:
  --period K, --period=K  the number of recurring digits (default 0)
  --detail      answer three fields separated by tabs: the normalised entry,
                the fraction before reduction and the reduced fraction
                (for a zero entry: 0, 0/1 and 0/1)
  -h, --help    print this help and exit
  --version     print the version and exit
  --            end of the options: the next argument is the entry

Without ENTRY the program reads lines "ENTRY [K]" from standard input and
answers each on its own line, in order. K on a line overrides --period;
--detail applies to every line. A line that cannot be converted, a blank one
included, is answered "error: REASON" and the lines after it go on.

Exit status: 0 when everything was converted; 1 when a line of standard input
failed, or reading or writing failed; 2 for a bad option, entry or K on the
command line, reported on standard error.

Examples:
  $ quotalis-cli .75
  3/4
  $ quotalis-cli --period 1 0.1666
  1/6
  $ quotalis-cli --detail .5
  0.5     5/10    1/2
  $ printf '0.5\n0.36 2\n.\n' | quotalis-cli
  1/2
  4/11
  error: the entry '.' is not a number: it holds no digit
)";

}  // namespace

std::string_view UsageText() { return kUsage; }

}  // namespace quotalis::cli
