// What an entry is: a decimal in some notation, or a fraction, read and
// checked; and K, the recurring digits of a plain decimal, as typed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/notation.h>

namespace quotalis::answer {

struct Entry {
  enum class Kind { Decimal, Fraction } kind = Kind::Decimal;
  // A decimal as written, except that a plain decimal (digits and at most one
  // point, perhaps a sign) is normalised as the window writes its entry back,
  // with K of its trailing digits recurring, clamped as the window clamps it.
  exact::Decimal decimal;
  bool plain = false;
  // A fraction or mixed number: its value in lowest terms, and as written
  // (its whole part and terms, where the working starts).
  exact::Rational fraction;
  exact::FractionText written;
  // How the entry was written (--json names it).
  exact::Notation notation = exact::Notation::Plain;
};

// Reads `text` with K = `period` for a plain decimal. K above 0 with an entry
// in another notation, or a fraction, is refused: such an entry says itself
// which digits recur.
//   ("0.1666", 1) -> 0.1(66) as the window has it, plain   ("1/7", 0) -> 1/7
//   ("0.1(6", 0)  -> "the parenthesis opened at character 4 is never closed"
//   ("1,5", 0)    -> "unexpected ',' at character 2"
exact::Result<Entry> ReadEntry(std::string_view text, std::int32_t period);

// A plain decimal as the window shows it after Convert: "0.5", "7", "-1.25".
std::string EntryText(const exact::Decimal& d);

// Reads K as typed: digits only, ASCII or full-width (U+FF10 to U+FF19, as a
// Japanese input method types them), any number of them; a value past the
// 32-bit range is held as the largest one (K is clamped to the digits after
// the point anyway). Gives the problem (kind Syntax, its one argument the
// user's text as Shown, answer/quote.h, never a word to translate) when
// `text` is not such a K.
//   "007" -> 7   "１２" -> 12   "99999999999" -> 2147483647
//   "-1" -> "the period K '-1' is negative; give 0 or more"
std::optional<exact::Problem> ReadPeriod(std::string_view text, std::int32_t& period);

// Whether `text` takes K, and how far: the number of digits written after
// the point of a plain decimal (one that ReadEntry reads with K: digits, at
// most one point, perhaps a sign, no exponent), which is how many the
// window's scroll bar reaches; nothing for any other entry.
//   "0.1666" -> 4   "0.50" -> 2   "12" -> 0   "−０．５" -> 1
//   "0.1(6)", "1/7", "1e-3", "0.1666...", ".", "" -> nothing
std::optional<std::int64_t> PeriodRoom(std::string_view text);

// Whether `text` can be read as a rounded display (Request::rounded): a
// decimal that ends, perhaps with an exponent, whose last digit stands at
// the units or after the point.
//   "0.6666666667" -> true   "1.5e-3" -> true   "1.5e3", "0.1(6)", "1/3", "x" -> false
bool ReadsAsRounded(std::string_view text);

}  // namespace quotalis::answer
