// The working of the number a computer stores for a value: its binary
// expansion, the normalised form 1.xxx × 2^e, where the significand is cut,
// how the bits cut off round it, the number stored and its error.
#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include <quotalis/exact/base.h>
#include <quotalis/exact/binary.h>
#include <quotalis/exact/canonical.h>
#include <quotalis/exact/expansion.h>

#include "explain/render.h"
#include "pieces.h"

namespace quotalis::explain {

namespace {

using words::N_;

// The bits after the last one kept that a working shows.
constexpr int kDroppedShown = 8;
// The binary digits an expansion shows before it says that they go on.
constexpr std::int64_t kBinaryShown = 200;

struct Layout {
  int precision;  // significant bits, the hidden bit counted
  int least;      // the exponent of the least normal number
  int most;       // the exponent of the largest finite number
};

Layout LayoutOf(exact::BinaryFormat f) {
  if (f == exact::BinaryFormat::Binary64) return {53, -1022, 1023};
  return {24, -126, 127};
}

// floor(log2 x) for x > 0.
std::int64_t FloorLog2(const mpq_class& x) {
  const mpz_class& n = x.get_num();
  const mpz_class& d = x.get_den();
  std::int64_t e = static_cast<std::int64_t>(mpz_sizeinbase(n.get_mpz_t(), 2)) -
                   static_cast<std::int64_t>(mpz_sizeinbase(d.get_mpz_t(), 2));
  // Now 2^(e-1) < x < 2^(e+1).
  mpq_class p = 1;
  if (e >= 0) {
    mpz_class t;
    mpz_mul_2exp(t.get_mpz_t(), mpz_class(1).get_mpz_t(), static_cast<mp_bitcnt_t>(e));
    p = mpq_class(t);
  } else {
    mpz_class t;
    mpz_mul_2exp(t.get_mpz_t(), mpz_class(1).get_mpz_t(), static_cast<mp_bitcnt_t>(-e));
    p = mpq_class(mpz_class(1), t);
  }
  if (x < p) --e;
  return e;
}

// x × 2^k, exactly.
mpq_class Scaled(const mpq_class& x, std::int64_t k) {
  mpq_class out;
  if (k >= 0) {
    mpq_mul_2exp(out.get_mpq_t(), x.get_mpq_t(), static_cast<mp_bitcnt_t>(k));
  } else {
    mpq_div_2exp(out.get_mpq_t(), x.get_mpq_t(), static_cast<mp_bitcnt_t>(-k));
  }
  return out;
}

std::string Bits(const mpz_class& n, std::size_t width) {
  std::string s = n == 0 ? std::string() : n.get_str(2);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

Math Binary(std::string digits) { return IndexedOf(std::move(digits), "2"); }

Math Two(std::int64_t e) { return PowerOf("2", std::to_string(e)); }

Math Open() {
  Math m;
  m.kind = Math::Kind::Open;
  return m;
}

Math Close() {
  Math m;
  m.kind = Math::Kind::Close;
  return m;
}

// A value as the working writes it: a decimal that ends (or recurs within
// the limits) when `asDecimal`, else its fraction.
Math Shown(const exact::Rational& r, bool asDecimal) {
  if (asDecimal) {
    exact::Result<exact::DecimalExpansion> e = exact::ToDecimal(r);
    if (const auto* x = std::get_if<exact::DecimalExpansion>(&e); x != nullptr && !x->cut) {
      return DecimalOf(x->value);
    }
  }
  return Fraction(r.numerator, r.denominator);
}

// r = fraction = its exact decimal, when the decimal is known.
Formula FractionAndDecimal(const exact::Rational& r) {
  Formula f = {Fraction(r.numerator, r.denominator)};
  if (r.denominator == 1) f = {Number(r.numerator)};
  exact::Result<exact::DecimalExpansion> e = exact::ToDecimal(r);
  if (const auto* x = std::get_if<exact::DecimalExpansion>(&e);
      x != nullptr && !x->cut && r.denominator != 1) {
    f.push_back(Operator("="));
    f.push_back(DecimalOf(x->value));
  }
  return f;
}

}  // namespace

Steps BinarySteps(const exact::Rational& entry, const exact::StoredBinary& stored,
                  exact::BinaryFormat format, bool asDecimal) {
  Builder s;
  const Layout l = LayoutOf(format);
  const bool wide = format == exact::BinaryFormat::Binary64;
  const exact::Rational value = exact::Reduced(entry);
  const Formula typed = {Shown(value, asDecimal)};
  s.Say(wide ? N_("A binary64 number (double) is stored as a sign, a power of 2 and {1} "
                  "significant bits: {2} is stored as the binary64 number nearest to it")
             : N_("A binary32 number (float) is stored as a sign, a power of 2 and {1} "
                  "significant bits: {2} is stored as the binary32 number nearest to it"),
        {Of(std::int64_t{l.precision}), typed});
  if (value.numerator == 0) {
    s.Say(N_("{1} is 0: it is stored exactly, with the sign bit {2}, and the error is 0"),
          {typed, Of(std::int64_t{stored.negative ? 1 : 0})});
    return s.Done();
  }
  const bool negative = value.numerator < 0;
  const exact::Rational size{abs(value.numerator), value.denominator};
  if (negative) {
    s.Say(N_("{1} is negative: the sign bit is 1, and the rest of the working is that of {2}"),
          {typed, {Shown(size, asDecimal)}});
  }
  const Formula magnitude = {Shown(size, asDecimal)};
  if (asDecimal && size.denominator != 1) {
    s.Say(N_("As a fraction, {1}"),
          {{magnitude[0], Operator("="), Fraction(size.numerator, size.denominator)}});
  }

  // Its binary expansion, the period marked, or its first digits.
  exact::Result<exact::DecimalExpansion> expanded = exact::ToBase(size, 2, kBinaryShown);
  if (const auto* x = std::get_if<exact::DecimalExpansion>(&expanded)) {
    if (!x->cut) {
      s.Say(N_("In binary (base 2), {1} is {2}"), {magnitude, {DecimalOf(x->value)}});
    } else {
      s.Say(N_("In binary (base 2), {1} begins {2}, and its digits go on"),
            {magnitude,
             {DecimalOf({false, x->value.integer, x->value.fixed + x->value.period, "", 0})}});
      if (x->periodLength && *x->periodLength > 0) {
        s.Say(N_("Its period is {1} binary digits long"), {Of(*x->periodLength)});
      }
    }
  }

  const mpq_class x(size.numerator, size.denominator);
  const std::int64_t e = FloorLog2(x);
  // The normalised form: the significand's first bits, a single 1 before
  // the point.
  {
    const mpq_class m = Scaled(x, l.precision + kDroppedShown - 1 - e);
    const mpz_class whole = m.get_num() / m.get_den();
    const std::string bits = whole.get_str(2);
    const bool more = whole * m.get_den() != m.get_num();
    std::string shown = bits.substr(0, 1) + "." + bits.substr(1);
    while (!more && shown.size() > 3 && shown.back() == '0') shown.pop_back();
    s.Say(more ? N_("With a single 1 before the point (the normalised form), {1} begins {2}")
               : N_("With a single 1 before the point (the normalised form), {1} is {2}"),
          {magnitude, {Binary(shown), Operator("×"), Two(e)}});
  }

  // Where it is cut: the places down to 2^q are kept.
  const std::int64_t top = e < l.least ? l.least : e;
  const std::int64_t q = top - l.precision + 1;
  const mpq_class scaled = Scaled(x, -q);
  const mpz_class kept = scaled.get_num() / scaled.get_den();
  const mpq_class rest = scaled - mpq_class(kept);
  const std::string keptBits = Bits(kept, static_cast<std::size_t>(l.precision));
  const Formula keptForm = {Binary(keptBits.substr(0, 1) + "." + keptBits.substr(1)), Operator("×"),
                            Two(top)};
  if (e > l.most) {
    s.Say(N_("The exponent {1} is above {2}, the largest a finite number has: {3} overflows "
             "and is stored as infinity, with no error counted"),
          {Of(std::int64_t{e}), Of(std::int64_t{l.most}), magnitude});
    return s.Done();
  }
  if (e < l.least) {
    const std::int64_t count = kept == 0 ? 0 : static_cast<std::int64_t>(kept.get_str(2).size());
    s.Say(N_("{1} is less than {2}, the least normal number: it is subnormal, only the places "
             "down to {3} are kept, and so only {4} significant bits"),
          {magnitude, {Two(l.least)}, {Two(q)}, Of(count)});
  } else {
    s.Say(N_("The first {1} significant bits are kept, down to the place {2}"),
          {Of(std::int64_t{l.precision}), {Two(q)}});
  }
  s.Say(N_("The bits kept: {1}"), {keptForm});
  if (rest == 0) {
    s.Say(N_("No bit after them is 1: nothing is cut off, and {1} is stored exactly"), {magnitude});
  } else {
    const mpq_class shownRest = Scaled(rest, kDroppedShown);
    const mpz_class dropped = shownRest.get_num() / shownRest.get_den();
    const bool more = dropped * shownRest.get_den() != shownRest.get_num();
    s.Say(
        more ? N_("The bits cut off after them begin {1}") : N_("The bits cut off after them: {1}"),
        {{Binary(Bits(dropped, kDroppedShown))}});
    const mpq_class half(1, 2);
    const bool odd = mpz_odd_p(kept.get_mpz_t()) != 0;
    if (rest < half) {
      s.Say(N_("The part cut off is less than half of the last place kept ({1}): it is "
               "rounded down, the bits kept as they are"),
            {{Two(q)}});
    } else if (rest > half) {
      s.Say(N_("The part cut off is more than half of the last place kept ({1}): it is "
               "rounded up, 1 added to the last bit kept"),
            {{Two(q)}});
    } else if (odd) {
      s.Say(N_("The part cut off is exactly half of the last place kept ({1}), a tie: it is "
               "rounded to the even neighbour, and the last bit kept is 1, so it is "
               "rounded up"),
            {{Two(q)}});
    } else {
      s.Say(N_("The part cut off is exactly half of the last place kept ({1}), a tie: it is "
               "rounded to the even neighbour, and the last bit kept is 0, so it is "
               "rounded down"),
            {{Two(q)}});
    }
  }
  if (stored.kind == exact::BinaryClass::Infinity) {
    s.Say(N_("Rounded up, it passes {1}, the largest finite number: it overflows and is "
             "stored as infinity, with no error counted"),
          {{Open(), Number("2"), Operator("-"), Two(1 - l.precision), Close(), Operator("×"),
            Two(l.most)}});
    return s.Done();
  }
  const exact::Rational& v = stored.value;
  if (v.numerator == 0) {
    s.Say(N_("Every bit kept is 0: the number stored is 0"), {});
  } else {
    Formula f;
    const mpz_class& d = v.denominator;
    const std::int64_t k = static_cast<std::int64_t>(mpz_sizeinbase(d.get_mpz_t(), 2)) - 1;
    if (d != 1) {
      f = {FractionOf({Number(v.numerator)}, {Two(k)}, false), Operator("=")};
    }
    for (Math& m : FractionAndDecimal(v)) f.push_back(std::move(m));
    s.Say(N_("The number stored is {1}"), {f});
  }
  // The error, the sign put back.
  Formula error = {v.denominator == 1 ? Number(v.numerator) : Fraction(v.numerator, v.denominator),
                   Operator("-"),
                   Open(),
                   Shown(value, asDecimal),
                   Close(),
                   Operator("=")};
  for (Math& m : FractionAndDecimal(stored.error)) error.push_back(std::move(m));
  // A negative entry is subtracted in parentheses, as the formula does.
  const Formula subtracted =
      value.numerator < 0 ? Formula{Open(), Shown(value, asDecimal), Close()} : typed;
  s.Say(N_("The error, the number stored minus {1}: {2}"), {subtracted, error});
  return s.Done();
}

}  // namespace quotalis::explain
