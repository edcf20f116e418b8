#include "cli/usage.h"

#include <array>
#include <string>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/rounded.h>

#include "cli/lines.h"
#include "cli/options.h"

namespace quotalis::cli {

namespace {

using words::N_;

// The text in paragraphs, each one translated whole; {1}, {2} are the limits,
// filled in after the translation from the constants that enforce them.
struct Paragraph {
  std::string_view english;
  std::vector<std::string> args;
};

std::vector<Paragraph> Paragraphs() {
  return {
      {N_(R"(Usage: quotalis-cli [--detail] [--period K] ENTRY
       quotalis-cli [OPTIONS] ENTRY
       quotalis-cli [OPTIONS] < LINES
Turns a decimal, possibly recurring, into a fraction in lowest terms, and a
fraction into its recurring decimal, exactly, at any length.
)"),
       {}},
      {N_(R"(ENTRY is one of:
  a plain decimal, as the Quotalis keypad builds it or longer, perhaps signed:
    .5, 007, 12.34, -0.1666; with --period K its last K digits recur
  a decimal in a notation that marks its recurring digits:
    0.1(6)  0.1[6]  0.1'6'  1.234r56  0.16̇ or 0.1̇42857̇ (U+0307 dots over the
    first and last recurring digit)  0.16̅ (U+0305 after each recurring digit)
    0.166..., 0.1666・・・ or 0.142857142857… (the shortest block written at
    least twice at the end recurs; one digit only when no longer block is)
  any of these with a sign (+, -, U+2212) and an exponent: -1.2(3)e-5
  a fraction or a mixed number: 3/4, -1/7, "1 1/6"; or 1÷7 (U+00F7)
Full-width digits, point, parentheses, signs and slash read as their ASCII
forms (０．１（６）), and blanks at either end are ignored.
)"),
       {}},
      {N_(R"(A decimal answers its fraction in lowest terms, N/D. A fraction answers its
decimal in canonical form: the shortest non-recurring part, then the shortest
period (1/6 is 0.1(6), 1/7 is 0.(142857), 0.(9) is 1).
)"),
       {}},
      {N_(R"(K, for a plain decimal only, is how many of its trailing digits recur; 0, the
default, for a decimal that ends: 0.16 with K = 1 stands for 0.1666... Like
the window's scroll bar, the program clamps K, however large, to the digits
after the point of the normalised entry: 0.50 with K = 2 is 0.5 with K = 1,
and 1.0 with K = 1 is 1. A zero entry (0, 0., .0, 000) answers 0/1.
)"),
       {}},
      {N_(R"(Options:
  --period K, --period=K
                the number of recurring digits of a plain decimal (default 0):
                --period 1 0.1666
  --notation NAME
                how decimals are written: parentheses (or parens, the
                default), brackets, quotes, r, dots, overline, ellipsis,
                latex, or keypad for what to type in the window and how many
                digits to mark (1/7 answers 0.142857 6): --notation dots 1/7
  --mixed       answer fractions as mixed numbers:
                --mixed '1.1(6)' answers 1 1/6
  --max-digits N
                write at most N digits of a period (and of a non-recurring
                part), default {1}, or all (up to {2}); a longer one
                is cut, and the answer says "[cut: the period has L digits;
                the first N are shown]": --max-digits 4 1/7
  --max-memory SIZE
                the most memory one entry may take: bytes, or with K, M, G or
                T after the number (powers of 1024), or all for no limit;
                by default half of what the system has left. An entry that
                would take more is refused before it starts: --max-memory 1G
  --detail      answer three fields separated by tabs. For a decimal: the
                normalised entry (a plain one, as the window writes it back)
                or the canonical form, the fraction before reduction and the
                reduced fraction (for a zero entry: 0, 0/1 and 0/1). For a
                fraction: the decimal, the number of its non-recurring digits
                and of its period's digits: --detail 1/6 answers 0.1(6) 1 1
  --json        answer one JSON object per entry (fields below): --json '0.1(6)'
  --explain     show the working as a teacher writes it, in your language:
                the two multiples of the decimal, the subtraction, the prime
                factors and the highest common factor; or the long division
                with its remainders. With --notation latex, one LaTeX
                fragment for a worksheet: --explain 1/6
  -h, --help    print this help and exit
  --version     print the version and exit
  --            end of the options: the next argument is the entry: -- -0.5
)"),
       {std::to_string(kDefaultMaxDigits), std::to_string(exact::kMaxExpansionDigits)}},
      {N_(R"(The fields of --json: "input" (the entry), "reading" (how it was written:
plain, parentheses, brackets, quotes, dots, overline, r, ellipsis, fraction or
mixed), "decimal" (for a plain decimal without K the normalised entry,
otherwise the canonical decimal in the --notation), "unreduced" (a decimal's
fraction before reduction), "fraction" (in lowest terms), "numerator" and
"denominator" (its terms, as strings of digits so that no digit is lost),
"mixed" (with --mixed), "nonRecurring" and "period" (the numbers of digits of
the non-recurring part and of the period; "period" is null, and
"periodAbove" {1}, when the period is longer than {1} digits
and not counted), "cut" (true when --max-digits cut the decimal) and, with
--explain, "working" (its lines). A refused entry gives
{"input", "error", "kind", "position"}: "kind" names the fault for a program
to act on (empty, encoding, character, syntax, zero-denominator, too-large,
argument or unwritable), "position" is the character the error concerns (0
for none). A bad option gives the same object, "input" null, "kind" argument
(syntax for a bad K).
)"),
       {std::to_string(exact::kMaxExpansionDigits)}},
      {N_(R"(Rounded displays:
  --rounded     read the entry as a display rounded at its last digit, as a
                calculator or a spreadsheet shows a number, and answer the
                simplest fraction it may stand for: the one with the smallest
                denominator, then the smallest numerator, that lies within
                half a unit of that digit, both ends included. Trailing zeros
                count: 0.3 answers 1/3, 0.30 answers 3/10. The entry is a
                plain decimal, perhaps signed, of up to {1} digits; an
                exponent must leave its last digit at the units or after the
                point. --period, and K on a line, are refused with it.
                --rounded 0.6666666667 answers 2/3, and --rounded 3.14159
                answers 355/113.
                With --detail it answers the two ends of the interval and
                the fraction; with --json, "low" and "high" (the ends, as
                decimals), "fraction", "numerator", "denominator", "mixed"
                and "working" as above; with --explain, the interval, each
                whole part both ends share taken off in turn, the smallest
                whole number in the last range, and why no simpler fraction
                lies in the interval.
)"),
       {std::to_string(exact::kMaxRoundedDigits)}},
      {N_(R"(Without ENTRY the program reads lines "ENTRY [K]" from standard input and
answers each on its own line, in order (with --explain, each working is
followed by a blank line). K on a line overrides --period; the other options
apply to every line. ENTRY and K are separated by blanks (spaces, tabs or
U+3000, the ideographic space), and K may be in full-width digits. A line
holding "/" is one fraction or mixed number. A line whose first character
other than blanks is "#" is a comment and gets no answer; a byte-order mark
(U+FEFF) at the start of the input is skipped. A line that cannot be
converted, a blank one included, is answered "error: REASON", quoting the
line or its entry (with --json, its object), and the lines after it go on. A
line may be up to {1} MiB long, in bytes, its line end not counted; a longer
one is refused without being kept.
)"),
       {std::to_string(kLongestLine >> 20)}},
      {N_(R"(Limits: a value is refused at once when the numerator or the denominator
of its shortest form would have more than {1} digits, whatever
notation it is written in (1e999999999; 0.1e10000000 is accepted,
10^9999999; zero always is). A fraction's terms count as written, leading
zeros aside. A period is written up to --max-digits digits; its length is
always given, or said to be more than {1} digits. The keypad form
ignores --max-digits: the keypad holds at most 10 characters. An entry that
would take more memory than --max-memory allows is refused before any is
taken, and one that runs out of memory all the same is answered as an error:
the lines after it go on, and the answers before it are already written.
)"),
       {std::to_string(exact::kMaxTermDigits)}},
      {N_(R"(Exit status: 0 when everything was converted; 1 when a line of standard input
failed, an answer cannot be given (--notation keypad for a value the keypad
cannot type, or too little memory, for instance), or reading or writing
failed; 2 for a bad option, entry or K on the command line, reported on
standard error (with --json, as its object on standard output).
)"),
       {}},
      {N_(R"(Messages and this help are in the language the locale asks for (LANGUAGE,
LC_ALL, LC_MESSAGES, LANG): LANGUAGE=ja for Japanese. So is the note after a
cut decimal, but in the fields of --detail and --json. The answers, the
fields of --detail, the keys and values of --json (all but "error" and
"working") and the exit statuses are the same in every language.
)"),
       {}},
      {N_(R"(Examples:
  $ quotalis-cli .75
  3/4
  $ quotalis-cli --period 1 0.1666
  1/6
  $ quotalis-cli '0.1(6)'
  1/6
  $ quotalis-cli 1/7
  0.(142857)
  $ quotalis-cli --notation keypad 1/6
  0.16 1
  $ quotalis-cli --mixed '1.1(6)'
  1 1/6
  $ quotalis-cli --detail .5
  0.5     5/10    1/2
  $ printf '0.5\n0.36 2\n.\n' | quotalis-cli
  1/2
  4/11
  error: '.': the point at character 1 has no digits on either side
)"),
       {}},
  };
}

}  // namespace

std::string UsageText(const words::Words& words) {
  std::string text;
  for (const Paragraph& paragraph : Paragraphs()) {
    if (!text.empty()) text += '\n';
    text += Say(words, paragraph.english, paragraph.args);
  }
  return text;
}

}  // namespace quotalis::cli
