// Fractions and decimals as an answer writes them.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <string>

#include "cli/options.h"
#include "exact/decimal.h"
#include "exact/expansion.h"
#include "exact/fraction.h"

namespace quotalis::cli {

// "N/D", always with its denominator: 7/1 -> "7/1", -3/4 -> "-3/4".
std::string FractionAnswer(const mpz_class& numerator, const mpz_class& denominator);

// As FractionAnswer for a fraction in lowest terms, or, with `mixed`, as a
// mixed number: 7/6 -> "1 1/6", -7/6 -> "-1 1/6", 7/1 -> "7", 1/6 -> "1/6", 0/1 -> "0".
std::string FractionAnswer(const exact::Rational& r, bool mixed);

// `canonical` in `notation`; for Keypad, what to type and how many digits to
// mark, "0.142857 6", or the Problem saying why the keypad cannot type it.
//   0.1(6), Parens -> "0.1(6)"   0.1(6), Keypad -> "0.16 1"   -0.5, Keypad -> Problem
exact::Result<std::string> DecimalAnswer(const exact::Decimal& canonical, Notation notation);

// The answer for an expansion, cut or whole. A whole one is DecimalAnswer of
// its value. A cut one is written the same way in every notation, as the
// digits shown, "..." and what was cut, so that it reads as no exact value:
//   1/7, 4 digits -> "0.(1428...) [cut: the period has 6 digits; the first 4 are shown]"
exact::Result<std::string> ExpansionAnswer(const exact::Expansion& e, Notation notation);

// "1 digit", "6 digits".
std::string DigitCount(std::int64_t n);
std::string DigitCount(const mpz_class& n);

// The period's length, a number of digits, "unknown" when it could not be found.
std::string PeriodLengthText(const exact::Expansion& e);

}  // namespace quotalis::cli
