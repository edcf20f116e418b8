// The notations an answer may be written in: the one table that the command
// line's --notation, its help and completion, and the page's list are made
// from or checked against.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "words/words.h"

namespace quotalis::answer {

struct AnswerNotation {
  exact::Notation notation;
  // The label a list of them shows, marked for the translators, {1} standing
  // for 1/6 written in it: "parentheses {1}" -> "parentheses 0.1(6)".
  std::string_view label;
};

// Every notation an answer may be written in, in the order lists give them:
// parentheses (the default), brackets, quotes, r, dots, overline, ellipsis,
// latex, keypad. Their names are exact::NotationName's.
std::span<const AnswerNotation> AnswerNotations();

// The notation `name` names for answers: a name exact::NotationNamed knows
// ("parens" too) of a notation above. Refused (kind Argument, the user's
// text as Shown) otherwise, naming them all:
//   "dot" -> "unknown notation 'dot'; give parentheses, brackets, ..., latex or keypad"
//   "plain" -> "the notation 'plain' cannot write an answer; give parentheses, ..."
exact::Result<exact::Notation> NotationForAnswers(std::string_view name);

// The notation's label in `words`' language, with its example filled in:
//   Parentheses, English -> "parentheses 0.1(6)"; Japanese -> "かっこ 0.1(6)"
std::string NotationLabel(const AnswerNotation& notation, const words::Words& words);

}  // namespace quotalis::answer
