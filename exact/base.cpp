#include <quotalis/exact/base.h>

#include <cmath>
#include <cstddef>
#include <utility>

#include <quotalis/exact/write.h>

#include "numbers.h"
#include "readers.h"

namespace quotalis::exact {

bool BaseInRange(int base) { return base >= kMinBase && base <= kMaxBase; }

Problem BaseOutOfRange(int base) {
  return MakeProblem(ProblemKind::Argument, N_("the base {1} is not between 2 and 36"),
                     {std::to_string(base)});
}

namespace {

// Whether every character of `s` is a digit of `base`, in either case.
bool AllDigitsIn(std::string_view s, int base) {
  for (const char c : s) {
    const std::optional<int> v = DigitOf(c);
    if (!v || *v >= base) return false;
  }
  return true;
}

// The value of base-`base` digits, 0 for none.
mpz_class ValueOf(const std::string& digits, int base) {
  if (digits.empty()) return 0;
  return mpz_class(digits, base);
}

// The characters of `utf8[0, bytes)`: bytes that do not continue a character.
std::int64_t CharactersIn(std::string_view utf8, std::size_t bytes) {
  std::int64_t n = 0;
  for (std::size_t i = 0; i < bytes; ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++n;
  }
  return n;
}

// The blanks an entry may end with: space, tab, CR, LF, U+3000.
std::size_t WithoutTrailingBlanks(std::string_view s) {
  std::size_t end = s.size();
  for (;;) {
    if (end > 0 &&
        (s[end - 1] == ' ' || s[end - 1] == '\t' || s[end - 1] == '\r' || s[end - 1] == '\n')) {
      --end;
    } else if (end >= 3 && s.substr(end - 3, 3) == "\u3000") {
      end -= 3;
    } else {
      return end;
    }
  }
}

}  // namespace

char DigitChar(int value) {
  return static_cast<char>(value < 10 ? '0' + value : 'a' + (value - 10));
}

std::optional<int> DigitOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return std::nullopt;
}

Result<Reading> ReadInBase(std::string_view utf8, int base) {
  if (!BaseInRange(base)) return BaseOutOfRange(base);
  if (base == 10) return Read(utf8);
  return parse::ReadIn(utf8, base);
}

Result<Subscripted> SplitSubscript(std::string_view utf8) {
  const std::size_t end = WithoutTrailingBlanks(utf8);
  const std::string_view s = utf8.substr(0, end);
  std::string digits;
  std::size_t start = end;
  // U+2080 to U+2089, three bytes each: E2 82 80 to E2 82 89.
  while (start >= 3 && s.substr(start - 3, 2) == "\xE2\x82" &&
         static_cast<unsigned char>(s[start - 1]) >= 0x80 &&
         static_cast<unsigned char>(s[start - 1]) <= 0x89) {
    digits.insert(digits.begin(), static_cast<char>('0' + (s[start - 1] - '\x80')));
    start -= 3;
  }
  std::size_t mark = start;
  if (digits.empty()) {
    const std::size_t underscore = s.rfind('_');
    if (underscore == std::string_view::npos) return Subscripted{std::string(utf8), std::nullopt};
    const std::string_view after = s.substr(underscore + 1);
    for (const char c : after) {
      if (c < '0' || c > '9') return Subscripted{std::string(utf8), std::nullopt};
    }
    digits = std::string(after);
    start = underscore;
    mark = underscore;
  }
  const std::int64_t at = CharactersIn(utf8, mark) + 1;
  int base = 0;
  for (const char c : digits) {
    base = base * 10 + (c - '0');
    if (base > kMaxBase) break;
  }
  if (digits.empty() || !BaseInRange(base)) {
    return MakeProblem(ProblemKind::Syntax,
                       N_("the subscript at character {1} names no base from 2 to 36"),
                       {std::to_string(at)}, at);
  }
  return Subscripted{std::string(utf8.substr(0, start)), base};
}

Result<Rational> FromBase(const Decimal& digits, int base) {
  Result<Schoolbook> fraction = ToFractionInBase(digits, base);
  if (auto* problem = std::get_if<Problem>(&fraction)) return *problem;
  return std::get<Schoolbook>(std::move(fraction)).reduced;
}

Result<Schoolbook> ToFractionInBase(const Decimal& digits, int base) {
  if (!BaseInRange(base)) return BaseOutOfRange(base);
  if (base == 10) return ToFraction(digits);
  if (!AllDigitsIn(digits.integer, base)) return NotDigits(N_("integer part"));
  if (!AllDigitsIn(digits.fixed, base)) return NotDigits(N_("non-recurring part"));
  if (!AllDigitsIn(digits.period, base)) return NotDigits(N_("recurring part"));
  if (digits.exponent != 0) {
    return MakeProblem(ProblemKind::Argument, N_("only a decimal in base 10 takes an exponent"),
                       {});
  }
  // A term of k digits in the base has at most k log10(base) + 1 decimal digits.
  const double perDigit = std::log10(static_cast<double>(base));
  const auto all =
      static_cast<double>(digits.integer.size() + digits.fixed.size() + digits.period.size());
  const auto below = static_cast<double>(digits.fixed.size() + digits.period.size());
  const auto limit = static_cast<double>(kMaxTermDigits);
  if (below * perDigit + 1 > limit) return TooManyDigits(Term::Denominator);
  if (all * perDigit + 1 > limit) return TooManyDigits(Term::Numerator);

  const std::string head = digits.integer + digits.fixed;
  Rational r;
  r.numerator = ValueOf(head + digits.period, base);
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(base),
                static_cast<unsigned long>(digits.period.size()));
  if (!digits.period.empty()) {
    r.numerator -= ValueOf(head, base);
    r.denominator = power - 1;
  }
  mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(base),
                static_cast<unsigned long>(digits.fixed.size()));
  r.denominator *= power;
  if (digits.negative) r.numerator = -r.numerator;
  Schoolbook fraction{r.numerator, r.denominator, Reduced(r)};
  return fraction;
}

Result<std::string> WriteInBase(const Decimal& canonical, Notation notation, int base) {
  if (!BaseInRange(base)) return BaseOutOfRange(base);
  if (base != 10) {
    if (notation == Notation::Keypad) {
      return MakeProblem(ProblemKind::Unwritable, N_("the keypad takes decimals in base 10 only"),
                         {});
    }
    if (notation == Notation::R && base > 27) {
      return MakeProblem(ProblemKind::Unwritable,
                         N_("r is a digit in base {1}: mark the period another way"),
                         {std::to_string(base)});
    }
  }
  return Write(canonical, notation);
}

}  // namespace quotalis::exact
