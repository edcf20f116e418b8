// What an entry of the command line is: a decimal in some notation, or a
// fraction, read and checked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/notation.h>

namespace quotalis::cli {

struct Entry {
  enum class Kind { Decimal, Fraction } kind = Kind::Decimal;
  // A decimal as written, except that a plain decimal (digits and at most one
  // point, perhaps a sign) is normalised as the window writes its entry back,
  // with K of its trailing digits recurring, clamped as the window clamps it.
  exact::Decimal decimal;
  bool plain = false;
  // A fraction or mixed number, in lowest terms.
  exact::Rational fraction;
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

}  // namespace quotalis::cli
