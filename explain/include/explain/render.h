// The working of a conversion, rendered for a reader: one call builds its
// steps (explain/steps.h), one renders them in any of three formats, in the
// reader's words. How the working writes its decimals is chosen once, here,
// for every format.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/notation.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/working.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

enum class Format {
  Text,    // lines of plain text, Unicode superscripts, aligned at "="
  Latex,   // the lines of one align* fragment (amsmath); joined by '\n' it is the fragment
  Mathml,  // <math display="block"> blocks (explain/mathml.h says what they hold)
};

// The style of the working of an entry read in `entry` (its notation as
// read; Fraction and Mixed for a fraction), when answers are asked in
// `asked`, for a reader of `language` ("ja", "en"):
//   notation: for the default, parentheses, and for LaTeX (which marks a
//     period its own way), the entry's own when it marks a period; else
//     `asked` when it marks one; else (keypad, plain: they never stand in
//     an equation) parentheses;
//   mark: dots where the entry was written with them or the reader is
//     Japanese, as Japanese schools write it; a line over it otherwise;
//   fromShortest: when the entry or the notation is the ellipsis.
//   (Dots asked, "0.1(6)", en) -> {Dots, Overline}   (Parentheses, "0.1666...", en)
//     -> {Ellipsis, Overline, fromShortest}   (Latex, "0.1[6]", ja) -> {Brackets, Dots}
//   (Keypad, "0.1[6]", en) -> {Parentheses, Overline}
Style ChooseStyle(exact::Notation asked, exact::Notation entry, bool mixed,
                  std::string_view language);

// The steps of each kind of working, from the exact library's working data.
Steps DecimalSteps(const exact::DecimalWorking& w, const Style& style);
Steps FractionSteps(const exact::FractionWorking& w, const Style& style);
Steps RoundedSteps(const exact::RoundedWorking& w, const Style& style);

// The steps in `format`, one item a line (Text, Latex) or a block (Mathml),
// their sentences in `words`' language.
std::vector<std::string> Render(const Steps& steps, Format format, const Style& style,
                                const words::Words& words);

// A line of words alone, already in the reader's language, as `format`
// writes it: the text itself, a sentence block, an \intertext.
std::string RenderWords(std::string_view text, Format format);

// `text` with LaTeX's special characters escaped, for \text{} and
// \intertext: "5% & 1_2" -> "5\% \& 1\_2".
std::string EscapeLatex(std::string_view text);

}  // namespace quotalis::explain
