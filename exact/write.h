// Writing a decimal in each notation, and the entry that types it on the
// window's keypad. Every writer takes time linear in the digits it writes,
// and what it writes reads back (exact/read.h) as the same canonical value.
#pragma once

#include <cstdint>
#include <string>

#include "exact/decimal.h"

namespace quotalis::exact {

enum class Style {
  Parentheses,  // 0.1(6)
  Brackets,     // 0.1[6]
  Quotes,       // 0.1'6'
  Dots,         // 0.16̇, 0.1̇42857̇ (U+0307 after the first and the last period digit)
  Overline,     // 0.16̅ (U+0305 after every period digit)
  R,            // 0.1r6
  Ellipsis,     // 0.1666..., 0.142857142857...
  Latex,        // 0.1\overline{6}
};

// Writes `canonical` (Canonical's result) in `style`. A sign is written "-";
// integers and terminating decimals are written plainly in every style
// ("12", "-0.5"); a decimal that is not canonical is written as it stands,
// its exponent as "e-5" (LaTeX: "\times 10^{-5}").
//   0.1(6): Parentheses "0.1(6)", Brackets "0.1[6]", Quotes "0.1'6'",
//           Dots "0.16̇", Overline "0.16̅", R "0.1r6", Ellipsis "0.1666...",
//           Latex "0.1\overline{6}"
//   0.(142857): Dots "0.1̇42857̇", Ellipsis "0.142857142857...",
//               Latex "0.\overline{142857}"
// The ellipsis writes the non-recurring digits, then the period twice (a
// one-digit period three times), then as few of its first digits again as
// make the reader find that period and no shorter one at the end:
//   0.(1000) -> "0.100010001..." (ending at "1000" would read as 0.1000(0))
// When no such ending exists among those tried, the answer is a Problem
// saying to use parentheses. The other styles never fail.
Result<std::string> Write(const Decimal& canonical, Style style);

// What to type on the window's keypad, and how many trailing digits to mark
// recurring with its scroll bar.
struct KeypadForm {
  std::string entry;
  std::int64_t period = 0;
  bool operator==(const KeypadForm&) const = default;
};

// The keypad form of `canonical`, checked against the window's own engine
// (convert/conversion.h), so that the window converts what this answers.
//   0.(142857) -> {"0.142857", 6}   0.1(6) -> {"0.16", 1}   12 -> {"12", 0}
//   0.(123456789) -> {".123456789", 9}  (the leading zero dropped to fit)
//   0 -> {"0", 0}
// Refused with a Problem (position 0) saying why the window cannot take it:
//   -0.5 -> {"the keypad cannot type a negative value", 0}
//   0.(12345678901) -> {"the keypad entry would need 12 characters, but it holds at most 10", 0}
//   and a period ending in zero starts one digit later, since the window
//   drops an entry's trailing zeros: 0.(10) -> {"0.101", 2}
//   and values the window's engine refuses, with its reason.
Result<KeypadForm> ToKeypad(const Decimal& canonical);

}  // namespace quotalis::exact
