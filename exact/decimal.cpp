#include <quotalis/exact/decimal.h>

#include <limits>
#include <string>

#include "numbers.h"

namespace quotalis::exact {

namespace {

// 10000000 -> "10,000,000".
std::string Grouped(std::int64_t n) {
  std::string digits = std::to_string(n);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

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
  // appends; the denominator 1 followed by one nine or zero per digit after the
  // point, plus the zeros a negative exponent appends.
  const std::optional<std::int64_t> numerator =
      d.exponent > 0 ? CheckedAdd(digits, d.exponent) : std::optional<std::int64_t>(digits);
  const std::optional<std::int64_t> denominator =
      d.exponent < 0 ? (d.exponent == std::numeric_limits<std::int64_t>::min()
                            ? std::nullopt
                            : CheckedAdd(after + 1, -d.exponent))
                     : std::optional<std::int64_t>(after + 1);
  if (!numerator || !denominator) return std::nullopt;
  return TermDigits{*numerator, *denominator};
}

std::optional<Problem> OverLimit(const Decimal& d) {
  const std::optional<TermDigits> t = CountTermDigits(d);
  // Leading zeros after the point count towards both bounds, and the
  // denominator is the term they make long.
  if (!t || t->denominator > kMaxTermDigits) return TooManyDigits(Term::Denominator);
  if (t->numerator > kMaxTermDigits) return TooManyDigits(Term::Numerator);
  return std::nullopt;
}

}  // namespace quotalis::exact
