#include "words/words.h"

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
  for (const std::string& arg : problem.args) args.push_back(words.Translate(arg));
  return exact::FillIn(words.Translate(problem.format), args);
}

}  // namespace quotalis::words
