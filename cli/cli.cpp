#include "cli/cli.h"

#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include <quotalis/exact/memory.h>
#include <quotalis/exact/word.h>

#include <quotalis/version.h>

#include "answer/answer.h"
#include "answer/sheet.h"
#include "answer/small.h"
#include "answer/write.h"
#include "cli/check.h"
#include "cli/keypad_window.h"
#include "cli/line.h"
#include "cli/lines.h"
#include "cli/options.h"
#include "cli/usage.h"
#include "convert/reading.h"

namespace quotalis {

namespace {

using answer::Answer;
using answer::Status;
using words::N_;

constexpr std::string_view kProgram = "quotalis-cli";

// The line a message of the program's own makes on standard error.
void Complain(std::ostream& err, std::string_view message) {
  err << kProgram << ": " << message << '\n';
}

int WriteFailed(const words::Words& words, std::ostream& err) {
  Complain(err, words.Translate(N_("cannot write to standard output")));
  return kExitFailed;
}

// The answer as the options ask it written: its JSON object (a refusal's
// too), its --detail fields, its working, or its value.
void Print(std::ostream& out, const Answer& answer, const cli::Options& options, bool& started) {
  if (options.json) {
    answer::WriteJson(out, answer, started);
  } else if (options.detail) {
    answer::WriteDetail(out, answer, started);
  } else if (options.explain) {
    started = true;
    answer::WriteWorking(out, answer);
  } else {
    answer::WriteValue(out, answer, started);
  }
}

// The request every entry of this run is answered by, its entry and K
// filled in for each.
answer::Request RunRequest(const cli::Options& options, const words::Words& words) {
  answer::Request request = cli::RequestFor(options, {}, options.period, words);
  request.keypadCheck = cli::WindowRefuses;
  return request;
}

// The answers gathered before they are written.
constexpr std::size_t kAnswerBlock = std::size_t{64} << 10;

// Windows Notepad starts a UTF-8 file with the byte-order mark U+FEFF.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Answers the lines of `in` one by one. The answers are passed on whenever
// the input has nothing more waiting, so that a program feeding one line at a
// time gets each answer before it writes the next line.
int AnswerLines(const cli::Options& options, const words::Words& words, std::istream& in,
                std::ostream& out, std::ostream& err) {
  bool anyFailed = false;
  bool first = true;
  cli::LineReader reader(in);
  // The answers of small decimals gather here and go out a block at a time;
  // every other answer is written after them, in order.
  std::string block;
  block.reserve(kAnswerBlock + exact::kWordFractionChars + 1);
  const auto passOn = [&] {
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    block.clear();
  };
  answer::Request request = RunRequest(options, words);
  // Before an entry's long work, the answers so far are passed on: whatever
  // becomes of it, they are not lost.
  request.beforeLongWork = [&out] { out.flush(); };
  const bool small = answer::AnswersSmall(request);
  while (reader.Next()) {
    std::string_view line = reader.line();
    if (first && line.starts_with(kByteOrderMark)) {
      line.remove_prefix(kByteOrderMark.size());
      // A file of nothing but the mark, as Notepad saves an empty one, holds no line.
      if (line.empty() && !reader.ended()) break;
    }
    first = false;
    if (small && !reader.cut() && answer::AnswerSmall(line, request, block)) {
      if (block.size() >= kAnswerBlock || !reader.Waiting()) {
        passOn();
        if (!reader.Waiting()) out.flush();
        if (!out) return WriteFailed(words, err);
      }
      continue;
    }
    if (!block.empty()) passOn();
    if (!reader.cut() && cli::IsCommentLine(line)) continue;
    Answer answer;
    bool done = false;  // the answer is written
    if (reader.cut()) {
      answer = cli::AnswerOverlongLine(request, reader.dropped());
    } else {
      // An entry too big for the memory left is an error of its own: what
      // its work had taken is given back, and the next line goes on.
      const std::uint64_t mark = exact::MemoryMark();
      bool started = false;
      try {
        answer = cli::AnswerLine(line, request);
        // (a JSON object says itself that it is an error)
        if (answer.status == Status::Answered || options.json) {
          Print(out, answer, options, started);
          done = true;
        }
      } catch (const std::bad_alloc&) {
        answer = {};
        exact::ReclaimSince(mark);
        // Should the memory fail while an answer was written, the error
        // stands on a line of its own after what was.
        if (started) out << '\n';
        answer = answer::AnswerOutOfMemory(TrimBlanks(line), request);
      }
    }
    if (!done) {
      if (options.json) {
        bool started = false;
        answer::WriteJson(out, answer, started);
      } else {
        const std::string error = Say(words, N_("error: {1}"), {answer.refusal.sentence});
        // In a document the line is a paragraph of text, whatever the entry held.
        out << (options.document ? answer::LatexParagraph(error) : error);
      }
    }
    out << '\n';
    anyFailed = anyFailed || answer.status != Status::Answered;
    // With --explain the workings of successive lines are told apart by a blank line.
    if (options.explain && !options.json) out << '\n';
    if (!reader.Waiting()) out.flush();
    if (!out) return WriteFailed(words, err);
  }
  if (!block.empty()) passOn();
  if (in.bad()) {
    Complain(err, words.Translate(N_("cannot read standard input")));
    return kExitFailed;
  }
  if (!out.flush()) return WriteFailed(words, err);
  return anyFailed ? kExitFailed : kExitConverted;
}

int Print(std::string_view text, const words::Words& words, std::ostream& out, std::ostream& err) {
  if (!(out << text).flush()) return WriteFailed(words, err);
  return kExitConverted;
}

// The refusal of a bad command line: the sentence, and where to look, in the
// user's words; with --json its object, "input" null.
int RefuseArguments(const cli::Command& command, const words::Words& words, std::ostream& out,
                    std::ostream& err) {
  const exact::Problem& problem = command.problem;
  std::string message = Say(words, problem.format, problem.args);
  if (!command.options.json) {
    Complain(err, Say(words, N_("{1} (see quotalis-cli --help)"), {message}));
    return kExitUsage;
  }
  bool started = false;
  answer::WriteJson(out, answer::Refused(Status::BadInput, problem, message, std::nullopt),
                    started);
  if (!(out << '\n').flush()) return WriteFailed(words, err);
  return kExitUsage;
}

// --sheet: the exercises made, then written as the options ask.
int RunSheet(const cli::Options& options, const words::Words& words, std::ostream& out,
             std::ostream& err) {
  answer::SheetRequest request;
  if (options.seed) {
    request.seed = *options.seed;
  } else {
    // A seed short enough to copy off the sheet.
    request.seed = std::random_device{}() % 1'000'000;
  }
  request.count = options.count.value_or(request.count);
  request.kinds = options.kinds;
  request.difficulty = options.difficulty.value_or(answer::kDefaultDifficulty);
  request.working = options.explain && !options.json;
  request.words = &words;
  const answer::Sheet sheet = answer::MakeSheet(request);
  if (options.json) {
    answer::WriteSheetJson(out, sheet);
    out << '\n';
  } else if (sheet.status == Status::Answered) {
    answer::WriteSheetLatex(out, sheet, words);
  } else {
    Complain(err, sheet.refusal.sentence);
  }
  if (!out.flush()) return WriteFailed(words, err);
  return sheet.status == Status::Answered ? kExitConverted : kExitFailed;
}

int AnswerAll(const cli::Options& options, const words::Words& words, std::istream& in,
              std::ostream& out, std::ostream& err, bool inputIsTerminal);

}  // namespace

int RunCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
           std::ostream& err, const words::Words& words, bool inputIsTerminal) {
  const cli::Command command = cli::ParseArguments(args);
  switch (command.kind) {
    case cli::Command::Kind::Help: return Print(cli::UsageText(words), words, out, err);
    case cli::Command::Kind::Version:
      return Print(std::string(kProgram) + " " + version::kText + "\n", words, out, err);
    case cli::Command::Kind::Usage: return RefuseArguments(command, words, out, err);
    case cli::Command::Kind::Convert: break;
  }
  const cli::Options& options = command.options;
  if (options.check) return cli::RunCheck(options, words, in, out, err);
  if (options.mark) return cli::RunMark(options, words, in, out, err);
  if (options.sheet) return RunSheet(options, words, out, err);
  // --document: the LaTeX workings of the run in one document.
  if (options.document) out << answer::LatexDocumentBegin(words);
  const int status = AnswerAll(options, words, in, out, err, inputIsTerminal);
  if (options.document && !(out << answer::LatexDocumentEnd()).flush()) {
    return WriteFailed(words, err);
  }
  return status;
}

