// Internal to the readers of exact/read.h: one reader for each notation, each
// starting at the cursor past the sign and reading to its end.
#pragma once

#include <optional>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/read.h>

#include "cursor.h"

namespace quotalis::exact::parse {

// The decimal notations, in exact/read_decimal.cpp.

// Where an unexpected character stands, when it follows the period.
inline constexpr std::string_view kAfterPeriod = N_("after the recurring part");

// The exponent, then nothing more: how every decimal notation but the
// ellipsis ends.
std::optional<Problem> ReadTail(Cursor& c, Decimal& d, std::string_view context);

// 0.5, 12, .5, 5., 1e-3: no recurring digits.
Result<Decimal> ReadPlain(Cursor& c);

// The marks around a period, and their names in messages (words for the
// translators).
struct Enclosure {
  char open;
  char close;
  std::string_view one;     // "parenthesis"
  std::string_view both;    // "parentheses"
  std::string_view inside;  // "inside the parentheses"
};

inline constexpr Enclosure kParentheses{'(', ')', N_("parenthesis"), N_("parentheses"),
                                        N_("inside the parentheses")};
inline constexpr Enclosure kBrackets{'[', ']', N_("bracket"), N_("brackets"),
                                     N_("inside the brackets")};
inline constexpr Enclosure kQuotes{'\'', '\'', N_("quote"), N_("quotes"), N_("inside the quotes")};

// 0.1(6), 0.1[6], 0.1'6': the period enclosed after the plain digits.
Result<Decimal> ReadEnclosed(Cursor& c, const Enclosure& e);

// 1.234r56: the digits after the r recur.
Result<Decimal> ReadR(Cursor& c);

// 0.1666..., 0.142857142857…: the repeated block at the end recurs.
Result<Decimal> ReadEllipsis(Cursor& c);

// The notations that mark digits, in exact/read_marked.cpp.

// 0.16̇, 0.1̇42857̇: a dot on the first and on the last digit of the period,
// or one dot for a period of one digit.
Result<Decimal> ReadDots(Cursor& c);

// 0.16̅: an overline after every recurring digit, which are the last ones.
Result<Decimal> ReadOverline(Cursor& c);

// The fractions, in exact/read_fraction.cpp.

// N/D and W N/D, blanks allowed around the slash, or N÷D, blanks allowed
// around the ÷; `sign` is the first of them in the text, '/' or kDivide.
Result<Reading> ReadFraction(Cursor& c, bool negative, char sign);

// The whole reader of exact/read.h, the digits of decimals in `base` (2 to
// 36), in exact/read.cpp.
Result<Reading> ReadIn(std::string_view utf8, int base);

}  // namespace quotalis::exact::parse
