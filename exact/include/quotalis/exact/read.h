// Reading a number written in any of the common notations for recurring
// decimals, or as a fraction. The notation is detected from the text; every
// reader takes time and memory linear in the length of the text.
#pragma once

#include <string_view>
#include <variant>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

namespace quotalis::exact {

// A text read: a decimal exactly as written (not canonical: "0.1(66)" keeps
// the period "66", "007" keeps its zeros), or a fraction as written.
struct Reading {
  std::variant<Decimal, FractionText> value;
  Notation notation = Notation::Plain;
  bool operator==(const Reading&) const = default;
};

// Reads `utf8`. Blanks at either end (space, tab, U+3000 ideographic space, and
// a line's CR or LF) are ignored. Signs "+", "-", U+2212; full-width digits,
// point, parentheses, brackets, apostrophe, signs, slash and the letters e and
// r read as their ASCII forms. An exponent e/E [sign] digits may follow every
// decimal notation, the ellipsis too ("0.1666...e2" is 16.(6)), and must fit
// in 64 bits.
//   "0.1(6)"            -> {false, "0", "1", "6", 0}, Parentheses
//   "-1.2(3)e-5"        -> {true, "1", "2", "3", -5}, Parentheses
//   "０．１（６）"      -> {false, "0", "1", "6", 0}, Parentheses
//   "0.1[6]" "0.1'6'"   -> {false, "0", "1", "6", 0}, Brackets / Quotes
//   "0.1̇42857̇"          -> {false, "0", "", "142857", 0}, Dots
//   "0.16̇"              -> {false, "0", "1", "6", 0}, Dots
//   "0.16̅"              -> {false, "0", "1", "6", 0}, Overline
//   "1.234r56"          -> {false, "1", "234", "56", 0}, R
//   "0.1666..."         -> {false, "0", "166", "6", 0}, Ellipsis
//   "0.142857142857…"   -> {false, "0", "142857", "142857", 0}, Ellipsis
//   "０．１６６・・・"  -> {false, "0", "16", "6", 0}, Ellipsis
//   ".5"                -> {false, "", "5", "", 0}, Plain
//   " 12 "              -> {false, "12", "", "", 0}, Plain
//   "-3/4"              -> {true, "", "3", "4"}, Fraction
//   "1÷7" "１ ÷ ７"     -> {false, "", "1", "7"}, Fraction
//   "1 1/6"             -> {false, "1", "1", "6"}, Mixed
// A fraction is two whole numbers with a slash or a division sign ÷ (U+00F7)
// between them, blanks allowed on either side; a mixed number puts a whole
// number and a blank before a fraction with a slash ("1 1÷6" is refused).
// The ellipsis is three points "..." (full-width "．．．" too), one or more
// "…" (U+2026) or "⋯" (U+22EF), as in "……" the way Japanese is typeset, or
// two or more katakana middle dots "・・・" (U+30FB, or the half-width
// U+FF65); one middle dot alone is refused, being perhaps a point as
// vertical Japanese writes it. Marks written one after another are one
// ellipsis: "0.1666......" and "0.1666…..." are 0.1(6).
// Its recurring block is found among the digits after the point (those
// before the point never count), at their end: the shortest block of two or
// more digits that they show at least twice in a row at their end; only when
// there is none, one digit that they show at least twice at their end. A
// block of two or more digits that is one digit repeated is that digit.
//   "0.33..."       -> 3         "0.166..."      -> 6      "0.1666..."  -> 6
//   "0.1212..."     -> 12        "0.121212..."   -> 12     "0.12121..." -> 21
//   "0.112112..."   -> 112       "0.1222..."     -> 2      "0.12122..." -> 2
//   "0.1111..."     -> 1         "0.3333..."     -> 3      "33.33..."   -> 3
//   "0.13331333..." -> 1333, not 3: a longer block is tried before one digit
//   "0.142857142857…" -> 142857
//   "0.5...", "0.16...", "0.1221...", "33.3..." are refused
// The Decimal read keeps every digit written but the last block as its
// non-recurring part ("0.12121..." -> {false, "0", "121", "21", 0}).
// Refusals name the place (1-based, in Unicode characters of `utf8`), and
// where they give advice, they write it with the user's own digits:
//   "0.1(6"   -> {Syntax, "the parenthesis opened at character 4 is never closed", 4}
//   "0.1()"   -> {Syntax, "the parentheses at character 4 hold no digits", 4}
//   "1.2.3"   -> {Syntax, "a second point at character 4", 4}
//   "12(3)"   -> {Syntax, "the recurring part at character 3 must follow a point:
//                  write 12.(3) or 1.2(3)", 3}   (one line; "12r3" likewise)
//   "0.16..." -> {Syntax, "the ellipsis at character 5 must follow the recurring
//                  digits written out at least twice after the point: if 6
//                  recurs, write 0.1666... or 0.1(6)", 5}   (one line)
//   "0.6666666667..." -> {Syntax, "... after the point: for a display rounded at
//                  its last digit, write 0.6666666667 and read it as rounded", 13}
//                  (digits that look like a calculator's display: ten or more
//                  after the point, or all but the last recurring, "0.1667...")
//   "1,5"     -> {Character, "unexpected ',' at character 2", 2}
//   "1/0"     -> {ZeroDenominator, "the denominator at character 3 is zero", 3}
//   ""        -> {Empty, "there is nothing to read", 0}
// Every position lies between 0 and the number of characters of the text
// (for invalid UTF-8, the character at which the bad byte stands). A
// character that cannot be printed safely is quoted as U+XXXX, never raw.
Result<Reading> Read(std::string_view utf8);

}  // namespace quotalis::exact
