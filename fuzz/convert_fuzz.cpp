// libFuzzer target for the whole engine. An input is one byte for the period k
// (a signed byte; 0x7F and 0x80 stand for the largest and smallest int32), then
// the text. The text goes to every text conversion, the expansion, the
// factorisation, the reduction (split at its first "/") and the whole
// conversion; its first 8 bytes also go, as the bits of a double, to the
// number-to-text conversions. Every result is checked against what the
// contracts promise, with references that do not use the engine: the C
// library's strtod and printf, a regular expression, integer arithmetic.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "convert/conversion.h"
#include "convert/expansion.h"
#include "convert/reading.h"
#include "convert/reduction.h"
#include "convert/writing.h"
#include "reference/exact_fraction.h"

namespace {

using namespace quotalis;

[[noreturn]] void Fail(std::string_view what, std::string_view text) {
  std::fprintf(stderr, "\nbroken promise: %.*s\ntext: \"%.*s\"\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(text.size()), text.data());
  std::abort();
}

void Require(bool holds, std::string_view what, std::string_view text) {
  if (!holds) Fail(what, text);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool AllDigits(std::string_view t) { return !t.empty() && std::all_of(t.begin(), t.end(), IsDigit); }

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// Digits of at most 18 characters as an integer.
std::optional<std::uint64_t> Small(std::string_view digits) {
  if (!AllDigits(digits) || digits.size() > 18) return std::nullopt;
  std::uint64_t v = 0;
  for (const char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  return v;
}

bool IsPrime(std::int64_t n) {
  if (n < 2) return false;
  for (std::int64_t d = 2; d * d <= n; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

// --- Text to number -----------------------------------------------------------------

// The number grammar of IsNumber, written as a regular expression.
bool MatchesNumberGrammar(std::string_view text) {
  static const std::regex kNumber(R"([ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*)");
  return std::regex_match(text.begin(), text.end(), kNumber);
}

void CheckReading(std::string_view text) {
  const double value = LeadingValue(text);
  Require(!std::isnan(value), "LeadingValue never gives nan", text);
  const bool number = IsNumber(text);
  if (text.size() <= 256) {
    Require(number == MatchesNumberGrammar(text), "IsNumber follows the number grammar", text);
  }
  if (number && Trim(text) == text) {
    const std::string copy(text);  // strtod needs the terminating NUL
    Require(value == std::strtod(copy.c_str(), nullptr), "LeadingValue reads as strtod", text);
  }
  Require(IsDigits(text) == AllDigits(text), "IsDigits", text);
}

// --- Number to text -----------------------------------------------------------------

// Value and decimal exponent of x rounded to 15 significant digits, by printf.
std::pair<double, int> Rounded15(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", x);
  const char* e = std::strchr(buffer, 'e');
  return {std::strtod(buffer, nullptr), std::atoi(e + 1)};
}

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
  const auto [rounded, exponent] = Rounded15(x);
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

// --- Text pieces ----------------------------------------------------------------

void CheckPieces(std::string_view text, std::size_t n, std::size_t p) {
  const std::size_t size = text.size();
  Require(Left(text, n) == text.substr(0, std::min(n, size)), "Left", text);
  Require(Right(text, n) == text.substr(size - std::min(n, size)), "Right", text);
  // The n characters from the 1-based position p, cut with the two pieces.
  if (p >= 1) {
    const std::string mid = Left(Right(text, size - std::min(size, p - 1)), n);
    Require(mid == (p - 1 < size ? text.substr(p - 1, n) : std::string_view{}), "Middle", text);
  }
}

// --- Expansion ------------------------------------------------------------------

void CheckExpansion(std::string_view text, std::int32_t k) {
  const std::optional<Expansion> e = Expand(text, k);
  const auto points = std::count(text.begin(), text.end(), '.');
  const std::size_t point = text.find('.');
  if (points == 0) {
    Require(e.has_value() == (k == 0), "Expand without a point takes only k = 0", text);
    if (e) Require(!e->decimal && e->numerator == text && e->denominator == "1", "integer over 1", text);
    return;
  }
  const std::size_t d = text.size() - point - 1;
  const bool fits = points == 1 && d <= 9 && k >= 0 && static_cast<std::size_t>(k) <= d;
  Require(e.has_value() == fits, "Expand refuses exactly outside its precondition", text);
  if (!e) return;
  const std::string digits = std::string(text.substr(0, point)) + std::string(text.substr(point + 1));
  Require(e->decimal == digits, "decimal is the text without its point", text);
  const auto kk = static_cast<std::size_t>(k);
  const std::string denominator =
      k == 0 ? "1" + std::string(d, '0') : std::string(kk, '9') + std::string(d - kk, '0');
  Require(e->denominator == denominator, "nines then zeros, or a power of ten", text);
  if (const auto all = Small(digits); all && digits.size() <= 15) {
    const std::uint64_t fixed = k == 0 ? 0 : Small(std::string_view(digits).substr(0, digits.size() - kk)).value_or(0);
    Require(e->numerator == std::to_string(*all - fixed), "digits minus the digits that do not recur", text);
  }
}

// --- Factorisation and reduction ------------------------------------------------

constexpr std::int32_t kStale = -12345;

void CheckFactorise(std::string_view text) {
  FactorArray factors;
  factors.fill(kStale);
  std::int32_t term = kStale;
  std::int16_t count = -1;
  std::int32_t divisor = 0;
  const bool ok = Factorise(text, term, count, factors, divisor);
  const std::optional<std::int32_t> start = RoundToLong(LeadingValue(text));
  Require(ok == (start && *start >= 0), "Factorise takes non-negative 32-bit values", text);
  if (!ok) {
    Require(count == 0 && term == kStale, "a refused term leaves count 0, term unchanged", text);
    Require(std::all_of(factors.begin(), factors.end(), [](auto f) { return f == kStale; }),
            "a refused term leaves the list alone", text);
    return;
  }
  Require(count >= 1 && count <= 31, "1 to 31 entries", text);
  const auto used = static_cast<std::size_t>(count);
  Require(factors[0] == kStale, "index 0 never used", text);
  for (std::size_t i = used + 1; i < factors.size(); ++i) {
    Require(factors[i] == kStale, "entries past the count untouched", text);
  }
  const std::int32_t bound = *TrialBound(*start);
  Require(divisor == bound + 1, "the search ends past the bound", text);
  std::int64_t product = 1;
  for (std::size_t i = 1; i < used; ++i) {
    Require(IsPrime(factors[i]) && factors[i] <= bound, "primes within the bound", text);
    Require(i == 1 || factors[i - 1] <= factors[i], "ascending", text);
    product *= factors[i];
  }
  const std::int32_t last = factors[used];
  Require(term == last, "the term ends as the last remainder", text);
  Require(*start == 0 ? last == 0 : last == 1 || (IsPrime(last) && last > bound),
          "remainder 1, or a prime above the bound, or 0 for 0", text);
  product *= last;
  Require(product == *start, "the entries multiply back to the term", text);
}

std::int64_t Product(const FactorArray& factors, std::int16_t count) {
  std::int64_t p = 1;
  for (std::int16_t i = 1; i <= count; ++i) p *= factors[static_cast<std::size_t>(i)];
  return p;
}

void CheckReduce(std::string_view text) {
  const std::size_t slash = std::min(text.find('/'), text.size());
  const std::string_view n = text.substr(0, slash);
  const std::string_view d = slash < text.size() ? text.substr(slash + 1) : std::string_view("1");
  const std::optional<Reduction> r = Reduce(n, d);
  if (!r) return;
  Require(AllDigits(r->numerator) && AllDigits(r->denominator), "reduced terms are digits", text);
  const auto nv = RoundToLong(LeadingValue(n));
  const auto dv = RoundToLong(LeadingValue(d));
  Require(dv.has_value() && *dv > 0, "a positive 32-bit denominator", text);
  if (!nv || *nv < 0) {
    Require(r->numerator == n && d == "1" && r->denominator == "1", "a wide integer over 1", text);
    return;
  }
  const auto rn = Small(r->numerator);
  const auto rd = Small(r->denominator);
  Require(rn && rd && *rd > 0, "reduced terms fit", text);
  Require(std::gcd(*rn, *rd) == 1 || *rn == 0, "lowest terms", text);
  Require(static_cast<__int128>(*rn) * *dv == static_cast<__int128>(*rd) * *nv,
          "the reduced fraction equals the unreduced one", text);
  Require(Product(r->Nfactor, r->Nnterm) == static_cast<std::int64_t>(*rn) &&
              Product(r->Dfactor, r->Dnterm) == static_cast<std::int64_t>(*rd),
          "the lists after pairing multiply to the reduced terms", text);
}

// --- The whole conversion --------------------------------------------------------

// The exact value of a number text in plain positional form, worked out on
// its characters; nothing when the text is not a number or its exponent is
// too large to write out.
std::optional<std::string> ExactValue(std::string_view text) {
  text = Trim(text);
  if (!IsNumber(text)) return std::nullopt;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::string digits;
  long long exponent = 0;
  std::size_t i = 0;
  bool afterPoint = false;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      afterPoint = true;
    } else {
      digits += text[i];
      if (afterPoint) --exponent;
    }
  }
  if (i < text.size()) {  // exponent
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

bool IsKeypadEntry(std::string_view text) {
  return !text.empty() && text.size() <= 10 &&
         std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; }) &&
         std::count(text.begin(), text.end(), '.') <= 1;
}

void CheckConversion(std::string_view text, std::int32_t k) {
  const Conversion c = ConvertEntry(text, k);
  const std::optional<std::string> exact = ExactValue(text);
  switch (c.outcome) {
    case Outcome::Empty: Require(text.empty(), "Empty only for the empty entry", text); return;
    case Outcome::NotANumber: Require(!IsNumber(text), "NotANumber only for no number", text); return;
    case Outcome::Zero: Require(exact == "0", "Zero only for the value 0", text); return;
    case Outcome::OutOfRange:
      Require(!IsKeypadEntry(text), "every keypad entry converts", text);
      return;
    case Outcome::Converted: break;
  }
  Require(exact == c.normalised, "the normalised entry is exactly the value entered", text);
  const std::size_t point = c.normalised.find('.');
  const std::size_t d = point == std::string::npos ? 0 : c.normalised.size() - point - 1;
  Require(static_cast<std::size_t>(c.period) == std::clamp<std::size_t>(static_cast<std::size_t>(std::max(k, 0)), 0, d),
          "the period clamped into the digits after the point", text);
  Require(AllDigits(c.expansion.numerator) && AllDigits(c.expansion.denominator) &&
              AllDigits(c.reduction.numerator) && AllDigits(c.reduction.denominator),
          "all four terms are digits", text);
  const auto un = Small(c.expansion.numerator);
  const auto ud = Small(c.expansion.denominator);
  const auto rn = Small(c.reduction.numerator);
  const auto rd = Small(c.reduction.denominator);
  if (un && ud && rn && rd) {
    Require(*rd > 0 && std::gcd(*rn, *rd) == 1, "lowest terms", text);
    Require(static_cast<__int128>(*rn) * *ud == static_cast<__int128>(*un) * *rd,
            "the reduced fraction equals the unreduced one", text);
  } else {
    Require(point == std::string::npos && c.reduction.numerator == c.normalised &&
                c.reduction.denominator == "1",
            "a wide integer stands over 1", text);
  }

  if (IsKeypadEntry(text)) {
    const auto range = static_cast<std::int32_t>(
        text.find('.') == std::string_view::npos ? 0 : text.size() - text.find('.') - 1);
    const std::string what =
        testing::Disagreement(text, k, c, testing::KeypadReference(text, std::clamp(k, 0, range)));
    Require(what.empty(), what, text);
  }
  const Conversion again = ConvertEntry(c.normalised, c.period);
  Require(again.normalised == c.normalised && again.period == c.period &&
              again.reduction.numerator == c.reduction.numerator &&
              again.reduction.denominator == c.reduction.denominator,
          "converting the normalised entry again changes nothing", text);
}

std::int32_t PeriodFrom(std::uint8_t byte) {
  if (byte == 0x7F) return std::numeric_limits<std::int32_t>::max();
  if (byte == 0x80) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int8_t>(byte);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t k = PeriodFrom(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  CheckReading(text);
  CheckWriting(LeadingValue(text), text);
  if (text.size() >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, text.data(), sizeof bits);
    CheckWriting(bits, text);
  }
  Require(GeneralText(k) == std::to_string(k), "GeneralText of an integer", text);
  CheckPieces(text, data[0], static_cast<std::size_t>(data[0] % 16));
  CheckExpansion(text, k);
  CheckFactorise(text);
  CheckReduce(text);
  CheckConversion(text, k);
  return 0;
}
