#include "cli/cli.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <quotalis/version.h>

#include "convert/conversion.h"

namespace quotalis {

namespace {

constexpr std::string_view kProgram = "quotalis-cli";

// The keypad's limit: an entry holds at most 10 characters.
constexpr std::size_t kLongestEntry = 10;

// A line of standard input longer than this is refused without being kept in
// memory, however long it runs.
constexpr std::size_t kLongestLine = 4096;

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

// A problem with what the user gave, in words; nothing when all is well.
using Problem = std::optional<std::string>;

// The user's text for a message: quoted, with control and non-ASCII bytes
// written as \xNN so that no input can drive the terminal, and cut when long.
std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 24;
  std::string quoted = "'";
  for (const char c : text.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      quoted += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(byte));
      quoted += hex;
    }
  }
  if (text.size() > kShown) quoted += "...";
  return quoted + "'";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `entry` is one the keypad could build. The engine itself accepts
// more (signs, exponents, blanks), which the command line refuses.
Problem EntryProblem(std::string_view entry) {
  if (entry.empty()) return "the entry is empty";
  const std::string notANumber = "the entry " + Quote(entry) + " is not a number: ";
  const auto stray =
      std::find_if(entry.begin(), entry.end(), [](char c) { return !IsDigit(c) && c != '.'; });
  if (stray != entry.end()) {
    if (stray == entry.begin() && (*stray == '-' || *stray == '+')) {
      return notANumber + "it has a sign; give digits and at most one point";
    }
    return notANumber + "it holds " + Quote(std::string_view(&*stray, 1)) +
           "; give digits and at most one point";
  }
  if (std::count(entry.begin(), entry.end(), '.') > 1) {
    return notANumber + "it holds more than one point";
  }
  if (std::none_of(entry.begin(), entry.end(), IsDigit)) return notANumber + "it holds no digit";
  if (entry.size() > kLongestEntry) {
    return "the entry " + Quote(entry) + " has " + std::to_string(entry.size()) +
           " characters; at most " + std::to_string(kLongestEntry) + " are allowed";
  }
  return std::nullopt;
}

// Reads K into `period`. Any count of digits is a K: the engine clamps it to
// at most 9, so a value past the 32-bit range is held as the largest one.
Problem ParsePeriod(std::string_view text, std::int32_t& period) {
  if (text.empty()) return "the period K is empty; give the number of recurring digits";
  const bool negative =
      text.front() == '-' && text.size() > 1 && std::all_of(text.begin() + 1, text.end(), IsDigit);
  if (negative) return "the period K " + Quote(text) + " is negative; give 0 or more";
  if (!std::all_of(text.begin(), text.end(), IsDigit)) {
    return "the period K " + Quote(text) + " is not a whole number";
  }
  constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
  period = 0;
  for (const char c : text) {
    const std::int32_t digit = c - '0';
    if (period > (kMost - digit) / 10) {
      period = kMost;
      break;
    }
    period = period * 10 + digit;
  }
  return std::nullopt;
}

enum class Verdict { Converted, BadInput, Failed };

struct Answer {
  Verdict verdict;
  std::string text;  // the answer line, or the reason it could not be given
};

Answer Convert(std::string_view entry, std::int32_t period, bool detail) {
  if (Problem problem = EntryProblem(entry)) return {Verdict::BadInput, *problem};
  const Conversion c = ConvertEntry(entry, period);
  switch (c.outcome) {
    case Outcome::Converted: {
      std::string reduced = c.reduction.numerator + "/" + c.reduction.denominator;
      if (!detail) return {Verdict::Converted, std::move(reduced)};
      return {Verdict::Converted, c.normalised + "\t" + c.expansion.numerator + "/" +
                                      c.expansion.denominator + "\t" + reduced};
    }
    case Outcome::Zero:
      // The window leaves a zero entry as typed and converts nothing; on the
      // command line every zero reads as 0, which is 0/1 before and after.
      return {Verdict::Converted, detail ? "0\t0/1\t0/1" : "0/1"};
    case Outcome::Empty:
    case Outcome::NotANumber:  // EntryProblem refuses these first
      return {Verdict::BadInput, std::string(Describe(c.outcome))};
    case Outcome::OutOfRange: break;
  }
  return {Verdict::Failed,
          "cannot convert " + Quote(entry) + ": " + std::string(Describe(c.outcome))};
}

struct Options {
  std::int32_t period = 0;
  bool detail = false;
  std::optional<std::string_view> entry;
};

// What a run does after reading its arguments.
struct Command {
  enum class Kind { Convert, Help, Version, Usage } kind = Kind::Convert;
  Options options;
  std::string problem;  // for Usage
};

Command Fail(std::string problem) {
  return {Command::Kind::Usage, {}, std::move(problem) + " (see quotalis-cli --help)"};
}

