// Reading numbers and pieces out of text, against a regular expression, the C
// library's strtod and isdigit, and the standard library's substr.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "check.h"
#include "convert/reading.h"
#include "reference/integers.h"
#include "reference/number_text.h"

namespace {

using namespace quotalis;
using fuzz::Require;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckCharacters(std::string_view text) {
  for (const char c : text) {
    // isdigit in the "C" locale, which a program has until it sets another.
    const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
    Require(IsDigit(c) == digit, "IsDigit is isdigit in the C locale", text);
  }
  const std::string_view trimmed = TrimBlanks(text);
  const auto front = static_cast<std::size_t>(trimmed.data() - text.data());
  Require(front <= text.size() && trimmed.size() <= text.size() - front,
          "TrimBlanks gives a piece of its text", text);
  const std::string_view before = text.substr(0, front);
  const std::string_view after = text.substr(front + trimmed.size());
  Require(std::all_of(before.begin(), before.end(), IsBlank) &&
              std::all_of(after.begin(), after.end(), IsBlank),
          "TrimBlanks drops only spaces and tabs", text);
  Require(trimmed.empty() || (!IsBlank(trimmed.front()) && !IsBlank(trimmed.back())),
          "TrimBlanks leaves no blank at either end", text);
}

void CheckNumbers(std::string_view text) {
  const double value = LeadingValue(text);
  Require(!std::isnan(value), "LeadingValue never gives nan", text);
  const bool number = IsNumber(text);
  if (text.size() <= 256) {
    Require(number == testing::MatchesNumberGrammar(text), "IsNumber follows the number grammar",
            text);
  }
  if (number && TrimBlanks(text) == text) {
    const std::string copy(text);  // strtod needs the terminating NUL
    Require(value == std::strtod(copy.c_str(), nullptr), "LeadingValue reads as strtod", text);
  }
  Require(IsDigits(text) == testing::AllDigits(text), "IsDigits", text);
}

void CheckPieces(std::string_view text, std::size_t n, std::size_t p) {
  const std::size_t size = text.size();
  Require(Left(text, n) == text.substr(0, std::min(n, size)), "Left", text);
  Require(Right(text, n) == text.substr(size - std::min(n, size)), "Right", text);
  // The n characters from the 1-based position p, cut with the two pieces.
  if (p >= 1) {
    const std::string middle = Left(Right(text, size - std::min(size, p - 1)), n);
    Require(middle == (p - 1 < size ? text.substr(p - 1, n) : std::string_view{}), "Middle", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in;
  if (!fuzz::Split(data, size, in)) return 0;
  CheckCharacters(in.text);
  CheckNumbers(in.text);
  CheckPieces(in.text, in.byte, static_cast<std::size_t>(in.byte % 16));
  return 0;
}
