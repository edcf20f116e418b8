// The command line's options, in one table, and its arguments read into
// them apart from running them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "answer/request.h"
#include "answer/sheet.h"
#include "cli/memory.h"

namespace quotalis::cli {

// One option: --help's list (cli/usage.h), the reading below and the bash
// completion's list (checked against --help by tests/completion_check.sh)
// are all made from this table.
struct OptionSpec {
  std::string_view name;  // "--period"; "-h" for the one short option
  bool takesValue = false;
  // How --help names it, and its help's lines (unindented), both marked for
  // the translators: "--period K, --period=K".
  std::string_view usage;
  std::string_view help;
  // The words completion offers for its value; for --notation, the
  // notations' names (answer/notations.h).
  std::vector<std::string_view> values;
  // Where --help lists it: with the options, or under "Rounded displays:".
  bool rounded = false;
};

// Every option, in the order --help lists them.
std::span<const OptionSpec> OptionTable();

// The option named `name` ("--period", "-h"), or none.
const OptionSpec* FindOption(std::string_view name);

// What the options ask; the entry is filled in for each line.
struct Options {
  std::int32_t period = 0;
  bool detail = false;
  bool json = false;
  bool explain = false;
  bool spoken = false;  // the working as it is read aloud
  bool mixed = false;
  bool rounded = false;
  bool check = false;  // --check: the working on standard input checked against the entry
  bool mark = false;   // --mark: the lines of standard input marked
  exact::Notation notation = exact::Notation::Parentheses;
  bool notationGiven = false;  // --notation was given, even as the default
  int base = 10;               // --base: the entry's digits, and a fraction's expansion
  int toBase = 0;
  bool binary64 = false;  // --double: the binary64 stored for the entry
  bool binary32 = false;  // --float: the binary32              // --to-base: the answer as an
                          // expansion in this base; 0: not asked
  std::optional<std::int64_t> maxDigits = answer::kDefaultMaxDigits;  // nothing: all digits
  MemoryBudget memory;
  std::optional<std::string> entry;  // nothing: read lines from standard input
  // --sheet: an exercise sheet instead of answers, made from these.
  bool sheet = false;
  bool document = false;  // the LaTeX written as a complete document
  std::optional<int> count;
  std::optional<std::uint64_t> seed;  // nothing: one chosen and printed on the sheet
  std::vector<answer::ExerciseKind> kinds;
  std::optional<int> difficulty;
};

// The request for `entry` with K = `period`, as `options` ask it answered:
// its form (--detail, --json, --explain or the value), the working as text,
// or as LaTeX with --notation latex, and the memory budget.
answer::Request RequestFor(const Options& options, std::string_view entry, std::int32_t period,
                           const words::Words& words);

// What a run does after reading its arguments.
struct Command {
  enum class Kind { Convert, Help, Version, Usage } kind = Kind::Convert;
  // For Usage, only `json` is set: whether --json was among the arguments,
  // so that the refusal comes as JSON too.
  Options options;
  // For Usage: what is wrong, one sentence with its blanks (exact::Problem's
  // format and args), kind Argument for a misused option, Syntax for a bad
  // K. Its arguments are option names and the user's own text (already made
  // safe to show), never words to translate: words::Say words it.
  exact::Problem problem;
};

// Reads the arguments after the program's name. Options may stand before or
// after the entry; "--" ends them. An argument that starts with "-" and then
// a digit, a point or a character outside ASCII is an entry, not an option
// (a negative number). A whole number followed by an argument holding "/"
// is read as one mixed number: {"1", "1/6"} is the entry "1 1/6".
//   {"--period", "1", "0.1666"} -> Convert, period 1, entry "0.1666"
//   {"--help"} -> Help       {"--foo"} -> Usage, "unknown option '--foo'"
Command ParseArguments(std::span<const std::string_view> args);

}  // namespace quotalis::cli
