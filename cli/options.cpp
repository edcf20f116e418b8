#include "cli/options.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

#include "cli/quote.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using words::N_;
using Problem = std::optional<exact::Problem>;

exact::Problem Misused(std::string_view format, std::vector<std::string> args = {}) {
  return exact::MakeProblem(exact::ProblemKind::Argument, format, std::move(args));
}

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

// `text` with its full-width digits and hyphen-minus (U+FF10 to U+FF19,
// U+FF0D: EF BC 90 to EF BC 99, EF BC 8D) as ASCII; every other byte as it is.
std::string AsciiDigits(std::string_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\xEF\xBC" && i + 2 < text.size()) {
      const auto last = static_cast<unsigned char>(text[i + 2]);
      if (last >= 0x90 && last <= 0x99) {
        ascii += static_cast<char>('0' + (last - 0x90));
        i += 2;
        continue;
      }
      if (last == 0x8D) {
        ascii += '-';
        i += 2;
        continue;
      }
    }
    ascii += text[i];
  }
  return ascii;
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
  // "parentheses, brackets, ..., latex" and "keypad": the names are what
  // the user types, the same in every language.
  std::string names;
  for (std::size_t i = 0; i + 1 < kAnswerNotations.size(); ++i) {
    names += i == 0 ? "" : ", ";
    names += exact::NotationName(kAnswerNotations[i]);
  }
  const std::string last(exact::NotationName(kAnswerNotations.back()));
  return Misused(named ? N_("the notation '{1}' cannot write an answer; give {2} or {3}")
                       : N_("unknown notation '{1}'; give {2} or {3}"),
                 {Shown(text), names, last});
}

Problem ParseMaxDigits(std::string_view text, std::optional<std::int64_t>& most) {
  if (text == "all") {
    most.reset();
    return std::nullopt;
  }
  const std::string ascii = AsciiDigits(text);
  if (!IsDigits(ascii)) {
    return Misused(N_("--max-digits takes a whole number or 'all', not '{1}'"), {Shown(text)});
  }
  const auto value = ClampedValue<std::int64_t>(ascii, std::numeric_limits<std::int64_t>::max());
  if (value == 0) return Misused(N_("--max-digits must be 1 or more"));
  most = value;
  return std::nullopt;
}

Command Fail(exact::Problem problem) { return {Command::Kind::Usage, {}, std::move(problem)}; }

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

bool TakesValue(std::string_view name) {
  return name == "--period" || name == "--notation" || name == "--max-digits" ||
         name == "--max-memory";
}

// Options that take no value, and the flag each sets.
bool Options::*FlagNamed(std::string_view name) {
  if (name == "--detail") return &Options::detail;
  if (name == "--json") return &Options::json;
  if (name == "--explain") return &Options::explain;
  if (name == "--mixed") return &Options::mixed;
  if (name == "--rounded") return &Options::rounded;
  return nullptr;
}

Problem Conflicts(const Options& options) {
  const auto together = [](std::string_view a, std::string_view b) {
    return Misused(N_("{1} and {2} cannot be given together"), {std::string(a), std::string(b)});
  };
  if (options.detail && options.json) return together("--detail", "--json");
  if (options.detail && options.explain) return together("--detail", "--explain");
  return std::nullopt;
}

// Whether --json stands among the options, wherever it is: a refused
// command line still answers as the script asked.
bool AsksForJson(std::span<const std::string_view> args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--") return false;
    if (arg == "--json") return true;
    if (TakesValue(arg)) ++i;  // its value, whatever it looks like
  }
  return false;
}

Command Parse(std::span<const std::string_view> args) {
  Command command;
  Options& options = command.options;
  bool optionsEnded = false;
  bool periodGiven = false;
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
        return Fail(Misused(N_("too many arguments: '{1}' after the entry"), {Shown(arg)}));
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
    if (TakesValue(name)) {
      std::string_view value;
      if (hasValue) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Fail(Misused(N_("the option {1} needs a value"), {std::string(name)}));
      }
      Problem problem;
      if (name == "--period") {
        problem = ParsePeriod(value, options.period);
        periodGiven = true;
      } else if (name == "--notation") {
        problem = ParseNotation(value, options.notation);
      } else if (name == "--max-memory") {
        problem = ParseMemorySize(value, options.memory);
      } else {
        problem = ParseMaxDigits(value, options.maxDigits);
      }
      if (problem) return Fail(std::move(*problem));
    } else if (bool Options::*flag = FlagNamed(name)) {
      if (hasValue) return Fail(Misused(N_("the option {1} takes no value"), {std::string(name)}));
      options.*flag = true;
    } else if (name == "--help" || name == "--version") {
      if (hasValue) return Fail(Misused(N_("the option {1} takes no value"), {std::string(name)}));
      return {name == "--help" ? Command::Kind::Help : Command::Kind::Version, {}, {}};
    } else if (arg == "-h") {
      return {Command::Kind::Help, {}, {}};
    } else {
      return Fail(Misused(N_("unknown option '{1}'"), {Shown(arg)}));
    }
  }
  if (Problem problem = Conflicts(options)) return Fail(std::move(*problem));
  // A rounded display has no recurring digits to count.
  if (options.rounded && periodGiven) {
    return Fail(Misused(N_("{1} and {2} cannot be given together"), {"--period", "--rounded"}));
  }
  return command;
}

}  // namespace

Problem ParsePeriod(std::string_view text, std::int32_t& period) {
  const auto refused = [text](std::string_view format) {
    return exact::MakeProblem(exact::ProblemKind::Syntax, format, {Shown(text)});
  };
  if (text.empty()) {
    return refused(N_("the period K is empty; give the number of recurring digits"));
  }
  const std::string ascii = AsciiDigits(text);
  if (ascii.front() == '-' && IsDigits(std::string_view(ascii).substr(1))) {
    return refused(N_("the period K '{1}' is negative; give 0 or more"));
  }
  if (!IsDigits(ascii)) return refused(N_("the period K '{1}' is not a whole number"));
  period = ClampedValue<std::int32_t>(ascii, std::numeric_limits<std::int32_t>::max());
  return std::nullopt;
}

Command ParseArguments(std::span<const std::string_view> args) {
  Command command = Parse(args);
  if (command.kind == Command::Kind::Usage) command.options.json = AsksForJson(args);
  return command;
}

}  // namespace quotalis::cli
