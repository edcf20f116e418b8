// The working of a conversion, rendered for a reader: one call builds its
// steps (explain/steps.h), one renders them in any of three formats, in the
// reader's words. How the working writes its decimals is chosen once, here,
// for every format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/binary.h>
#include <quotalis/exact/notation.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/working.h>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

// The formats, and what each item of Render's list is:
enum class Format {
  // A line of plain text a step: sentences in the Words' language, formulas
  // with Unicode superscripts (10⁷x, 3²), the equations of a group aligned
  // at "=" (and at the point, when every right side is one number), the rows
  // of a long division at "=" with their labels in a column. A subtraction
  // in columns takes one more line, its rule (U+2500). The prime factors
  // both terms of a fraction share are struck with a long stroke through
  // each character (U+0336): 3̶ × 5̶. 0.1(6), English:
  //   Let x = 0.1(6)
  //   The 1-digit period 6 starts at digit 2 after the point. ...
  //   100x = 16.666…  (1)
  //    10x =  1.666…  (2)
  //   (1) - (2): the recurring parts cancel
  //      100x = 16.666…
  //   −)  10x =  1.666…
  //   ─────────────────
  //       90x = 15
  //   90x = 15, so x = 15/90
  //   ...
  //   15 = 3̶ × 5̶
  //   90 = 2 × 3̶ × 3 × 5̶
  //   ...
  //   So 0.1(6) = 1/6
  Text,
  // A line of one align* environment (amsmath): each equation a row aligned
  // at "=", each sentence an \intertext with its formulas in $...$, the
  // words of a division row in \text{}; the lines joined by '\n' are the
  // fragment, without a final one. Struck factors are \cancel{3} (the
  // package cancel), an equation's number a \tag*, the equation taken away
  // in a subtraction \underline{-)\ 10x} &\underline{{}= 1.666\ldots}.
  Latex,
  // A <math display="block"> element a block, in the elements of MathML
  // Core, which browsers render natively. Each block's spoken alternative
  // (alttext and aria-label) is its Spoken line or lines (below), and its
  // class says what it holds:
  //   - quotalis-sentence: a sentence, its words as <mtext>, its formulas
  //     inline (MathML does not wrap it: a narrow page may scroll it);
  //   - quotalis-equations: a run of equations of one aligned group, as an
  //     <mtable>, one row an equation, the relation in a column of its own,
  //     so that they line up at "=" (and at the point, when every right side
  //     is one number); or any other equation, as one row;
  //   - quotalis-division: the rows of a long division, drawn as by hand
  //     (the divisor, the bracket, the quotient's digits on top, each product
  //     and remainder beneath) as an <mtable> of one digit a cell; one too
  //     long to draw as its rows, "30 ÷ 7 = 4 remainder 2".
  // The spoken alternative is the Spoken line or lines of the block.
  // Fractions are <mfrac>, powers <msup>, indices <msub>. A recurring period
  // is written with a dot over its first and last digits (over its one
  // digit, when it has one), as Japanese textbooks print it, with
  // PeriodMark::Dots; with a line over it with PeriodMark::Overline; in a
  // notation that marks the period with characters (brackets, quotes, r,
  // ellipsis) as that notation writes it.
  // What MathML Core cannot draw is left to the page's style sheet, by class:
  //   quotalis-cancel     a prime factor whose every copy both terms share (to strike)
  //   quotalis-common     a prime power only some of whose copies both share
  //   quotalis-ldiv       the long division's table
  //   quotalis-quotient   a cell of its quotient row
  //   quotalis-bracket    a cell of the dividend under the bracket (a line over it)
  //   quotalis-divisor    the divisor's cell, and quotalis-bracket-open the ")"
  //   quotalis-rule       a cell of a product, to be ruled under
  //   quotalis-repeat     a cell of the remainder that comes again, and of its
  //                       first appearance
  // A subtraction in columns has "−)" before the equation taken away and a
  // rule under its cells (an inline border); numbered equations have their
  // numbers (① or (1)) in a column of their own.
  Mathml,
  // A line of words a step, as a teacher reads the working aloud, for a
  // speech engine: no notation characters (no parentheses, combining dots,
  // "^" or "/"). Japanese: 15/90 "90分の15", 10⁵ "10の5乗", x "エックス",
  // 0.1(6) "0.16、6 がくり返す", "=" "イコール"; English: 1/6 "one sixth",
  // 15/90 "15 over 90", 3² "3 squared", 0.1(6) "0.16, 6 recurring".
  //   x = 0.1(6)      -> "エックス イコール 0.16、6 がくり返す とおく。"
  //   100x = 16.(6) ① -> "100エックス イコール 16.666、6 がくり返す、式1"
  Spoken,
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
// A notation `chosen` (not the default) writes the working as it writes the
// answer: dots or overline asked mark the period so in every reader's
// language, and parentheses asked stand in the working whatever the entry's
// notation, MathML writing them as characters (parenthesesWritten).
//   (Dots asked, "0.1(6)", en) -> {Dots, Dots}   (Parentheses, "0.1666...", en)
//     -> {Ellipsis, Overline, fromShortest}   (Latex, "0.1[6]", ja) -> {Brackets, Dots}
//   (Keypad, "0.1[6]", en) -> {Parentheses, Overline}   (Overline, "0.1(6)", ja) -> {Overline,
//   Overline} (Parentheses chosen, "0.1[6]", ja) -> {Parentheses, Dots, parenthesesWritten}
Style ChooseStyle(exact::Notation asked, exact::Notation entry, bool mixed,
                  std::string_view language, bool chosen = false);

// Decimal to fraction, from the working data (see exact/working.h):
//   Let x = 0.1(6) / the period and why the two powers of ten / 100x = 16.(6)
//   / 10x = 1.(6) / subtract / 90x = 15 / x = 15/90 / prime factors / highest
//   common factor / x = 15/90 = 1/6
// A sign and a power of ten are set aside first (y the digits alone) and put
// back after; with `style.mixed`, the answer as a mixed number too; a period
// of nines ends with why the decimal is its canonical form.
Steps DecimalSteps(const exact::DecimalWorking& w, const Style& style);

// Fraction to decimal: a mixed number made improper, the fraction reduced,
// the sign set aside, then the long division up to the first remainder that
// comes again, and the decimal. The style does not change these steps: only
// how Render writes the decimal. The working's numbers move into the
// division's rows: moved in, a numerator of millions of digits is held once.
Steps FractionSteps(exact::FractionWorking w);

// The working of `value` written in `base` (2 to 36), as the information
// course teaches it: the whole part in the base, then the fractional part
// multiplied by the base, its whole part the next digit, until the
// fractional part is 0 or comes again (at most exact::kMaxDivisionSteps
// digits); the fractional parts as base-10 decimals when `asDecimal` (an
// entry written as one), else as fractions.
//   0.1, base 2: 0.1 × 2 = 0 + 0.2, 0.2 × 2 = 0 + 0.4, 0.4 × 2 = 0 + 0.8,
//   0.8 × 2 = 1 + 0.6, 0.6 × 2 = 1 + 0.2, then 0.2 again: 0.0(0011)
Steps BaseSteps(const exact::Rational& value, int base, bool asDecimal);

// The working of the binary64 or binary32 number `stored` for `entry`
// (exact/binary.h): the entry's binary expansion, its period marked; the
// normalised form 1.xxx × 2^e; where the significand is cut (53 or 24
// significant bits, fewer for a subnormal), the bits kept and the first bits
// cut off; how they round it (to nearest, ties to even); the number stored as
// a fraction and an exact decimal; and the error, stored minus entry. Zero is
// stored exactly; past the largest finite number, infinity. The entry is
// written as a decimal when `asDecimal`, else as a fraction.
//   0.1, Binary64: 0.1 is 0.0(0011) in binary; 1.1001100110011…₂ × 2^-4;
//   the bits cut off begin 10011001, more than half: rounded up;
//   stored 3602879701896397/2^55, error 1/180143985094819840
Steps BinarySteps(const exact::Rational& entry, const exact::StoredBinary& stored,
                  exact::BinaryFormat format, bool asDecimal);

// A rounded display's simplest fraction (exact/rounded.h): the interval the
// display stands for; 0 when it holds 0; the sign set aside; each whole part
// both ends of the range share taken off, the variable written as that part
// plus one over the next variable, and the next variable's range (as mixed
// numbers); the smallest whole number in the last range; the whole parts put
// back together; and why no simpler fraction lies in the range: the answer
// lies between two neighbouring fractions outside it. For 3.14159, in English:
//   3.14159 is rounded at digit 5 after the point: the value x lies within
//     0.000005 of it, half a unit of that digit
//   3.141585 ≤ x ≤ 3.141595
//   Look for the fraction with the smallest denominator in this range, taking
//     off one whole part at a time
//   The whole part of both ends is 3: let x = 3 + 1/x₁, so that x₁ = 1/(x - 3)
//   7 1767/28319 ≤ x₁ ≤ 7 1781/28317
//   The whole part of both ends is 7: let x₁ = 7 + 1/x₂, so that x₂ = 1/(x₁ - 7)
//   15 1602/1781 ≤ x₂ ≤ 16 47/1767
//   The smallest whole number in this range is 16: let x₂ = 16
//   Put the whole parts back: x = 3 + 1/(7 + 1/16) = 355/113
//   No fraction with a smaller denominator lies in the range: 355/113 lies
//     between 333/106 and 22/7, which are outside it
//   333/106 < 3.141585 ≤ 355/113 ≤ 3.141595 < 22/7
//   22 × 106 - 333 × 7 = 1, so every fraction strictly between 333/106 and
//     22/7 has a denominator of at least 106 + 7 = 113, and 355/113 is the
//     only one with the denominator 113
// With `style.mixed`, the answer as a mixed number too. The decimals that
// end are written plainly whatever the notation.
Steps RoundedSteps(const exact::RoundedWorking& w, const Style& style);

// The steps in `format`, one item a line (Text, Latex) or a block (Mathml),
// their sentences in `words`' language.
std::vector<std::string> Render(const Steps& steps, Format format, const Style& style,
                                const words::Words& words);

// A line of words alone, already in the reader's language, as `format`
// writes it: the text itself, an \intertext, a sentence block.
std::string RenderWords(std::string_view text, Format format);

// `text` with LaTeX's special characters escaped, for \text{} and
// \intertext: "5% & 1_2" -> "5\% \& 1\_2".
std::string EscapeLatex(std::string_view text);

}  // namespace quotalis::explain
