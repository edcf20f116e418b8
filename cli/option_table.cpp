// The options' table: every option the command line takes, with its help.
#include <string_view>
#include <vector>

#include "answer/notations.h"
#include "cli/options.h"

namespace quotalis::cli {

namespace {

using words::N_;

std::vector<std::string_view> NotationNames() {
  std::vector<std::string_view> names;
  for (const answer::AnswerNotation& n : answer::AnswerNotations()) {
    names.push_back(exact::NotationName(n.notation));
  }
  return names;
}

const std::vector<OptionSpec>& Table() {
  static const std::vector<OptionSpec> table = {
      {"--period",
       true,
       N_("--period K, --period=K"),
       N_("the number of recurring digits of a plain decimal (default 0):\n"
          "--period 1 0.1666"),
       {},
       false},
      {"--notation", true, N_("--notation NAME"),
       N_("how decimals are written: parentheses (or parens, the\n"
          "default), brackets, quotes, r, dots, overline, ellipsis,\n"
          "latex, or keypad for what to type in the window and how many\n"
          "digits to mark (1/7 answers 0.142857 6): --notation dots 1/7"),
       NotationNames(), false},
      {"--base",
       true,
       N_("--base B"),
       N_("the base, 2 to 36, of the entry's digits, and of the expansion\n"
          "that answers a fraction; digits past 9 are letters, read in\n"
          "either case and written in lower case. A fraction's numerator\n"
          "and denominator are always in base 10. A subscript at the end\n"
          "of the entry names its base too (0.0(0011)\u2082 or 0.0(0011)_2);\n"
          "one that disagrees with --base is refused. --detail and\n"
          "--json count the lengths in base B, and --json adds \"base\"\n"
          "(left out for base 10): --base 2 '0.0(0011)' answers 1/10,\n"
          "--base 2 1/5 answers 0.(0011)"),
       {},
       false},
      {"--to-base",
       true,
       N_("--to-base B"),
       N_("answer the entry's value as an expansion in base B, 2 to 36,\n"
          "whatever the entry is (read in base 10, or in --base's or its\n"
          "subscript's base), as the information course writes 0.1 in\n"
          "binary: --to-base 2 0.1 answers 0.0(0011)"),
       {},
       false},
      {"--double",
       false,
       N_("--double"),
       N_("answer the IEEE 754 binary64 number (a double) that a computer\n"
          "stores for the entry: the nearest one, a tie to the even one,\n"
          "found exactly. The answer is its value as a fraction; with\n"
          "--detail, tab-separated: the value, the value as a decimal and\n"
          "in binary, the error (stored minus entry) as a fraction and a\n"
          "decimal, and the bits in hexadecimal; with --json, \"stored\",\n"
          "\"storedDecimal\", \"storedBinary\", \"storedError\", \"storedErrorDecimal\",\n"
          "\"sign\", \"exponentField\", \"exponent\", \"significand\",\n"
          "\"bits\", \"class\" and \"format\". An entry past the largest\n"
          "double answers infinity: --double 0.1 answers\n"
          "3602879701896397/36028797018963968"),
       {},
       false},
      {"--float",
       false,
       N_("--float"),
       N_("as --double, for the binary32 number (a float): --float 0.1\n"
          "answers 13421773/134217728"),
       {},
       false},
      {"--mixed",
       false,
       N_("--mixed"),
       N_("answer fractions as mixed numbers:\n"
          "--mixed '1.1(6)' answers 1 1/6"),
       {},
       false},
      {"--max-digits",
       true,
       N_("--max-digits N"),
       N_("write at most N digits of a period (and of a non-recurring\n"
          "part), default {1}, or all (up to {2}); a longer one\n"
          "is cut, and the answer says \"[cut: the period has L digits;\n"
          "the first N are shown]\": --max-digits 4 1/7"),
       {"all"},
       false},
      {"--max-memory",
       true,
       N_("--max-memory SIZE"),
       N_("the most memory one entry may take: bytes, or with K, M, G or\n"
          "T after the number (powers of 1024), or all for no limit;\n"
          "by default half of what the system has left. An entry that\n"
          "would take more is refused before it starts: --max-memory 1G"),
       {"all"},
       false},
      {"--detail",
       false,
       N_("--detail"),
       N_("answer three fields separated by tabs. For a decimal: the\n"
          "normalised entry (a plain one, as the window writes it back)\n"
          "or the canonical form, the fraction before reduction and the\n"
          "reduced fraction (for a zero entry: 0, 0/1 and 0/1). For a\n"
          "fraction: the decimal, the number of its non-recurring digits\n"
          "and of its period's digits: --detail 1/6 answers 0.1(6) 1 1"),
       {},
       false},
      {"--json",
       false,
       N_("--json"),
       N_("answer one JSON object per entry (fields below): --json '0.1(6)'"),
       {},
       false},
      {"--explain",
       false,
       N_("--explain"),
       N_("show the working as a teacher writes it, in your language:\n"
          "the two multiples of the decimal, the subtraction, the prime\n"
          "factors and the highest common factor; or the long division\n"
          "with its remainders. With --notation latex, one LaTeX\n"
          "fragment for a worksheet: --explain 1/6"),
       {},
       false},
      {"--check",
       false,
       N_("--check ENTRY"),
       N_("check a pupil's own working, read from standard input, one\n"
          "step a line, against the value of ENTRY: each line is marked\n"
          "○ right, × wrong, ? unreadable (with the character at fault),\n"
          "△ right but not in lowest terms, or left blank for words; the\n"
          "first wrong line's slip is named with the step to redo. The\n"
          "unknown is any one letter (x, ｘ); words around the equations\n"
          "(とおく, より, よって, ∴, 答え, Let, So...) are passed over.\n"
          "Exit status 0 when the working and its answer are right, 1\n"
          "when not: --check '0.1(6)' < working.txt"),
       {},
       false},
      {"--mark",
       false,
       N_("--mark"),
       N_("mark a class's answers, read from standard input, one a line:\n"
          "ENTRY = ANSWER, ENTRY<TAB>ANSWER or ENTRY,ANSWER, perhaps after\n"
          "a name column (NAME,ENTRY,ANSWER), fields perhaps in double\n"
          "quotes as a spreadsheet exports them. A first line whose ENTRY\n"
          "is not a number is a header and is skipped. Each answer gets ○\n"
          "or × and its slip; the last line is the tally (right, wrong,\n"
          "wrong by slip). With --json, one object a line and the tally\n"
          "as the last: printf '0.1(6),1/6\\n0.1(6),16/99\\n' | quotalis-cli --mark"),
       {},
       false},
      {"--spoken",
       false,
       N_("--spoken"),
       N_("with --explain, write the working as it is read aloud, a line\n"
          "of words a step with no notation characters, for a speech\n"
          "engine or a screen reader: --explain --spoken 1/6"),
       {},
       false},
      {"--sheet",
       false,
       N_("--sheet"),
       N_("write an exercise sheet as a LaTeX document for lualatex,\n"
          "A4, in your language: blanks for the class, number,\n"
          "name and date, the exercises numbered in columns with room to\n"
          "write, and the answer key from a new page; with --explain,\n"
          "each exercise's working in the key; with --json, the sheet as\n"
          "data: \"seed\", and \"exercises\", each with \"number\",\n"
          "\"kind\", \"question\", \"answer\" and \"fraction\":\n"
          "--sheet --seed 7 --count 30 > sheet.tex && lualatex sheet.tex"),
       {},
       false},
      {"--count",
       true,
       N_("--count N"),
       N_("with --sheet, the number of exercises, 1 to 200 (default\n"
          "20), shared out evenly over the kinds: --sheet --count 30"),
       {},
       false},
      {"--seed",
       true,
       N_("--seed S"),
       N_("with --sheet, the seed the exercises are drawn from, a whole\n"
          "number from 0 to 9007199254740991: the same seed, kinds,\n"
          "count and difficulty make the same sheet on every machine.\n"
          "Left out, one is chosen and printed on the sheet: --sheet --seed 7"),
       {},
       false},
      {"--kind",
       true,
       N_("--kind K"),
       N_("with --sheet, a kind of exercise, given once for each kind\n"
          "(default: all of them): pure (0.(3) to a fraction),\n"
          "pre-period (0.1(6)), whole (2.3(45)), to-decimal (1/7 to its\n"
          "decimal), mixed-number (2.(3) to 2 1/3), rounded (a\n"
          "calculator's 0.142857 to 1/7): --sheet --kind pure --kind rounded"),
       {"pure", "pre-period", "whole", "to-decimal", "mixed-number", "rounded"},
       false},
      {"--difficulty",
       true,
       N_("--difficulty N"),
       N_("with --sheet, 1 (periods of 1 or 2 digits, denominators up to\n"
          "20), 2 (the default: up to 3 digits, 50) or 3 (up to 6\n"
          "digits, 99): --sheet --difficulty 3"),
       {"1", "2", "3"},
       false},
      {"--document",
       false,
       N_("--document"),
       N_("write the LaTeX working as a complete document for lualatex\n"
          "(A4, Japanese through luatexja): --explain --notation latex\n"
          "--document 1/7 > seventh.tex"),
       {},
       false},
      {"--help", false, N_("-h, --help"), N_("print this help and exit"), {}, false},
      {"--version", false, N_("--version"), N_("print the version and exit"), {}, false},
      {"--",
       false,
       N_("--"),
       N_("end of the options: the next argument is the entry: -- -0.5"),
       {},
       false},
      {"--rounded",
       false,
       N_("--rounded"),
       N_("read the entry as a display rounded half up at its last digit,\n"
          "as a calculator or a spreadsheet shows a number, and answer\n"
          "the simplest fraction it may stand for: the one with the\n"
          "smallest denominator, then the smallest numerator, that rounds\n"
          "to the display. Those are the values from half a unit of that\n"
          "digit below the display, included, to half a unit above it,\n"
          "not included (a half rounds away from zero: 0.25 shows as\n"
          "0.3, so --rounded 0.2 answers 1/5); the other way round below\n"
          "zero, and neither end about zero. Trailing zeros count: 0.3\n"
          "answers 1/3, 0.30 answers 3/10. The entry is a\n"
          "plain decimal, perhaps signed, of up to {1} digits; an\n"
          "exponent must leave its last digit at the units or after the\n"
          "point. --period, and K on a line, are refused with it.\n"
          "--rounded 0.6666666667 answers 2/3, and --rounded 3.14159\n"
          "answers 355/113.\n"
          "With --detail it answers the two ends of the interval and\n"
          "the fraction; with --json, \"low\" and \"high\" (the ends, as\n"
          "decimals), \"fraction\", \"numerator\", \"denominator\", \"mixed\"\n"
          "and \"working\" as above; with --explain, the interval, each\n"
          "whole part both ends share taken off in turn (a continued\n"
          "fraction), the smallest whole number in the last range, and\n"
          "why no simpler fraction lies in the interval (neighbouring\n"
          "fractions)."),
       {},
       true},
  };
  return table;
}

}  // namespace

std::span<const OptionSpec> OptionTable() { return Table(); }

const OptionSpec* FindOption(std::string_view name) {
  if (name == "-h") name = "--help";
  for (const OptionSpec& option : Table()) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace quotalis::cli
