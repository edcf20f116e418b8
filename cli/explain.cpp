#include "cli/explain.h"

#include <cstdint>
#include <string_view>

#include "cli/reading.h"
#include "cli/written.h"

namespace quotalis::cli {

namespace {

// 10^n as a pupil writes it: in full up to a million, as a power beyond.
std::string PowerOfTen(std::int64_t n) {
  if (n <= 6) return "1" + std::string(static_cast<std::size_t>(n), '0');
  return "10^" + std::to_string(n);
}

// The coefficient before a variable: "100x", "10^9 x", and "x" for 10^0.
std::string Times(std::int64_t n, std::string_view v) {
  if (n == 0) return std::string(v);
  if (n <= 6) return PowerOfTen(n) + std::string(v);
  return PowerOfTen(n) + " " + std::string(v);
}

std::string PowerOf(const mpz_class& prime, std::int64_t exponent) {
  return exponent == 1 ? prime.get_str() : prime.get_str() + "^" + std::to_string(exponent);
}

// 90 = 2 × [3] × 3 × [5]: the common copies of each prime in brackets.
std::string Factors(const mpz_class& term, const exact::TermFactors& f) {
  std::string text = mpz_class(abs(term)).get_str() + " = ";
  if (!f.factored) return text + "(too large to factor quickly)";
  if (f.primes.empty()) return text + "1";
  bool first = true;
  const auto add = [&](std::string part) {
    if (!first) text += " × ";
    text += part;
    first = false;
  };
  for (const exact::SharedPrime& p : f.primes) {
    if (p.common > 0) add("[" + PowerOf(p.prime, p.common) + "]");
    if (p.exponent > p.common) add(PowerOf(p.prime, p.exponent - p.common));
  }
  return text;
}

// The decimal with its period written out twice: 16.666..., 1.42857142857...
std::string Running(const std::string& whole, const std::string& fixed, const std::string& period) {
  std::string text = whole + "." + fixed + period + period;
  if (period.size() == 1) text += period;
  return text + "...";
}

}  // namespace

std::vector<std::string> ExplainDecimalLines(const exact::DecimalWorking& w,
                                             const std::string& written) {
  const exact::Decimal& d = w.decimal;
  std::vector<std::string> lines;
  std::string v = "x";
  if (d.period.empty()) {
    lines.push_back("x = " + written);
  } else {
    lines.push_back("x = " + written + " = " + (d.negative ? "-" : "") +
                    Running(d.integer.empty() ? "0" : d.integer, d.fixed, d.period));
  }
  if (d.negative || d.exponent != 0) {
    v = "y";
    std::string y = d.negative ? "-y" : "y";
    if (d.exponent != 0) y += " × 10^" + std::to_string(d.exponent);
    exact::Decimal plain = d;
    plain.negative = false;
    plain.exponent = 0;
    lines.push_back("x = " + y + ", where y = " + EntryText(plain) +
                    (d.period.empty() ? "" : " with " + d.period + " recurring"));
  }
  const std::int64_t a = w.fixedDigits, b = w.periodDigits;
  mpz_class lowerPower, upperPower;
  mpz_ui_pow_ui(lowerPower.get_mpz_t(), 10, static_cast<unsigned long>(a));
  if (b == 0) {
    if (a > 0) lines.push_back(Times(a, v) + " = " + w.upper.get_str());
    lines.push_back(v + " = " + FractionAnswer(w.upper, lowerPower));
  } else {
    mpz_ui_pow_ui(upperPower.get_mpz_t(), 10, static_cast<unsigned long>(a + b));
    const std::string& period = d.period;
    lines.push_back(Times(a + b, v) + " = " + Running(w.upper.get_str(), "", period));
    lines.push_back(Times(a, v) + " = " + Running(w.lower.get_str(), "", period));
    lines.push_back("subtracting: " + Times(a + b, v) + " - " + Times(a, v) + " = " +
                    w.upper.get_str() + " - " + w.lower.get_str() + ", the recurring parts cancel");
    const mpz_class coefficient = upperPower - lowerPower;
    const mpz_class difference = w.upper - w.lower;
    lines.push_back(coefficient.get_str() + v + " = " + difference.get_str());
    lines.push_back(v + " = " + FractionAnswer(difference, coefficient));
  }
  const exact::Schoolbook& f = w.fraction;
  if (v == "y") lines.push_back("x = " + FractionAnswer(f.numerator, f.denominator));
  if (f.numerator == 0) {
    lines.push_back("the numerator is 0: x = 0/1 in lowest terms");
    return lines;
  }
  lines.push_back("in primes, the factors common to both in brackets:");
  lines.push_back(Factors(f.numerator, w.numerator));
  lines.push_back(Factors(f.denominator, w.denominator));
  if (w.byEuclid) {
    lines.push_back(
        "a term is too large to factor quickly, so Euclid's algorithm gives the "
        "common factor instead: " +
        w.common.get_str());
  } else {
    lines.push_back("common factor: " + w.common.get_str());
  }
  if (w.common != 1) {
    lines.push_back("dividing both by " + w.common.get_str() +
                    ": x = " + FractionAnswer(f.reduced, false) + ", in lowest terms");
  } else {
    lines.push_back("nothing cancels: x = " + FractionAnswer(f.reduced, false) +
                    " is in lowest terms");
  }
  return lines;
}

std::vector<std::string> ExplainFractionLines(const exact::FractionWorking& w,
                                              const std::string& answer) {
  const exact::Rational& r = w.fraction;
  const std::string d = r.denominator.get_str();
  std::vector<std::string> lines;
  const mpz_class n = abs(r.numerator);
  if (r.numerator < 0) {
    lines.push_back(FractionAnswer(r, false) + " = -(" + FractionAnswer(n, r.denominator) +
                    "): the sign aside, divide " + n.get_str() + " by " + d);
  } else {
    lines.push_back(FractionAnswer(r, false) + ": divide " + n.get_str() + " by " + d);
  }
  if (w.steps.empty()) return lines;
  lines.push_back(n.get_str() + " ÷ " + d + " = " + w.whole.get_str() + " remainder " +
                  w.steps.front().remainder.get_str() + ": the whole part is " + w.whole.get_str());
  for (std::size_t i = 0; i + 1 < w.steps.size(); ++i) {
    const mpz_class brought = 10 * w.steps[i].remainder;
    lines.push_back("digit " + std::to_string(i + 1) + ": " + brought.get_str() + " ÷ " + d +
                    " = " + std::to_string(w.steps[i].digit) + " remainder " +
                    w.steps[i + 1].remainder.get_str());
  }
  const mpz_class& last = w.steps.back().remainder;
  const std::string length =
      w.periodLength ? DigitCount(*w.periodLength) : std::string("an unknown number of digits");
  if (w.capped) {
    lines.push_back("stopped after " + DigitCount(static_cast<std::int64_t>(w.steps.size() - 1)) +
                    "; the non-recurring part has " + DigitCount(w.periodStart) +
                    " and the period " + length);
  } else if (last == 0) {
    lines.push_back("remainder 0: the division ends; " +
                    (w.periodStart == 0 ? std::string("no digits after the point")
                                        : DigitCount(w.periodStart) + " after the point") +
                    ", nothing recurs");
  } else {
    lines.push_back("remainder " + last.get_str() + " came before, ahead of digit " +
                    std::to_string(w.periodStart + 1) + ": from there the digits recur");
    lines.push_back("the non-recurring part has " + DigitCount(w.periodStart) +
                    "; the period starts at digit " + std::to_string(w.periodStart + 1) +
                    " and has " + length);
  }
  lines.push_back(FractionAnswer(r, false) + " = " + answer);
  return lines;
}

}  // namespace quotalis::cli
