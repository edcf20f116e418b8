#include "slips.h"

#include <algorithm>
#include <vector>

namespace quotalis::answer::check {

namespace {

using words::N_;

mpz_class Digits(const std::string& digits) {
  return digits.empty() ? mpz_class(0) : mpz_class(digits, 10);
}

mpz_class Power10(std::int64_t n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(std::max<std::int64_t>(n, 0)));
  return p;
}

// Nines, then zeros: 990.
mpz_class NinesZeros(std::int64_t nines, std::int64_t zeros) {
  return (Power10(nines) - 1) * Power10(zeros);
}

// n/d in lowest terms, as GMP's arithmetic and comparisons take it.
mpq_class Q(const mpz_class& n, const mpz_class& d) {
  mpq_class q(n, d);
  q.canonicalize();
  return q;
}

// The largest number of digits a slip is looked for in: past it every
// candidate is a very long number, and the slip is named "other".
constexpr std::size_t kLongestDigits = 60;

}  // namespace

bool IsDifferenceOfPowers(const mpq_class& c) {
  if (c.get_den() != 1 || c == 0) return false;
  mpz_class n = abs(c.get_num());
  // 10^m - 10^n = 10^n (10^(m-n) - 1): zeros after nines.
  while (n % 10 == 0) n /= 10;
  const std::string digits = n.get_str();
  return std::all_of(digits.begin(), digits.end(), [](char d) { return d == '9'; });
}

std::optional<Slip> SlipOfValue(const Question& q, const mpq_class& wrong, const Side* side) {
  if (wrong == q.value) return std::nullopt;
  if (q.value != 0 && wrong == -q.value) return Slip::Sign;
  // A decimal that ends, close to the value: its digits taken as the whole.
  if (side != nullptr && side->shape == Shape::Decimal && side->terminating && side->decimals > 0 &&
      side->decimals < 1000) {
    const mpq_class unit(mpz_class(1), Power10(side->decimals));
    if (abs(wrong - q.value) < unit) return Slip::ReadAsTerminating;
  }
  if (!q.decimal) {
    if (q.mixed) {
      const mpz_class joined(q.whole.get_str() + q.numerator.get_str());
      const mpq_class asJoined = Q(joined, q.denominator);
      const mpq_class withoutWhole = Q(q.numerator, q.denominator);
      const mpq_class wholeOver = Q(q.whole, q.denominator);
      if (wrong == asJoined || wrong == withoutWhole || wrong == wholeOver || wrong == -asJoined ||
          wrong == -withoutWhole || wrong == -wholeOver) {
        return Slip::MixedNumber;
      }
    }
    return std::nullopt;
  }
  const exact::Decimal& d = q.digits;
  if (d.integer.size() + d.fixed.size() + d.period.size() > kLongestDigits || d.exponent > 1000 ||
      d.exponent < -1000) {
    return std::nullopt;
  }
  const auto I = static_cast<std::int64_t>(d.fixed.size());
  const auto P = static_cast<std::int64_t>(d.period.size());
  // The candidates are worked on the digits alone, then given the entry's
  // sign and power of ten.
  mpq_class scale(Power10(std::max<std::int64_t>(d.exponent, 0)),
                  Power10(std::max<std::int64_t>(-d.exponent, 0)));
  scale.canonicalize();
  if (d.negative) scale = -scale;
  const auto is = [&](const mpq_class& unsignedValue) {
    mpq_class v = unsignedValue * scale;
    v.canonicalize();
    return v == wrong;
  };
  const mpz_class whole = Digits(d.integer);
  const mpz_class all = Digits(d.integer + d.fixed + d.period);
  const mpz_class notRecurring = Digits(d.integer + d.fixed);
  if (P > 0) {
    if (I > 0) {
      // 0.1(6) as 0.(16): 16/99.
      if (is(whole + Q(Digits(d.fixed + d.period), NinesZeros(I + P, 0)))) {
        return Slip::WholeAsPeriod;
      }
      // 0.1(6) as 0.(6): 6/9.
      if (is(whole + Q(Digits(d.period), NinesZeros(P, 0)))) {
        return Slip::NonRecurringDropped;
      }
      // All the digits over 90: 16/90.
      if (is(Q(all, NinesZeros(P, I)))) return Slip::NotSubtracted;
      if (is(whole + Q(Digits(d.fixed + d.period), NinesZeros(P, I)))) {
        return Slip::NotSubtracted;
      }
    }
    // The digits shown, taken as a decimal that ends: 0.1666 as 1666/10000.
    for (std::int64_t k = 1; k <= 4; ++k) {
      std::string shown = d.integer + d.fixed;
      for (std::int64_t n = 0; n < k; ++n) shown += d.period;
      if (is(Q(Digits(shown), Power10(I + k * P)))) return Slip::ReadAsTerminating;
    }
    // The value rounded to a few places: 0.167, 17/100.
    for (std::int64_t k = 1; k <= 6; ++k) {
      const mpz_class unit = Power10(k);
      const mpq_class scaled = q.value * unit;
      mpz_class rounded = (2 * scaled.get_num() + scaled.get_den()) / (2 * scaled.get_den());
      if (wrong == Q(rounded, unit) || wrong == Q(-rounded, unit)) return Slip::ReadAsTerminating;
    }
    // The right numerator over the wrong count of nines or zeros.
    for (std::int64_t nines = std::max<std::int64_t>(P - 2, 1); nines <= P + 2; ++nines) {
      for (std::int64_t zeros = std::max<std::int64_t>(I - 2, 0); zeros <= I + 2; ++zeros) {
        if (nines == P && zeros == I) continue;
        if (is(Q(all - notRecurring, NinesZeros(nines, zeros))) ||
            is(whole + Q(Digits(d.fixed + d.period) - Digits(d.fixed), NinesZeros(nines, zeros)))) {
          return Slip::NinesAndZeros;
        }
      }
    }
  } else {
    // A decimal that ends, over the wrong power of ten.
    for (std::int64_t zeros = std::max<std::int64_t>(I - 2, 0); zeros <= I + 2; ++zeros) {
      if (zeros != I && is(Q(all, Power10(zeros)))) return Slip::NinesAndZeros;
    }
    if (I > 0 && is(Q(all, NinesZeros(I, 0)))) return Slip::WholeAsPeriod;
  }
  // Numerator and denominator of the schoolbook fraction divided by
  // different numbers: 15/90 = 3/18 = 1/9.
  const mpz_class& sn = q.schoolNumerator;
  const mpz_class& sd = q.schoolDenominator;
  const mpz_class wn = abs(wrong.get_num());
  const mpz_class wd = wrong.get_den();
  if (sn != 0 && wn != 0 && sn % wn == 0 && sd % wd == 0) return Slip::Reduction;
  if (side != nullptr && side->shape == Shape::Fraction && side->numerator != 0 &&
      sn % side->numerator == 0 && side->denominator != 0 && sd % side->denominator == 0) {
    return Slip::Reduction;
  }
  if (side != nullptr && side->shape == Shape::Mixed) return Slip::MixedNumber;
  return std::nullopt;
}

