#include "cli/line.h"

#include <string>
#include <vector>

#include "answer/entry.h"
#include "answer/quote.h"
#include "cli/lines.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using words::N_;

// The blanks that part the fields of a line: those the readers take for
// blanks (space, tab, the ideographic space U+3000 a Japanese input method
// types), and the rest of ASCII's white space.
std::size_t BlankLength(std::string_view text) {
  if (text.empty()) return 0;
  if (std::string_view(" \t\r\v\f").find(text.front()) != std::string_view::npos) return 1;
  return text.starts_with("\xE3\x80\x80") ? 3 : 0;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    if (const std::size_t blank = BlankLength(line.substr(at))) {
      at += blank;
      continue;
    }
    const std::size_t start = at;
    while (at < line.size() && BlankLength(line.substr(at)) == 0) ++at;
    fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

// Whether the line is a fraction: a slash, full-width or not, or ÷.
bool HoldsSlash(std::string_view text) {
  return text.find('/') != std::string_view::npos ||
         text.find("\xEF\xBC\x8F") != std::string_view::npos ||  // U+FF0F, the full-width slash
         text.find("\xC3\xB7") != std::string_view::npos;        // U+00F7, the division sign
}

// The refusal of the line as a whole, quoting it.
answer::Answer RefuseLine(std::string_view line, exact::ProblemKind kind, std::string_view message,
                          const answer::Request& request) {
  const exact::Problem problem = exact::MakeProblem(kind, message, {});
  return answer::Refused(answer::Status::BadInput, problem,
                         answer::RefusalSentence(problem, line, *request.words), line);
}

}  // namespace

bool IsCommentLine(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() > kLongestLine) return false;  // refused by AnswerLine
  while (const std::size_t blank = BlankLength(line)) line.remove_prefix(blank);
  return line.starts_with('#') || line.starts_with("\xEF\xBC\x83");  // U+FF03, full-width
}

answer::Answer AnswerLine(std::string_view line, answer::Request request) {
  if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
  if (line.size() > kLongestLine) return AnswerOverlongLine(request);
  // An error about the line as a whole quotes it, blanks and all.
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) {
    return RefuseLine(line, exact::ProblemKind::Empty, N_("the line is empty; give ENTRY [K]"),
                      request);
  }
  if (HoldsSlash(line)) {
    request.entry = TrimBlanks(line);
    return answer::AnswerEntry(request);
  }
  if (fields.size() > 2) {
    return RefuseLine(line, exact::ProblemKind::Syntax, N_("too many fields; give ENTRY [K]"),
                      request);
  }
  if (fields.size() == 2 && request.rounded) {
    return RefuseLine(line, exact::ProblemKind::Syntax,
                      N_("K is for a recurring decimal, and --rounded reads a display that "
                         "ends; give the entry alone"),
                      request);
  }
  if (fields.size() == 2) {
    if (std::optional<exact::Problem> problem = answer::ReadPeriod(fields[1], request.period)) {
      // Its arguments are the user's own text, put in as they stand.
      const words::Words& words = *request.words;
      const std::string sentence =
          Say(words, N_("'{1}': {2}"),
              {answer::Shown(line), Say(words, problem->format, problem->args)});
      return answer::Refused(answer::Status::BadInput, *problem, sentence, line);
    }
  }
  request.entry = fields[0];
  return answer::AnswerEntry(request);
}

answer::Answer AnswerOverlongLine(const answer::Request& request, bool dropped) {
  const exact::Problem problem =
      dropped ? exact::MakeProblem(exact::ProblemKind::TooLarge,
                                   N_("the line is too long for the memory left"), {})
              : exact::MakeProblem(exact::ProblemKind::TooLarge,
                                   N_("the line is longer than {1} bytes"),
                                   {std::to_string(kLongestLine)});
  return answer::Refused(dropped ? answer::Status::Failed : answer::Status::BadInput, problem,
                         ProblemText(problem, *request.words), std::nullopt);
}

}  // namespace quotalis::cli
