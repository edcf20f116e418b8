#include <quotalis/exact/decimal.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

#include "numbers.h"

namespace quotalis::exact {

namespace {

bool AllOf0(std::string_view s) { return s.find_first_not_of('0') == std::string_view::npos; }

}  // namespace

std::string_view ProblemKindName(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::Empty: return "empty";
    case ProblemKind::Encoding: return "encoding";
    case ProblemKind::Character: return "character";
    case ProblemKind::Syntax: return "syntax";
    case ProblemKind::ZeroDenominator: return "zero-denominator";
    case ProblemKind::TooLarge: return "too-large";
    case ProblemKind::Argument: return "argument";
    case ProblemKind::Unwritable: return "unwritable";
  }
  return "syntax";
}

std::string FillIn(std::string_view format, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(format.size() + 16 * args.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool blank = format[i] == '{' && i + 2 < format.size() && format[i + 1] >= '1' &&
                       format[i + 1] <= '9' && format[i + 2] == '}';
    const auto n = blank ? static_cast<std::size_t>(format[i + 1] - '1') : args.size();
    if (n < args.size()) {
      out += args[n];
      i += 2;
    } else {
      out += format[i];
    }
  }
  return out;
}

Problem MakeProblem(ProblemKind kind, std::string_view format, std::vector<std::string> args,
                    std::int64_t position) {
  Problem p(kind, FillIn(format, args), position);
  p.format = format;
  p.args = std::move(args);
  return p;
}

Problem ZeroDenominator() {
  return MakeProblem(ProblemKind::ZeroDenominator, N_("the denominator is zero"), {});
}

Problem TooManyDigits(Term term) {
  return MakeProblem(ProblemKind::TooLarge,
                     term == Term::Numerator
                         ? N_("the numerator would have more than {1} digits")
                         : N_("the denominator would have more than {1} digits"),
                     {Grouped(kMaxTermDigits)});
}

Problem NotDigits(std::string_view what) {
  return MakeProblem(ProblemKind::Argument, N_("the {1} holds a character that is not a digit"),
                     {std::string(what)});
}

std::optional<Problem> CheckDigits(const Decimal& d) {
  if (!AllDigits(d.integer)) return NotDigits(N_("integer part"));
  if (!AllDigits(d.fixed)) return NotDigits(N_("non-recurring part"));
  if (!AllDigits(d.period)) return NotDigits(N_("recurring part"));
  return std::nullopt;
}

std::optional<TermDigits> CountTermDigits(const Decimal& d) {
  const auto digits =
      static_cast<std::int64_t>(d.integer.size() + d.fixed.size() + d.period.size());
  const auto after = static_cast<std::int64_t>(d.fixed.size() + d.period.size());
  // The numerator has the digits written, plus the zeros a positive exponent
  // appends; the denominator one nine per digit of the period and one zero per
  // fixed digit after it (1 followed by the zeros when nothing recurs), plus
  // the zeros a negative exponent appends.
  const std::int64_t below = d.period.empty() ? after + 1 : after;
  const std::optional<std::int64_t> numerator =
      d.exponent > 0 ? CheckedAdd(digits, d.exponent) : std::optional<std::int64_t>(digits);
  const std::optional<std::int64_t> denominator =
      d.exponent < 0 ? (d.exponent == std::numeric_limits<std::int64_t>::min()
                            ? std::nullopt
                            : CheckedAdd(below, -d.exponent))
                     : std::optional<std::int64_t>(below);
  if (!numerator || !denominator) return std::nullopt;
  return TermDigits{*numerator, *denominator};
}

namespace {

// The value of a digit string, leading zeros aside, compared: -1, 0 or 1.
int CompareDigits(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.size(), a.find_first_not_of('0')));
  b.remove_prefix(std::min(b.size(), b.find_first_not_of('0')));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

TermDigits CanonicalTermDigits(const Decimal& c) {
  TermDigits t;
  const auto a = static_cast<std::int64_t>(c.fixed.size());
  const auto b = static_cast<std::int64_t>(c.period.size());
  t.denominator = b > 0 ? a + b : a + 1;
  // X, all the digits, less the leading zeros (the integer part is "0" when
  // zero); the numerator is X, or X - floor(X / 10^b) when a period follows.
  std::string_view x;
  std::string all = c.integer + c.fixed + c.period;
  x = all;
  x.remove_prefix(std::min(x.size(), x.find_first_not_of('0')));
  const auto n = static_cast<std::int64_t>(x.size());
  t.numerator = std::max<std::int64_t>(n, 1);
  if (b == 0 || n == 0 || x.front() != '1') return t;
  // X = 10^(n-1) + R with R = x[1..]; X - floor(X / 10^b) has n - 1 digits
  // exactly when R < floor(X / 10^b), the first n - b digits of x.
  const std::string_view rest = x.substr(1);
  const std::string_view high = n > b ? x.substr(0, static_cast<std::size_t>(n - b)) : "";
  if (CompareDigits(rest, high) < 0) t.numerator = n - 1;
  return t;
}

std::optional<Problem> OverLimit(const Decimal& d) {
  const std::optional<TermDigits> t = CountTermDigits(d);
  // Leading zeros after the point count towards both bounds, and the
  // denominator is the term they make long.
  if (!t || t->denominator > kMaxTermDigits) return TooManyDigits(Term::Denominator);
  if (t->numerator > kMaxTermDigits) return TooManyDigits(Term::Numerator);
  return std::nullopt;
}

std::optional<Problem> CanonicalOverLimit(const Decimal& c) {
  if (c.fixed.empty() && c.period.empty() && AllOf0(c.integer)) return std::nullopt;
  const TermDigits t = CanonicalTermDigits(c);
  if (t.denominator > kMaxTermDigits) return TooManyDigits(Term::Denominator);
  if (t.numerator > kMaxTermDigits) return TooManyDigits(Term::Numerator);
  return std::nullopt;
}

}  // namespace quotalis::exact
