// The notations the library reads and writes, and their names.
#pragma once

#include <optional>
#include <string_view>

namespace quotalis::exact {

// How a decimal marks its recurring digits, or that a number is a fraction.
// Read (exact/read.h) tells which one a text used; Write (exact/write.h)
// writes a decimal in any of the decimal notations.
enum class Notation {
  Plain,        // 0.5, 12, .5, 5., 1e-3: nothing recurs
  Parentheses,  // 0.1(6)
  Brackets,     // 0.1[6]
  Quotes,       // 0.1'6'
  Dots,         // 0.16̇, 0.1̇42857̇: U+0307 on the first and the last recurring digit
  Overline,     // 0.16̅: U+0305 (or U+0304) after every recurring digit
  R,            // 0.1r6: the digits after the r recur
  Ellipsis,     // 0.1666..., 0.142857142857…, 0.1666・・・: the block repeated at
                // the end recurs
  Latex,        // 0.1\overline{6}: written, not read
  Keypad,       // 0.16 1: a plain decimal, a blank and how many of its last
                // digits recur, as the Quotalis window's keypad and scroll
                // bar take them (read by FromKeypad, exact/keypad.h)
  Fraction,     // -3/4, 1÷7: read, not written
  Mixed,        // 1 1/6: read, not written
};

// The notation's name: "plain", "parentheses", "brackets", "quotes", "dots",
// "overline", "r", "ellipsis", "latex", "keypad", "fraction", "mixed".
std::string_view NotationName(Notation notation);

// The notation a name stands for: any name NotationName gives, and the short
// "parens" for Parentheses. Nothing for any other text.
//   "parentheses" -> Parentheses   "parens" -> Parentheses   "Dots" -> nothing
std::optional<Notation> NotationNamed(std::string_view name);

}  // namespace quotalis::exact
