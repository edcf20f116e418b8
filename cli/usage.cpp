#include "cli/usage.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/utf8.h>

#include "answer/request.h"
#include "cli/lines.h"
#include "cli/options.h"

namespace quotalis::cli {

namespace {

using words::N_;

// Where the lists of options made from the table stand among the paragraphs.
constexpr std::string_view kOptionList = "<options>";
constexpr std::string_view kRoundedList = "<rounded>";

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
      {kOptionList, {}},
      {N_(R"(The fields of --json: "input" (the entry), "reading" (how it was written:
plain, parentheses, brackets, quotes, dots, overline, r, ellipsis, fraction or
mixed), "decimal" (for a plain decimal without K the normalised entry,
otherwise the canonical decimal in the --notation), "unreduced" (a decimal's
fraction before reduction), "fraction" (in lowest terms), "numerator" and
"denominator" (its terms, as strings of digits so that no digit is lost),
"mixed" (with --mixed), "nonRecurring" and "period" (the numbers of digits of
the non-recurring part and of the period; a period longer than 2^53 - 1 digits
as a string of digits, which JavaScript and jq read without rounding;
"period" is null, and "periodAbove" {1}, when the period is longer
than {1} digits and not counted), "cut" (true when --max-digits cut the decimal) and, with
--explain, "working" (its lines). A refused entry gives
{"input", "error", "kind", "position"}: "kind" names the fault for a program
to act on (empty, encoding, character, syntax, zero-denominator, too-large,
argument or unwritable), "position" is the character the error concerns (0
for none). A bad option gives the same object, "input" null, "kind" argument
(syntax for a bad K).
)"),
       {std::to_string(exact::kMaxExpansionDigits)}},
      {kRoundedList, {}},
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

// The columns a text takes on a terminal: the wide characters of East Asian
// scripts two, the others one.
std::size_t Width(std::string_view text) {
  std::size_t width = 0;
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    const char32_t u = c ? c->value : 0;
    width += (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                     (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                     (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6)
                 ? 2
                 : 1;
    text.remove_prefix(c ? c->length : 1);
  }
  return width;
}

// The limits an option's help states, from the constants that enforce them.
std::vector<std::string> HelpArgs(std::string_view option) {
  if (option == "--max-digits") {
    return {std::to_string(answer::kDefaultMaxDigits), std::to_string(exact::kMaxExpansionDigits)};
  }
  if (option == "--rounded") return {std::to_string(exact::kMaxRoundedDigits)};
  return {};
}

// The options of one list: a heading, then each option two spaces in, its
// help starting at column 16 on the same line when the option's usage leaves
// room for it, on the next line otherwise, and its further lines beneath.
std::string OptionList(std::string_view heading, bool rounded, const words::Words& words) {
  constexpr std::size_t kHelpColumn = 16;
  std::string text = words.Translate(heading) + "\n";
  for (const OptionSpec& option : OptionTable()) {
    if (option.rounded != rounded) continue;
    const std::string usage = words.Translate(option.usage);
    const std::string help = Say(words, option.help, HelpArgs(option.name));
    text += "  " + usage;
    std::size_t column = 2 + Width(usage);
    std::size_t from = 0;
    while (from <= help.size()) {
      const std::size_t end = std::min(help.find('\n', from), help.size());
      if (column + 2 > kHelpColumn) {
        text += '\n';
        column = 0;
      }
      text += std::string(kHelpColumn - column, ' ') + help.substr(from, end - from) + "\n";
      column = 0;
      from = end + 1;
    }
  }
  return text;
}

}  // namespace

std::string UsageText(const words::Words& words) {
  std::string text;
  for (const Paragraph& paragraph : Paragraphs()) {
    if (!text.empty()) text += '\n';
    if (paragraph.english == kOptionList) {
      text += OptionList(N_("Options:"), false, words);
    } else if (paragraph.english == kRoundedList) {
      text += OptionList(N_("Rounded displays:"), true, words);
    } else {
      text += Say(words, paragraph.english, paragraph.args);
    }
  }
  return text;
}

}  // namespace quotalis::cli
