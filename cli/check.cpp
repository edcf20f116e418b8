#include "cli/check.h"

#include <istream>
#include <ostream>
#include <string>

#include "answer/check.h"
#include "cli/cli.h"
#include "cli/lines.h"

namespace quotalis::cli {

namespace {

using words::N_;

// A working is a few lines; one of more than this many bytes is refused.
constexpr std::size_t kLongestWorking = std::size_t{1} << 20;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int Failed(std::ostream& err, const words::Words& words, std::string_view sentence) {
  err << "quotalis-cli: " << words.Translate(sentence) << '\n';
  return kExitFailed;
}

}  // namespace

int RunCheck(const Options& options, const words::Words& words, std::istream& in, std::ostream& out,
             std::ostream& err) {
  std::string working;
  char block[4096];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    working.append(block, static_cast<std::size_t>(in.gcount()));
    if (working.size() > kLongestWorking) {
      return Failed(err, words, N_("the working is longer than 1 MiB"));
    }
  }
  if (in.bad()) return Failed(err, words, N_("cannot read standard input"));
  std::string_view text = working;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const answer::Check check = answer::CheckWorking({*options.entry, text, &words});
  if (check.status != answer::Status::Answered && !options.json) {
    err << "quotalis-cli: " << check.refusal.sentence << '\n';
    return kExitUsage;
  }
  if (options.json) {
    answer::WriteCheckJson(out, check, true);
    out << '\n';
  } else {
    answer::WriteCheckText(out, check);
  }
  if (!out.flush()) return Failed(err, words, N_("cannot write to standard output"));
  if (check.status != answer::Status::Answered) return kExitUsage;
  return check.correct ? kExitConverted : kExitFailed;
}

int RunMark(const Options& options, const words::Words& words, std::istream& in, std::ostream& out,
            std::ostream& err) {
  LineReader reader(in);
  answer::Tally tally;
  bool first = true;
  while (reader.Next()) {
    std::string_view line = reader.line();
    if (first && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    const answer::MarkLine mark = answer::SplitMarkLine(line);
    if (mark.kind == answer::MarkLine::Kind::Blank) continue;
    const answer::Check check = answer::MarkAnswer(mark, words);
    // A first line whose entry is no number is the columns' header.
    const bool header = first && (mark.kind == answer::MarkLine::Kind::Unsplit ||
                                  check.status != answer::Status::Answered);
    first = false;
    if (header) continue;
    tally.Add(check);
    if (options.json) {
      answer::WriteMarkJson(out, mark, check);
    } else {
      answer::WriteMarkText(out, mark, check, words);
    }
    out << '\n';
    if (!reader.Waiting()) out.flush();
    if (!out) return Failed(err, words, N_("cannot write to standard output"));
  }
  if (in.bad()) return Failed(err, words, N_("cannot read standard input"));
  if (options.json) {
    answer::WriteTallyJson(out, tally);
  } else {
    answer::WriteTallyText(out, tally, words);
  }
  out << '\n';
  if (!out.flush()) return Failed(err, words, N_("cannot write to standard output"));
  return tally.refused > 0 ? kExitFailed : kExitConverted;
}

}  // namespace quotalis::cli
