// Writing a decimal in each notation. Every writer takes time linear in the
// digits it writes, and what it writes reads back (exact/read.h, and
// exact/keypad.h for the keypad notation) as the same canonical value.
#pragma once

#include <string>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

namespace quotalis::exact {

// Writes `canonical` (Canonical's result) in `notation`. A sign is written
// "-"; integers and terminating decimals are written plainly in every
// notation but the keypad ("12", "-0.5"); a decimal that is not canonical is
// written as it stands, its exponent as "e-5" (LaTeX: "\times 10^{-5}").
//   0.1(6): Parentheses "0.1(6)", Brackets "0.1[6]", Quotes "0.1'6'",
//           Dots "0.16̇", Overline "0.16̅", R "0.1r6", Ellipsis "0.1666...",
//           Latex "0.1\overline{6}", Keypad "0.16 1"
//   0.(142857): Dots "0.1̇42857̇", Ellipsis "0.142857142857...",
//               Latex "0.\overline{142857}", Keypad "0.142857 6"
// The ellipsis writes the non-recurring digits, then the period: a one-digit
// period three times, or four times where three would show a longer block
// with the digits before them; a longer period twice, then as few of its
// first digits again as make the reader find that period and no shorter one
// at the end (see Read in exact/read.h):
//   0.1(6) -> "0.1666..."   0.16661(6) -> "0.166616666..." (not 0.(1666))
//   0.(12323) -> "0.12323123231..." (ending at "12323", it would read as 0.1(23))
// When no such ending exists among those tried, the answer is an Unwritable
// Problem saying to use parentheses.
// The keypad writes every digit plainly, a blank and how many of the last
// digits recur ("12 0", "-0.5 0"); since the window drops zeros at the end of
// an entry, a period that ends in zero starts one digit later:
//   0.(10) -> "0.101 2"   0.(60) -> "0.606 2"   0.(0010) -> "0.0010001 4"
// Both the keypad and the ellipsis apply an exponent first.
// Plain writes a terminating decimal ("0.25") and refuses a recurring one
// (Unwritable); Fraction and Mixed are not decimal notations (Argument). The
// other notations never fail.
Result<std::string> Write(const Decimal& canonical, Notation notation);

}  // namespace quotalis::exact