// A negative number given as the entry is taken as the entry, not as an
// option, so that the message names the sign.
bool LooksLikeOption(std::string_view arg) {
  return arg.size() > 1 && arg.front() == '-' && !IsDigit(arg[1]) && arg[1] != '.';
}

Command ParseArguments(std::span<const std::string_view> args) {
  Command command;
  Options& options = command.options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !LooksLikeOption(arg)) {
      if (options.entry) return Fail("too many arguments: " + Quote(arg) + " after the entry");
      options.entry = arg;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    if (arg == "--") {
      optionsEnded = true;
    } else if (name == "--period") {
      std::string_view value;
      if (hasValue) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return Fail("the option --period needs a value K");
      }
      if (Problem problem = ParsePeriod(value, options.period)) return Fail(*problem);
    } else if (hasValue && (name == "--detail" || name == "--help" || name == "--version")) {
      return Fail("the option " + std::string(name) + " takes no value");
    } else if (arg == "--detail") {
      options.detail = true;
    } else if (arg == "--help" || arg == "-h") {
      return {Command::Kind::Help, {}, {}};
    } else if (arg == "--version") {
      return {Command::Kind::Version, {}, {}};
    } else {
      return Fail("unknown option " + Quote(arg));
    }
  }
  return command;
}

// Reads one line without its '\n' into `line`; a CR before it is a blank to
// Fields, so CR LF ends need nothing more. At most kLongestLine characters
// are kept; `cut` tells whether more were dropped. False at the end of input.
bool ReadLine(std::istream& in, std::string& line, bool& cut) {
  line.clear();
  cut = false;
  char c = 0;
  bool any = false;
  while (in.get(c)) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kLongestLine) {
      line += c;
    } else {
      cut = true;
    }
  }
  return any;
}

std::vector<std::string_view> Fields(std::string_view line) {
  constexpr std::string_view kBlanks = " \t\r\v\f";
  std::vector<std::string_view> fields;
  std::size_t start = line.find_first_not_of(kBlanks);
  while (start != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    fields.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return fields;
}

Answer AnswerLine(std::string_view line, bool cut, const Options& options) {
  if (cut) {
    return {Verdict::BadInput,
            "the line is longer than " + std::to_string(kLongestLine) + " characters"};
  }
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) return {Verdict::BadInput, "the line is empty; give ENTRY [K]"};
  if (fields.size() > 2) return {Verdict::BadInput, "too many fields; give ENTRY [K]"};
  std::int32_t period = options.period;
  if (fields.size() == 2) {
    if (Problem problem = ParsePeriod(fields[1], period)) return {Verdict::BadInput, *problem};
  }
  return Convert(fields[0], period, options.detail);
}

int WriteFailed(std::ostream& err) {
  err << kProgram << ": cannot write to standard output\n";
  return kExitFailed;
}

// Answers the lines of `in` one by one. The answers are passed on whenever
// the input has nothing more waiting, so that a program feeding one line at a
// time gets each answer before it writes the next line.
int AnswerLines(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  bool anyFailed = false;
  std::string line;
  bool cut = false;
  while (ReadLine(in, line, cut)) {
    const Answer answer = AnswerLine(line, cut, options);
    if (answer.verdict == Verdict::Converted) {
      out << answer.text << '\n';
    } else {
      anyFailed = true;
      out << "error: " << answer.text << '\n';
    }
    if (in.rdbuf()->in_avail() <= 0) out.flush();
    if (!out) return WriteFailed(err);
  }
  if (in.bad()) {
    err << kProgram << ": cannot read standard input\n";
    return kExitFailed;
  }
  if (!out.flush()) return WriteFailed(err);
  return anyFailed ? kExitFailed : kExitConverted;
}

int Print(std::string_view text, std::ostream& out, std::ostream& err) {
  if (!(out << text).flush()) return WriteFailed(err);
  return kExitConverted;
}

}  // namespace

int RunCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  const Command command = ParseArguments(args);
  switch (command.kind) {
    case Command::Kind::Help: return Print(kUsage, out, err);
    case Command::Kind::Version:
      return Print(std::string(kProgram) + " " + version::kText + "\n", out, err);
    case Command::Kind::Usage:
      err << kProgram << ": " << command.problem << '\n';
      return kExitUsage;
    case Command::Kind::Convert: break;
  }
  const Options& options = command.options;
  if (!options.entry) return AnswerLines(options, in, out, err);

  const Answer answer = Convert(*options.entry, options.period, options.detail);
  switch (answer.verdict) {
    case Verdict::Converted: return Print(answer.text + "\n", out, err);
    case Verdict::BadInput: err << kProgram << ": " << answer.text << '\n'; return kExitUsage;
    case Verdict::Failed: err << kProgram << ": " << answer.text << '\n'; return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace quotalis
