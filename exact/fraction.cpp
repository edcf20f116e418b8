#include <quotalis/exact/fraction.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include <quotalis/exact/canonical.h>

#include "numbers.h"

namespace quotalis::exact {

namespace {

// The integer the digits write; 0 for none. Subquadratic (GMP's mpz_set_str).
mpz_class FromDigits(const std::string& digits) {
  if (digits.empty()) return 0;
  return mpz_class(digits, 10);
}

// The digits without the leading zeros: "007" -> 1, "000" -> 0.
std::size_t Significant(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? 0 : digits.size() - first;
}

// The exact number of decimal digits of n > 0 (mpz_sizeinbase may count one more).
std::size_t DigitCount(const mpz_class& n) {
  const std::size_t size = mpz_sizeinbase(n.get_mpz_t(), 10);
  return size > 1 && n < TenTo(static_cast<std::int64_t>(size) - 1) ? size - 1 : size;
}

std::uint64_t WordOf(std::string_view digits) {
  std::uint64_t v = 0;
  for (const char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  return v;
}

// The same as the general path below, in machine words, for the decimals whose
// terms stay below 10^18 (every keypad entry): a few hundred nanoseconds
// rather than a dozen big-number allocations.
Schoolbook SmallFraction(const Decimal& d) {
  const auto a = static_cast<std::int64_t>(d.fixed.size());
  const auto b = static_cast<std::int64_t>(d.period.size());
  const std::int64_t e = d.exponent;
  const std::uint64_t lower = WordOf(d.integer) * WordTenTo(a) + WordOf(d.fixed);
  std::uint64_t top = b > 0 ? lower * WordTenTo(b) + WordOf(d.period) - lower : lower;
  const std::uint64_t nines = b > 0 ? WordTenTo(b) - 1 : 1;
  Schoolbook s;
  s.numerator = FromWord(e > 0 ? top * WordTenTo(e) : top);
  s.denominator = FromWord(nines * WordTenTo(a) * (e < 0 ? WordTenTo(-e) : 1));
  std::uint64_t den = nines * WordTenTo(std::max<std::int64_t>(a - e, 0));
  if (a - e < 0) top *= WordTenTo(e - a);
  if (top != 0) {
    const std::uint64_t g = std::gcd(top, den);
    s.reduced.numerator = FromWord(top / g);
    s.reduced.denominator = FromWord(den / g);
  }
  if (d.negative) {
    s.numerator = -s.numerator;
    s.reduced.numerator = -s.reduced.numerator;
  }
  return s;
}

// Whether every number SmallFraction builds stays below 10^18.
bool IsSmall(const Decimal& d) {
  const auto digits =
      static_cast<std::int64_t>(d.integer.size() + d.fixed.size() + d.period.size());
  const auto after = static_cast<std::int64_t>(d.fixed.size() + d.period.size());
  const std::int64_t e = d.exponent;
  return e >= -18 && e <= 18 && digits + std::max<std::int64_t>(e, 0) <= 18 &&
         after + std::max<std::int64_t>(-e, 0) <= 18;
}

}  // namespace

Rational Reduced(Rational r) {
  if (r.denominator < 0) {
    r.numerator = -r.numerator;
    r.denominator = -r.denominator;
  }
  mpz_class g;
  mpz_gcd(g.get_mpz_t(), r.numerator.get_mpz_t(), r.denominator.get_mpz_t());
  if (g > 1) {
    mpz_divexact(r.numerator.get_mpz_t(), r.numerator.get_mpz_t(), g.get_mpz_t());
    mpz_divexact(r.denominator.get_mpz_t(), r.denominator.get_mpz_t(), g.get_mpz_t());
  }
  return r;
}

Result<Rational> FromText(const FractionText& text) {
  if (text.numerator.empty()) {
    return MakeProblem(ProblemKind::Argument, N_("the fraction has no numerator"), {});
  }
  if (text.denominator.empty()) {
    return MakeProblem(ProblemKind::Argument, N_("the fraction has no denominator"), {});
  }
  if (!AllDigits(text.whole)) return NotDigits(N_("whole part"));
  if (!AllDigits(text.numerator)) return NotDigits(N_("numerator"));
  if (!AllDigits(text.denominator)) return NotDigits(N_("denominator"));
  // The terms as written, leading zeros aside. The whole part is multiplied
  // by the denominator: the improper numerator has at least w + d - 1 digits
  // and at most one more than the larger of w + d and n; only between those
  // bounds is it built before it is counted.
  const auto limit = static_cast<std::size_t>(kMaxTermDigits);
  const std::size_t d = Significant(text.denominator);
  const std::size_t n = Significant(text.numerator);
  const std::size_t w = Significant(text.whole);
  if (d > limit) return TooManyDigits(Term::Denominator);
  if (n > limit || (w > 0 && w + d - 1 > limit)) return TooManyDigits(Term::Numerator);
  Rational r;
  r.denominator = FromDigits(text.denominator);
  if (r.denominator == 0) return ZeroDenominator();
  r.numerator = FromDigits(text.whole) * r.denominator + FromDigits(text.numerator);
  if (w > 0 && std::max(w + d, n) + 1 > limit && DigitCount(r.numerator) > limit) {
    return TooManyDigits(Term::Numerator);
  }
  if (text.negative) r.numerator = -r.numerator;
  return Reduced(std::move(r));
}

namespace {

// ToFraction's work, the unreduced terms made only when `unreduced` asks.
// The reduced denominator comes without the power of ten that `tens` counts.
struct Made {
  Schoolbook terms;
  std::int64_t tens = 0;
};

Result<Made> Fraction(const Decimal& written, bool unreduced) {
  if (std::optional<Problem> problem = CheckDigits(written)) return *problem;
  // Terms within the limit as written are within it in the canonical form
  // too; otherwise the canonical form decides, by operations on the digits,
  // and the fraction is made from it.
  Decimal shortest;
  const bool overWritten = OverLimit(written).has_value();
  if (overWritten) {
    Result<Decimal> c = Canonical(written);
    if (Problem* problem = std::get_if<Problem>(&c)) return std::move(*problem);
    shortest = std::get<Decimal>(std::move(c));
  }
  const Decimal& decimal = overWritten ? shortest : written;
  if (IsSmall(decimal)) return Made{SmallFraction(decimal), 0};
  const auto a = static_cast<std::int64_t>(decimal.fixed.size());
  const auto b = static_cast<std::int64_t>(decimal.period.size());
  const std::int64_t e = decimal.exponent;

  // 10^b - 1, the nines; 1 when nothing recurs.
  const mpz_class nines = TenTo(b) - 1 + (b == 0 ? 1 : 0);
  // All digits minus those that do not recur, IFP - IF = IF (10^b - 1) + P:
  // each digit is read once, and the digits after a zero integer part are
  // read where they lie.
  mpz_class top = Significant(decimal.integer) == 0 ? FromDigits(decimal.fixed)
                                                    : FromDigits(decimal.integer + decimal.fixed);
  // top mod the nines: P, or 0 when P is all nines.
  mpz_class g;
  if (b > 0) {
    g = FromDigits(decimal.period);
    top *= nines;
    top += g;
    if (g == nines) g = 0;
  }

  Made made;
  Schoolbook& s = made.terms;
  if (unreduced) {
    s.numerator = e > 0 ? top * TenTo(e) : top;
    s.denominator = nines * TenTo(a) * (e < 0 ? TenTo(-e) : mpz_class(1));
    if (decimal.negative) s.numerator = -s.numerator;
  }
  if (top == 0) return made;  // reduced stays 0/1

  // value = top / (nines 10^tens). The nines are prime to 10, so the common
  // factor is gcd(top, nines) times the twos and fives the power of ten shares
  // with top, each found on its own: one gcd of b-digit numbers (top is P
  // modulo the nines, and a power of ten shifts nothing modulo them),
  // instead of a gcd of the whole terms.
  std::int64_t tens = a - e;
  if (tens < 0) {
    top *= TenTo(-tens);
    tens = 0;
  }
  mpz_class den = nines;
  if (b > 0) {
    mpz_gcd(g.get_mpz_t(), g.get_mpz_t(), nines.get_mpz_t());
    if (g > 1) {
      mpz_divexact(top.get_mpz_t(), top.get_mpz_t(), g.get_mpz_t());
      mpz_divexact(den.get_mpz_t(), den.get_mpz_t(), g.get_mpz_t());
    }
  }
  if (tens > 0) {
    const auto twos =
        std::min<std::int64_t>(static_cast<std::int64_t>(mpz_scan1(top.get_mpz_t(), 0)), tens);
    mpz_tdiv_q_2exp(top.get_mpz_t(), top.get_mpz_t(), static_cast<mp_bitcnt_t>(twos));
    // The fives; most numerators have none, and are not copied to look.
    std::int64_t fives = 0;
    if (mpz_divisible_ui_p(top.get_mpz_t(), 5) != 0) {
      mpz_class rest = top;
      const mpz_class five(5);
      const auto allFives = static_cast<std::int64_t>(
          mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), five.get_mpz_t()));
      fives = std::min(allFives, tens);
      if (fives == allFives) {
        top = std::move(rest);
      } else {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 5, static_cast<unsigned long>(fives));
        mpz_divexact(top.get_mpz_t(), top.get_mpz_t(), p.get_mpz_t());
      }
    }
    // den 2^(tens - twos) 5^(tens - fives), of which 10^(tens - max) is
    // held apart: only what is left is multiplied out.
    made.tens = tens - std::max(twos, fives);
    mpz_class p5;
    mpz_ui_pow_ui(p5.get_mpz_t(), 5, static_cast<unsigned long>(tens - fives - made.tens));
    den *= p5;
    mpz_mul_2exp(den.get_mpz_t(), den.get_mpz_t(),
                 static_cast<mp_bitcnt_t>(tens - twos - made.tens));
  }
  s.reduced.numerator = decimal.negative ? mpz_class(-top) : std::move(top);
  s.reduced.denominator = std::move(den);
  return made;
}

}  // namespace

Result<Schoolbook> ToFraction(const Decimal& written) {
  Result<Made> made = Fraction(written, true);
  if (Problem* problem = std::get_if<Problem>(&made)) return std::move(*problem);
  Made& m = std::get<Made>(made);
  if (m.tens > 0) {
    mpz_class& den = m.terms.reduced.denominator;
    den *= TenTo(m.tens);
  }
  return std::move(m.terms);
}

Result<LowestTerms> ToLowestTerms(const Decimal& decimal) {
  Result<Made> made = Fraction(decimal, false);
  if (Problem* problem = std::get_if<Problem>(&made)) return std::move(*problem);
  Made& m = std::get<Made>(made);
  return LowestTerms{std::move(m.terms.reduced.numerator), std::move(m.terms.reduced.denominator),
                     m.tens};
}

}  // namespace quotalis::exact
