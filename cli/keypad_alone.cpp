// The keypad form where the window's engine does not build (emscripten
// 3.1.6's libc++ 13 lacks the floating-point std::from_chars and
// std::to_chars it reads and writes with): the exact library's form stands
// as it is. The engine reads a keypad entry exactly as the exact library's
// keypad reader does (tests/sweep_test.cpp checks the two on every short
// entry), so the check that keypad_window.cpp makes refuses nothing the
// library writes; the web module's shared table compares its keypad answers
// with the command line's.
//
// The few text helpers of the engine that the command line uses
// (convert/reading.h) are here too, with the same meaning.
#include "convert/reading.h"
#include "keypad_window.h"

namespace quotalis {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

namespace cli {

std::optional<exact::Problem> WindowRefuses(const KeypadForm&, bool) { return std::nullopt; }

}  // namespace cli

}  // namespace quotalis
