#include "cli/cli.h"

#include <istream>
#include <ostream>
#include <string>

#include <quotalis/version.h>

#include "cli/answer.h"
#include "cli/lines.h"
#include "cli/options.h"
#include "cli/usage.h"

namespace quotalis {

namespace {

using cli::Answer;
using cli::Verdict;

constexpr std::string_view kProgram = "quotalis-cli";

int WriteFailed(std::ostream& err) {
  err << kProgram << ": cannot write to standard output\n";
  return kExitFailed;
}

// Answers the lines of `in` one by one. The answers are passed on whenever
// the input has nothing more waiting, so that a program feeding one line at a
// time gets each answer before it writes the next line.
int AnswerLines(const cli::Options& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
  bool anyFailed = false;
  cli::LineReader reader(in);
  while (reader.Next()) {
    const Answer answer =
        reader.cut() ? cli::AnswerOverlongLine(options) : cli::AnswerLine(reader.line(), options);
    if (answer.verdict != Verdict::Converted) {
      anyFailed = true;
      if (!options.json) out << "error: ";  // a JSON object says itself that it is an error
    }
    out << answer.text << '\n';
    // With --explain the workings of successive lines are told apart by a blank line.
    if (options.explain && !options.json) out << '\n';
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
           std::ostream& err, const explain::Words& words) {
  cli::Command command = cli::ParseArguments(args);
  command.options.words = &words;
  switch (command.kind) {
    case cli::Command::Kind::Help: return Print(cli::UsageText(), out, err);
    case cli::Command::Kind::Version:
      return Print(std::string(kProgram) + " " + version::kText + "\n", out, err);
    case cli::Command::Kind::Usage:
      err << kProgram << ": " << command.problem << '\n';
      return kExitUsage;
    case cli::Command::Kind::Convert: break;
  }
  const cli::Options& options = command.options;
  if (!options.entry) return AnswerLines(options, in, out, err);

  Answer answer = cli::AnswerEntry(*options.entry, options.period, options);
  const int status = answer.verdict == Verdict::Converted  ? kExitConverted
                     : answer.verdict == Verdict::BadInput ? kExitUsage
                                                           : kExitFailed;
  // With --json the error is an object on standard output, as every answer is.
  if (answer.verdict == Verdict::Converted || options.json) {
    answer.text += '\n';
    const int printed = Print(answer.text, out, err);
    return printed == kExitConverted ? status : printed;
  }
  err << kProgram << ": " << answer.text << '\n';
  return status;
}

}  // namespace quotalis
