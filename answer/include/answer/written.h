// Fractions and decimals as an answer writes them.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <string>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/notation.h>

#include "answer/keypad.h"
#include "words/words.h"

namespace quotalis::answer {

// "N/D", always with its denominator: 7/1 -> "7/1", -3/4 -> "-3/4".
std::string FractionAnswer(const mpz_class& numerator, const mpz_class& denominator);

// As FractionAnswer for a fraction in lowest terms, or, with `mixed`, as a
// mixed number: 7/6 -> "1 1/6", -7/6 -> "-1 1/6", 7/1 -> "7", 1/6 -> "1/6", 0/1 -> "0".
std::string FractionAnswer(const exact::Rational& r, bool mixed);

// `canonical`, whose value is `value`, in `notation`; for Keypad, what to
// type and how many digits to mark (answer/keypad.h, checked by `check`),
// "0.142857 6", or the Problem saying why the keypad cannot type it.
//   0.1(6), Parentheses -> "0.1(6)"   0.1(6), Keypad -> "0.16 1"   -0.5, Keypad -> Problem
exact::Result<std::string> DecimalAnswer(const exact::Decimal& canonical,
                                         const exact::Rational& value, exact::Notation notation,
                                         const KeypadCheck& check);

// The answer for the expansion `e` of `value`, cut or whole. A whole one is
// DecimalAnswer of its value, and so is every keypad answer. A cut one is the
// digits shown in `notation`, "..." where they stop (inside the period's
// marks when the period is reached), then a note in `words` on what was cut,
// so that it reads as no exact value: LaTeX writes "\ldots" and the note
// in \text{}, and plain refuses a cut decimal that recurs, as it refuses a
// whole one. A period too long to write and uncounted is "more than
// 10,000,000 digits".
//   1/7, 4 digits -> "0.(1428...) [cut: the period has 6 digits; the first 4 are shown]"
//     Dots "0.1̇428... [cut: ...]"  Overline "0.1̅4̅2̅8̅... [cut: ...]"  R "0.r1428... [cut: ...]"
//     Ellipsis "0.1428... [cut: ...]"
//     Latex "0.\overline{1428\ldots}\ \text{[cut: the period has 6 digits; the first 4 are shown]}"
//   1/1024, 2 digits -> "0.00... [cut: the decimal ends after 10 digits; the first 2 are shown]"
exact::Result<std::string> ExpansionAnswer(const exact::DecimalExpansion& e,
                                           const exact::Rational& value, exact::Notation notation,
                                           const words::Words& words, const KeypadCheck& check);

// The period's length, a number of digits, ">10000000" when it is longer than
// kMaxExpansionDigits and uncounted.
std::string PeriodLengthText(const exact::DecimalExpansion& e);

}  // namespace quotalis::answer
