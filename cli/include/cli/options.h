// The command line's arguments, read apart from running them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <quotalis/exact/notation.h>

#include "explain/words.h"

namespace quotalis::cli {

// The default of --max-digits: periods longer than this are cut.
inline constexpr std::int64_t kDefaultMaxDigits = 1'000'000;

struct Options {
  std::int32_t period = 0;  // K, the trailing digits of a keypad entry that recur
  bool detail = false;
  bool json = false;
  bool explain = false;
  bool mixed = false;
  // How decimals are written; Keypad: what to type in the window and how
  // many digits to mark (see cli/keypad.h).
  exact::Notation notation = exact::Notation::Parentheses;
  std::optional<std::int64_t> maxDigits = kDefaultMaxDigits;  // nothing: all digits
  std::optional<std::string> entry;  // nothing: read lines from standard input
  // The language of the answers' words and of the refusals; never of the
  // answers themselves, --detail's fields or --json's keys.
  const explain::Words* words = &explain::EnglishWords();
};

// What a run does after reading its arguments.
struct Command {
  enum class Kind { Convert, Help, Version, Usage } kind = Kind::Convert;
  Options options;
  std::string problem;  // for Usage: one line, naming what is wrong
};

// Reads the arguments after the program's name. Options may stand before or
// after the entry; "--" ends them. An argument that starts with "-" and then
// a digit, a point or a character outside ASCII is an entry, not an option
// (a negative number). A whole number followed by an argument holding "/"
// is read as one mixed number: {"1", "1/6"} is the entry "1 1/6".
//   {"--period", "1", "0.1666"} -> Convert, period 1, entry "0.1666"
//   {"--help"} -> Help       {"--foo"} -> Usage, "unknown option '--foo' ..."
Command ParseArguments(std::span<const std::string_view> args);

// Reads K: digits only, any number of them; a value past the 32-bit range is
// held as the largest one (K is clamped to the digits after the point anyway).
// Gives the problem in words when `text` is not such a K.
//   "007" -> 7   "99999999999" -> 2147483647   "-1" -> "... is negative ..."
std::optional<std::string> ParsePeriod(std::string_view text, std::int32_t& period);

}  // namespace quotalis::cli
