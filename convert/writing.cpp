#include "convert/writing.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace quotalis {

namespace {

// The value rounded to 15 significant digits, as the digits without trailing
// zeros (at least one) and the decimal exponent of the first one.
struct Significant {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Significant RoundTo15Digits(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // text is "[-]d.dddddddddddddde(+|-)xx"
  Significant s;
  std::size_t i = 0;
  if (text[i] == '-') {
    s.negative = true;
    ++i;
  }
  const std::size_t e = text.find('e');
  for (; i < e; ++i) {
    if (text[i] != '.') s.digits += text[i];
  }
  s.digits.erase(s.digits.find_last_not_of('0') + 1);
  if (s.digits.empty()) s.digits.push_back('0');
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  s.exponent);
  return s;
}

std::string Positional(const Significant& s) {
  std::string out = s.negative ? "-" : "";
  const auto count = static_cast<int>(s.digits.size());
  if (s.exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
    out += s.digits;
  } else if (count <= s.exponent + 1) {
    out += s.digits;
    out.append(static_cast<std::size_t>(s.exponent + 1 - count), '0');
  } else {
    const auto whole = static_cast<std::size_t>(s.exponent + 1);
    out += s.digits.substr(0, whole);
    out += '.';
    out += s.digits.substr(whole);
  }
  return out;
}

std::string ExponentForm(const Significant& s) {
  std::string out = s.negative ? "-" : "";
  out += s.digits[0];
  if (s.digits.size() > 1) {
    out += '.';
    out += s.digits.substr(1);
  }
  out += s.exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(s.exponent);
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

std::optional<std::string> NonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return std::nullopt;
}

}  // namespace

std::string GeneralText(double value) {
  if (auto text = NonFiniteText(value)) return *text;
  if (value == 0.0) return "0";
  const Significant s = RoundTo15Digits(value);
  return s.exponent >= -4 && s.exponent <= 14 ? Positional(s) : ExponentForm(s);
}

std::string GeneralText(std::int32_t value) { return std::to_string(value); }

std::string PlainText(double value) {
  if (auto text = NonFiniteText(value)) return *text;
  if (value == 0.0) return "0";
  return Positional(RoundTo15Digits(value));
}

std::optional<std::int32_t> RoundToLong(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::floor(value);
  const double fraction = value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace quotalis
