#include "reference/number_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace quotalis::testing {

bool MatchesNumberGrammar(std::string_view text) {
  static const std::regex kNumber(
      R"([ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*)");
  return std::regex_match(text.begin(), text.end(), kNumber);
}

Rounded PrintfRounded15(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", x);
  const char* e = std::strchr(buffer, 'e');
  return {std::strtod(buffer, nullptr), std::atoi(e + 1)};
}

std::optional<std::string> ExactValue(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
      text.back() == '\t' || !MatchesNumberGrammar(text)) {
    return std::nullopt;
  }
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::string digits;
  long long exponent = 0;
  std::size_t i = 0;
  bool afterPoint = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      afterPoint = true;
    } else {
      digits += text[i];
      if (afterPoint) --exponent;
    }
  }
  if (i < text.size()) {  // the exponent
    ++i;
    bool minus = false;
    if (text[i] == '+' || text[i] == '-') minus = text[i++] == '-';
    long long e = 0;
    for (; i < text.size(); ++i) e = std::min(e * 10 + (text[i] - '0'), 1'000'000'000LL);
    exponent += minus ? -e : e;
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return "0";
  while (digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  if (exponent > 100000 || exponent < -100000) return std::nullopt;
  std::string out = negative ? "-" : "";
  const auto length = static_cast<long long>(digits.size());
  if (exponent >= 0) {
    out += digits + std::string(static_cast<std::size_t>(exponent), '0');
  } else if (-exponent >= length) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - length), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(length + exponent);
    out += digits.substr(0, whole) + "." + digits.substr(whole);
  }
  return out;
}

}  // namespace quotalis::testing