std::string_view SlipAdvice(Slip slip) {
  switch (slip) {
    case Slip::WholeAsPeriod:
      return N_(
          "Only the digits under the recurring mark repeat; the ones before them do not. "
          "Redo the two multiples: one moves the point to the start of the period, the "
          "other one period further.");
    case Slip::NonRecurringDropped:
      return N_(
          "The digits before the period were left out. Keep them: multiply so that the "
          "point stands just before the period, and again one period further, then "
          "subtract.");
    case Slip::NinesAndZeros:
      return N_(
          "The denominator has the wrong number of nines or zeros: one nine for each "
          "recurring digit, then one zero for each digit between the point and the "
          "period. Count them again.");
    case Slip::NotSubtracted:
      return N_(
          "The digits before the period were not taken away from the numerator. Redo "
          "the numerator: all the digits minus the digits that do not recur.");
    case Slip::ReadAsTerminating:
      return N_(
          "The decimal was taken as one that ends, but its digits go on for ever. Mark "
          "the recurring digits and use two multiples of x, so that the recurring parts "
          "cancel.");
    case Slip::PeriodsNotAligned:
      return N_(
          "The two multiples do not line up: their recurring parts differ, so the "
          "subtraction does not give a whole number. Choose powers of ten that put the "
          "point just before the period and one period further.");
    case Slip::Subtraction:
      return N_(
          "The subtraction went wrong. Redo it: subtract the numbers of x and the "
          "numbers on the other side separately, digit by digit.");
    case Slip::Reduction:
      return N_(
          "The reduction went wrong: numerator and denominator must be divided by the "
          "same number, a common factor of both. Find the highest common factor and "
          "divide again.");
    case Slip::NotLowest:
      return N_(
          "The value is right, but the fraction is not in lowest terms. Divide the "
          "numerator and the denominator by their highest common factor.");
    case Slip::Sign: return N_("The sign is wrong. Check the minus signs step by step.");
    case Slip::MixedNumber:
      return N_(
          "The mixed number was read wrongly: 3 1/4 is 3 + 1/4 = 13/4, not 31/4 and "
          "not 3/4. Redo the whole part and the fraction.");
    case Slip::Other: return N_("Check this line again, step by step.");
  }
  return {};
}

}  // namespace quotalis::answer::check