namespace {

int AnswerAll(const cli::Options& options, const words::Words& words, std::istream& in,
              std::ostream& out, std::ostream& err, bool inputIsTerminal) {
  if (!options.entry) {
    // Someone at a terminal who gave no entry is told what the program waits for.
    if (inputIsTerminal) {
      Complain(err, words.Translate(N_("reading \"ENTRY [K]\" lines from standard input; "
                                       "press Ctrl-D to end (quotalis-cli --help for more)")));
    }
    return AnswerLines(options, words, in, out, err);
  }

  answer::Request request = RunRequest(options, words);
  request.entry = *options.entry;
  Answer answer;
  try {
    answer = answer::AnswerEntry(request);
  } catch (const std::bad_alloc&) {
    answer = answer::AnswerOutOfMemory(*options.entry, request);
  }
  const int status = answer.status == Status::Answered   ? kExitConverted
                     : answer.status == Status::BadInput ? kExitUsage
                                                         : kExitFailed;
  // With --json the error is an object on standard output, as every answer is.
  if (answer.status == Status::Answered || options.json) {
    bool started = false;
    try {
      Print(out, answer, options, started);
    } catch (const std::bad_alloc&) {
      if (started) out << '\n';
      Complain(err, answer::AnswerOutOfMemory(*options.entry, request).refusal.sentence);
      return kExitFailed;
    }
    if (!(out << '\n').flush()) return WriteFailed(words, err);
    return status;
  }
  Complain(err, answer.refusal.sentence);
  return status;
}

}  // namespace

}  // namespace quotalis
