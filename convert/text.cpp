#include "convert/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quotalis {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

// Length of the run of digits at the start of `text`.
std::size_t DigitRun(std::string_view text) {
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsDigit) -
                                  text.begin());
}

// Length of "(E|e) [+|-] digits" at the start of `text`, 0 when it is not there.
std::size_t ExponentLength(std::string_view text) {
  if (text.empty() || (text[0] != 'E' && text[0] != 'e')) return 0;
  std::size_t i = 1;
  if (i < text.size() && IsSign(text[i])) ++i;
  const std::size_t digits = DigitRun(text.substr(i));
  return digits == 0 ? 0 : i + digits;
}

// from_chars reports a value out of the range of double without giving one.
// Whether it was too large or too small follows from the decimal exponent of
// the first significant digit, which is all this has to work out.
double OutOfRangeValue(std::string_view mantissa, std::string_view exponent) {
  long long position = 0;  // value is about 10^position
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0.0;
  position = first < point ? static_cast<long long>(point - first)
                           : -static_cast<long long>(first - point - 1);
  long long shift = 0;
  std::size_t i = 1;
  const bool negative = exponent.size() > 1 && exponent[1] == '-';
  if (exponent.size() > 1 && IsSign(exponent[1])) ++i;
  for (; i < exponent.size() && shift < 1'000'000'000LL; ++i) shift = shift * 10 + (exponent[i] - '0');
  position += negative ? -shift : shift;
  return position > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

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

double LeadingValue(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && IsSign(text[i])) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  bool point = false;
  std::size_t digits = 0;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return 0.0;
  const std::string_view mantissa = text.substr(start, i - start);
  const std::string_view exponent = text.substr(i, ExponentLength(text.substr(i)));
  const std::string_view number = text.substr(start, mantissa.size() + exponent.size());

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) value = OutOfRangeValue(mantissa, exponent);
  return negative ? -value : value;
}

std::string GeneralText(double value) {
  if (auto text = NonFiniteText(value)) return *text;
  if (value == 0.0) return "0";
  const Significant s = RoundTo15Digits(value);
  return s.exponent >= -4 && s.exponent <= 14 ? Positional(s) : ExponentForm(s);
}

std::string GeneralText(std::int32_t value) { return std::to_string(value); }

std::string GeneralText(std::string_view text) { return std::string(text); }

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

bool IsNumber(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

  std::size_t i = 0;
  if (IsSign(text[i])) ++i;
  bool point = false;
  std::size_t digits = 0;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  const std::size_t exponent = ExponentLength(text.substr(i));
  return i + exponent == text.size();
}

bool IsDigits(std::string_view text) { return !text.empty() && DigitRun(text) == text.size(); }

std::string Left(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

std::string Right(std::string_view text, std::size_t n) {
  return std::string(text.substr(text.size() - std::min(n, text.size())));
}

std::string Mid(std::string_view text, std::size_t p, std::size_t n) {
  const std::size_t start = p == 0 ? 0 : p - 1;
  if (start >= text.size()) return {};
  return std::string(text.substr(start, n));
}

}  // namespace quotalis
