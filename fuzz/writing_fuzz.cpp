// Writing numbers as text, against the C library's printf and strtod and the
// floating-point unit's own rounding to the nearest integer.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "check.h"
#include "convert/reading.h"
#include "convert/writing.h"
#include "reference/number_text.h"

namespace {

using namespace quotalis;
using fuzz::Require;

void CheckWriting(double x, std::string_view text) {
  const std::string general = GeneralText(x);
  const std::string plain = PlainText(x);
  if (std::isnan(x)) {
    Require(general == "nan" && plain == "nan", "nan written as nan", text);
    return;
  }
  if (std::isinf(x)) {
    const char* want = x < 0 ? "-inf" : "inf";
    Require(general == want && plain == want, "infinity written as inf", text);
    return;
  }
  const auto [rounded, exponent] = testing::PrintfRounded15(x);
  Require(std::strtod(general.c_str(), nullptr) == rounded, "GeneralText holds 15 digits", text);
  Require(std::strtod(plain.c_str(), nullptr) == rounded, "PlainText holds 15 digits", text);
  Require(plain.find_first_of("eE") == std::string::npos, "PlainText never in exponent form", text);
  const bool exponentForm = general.find('E') != std::string::npos;
  Require(exponentForm == (x != 0.0 && (exponent < -4 || exponent > 14)),
          "GeneralText in exponent form exactly outside 1E-4 to 1E+14", text);
  for (const std::string& t : {general, plain}) {
    const std::string mantissa = t.substr(0, t.find('E'));
    if (mantissa.find('.') != std::string::npos) {
      Require(mantissa.back() != '0' && mantissa.back() != '.', "no trailing zeros", text);
    }
  }

  const std::optional<std::int32_t> got = RoundToLong(x);
  const double nearest = std::nearbyint(x);  // ties to even in the default rounding mode
  if (nearest >= -2147483648.0 && nearest <= 2147483647.0) {
    Require(got == static_cast<std::int32_t>(nearest), "RoundToLong nearest, ties to even", text);
  } else {
    Require(!got.has_value(), "RoundToLong overflow is nothing", text);
  }
}

void CheckInteger(std::int32_t n, std::string_view text) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(n));
  Require(GeneralText(n) == buffer, "GeneralText of an integer is its decimal digits", text);
}

}  // namespace

// The doubles written are the value the text reads as and, from a text of at
// least 8 bytes, its first 8 bytes taken as the bits of one; the integers the
// period byte and the first 4 bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in;
  if (!fuzz::Split(data, size, in)) return 0;
  CheckWriting(LeadingValue(in.text), in.text);
  if (in.text.size() >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, in.text.data(), sizeof bits);
    CheckWriting(bits, in.text);
  }
  CheckInteger(in.k, in.text);
  if (in.text.size() >= sizeof(std::int32_t)) {
    std::int32_t n = 0;
    std::memcpy(&n, in.text.data(), sizeof n);
    CheckInteger(n, in.text);
  }
  return 0;
}
