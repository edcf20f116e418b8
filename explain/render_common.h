// Internal to the explain library: what the three renderers (plain text,
// LaTeX, MathML) share, so that each words a step as the others do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

// The notation a working writes its decimals in: `notation` when it marks a
// period (parentheses, brackets, quotes, dots, overline, r, ellipsis),
// parentheses otherwise (keypad, plain, LaTeX): an equation never holds the
// keypad's "0.142857 6".
exact::Notation TextNotation(exact::Notation notation);

// `d` in `notation`, or with parentheses where the notation cannot write it
// (an ending the ellipsis cannot write unambiguously).
std::string Written(const exact::Decimal& d, exact::Notation notation);

// A recurring decimal with its period written out `copies` times, without
// the ellipsis each format puts after it: 16.(6), 3 -> "16.666".
std::string WrittenOut(const exact::Decimal& d, int copies);

// The sentence's format translated, each {n} replaced by the n-th argument
// as `write` writes it, the text between them (when there is any) by `text`.
std::string Filled(const Sentence& s, const words::Words& words,
                   const std::function<std::string(const Formula&)>& write,
                   const std::function<std::string(std::string_view)>& text);

// A long number by its ends, `hidden` digits left out between them, in the
// Words' language: "1234567890…(9,999,980 more digits)…1234567890"; with
// both ends empty, the words on the digits left out alone.
std::string LeftOutWords(const words::Words& words, std::int64_t hidden,
                         std::string_view first = {}, std::string_view last = {});

// The name of an equation numbered `number`, written after it and in the
// sentences that use it: ① in Japanese, (1) in English; "" for 0.
std::string EquationTag(int number, const words::Words& words);

// The relation between sides i and i + 1 of an equation.
std::string Relation(const Equation& e, std::size_t i);

// The words of a long division's row: "remainder", and the label "digit 2:"
// ("" for the whole part's row).
std::string RemainderWord(const words::Words& words);
std::string RowLabel(const DivisionRow& row, const words::Words& words);

// A long decimal's text split where its parts' digits were left out: each
// run but the last ends with the digit after which `hidden` digits were
// left out (and the combining marks, dots or lines, that stand on it); the
// last run has `hidden` 0 and may be empty.
struct Run {
  std::string text;
  std::int64_t hidden = 0;
};
std::vector<Run> RunsOf(std::string_view written, const exact::Decimal& shown, const LeftOut& out);

// The numbers of a long division's rows as pieces, each long one by its
// ends. The divisor, which every row of a division shares, is made once.
class RowNumbers {
 public:
  struct Pieces {
    Math dividend, divisor, quotient, remainder;
  };
  Pieces Of(const DivisionRow& row);

 private:
  std::shared_ptr<const mpz_class> divisor_;
  Math shownDivisor_;
};

}  // namespace quotalis::explain
