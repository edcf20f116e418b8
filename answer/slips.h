// The slips pupils make, told from the value or the equation a wrong line
// produces (internal to the check).
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>

#include <quotalis/exact/decimal.h>

#include "answer/check.h"
#include "reading.h"

namespace quotalis::answer::check {

// The question as the pupil sees it.
struct Question {
  mpq_class value;
  bool decimal = true;    // a decimal to turn into a fraction; else a fraction to divide out
  exact::Decimal digits;  // a decimal's digits as written
  mpz_class schoolNumerator{0}, schoolDenominator{1};  // its schoolbook fraction
  // A fraction or mixed number as written.
  bool mixed = false;
  mpz_class whole{0}, numerator{0}, denominator{1};
};

// The slip that makes `wrong` where the question's value is right, judged
// from the value alone; `side`, when given, is how the wrong value was
// written. Nothing when none is known.
std::optional<Slip> SlipOfValue(const Question& question, const mpq_class& wrong, const Side* side);

// Whether `c` is 10^m - 10^n (m > n >= 0), either sign.
bool IsDifferenceOfPowers(const mpq_class& c);

// The slip's sentence, in a pupil's words with the step to redo, in English
// (for Words::Translate).
std::string_view SlipAdvice(Slip slip);

}  // namespace quotalis::answer::check
