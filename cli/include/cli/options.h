// The command line's arguments, read apart from running them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "cli/memory.h"
#include "words/words.h"

namespace quotalis::cli {

// The default of --max-digits: periods longer than this are cut.
inline constexpr std::int64_t kDefaultMaxDigits = 1'000'000;

struct Options {
  std::int32_t period = 0;  // K, the trailing digits of a keypad entry that recur
  bool detail = false;
  bool json = false;
  bool explain = false;
  bool mixed = false;
  // The entry is a display rounded at its last digit: answer the simplest
  // fraction within half a unit of it (cli/rounded.h).
  bool rounded = false;
  // How decimals are written; Keypad: what to type in the window and how
  // many digits to mark (see cli/keypad.h).
  exact::Notation notation = exact::Notation::Parentheses;
  std::optional<std::int64_t> maxDigits = kDefaultMaxDigits;  // nothing: all digits
  // With `explain`, the working as MathML blocks (explain/mathml.h) instead
  // of text or LaTeX: for the web page, which sets it; no option does.
  bool mathml = false;
  // The memory one entry may take; more is refused before it is taken.
  MemoryBudget memory;
  std::optional<std::string> entry;  // nothing: read lines from standard input
  // Called before an entry's long work starts (one that may take more than
  // a few MiB), so that the answers before it are passed on first.
  std::function<void()> beforeLongWork;
  // The language of the answers' words and of the refusals; never of the
  // answers themselves, --detail's fields or --json's keys.
  const words::Words* words = &words::EnglishWords();
};

// What a run does after reading its arguments.
struct Command {
  enum class Kind { Convert, Help, Version, Usage } kind = Kind::Convert;
  // For Usage, only `json` is set: whether --json was among the arguments,
  // so that the refusal comes as JSON too.
  Options options;
  // For Usage: what is wrong, one sentence with its blanks (exact::Problem's
  // format and args), kind Argument for a misused option, Syntax for a bad
  // K. Its arguments are option names and the user's own text (already made
  // safe to show), never words to translate: explain::Say words it.
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

// Reads K: digits only, ASCII or full-width (U+FF10 to U+FF19, as a Japanese
// input method types them), any number of them; a value past the 32-bit
// range is held as the largest one (K is clamped to the digits after the
// point anyway). Gives the problem (kind Syntax, its arguments the user's
// text as Shown) when `text` is not such a K.
//   "007" -> 7   "１２" -> 12   "99999999999" -> 2147483647
//   "-1" -> "the period K '-1' is negative; give 0 or more"
std::optional<exact::Problem> ParsePeriod(std::string_view text, std::int32_t& period);

}  // namespace quotalis::cli
