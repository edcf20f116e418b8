#include "words/words.h"

#include <optional>

#include <quotalis/exact/utf8.h>

namespace quotalis::words {

const Words& EnglishWords() {
  static const English english;
  return english;
}

std::string Say(const Words& words, std::string_view format, const std::vector<std::string>& args) {
  return exact::FillIn(words.Translate(format), args);
}

std::string ProblemText(const exact::Problem& problem, const Words& words) {
  if (problem.format.empty()) return words.Translate(problem.message);
  std::vector<std::string> args;
  args.reserve(problem.args.size());
  // The library's words are whole nouns; a single character is the user's
  // own ("x" in "0.5x"), shown as typed even where a catalog has a word for it.
  for (const std::string& arg : problem.args) {
    const std::optional<exact::CodePoint> first = exact::FirstCodePoint(arg);
    const bool oneCharacter = first && first->length == arg.size();
    args.push_back(oneCharacter ? arg : words.Translate(arg));
  }
  return exact::FillIn(words.Translate(problem.format), args);
}

}  // namespace quotalis::words
