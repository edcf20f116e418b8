#include "answer.h"

#include <new>
#include <sstream>
#include <variant>
#include <vector>

#include "cli/answer.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "cli/options.h"
#include "request.h"
#include "words.h"

namespace quotalis::web {

namespace {

using words::N_;

struct Run {
  int status = kExitFailed;
  std::string out;  // without its last line end
};

// quotalis-cli with `args`, as the command line runs it, its input empty.
Run RunCommandLine(const std::vector<std::string>& args, const words::Words& words) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  Run run;
  run.status = RunCli(views, in, out, err, words);
  run.out = out.str();
  if (!run.out.empty() && run.out.back() == '\n') run.out.pop_back();
  return run;
}

std::string Refusal(const std::optional<std::string>& input, const std::string& error,
                    std::string_view kind) {
  cli::JsonObject json;
  if (input) {
    json.Add("input", *input);
  } else {
    json.AddNull("input");
  }
  return json.Add("error", error).Add("kind", kind).Add("position", std::int64_t{0}).Close();
}

// The working as MathML blocks, the command line's arguments read as it
// reads them; empty when it refuses them (the --json answer then says why).
std::string MathmlWorking(const Request& request, const words::Words& words) {
  const std::vector<std::string> args = Arguments(request, false);
  const std::vector<std::string_view> views(args.begin(), args.end());
  cli::Command command = cli::ParseArguments(views);
  if (command.kind != cli::Command::Kind::Convert || !command.options.entry) return {};
  command.options.words = &words;
  const cli::Answer answer =
      cli::WorkingMathml(*command.options.entry, command.options.period, command.options);
  return answer.verdict == cli::Verdict::Converted ? answer.text : std::string();
}

// `object` with `key` and `value` added at its end.
void AddString(std::string& object, std::string_view key, std::string_view value) {
  object.pop_back();  // '}'
  object += ',' + cli::JsonString(key) + ':' + cli::JsonString(value) + '}';
}

}  // namespace

std::string AnswerRequest(std::string_view requestJson) {
  std::variant<Request, std::string> read = ReadRequest(requestJson);
  if (const auto* wrong = std::get_if<std::string>(&read)) {
    return Refusal(std::nullopt, *wrong, "argument");
  }
  const auto& request = std::get<Request>(read);
  const words::Words& words = WordsFor(request.language);
  try {
    Run answer = RunCommandLine(Arguments(request, true), words);
    if (answer.status != kExitConverted || !request.explain) return answer.out;
    // The text working in the notation asked, or the entry's own when LaTeX
    // is asked (as --explain without --notation writes it); then the LaTeX.
    const bool latex = request.notation == "latex";
    const Run text = RunCommandLine(
        Arguments(request, false,
                  latex ? std::optional<std::string_view>("parentheses") : std::nullopt),
        words);
    const Run fragment = RunCommandLine(Arguments(request, false, "latex"), words);
    AddString(answer.out, "workingMathml", MathmlWorking(request, words));
    AddString(answer.out, "workingText", text.out);
    AddString(answer.out, "workingLatex", fragment.out);
    return answer.out;
  } catch (const std::bad_alloc&) {
    return Refusal(request.entry, words.Translate(N_("out of memory")), "too-large");
  }
}

}  // namespace quotalis::web
