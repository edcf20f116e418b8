#include "cli/options.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include <quotalis/exact/text.h>

#include "answer/entry.h"
#include "answer/notations.h"
#include "answer/quote.h"

namespace quotalis::cli {

namespace {

using answer::Shown;
using words::N_;
using Problem = std::optional<exact::Problem>;

exact::Problem Misused(std::string_view format, std::vector<std::string> args = {}) {
  return exact::MakeProblem(exact::ProblemKind::Argument, format, std::move(args));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

Problem ParseNotation(std::string_view text, exact::Notation& notation) {
  exact::Result<exact::Notation> named = answer::NotationForAnswers(text);
  if (auto* problem = std::get_if<exact::Problem>(&named)) return std::move(*problem);
  notation = std::get<exact::Notation>(named);
  return std::nullopt;
}

Problem ParseMaxDigits(std::string_view text, std::optional<std::int64_t>& most) {
  if (text == "all") {
    most.reset();
    return std::nullopt;
  }
  const std::string ascii = exact::AsciiText(text);
  if (!IsDigits(ascii)) {
    return Misused(N_("--max-digits takes a whole number or 'all', not '{1}'"), {Shown(text)});
  }
  std::int64_t value = 0;
  constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
  for (const char c : ascii) {
    const std::int64_t digit = c - '0';
    value = value > (kMost - digit) / 10 ? kMost : value * 10 + digit;
  }
  if (value == 0) return Misused(N_("--max-digits must be 1 or more"));
  most = value;
  return std::nullopt;
}

// A value read into `to`, or the problem.
template <class T>
Problem Into(exact::Result<T> read, std::optional<T>& to) {
  if (auto* problem = std::get_if<exact::Problem>(&read)) return std::move(*problem);
  to = std::get<T>(read);
  return std::nullopt;
}

// A base from 2 to 36, in ASCII or full-width digits.
Problem ParseBase(std::string_view name, std::string_view text, int& base) {
  const std::string ascii = exact::AsciiText(text);
  int value = 0;
  if (IsDigits(ascii) && ascii.size() <= 2) value = std::stoi(ascii);
  if (value < 2 || value > 36) {
    return Misused(N_("{1} takes a base from 2 to 36, not '{2}'"),
                   {std::string(name), Shown(text)});
  }
  base = value;
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

// The flag an option without a value sets.
bool Options::*FlagOf(std::string_view name) {
  if (name == "--detail") return &Options::detail;
  if (name == "--json") return &Options::json;
  if (name == "--explain") return &Options::explain;
  if (name == "--spoken") return &Options::spoken;
  if (name == "--mixed") return &Options::mixed;
  if (name == "--rounded") return &Options::rounded;
  if (name == "--check") return &Options::check;
  if (name == "--mark") return &Options::mark;
  if (name == "--sheet") return &Options::sheet;
  if (name == "--document") return &Options::document;
  if (name == "--double") return &Options::binary64;
  if (name == "--float") return &Options::binary32;
  return nullptr;
}

Problem ParseValue(std::string_view name, std::string_view value, Options& options) {
  if (name == "--period") return answer::ReadPeriod(value, options.period);
  if (name == "--notation") {
    options.notationGiven = true;
    return ParseNotation(value, options.notation);
  }
  if (name == "--max-memory") return ParseMemorySize(value, options.memory);
  if (name == "--count") return Into(answer::ReadCount(value), options.count);
  if (name == "--seed") return Into(answer::ReadSeed(value), options.seed);
  if (name == "--difficulty") return Into(answer::ReadDifficulty(value), options.difficulty);
  if (name == "--kind") {
    std::optional<answer::ExerciseKind> kind;
    if (Problem problem = Into(answer::ReadExerciseKind(value), kind)) return problem;
    options.kinds.push_back(*kind);
    return std::nullopt;
  }
  if (name == "--base") return ParseBase(name, value, options.base);
  if (name == "--to-base") return ParseBase(name, value, options.toBase);
  return ParseMaxDigits(value, options.maxDigits);
}

// A sheet is made of its own options alone; those options make nothing else.
Problem SheetConflicts(const Options& options, bool periodGiven) {
  const auto together = [](std::string_view a, std::string_view b) {
    return Misused(N_("{1} and {2} cannot be given together"), {std::string(a), std::string(b)});
  };
  if (options.document && options.json) return together("--document", "--json");
  if (!options.sheet) {
    const std::pair<bool, std::string_view> own[] = {
        {options.count.has_value(), "--count"},
        {options.seed.has_value(), "--seed"},
        {!options.kinds.empty(), "--kind"},
        {options.difficulty.has_value(), "--difficulty"}};
    for (const auto& [given, name] : own) {
      if (given) return Misused(N_("{1} is given only with {2}"), {std::string(name), "--sheet"});
    }
    if (options.document && !(options.explain && options.notation == exact::Notation::Latex)) {
      return Misused(N_("{1} is given only with {2}"),
                     {"--document", "--sheet or --explain --notation latex"});
    }
    return std::nullopt;
  }
  const std::pair<bool, std::string_view> others[] = {
      {options.detail, "--detail"}, {options.spoken, "--spoken"},
      {options.mixed, "--mixed"},   {options.rounded, "--rounded"},
      {options.check, "--check"},   {options.mark, "--mark"},
      {periodGiven, "--period"},    {options.notationGiven, "--notation"}};
  for (const auto& [given, name] : others) {
    if (given) return together("--sheet", name);
  }
  if (options.entry) {
    return Misused(N_("--sheet takes no ENTRY: it makes its own exercises (--kind, --count)"));
  }
  return std::nullopt;
}

Problem Conflicts(const Options& options, bool periodGiven) {
  const auto together = [](std::string_view a, std::string_view b) {
    return Misused(N_("{1} and {2} cannot be given together"), {std::string(a), std::string(b)});
  };
  if (options.detail && options.json) return together("--detail", "--json");
  if (options.detail && options.explain) return together("--detail", "--explain");
  if (options.spoken && !options.explain) {
    return Misused(N_("{1} is given only with {2}"), {"--spoken", "--explain"});
  }
  if (options.spoken && options.notation == exact::Notation::Latex) {
    return together("--spoken", "--notation latex");
  }
  // A rounded display has no recurring digits to count.
  if (options.rounded && periodGiven) return together("--period", "--rounded");
  if (options.binary64 && options.binary32) return together("--double", "--float");
  if (options.binary64 || options.binary32) {
    const std::string_view name = options.binary64 ? "--double" : "--float";
    if (options.toBase != 0) return together(name, "--to-base");
    if (options.rounded) return together(name, "--rounded");
    if (options.check) return together(name, "--check");
    if (options.mark) return together(name, "--mark");
    if (options.mixed) return together(name, "--mixed");
  }
  // A rounded display, a pupil's working and a class's answers are in base 10.
  const bool inBase = options.base != 10 || options.toBase != 0;
  if (inBase) {
    const std::string_view name = options.toBase != 0 ? "--to-base" : "--base";
    if (options.rounded) return together(name, "--rounded");
    if (options.check) return together(name, "--check");
    if (options.mark) return together(name, "--mark");
    if (options.notation == exact::Notation::Keypad) return together(name, "--notation keypad");
  }
  // Checking and marking answer in a form of their own.
  for (const bool asks : {options.check, options.mark}) {
    if (!asks) continue;
    const std::string_view name = options.check ? "--check" : "--mark";
    if (options.check && options.mark) return together("--check", "--mark");
    if (options.detail) return together(name, "--detail");
    if (options.explain) return together(name, "--explain");
    if (options.rounded) return together(name, "--rounded");
    if (periodGiven) return together(name, "--period");
  }
  if (Problem problem = SheetConflicts(options, periodGiven)) return problem;
  if (options.check && !options.entry) {
    return Misused(N_("--check needs the ENTRY whose working it checks: --check '0.1(6)'"));
  }
  if (options.mark && options.entry) {
    return Misused(N_("--mark takes no ENTRY: it reads the answers from standard input"));
  }
  return std::nullopt;
}

// Whether --json stands among the options, wherever it is: a refused
// command line still answers as the script asked.
bool AsksForJson(std::span<const std::string_view> args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--") return false;
    if (arg == "--json") return true;
    const OptionSpec* option = FindOption(arg);
    if (option != nullptr && option->takesValue) ++i;  // its value, whatever it looks like
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
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    const OptionSpec* option = FindOption(hasValue ? name : arg);
    if (option == nullptr || (hasValue && (name == "-h" || name == "--"))) {
      return Fail(Misused(N_("unknown option '{1}'"), {Shown(arg)}));
    }
    if (option->name == "--") {
      optionsEnded = true;
      continue;
    }
    if (option->takesValue) {
      std::string_view value;
      if (hasValue) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Fail(Misused(N_("the option {1} needs a value"), {std::string(name)}));
      }
      if (Problem problem = ParseValue(option->name, value, options)) {
        return Fail(std::move(*problem));
      }
      periodGiven = periodGiven || option->name == "--period";
      continue;
    }
    if (hasValue) return Fail(Misused(N_("the option {1} takes no value"), {std::string(name)}));
    if (option->name == "--help") return {Command::Kind::Help, {}, {}};
    if (option->name == "--version") return {Command::Kind::Version, {}, {}};
    options.*FlagOf(option->name) = true;
  }
  if (Problem problem = Conflicts(options, periodGiven)) return Fail(std::move(*problem));
  return command;
}

}  // namespace

answer::Request RequestFor(const Options& options, std::string_view entry, std::int32_t period,
                           const words::Words& words) {
  answer::Request request;
  request.entry = entry;
  request.period = period;
  request.notation = options.notation;
  request.notationChosen = options.notationGiven;
  request.mixed = options.mixed;
  request.rounded = options.rounded;
  request.maxDigits = options.maxDigits;
  request.base = options.base;
  request.toBase = options.toBase;
  if (options.binary64) request.binary = exact::BinaryFormat::Binary64;
  if (options.binary32) request.binary = exact::BinaryFormat::Binary32;
  request.form = options.json      ? answer::Form::Json
                 : options.detail  ? answer::Form::Detail
                 : options.explain ? answer::Form::Working
                                   : answer::Form::Value;
  if (options.explain) {
    if (options.spoken) {
      request.working.spoken = true;
    } else if (options.notation == exact::Notation::Latex) {
      request.working.latex = true;
    } else {
      request.working.text = true;
    }
  }
  switch (options.memory.kind) {
    case MemoryBudget::Kind::HalfOfWhatIsLeft:
      request.findMemoryLimit = [budget = options.memory] { return EntryBudget(budget); };
      break;
    case MemoryBudget::Kind::Bytes: request.memoryLimit = options.memory.bytes; break;
    case MemoryBudget::Kind::All: break;
  }
  request.words = &words;
  return request;
}

Command ParseArguments(std::span<const std::string_view> args) {
  Command command = Parse(args);
  if (command.kind == Command::Kind::Usage) command.options.json = AsksForJson(args);
  return command;
}

}  // namespace quotalis::cli
