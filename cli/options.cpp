#include "cli/options.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <utility>

#include "cli/quote.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using Problem = std::optional<std::string>;

// Digits to a number, a value past `most` held as `most`. Precondition: IsDigits(text).
template <class Int>
Int ClampedValue(std::string_view text, Int most) {
  Int value = 0;
  for (const char c : text) {
    const Int digit = static_cast<Int>(c - '0');
    if (value > (most - digit) / 10) return most;
    value = static_cast<Int>(value * 10 + digit);
  }
  return value;
}

// The notations an answer can be written in, as --help lists them.
constexpr std::array kAnswerNotations = {
    exact::Notation::Parentheses, exact::Notation::Brackets, exact::Notation::Quotes,
    exact::Notation::R,           exact::Notation::Dots,     exact::Notation::Overline,
    exact::Notation::Ellipsis,    exact::Notation::Latex,    exact::Notation::Keypad,
};

Problem ParseNotation(std::string_view text, exact::Notation& notation) {
  const std::optional<exact::Notation> named = exact::NotationNamed(text);
  if (named && std::find(kAnswerNotations.begin(), kAnswerNotations.end(), *named) !=
                   kAnswerNotations.end()) {
    notation = *named;
    return std::nullopt;
  }
  std::string names;
  for (std::size_t i = 0; i < kAnswerNotations.size(); ++i) {
    names += i == 0 ? "" : i + 1 == kAnswerNotations.size() ? " or " : ", ";
    names += exact::NotationName(kAnswerNotations[i]);
  }
  return (named ? "the notation " + ("'" + Shown(text) + "'") + " cannot write an answer"
                : "unknown notation " + ("'" + Shown(text) + "'")) +
         "; give " + names;
}

Problem ParseMaxDigits(std::string_view text, std::optional<std::int64_t>& most) {
  if (text == "all") {
    most.reset();
    return std::nullopt;
  }
  if (!IsDigits(text)) {
    return "--max-digits takes a whole number or 'all', not " + ("'" + Shown(text) + "'");
  }
  const auto value = ClampedValue(text, std::numeric_limits<std::int64_t>::max());
  if (value == 0) return "--max-digits must be 1 or more";
  most = value;
  return std::nullopt;
}

Command Fail(std::string problem) {
  return {Command::Kind::Usage, {}, std::move(problem) + " (see quotalis-cli --help)"};
}

// A negative number given as the entry is taken as the entry, not as an
// option, so that it converts.
bool LooksLikeOption(std::string_view arg) {
  if (arg.size() < 2 || arg.front() != '-') return false;
  const auto second = static_cast<unsigned char>(arg[1]);
  return !IsDigit(arg[1]) && second != '.' && second < 0x80;
}

// Whether `arg` is the whole number of a mixed number: [sign] digits.
bool IsWholePart(std::string_view arg) {
  if (!arg.empty() && (arg.front() == '-' || arg.front() == '+')) arg.remove_prefix(1);
  return IsDigits(arg);
}

// Options that take no value, and the flag each sets.
bool Options::*FlagNamed(std::string_view name) {
  if (name == "--detail") return &Options::detail;
  if (name == "--json") return &Options::json;
  if (name == "--explain") return &Options::explain;
  if (name == "--mixed") return &Options::mixed;
  return nullptr;
}

Problem Conflicts(const Options& options) {
  if (options.detail && options.json) return "--detail and --json cannot be given together";
  if (options.detail && options.explain) return "--detail and --explain cannot be given together";
  return std::nullopt;
}

}  // namespace

Problem ParsePeriod(std::string_view text, std::int32_t& period) {
  if (text.empty()) return "the period K is empty; give the number of recurring digits";
  if (text.front() == '-' && IsDigits(text.substr(1))) {
    return "the period K " + ("'" + Shown(text) + "'") + " is negative; give 0 or more";
  }
  if (!IsDigits(text))
    return "the period K " + ("'" + Shown(text) + "'") + " is not a whole number";
  period = ClampedValue(text, std::numeric_limits<std::int32_t>::max());
  return std::nullopt;
}

Command ParseArguments(std::span<const std::string_view> args) {
  Command command;
  Options& options = command.options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !LooksLikeOption(arg)) {
      if (!options.entry) {
        options.entry = std::string(arg);
      } else if (IsWholePart(*options.entry) && arg.find('/') != std::string_view::npos &&
                 options.entry->find(' ') == std::string::npos) {
        *options.entry += ' ';
        *options.entry += arg;
      } else {
        return Fail("too many arguments: " + ("'" + Shown(arg) + "'") + " after the entry");
      }
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    if (name == "--period" || name == "--notation" || name == "--max-digits") {
      std::string_view value;
      if (hasValue) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Fail("the option " + std::string(name) + " needs a value");
      }
      Problem problem;
      if (name == "--period") {
        problem = ParsePeriod(value, options.period);
      } else if (name == "--notation") {
        problem = ParseNotation(value, options.notation);
      } else {
        problem = ParseMaxDigits(value, options.maxDigits);
      }
      if (problem) return Fail(*problem);
    } else if (bool Options::*flag = FlagNamed(name)) {
      if (hasValue) return Fail("the option " + std::string(name) + " takes no value");
      options.*flag = true;
    } else if (name == "--help" || name == "--version") {
      if (hasValue) return Fail("the option " + std::string(name) + " takes no value");
      return {name == "--help" ? Command::Kind::Help : Command::Kind::Version, {}, {}};
    } else if (arg == "-h") {
      return {Command::Kind::Help, {}, {}};
    } else {
      return Fail("unknown option " + ("'" + Shown(arg) + "'"));
    }
  }
  if (Problem problem = Conflicts(options)) return Fail(*problem);
  return command;
}

}  // namespace quotalis::cli
