#include "answer/notations.h"

#include <algorithm>
#include <array>
#include <variant>

#include <quotalis/exact/write.h>

#include "answer/keypad.h"
#include "answer/quote.h"
#include "answer/written.h"

namespace quotalis::answer {

namespace {

using exact::Notation;
using words::N_;

// TRANSLATORS: the labels of the list of notations; {1} is 1/6 written in each.
constexpr std::array<AnswerNotation, 9> kNotations = {{
    {Notation::Parentheses, N_("parentheses {1}")},
    {Notation::Brackets, N_("brackets {1}")},
    {Notation::Quotes, N_("quotes {1}")},
    {Notation::R, N_("r {1}")},
    {Notation::Dots, N_("dots {1}")},
    {Notation::Overline, N_("overline {1}")},
    {Notation::Ellipsis, N_("ellipsis {1}")},
    {Notation::Latex, N_("LaTeX {1}")},
    {Notation::Keypad, N_("what to type on the keypad {1}")},
}};

}  // namespace

std::span<const AnswerNotation> AnswerNotations() { return kNotations; }

exact::Result<exact::Notation> NotationForAnswers(std::string_view name) {
  const std::optional<exact::Notation> named = exact::NotationNamed(name);
  const auto listed = [&](const AnswerNotation& n) { return named && n.notation == *named; };
  if (std::any_of(kNotations.begin(), kNotations.end(), listed)) return *named;
  // "parentheses, brackets, ..., latex" and "keypad": the names are what
  // the user types, the same in every language.
  std::string names;
  for (std::size_t i = 0; i + 1 < kNotations.size(); ++i) {
    names += i == 0 ? "" : ", ";
    names += exact::NotationName(kNotations[i].notation);
  }
  const std::string last(exact::NotationName(kNotations.back().notation));
  return exact::MakeProblem(exact::ProblemKind::Argument,
                            named ? N_("the notation '{1}' cannot write an answer; give {2} or {3}")
                                  : N_("unknown notation '{1}'; give {2} or {3}"),
                            {Shown(name), names, last});
}

std::string NotationLabel(const AnswerNotation& notation, const words::Words& words) {
  const exact::Rational sixth{1, 6};
  const exact::Decimal canonical{false, "0", "1", "6", 0};
  const exact::Result<std::string> example =
      DecimalAnswer(canonical, sixth, notation.notation, KeypadCheck{});
  return Say(words, notation.label, {std::get<std::string>(example)});
}

}  // namespace quotalis::answer
