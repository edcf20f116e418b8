// Internal to the readers of exact/read.h: the cursor that walks a decoded
// text (see exact/characters.h), and the refusal of the character under it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>

#include "characters.h"

namespace quotalis::exact::parse {

// The normalised text, the next character to read, the end of what is read,
// and the base of its digits (2 to 36; above 10 the letters a, b, ... that
// Decode has put in lower case are digits too).
struct Cursor {
  std::string_view s;
  std::size_t i = 0;
  std::size_t end = 0;
  int base = 10;
  bool IsDigit(char ch) const { return DigitValue(ch) < base; }
  bool AtEnd() const { return i >= end; }
  char Peek() const { return i < end ? s[i] : '\0'; }
  std::size_t EllipsisLength() const { return parse::EllipsisLength(s, i, end); }
  bool AtEllipsis() const { return EllipsisLength() > 0; }
};

// The digits from the cursor on, which it passes.
std::string TakeDigits(Cursor& c);

// The character at the cursor, which the notation has no place for.
Problem Unexpected(const Cursor& c, std::string_view context = {});

}  // namespace quotalis::exact::parse
