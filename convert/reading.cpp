#include "convert/reading.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace quotalis {

namespace {

bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the run of digits at the start of `text`.
std::size_t DigitRun(std::string_view text) {
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsDigit) -
                                  text.begin());
}

// The longest leading number of a text, in its parts:
//   sign, then mantissa (digits with at most one point), then exponent.
// `digits` counts the mantissa's digits; with none there is no number, and
// the exponent is then never read.
struct LeadingNumber {
  bool negative = false;
  std::string_view sign;
  std::string_view mantissa;
  std::string_view exponent;
  std::size_t digits = 0;

  std::size_t size() const { return sign.size() + mantissa.size() + exponent.size(); }
};

// Length of "(E|e) [+|-] digits" at the start of `text`, 0 when it is not there.
std::size_t ExponentLength(std::string_view text) {
  if (text.empty() || (text[0] != 'E' && text[0] != 'e')) return 0;
  std::size_t i = 1;
  if (i < text.size() && IsSign(text[i])) ++i;
  const std::size_t digits = DigitRun(text.substr(i));
  return digits == 0 ? 0 : i + digits;
}

LeadingNumber ScanNumber(std::string_view text) {
  LeadingNumber n;
  std::size_t i = 0;
  if (i < text.size() && IsSign(text[i])) {
    n.negative = text[i] == '-';
    ++i;
  }
  n.sign = text.substr(0, i);
  const std::size_t start = i;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++n.digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  n.mantissa = text.substr(start, i - start);
  if (n.digits > 0) n.exponent = text.substr(i, ExponentLength(text.substr(i)));
  return n;
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
  for (; i < exponent.size() && shift < 1'000'000'000LL; ++i) {
    shift = shift * 10 + (exponent[i] - '0');
  }
  position += negative ? -shift : shift;
  return position > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

double LeadingValue(std::string_view text) {
  const LeadingNumber n = ScanNumber(text);
  if (n.digits == 0) return 0.0;
  // from_chars takes no "+" sign, so the value is read without its sign.
  const std::string_view number = text.substr(n.sign.size(), n.mantissa.size() + n.exponent.size());
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) value = OutOfRangeValue(n.mantissa, n.exponent);
  return n.negative ? -value : value;
}

bool IsNumber(std::string_view text) {
  text = TrimBlanks(text);
  const LeadingNumber n = ScanNumber(text);
  return n.digits > 0 && n.size() == text.size();
}

bool IsDigits(std::string_view text) { return !text.empty() && DigitRun(text) == text.size(); }

std::string Left(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

std::string Right(std::string_view text, std::size_t n) {
  return std::string(text.substr(text.size() - std::min(n, text.size())));
}

}  // namespace quotalis
