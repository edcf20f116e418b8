#include <quotalis/exact/word.h>

#include <algorithm>
#include <bit>
#include <charconv>

namespace quotalis::exact {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits from `at` on, moving `at` past them.
std::string_view TakeDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// 10^19 is the largest power of ten below 2^64.
constexpr int kWordDigits = 19;

constexpr std::uint64_t TenTo(int e) {
  std::uint64_t p = 1;
  for (int i = 0; i < e; ++i) p *= 10;
  return p;
}

// Appends the digits to v; the caller keeps v below 10^19.
bool Accumulate(std::string_view digits, std::uint64_t& v) {
  for (const char c : digits) {
    if (!IsDigit(c)) return false;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

// Stein's binary gcd: shifts and subtractions, no division.
std::uint64_t Gcd(std::uint64_t a, std::uint64_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = std::countr_zero(a | b);
  a >>= std::countr_zero(a);
  do {
    b >>= std::countr_zero(b);
    if (a > b) {
      const std::uint64_t t = a;
      a = b;
      b = t;
    }
    b -= a;
  } while (b != 0);
  return a << shift;
}

char* WriteWord(std::uint64_t v, char* out) {
  return std::to_chars(out, out + 20, v).ptr;  // 2^64 - 1 has 20 digits
}

}  // namespace

std::optional<DecimalDigits> ReadSmall(std::string_view text) {
  DecimalDigits d;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) d.negative = text[at++] == '-';
  d.integer = TakeDigits(text, at);
  const bool point = at < text.size() && text[at] == '.';
  if (point) {
    ++at;
    d.fixed = TakeDigits(text, at);
  }
  if (at < text.size() && text[at] == '(') {
    // A period needs a point before it and a digit inside.
    if (!point) return std::nullopt;
    ++at;
    d.period = TakeDigits(text, at);
    if (d.period.empty() || at >= text.size() || text[at] != ')') return std::nullopt;
    ++at;
  } else if (d.integer.empty() && d.fixed.empty()) {
    return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  return d;
}

std::optional<WordFraction> ToWordFraction(const DecimalDigits& d) {
  std::string_view integer = d.integer;
  while (!integer.empty() && integer.front() == '0') integer.remove_prefix(1);
  const std::size_t a = d.fixed.size();
  const std::size_t b = d.period.size();
  if (integer.size() > kWordDigits || a + b > kWordDigits - integer.size()) return std::nullopt;
  // IF, the digits before the period; then IFP - IF = IF (10^b - 1) + P, over
  // (10^b - 1) 10^a, or IF over 10^a when nothing recurs.
  std::uint64_t head = 0;
  if (!Accumulate(integer, head) || !Accumulate(d.fixed, head)) return std::nullopt;
  std::uint64_t top = head;
  std::uint64_t nines = 1;
  std::uint64_t shared = 1;  // gcd(top, nines)
  if (b > 0) {
    std::uint64_t period = 0;
    if (!Accumulate(d.period, period)) return std::nullopt;
    nines = TenTo(static_cast<int>(b)) - 1;
    top = head * nines + period;
    // The nines are prime to 10, and top is the period modulo them: their
    // common factor comes from numbers of b digits.
    shared = Gcd(period == nines ? 0 : period, nines);
  }
  WordFraction f;
  if (top == 0) return f;
  top /= shared;
  // Then the twos and fives top shares with 10^a.
  int twos = std::min(std::countr_zero(top), static_cast<int>(a));
  top >>= twos;
  int fives = 0;
  while (fives < static_cast<int>(a) && top % 5 == 0) {
    top /= 5;
    ++fives;
  }
  std::uint64_t den = nines / shared;
  for (; twos < static_cast<int>(a); ++twos) den *= 2;
  for (; fives < static_cast<int>(a); ++fives) den *= 5;
  f.negative = d.negative;
  f.numerator = top;
  f.denominator = den;
  return f;
}

char* WriteWordFraction(const WordFraction& f, bool mixed, char* out) {
  if (f.negative && f.numerator != 0) *out++ = '-';
  if (!mixed) {
    out = WriteWord(f.numerator, out);
    *out++ = '/';
    return WriteWord(f.denominator, out);
  }
  const std::uint64_t whole = f.numerator / f.denominator;
  const std::uint64_t rest = f.numerator % f.denominator;
  if (whole != 0 || rest == 0) out = WriteWord(whole, out);
  if (rest == 0) return out;
  if (whole != 0) *out++ = ' ';
  out = WriteWord(rest, out);
  *out++ = '/';
  return WriteWord(f.denominator, out);
}

}  // namespace quotalis::exact
