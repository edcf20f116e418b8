// Internal to the readers of exact/read.h: the decoding of a text into one
// byte per character, the marks that stand for the characters beyond ASCII,
// and the naming of a place in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>

#include "numbers.h"

namespace quotalis::exact::parse {

// The text is first decoded into one byte per character, so that a byte's
// index is its character's index: ASCII stands for itself (full-width forms
// for their ASCII twins, E and R in lower case), and the few other characters
// that carry meaning for a mark of their own below 0x20, where no decoded
// character can fall.
constexpr char kDot = '\x01';        // U+0307 combining dot above
constexpr char kBar = '\x02';        // U+0305 combining overline, U+0304 macron
constexpr char kEllipsis = '\x03';   // U+2026 ellipsis, U+22EF midline ellipsis
constexpr char kLineBreak = '\x04';  // CR or LF, ignored at either end only
constexpr char kMiddleDot = '\x05';  // U+30FB katakana middle dot, U+FF65 its half-width form
constexpr char kDivide = '\x06';     // U+00F7 division sign

// The number of characters of the ellipsis that begins at `i` of `s`, read
// no further than `end`, or 0: a run of ellipsis marks, each three points
// "...", one kEllipsis ("…", "⋯") or a run of kMiddleDot ("・・・"), as one
// ellipsis however often it is written ("......", "……", "…..."); it cannot
// start with a single middle dot.
std::size_t EllipsisLength(std::string_view s, std::size_t i, std::size_t end);

// The value of a digit character of a decoded text: 0 to 9 for '0' to '9', 10
// to 35 for 'a' to 'z', and 36 (no digit in any base) for anything else.
constexpr int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 36;
}

// A refusal at the 0-based `index`: `format` (marked N_) names the place as
// "character {1}", and `more` fills {2}, {3}... in turn.
Problem ProblemAt(std::size_t index, std::string_view format, std::vector<std::string> more = {},
                  ProblemKind kind = ProblemKind::Syntax);

// "N" for the 0-based `index`: the character number messages show.
std::string Place(std::size_t index);

// The refusals that more than one reader meets, worded once: "a second point
// at character N", "the point at character N has no digits on either side".
Problem SecondPoint(std::size_t index);
Problem PointWithoutDigits(std::size_t index);
Problem NothingToRead();

// Strict UTF-8 decoded to one byte per character; a character that no
// notation uses is refused. In a base above 10 the letters that are its
// digits, in either case, are decoded in lower case; e and r keep their
// meaning as marks while they are no digit of the base.
Result<std::string> Decode(std::string_view utf8, int base = 10);

}  // namespace quotalis::exact::parse
