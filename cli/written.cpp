#include "cli/written.h"

#include <utility>

#include <quotalis/exact/write.h>

#include "cli/keypad.h"

namespace quotalis::cli {

namespace {

exact::Result<std::string> KeypadAnswer(const exact::Rational& value) {
  exact::Result<KeypadForm> form = ToKeypad(value);
  if (auto* problem = std::get_if<exact::Problem>(&form)) return std::move(*problem);
  const auto& keypad = std::get<KeypadForm>(form);
  return keypad.entry + " " + std::to_string(keypad.period);
}

}  // namespace

std::string DigitCount(std::int64_t n) {
  return std::to_string(n) + (n == 1 ? " digit" : " digits");
}

std::string DigitCount(const mpz_class& n) { return n.get_str() + (n == 1 ? " digit" : " digits"); }

std::string FractionAnswer(const mpz_class& numerator, const mpz_class& denominator) {
  return numerator.get_str() + "/" + denominator.get_str();
}

std::string FractionAnswer(const exact::Rational& r, bool mixed) {
  if (!mixed) return FractionAnswer(r.numerator, r.denominator);
  const mpz_class magnitude = abs(r.numerator);
  const mpz_class whole = magnitude / r.denominator;
  const mpz_class rest = magnitude % r.denominator;
  std::string text = r.numerator < 0 ? "-" : "";
  if (whole != 0 || rest == 0) text += whole.get_str();
  if (rest != 0) {
    if (whole != 0) text += ' ';
    text += FractionAnswer(rest, r.denominator);
  }
  return text;
}

exact::Result<std::string> DecimalAnswer(const exact::Decimal& canonical,
                                         const exact::Rational& value, exact::Notation notation) {
  if (notation == exact::Notation::Keypad) return KeypadAnswer(value);
  return exact::Write(canonical, notation);
}

exact::Result<std::string> ExpansionAnswer(const exact::DecimalExpansion& e,
                                           const exact::Rational& value, exact::Notation notation) {
  if (!e.cut || notation == exact::Notation::Keypad) return DecimalAnswer(e.value, value, notation);
  const exact::Decimal& v = e.value;
  const auto shownFixed = static_cast<std::int64_t>(v.fixed.size());
  const auto shownPeriod = static_cast<std::int64_t>(v.period.size());
  std::string text = v.negative ? "-" : "";
  text += v.integer.empty() ? "0" : v.integer;
  text += '.';
  text += v.fixed;
  if (shownFixed < e.fixedLength) {
    return text + "... [cut: the non-recurring part has " + DigitCount(e.fixedLength) +
           "; the first " + std::to_string(shownFixed) + " are shown; then comes a period of " +
           PeriodLengthText(e) + "]";
  }
  text += '(';
  text += v.period;
  text += "...) [cut: ";
  if (e.periodLength) {
    return text + "the period has " + DigitCount(*e.periodLength) + "; the first " +
           std::to_string(shownPeriod) + " are shown]";
  }
  return text + "the period's length is unknown, its denominator too large to factor; the first " +
         DigitCount(shownPeriod) + " after the non-recurring part are shown]";
}

std::string PeriodLengthText(const exact::DecimalExpansion& e) {
  return e.periodLength ? e.periodLength->get_str() : std::string("unknown");
}

}  // namespace quotalis::cli
