#include "cli/written.h"

#include <utility>

#include <quotalis/exact/write.h>

#include "cli/keypad.h"

namespace quotalis::cli {

namespace {

using explain::N_;
using explain::Say;

exact::Result<std::string> KeypadAnswer(const exact::Rational& value) {
  exact::Result<KeypadForm> form = ToKeypad(value);
  if (auto* problem = std::get_if<exact::Problem>(&form)) return std::move(*problem);
  const auto& keypad = std::get<KeypadForm>(form);
  return keypad.entry + " " + std::to_string(keypad.period);
}

// The note after the digits of a cut decimal, in `words`: how long the part
// that was cut is, how many of its digits are shown (at least one: --max-digits
// is 1 or more), and what comes after it.
std::string CutNote(const exact::DecimalExpansion& e, const explain::Words& words) {
  const exact::Decimal& v = e.value;
  const auto shownFixed = static_cast<std::int64_t>(v.fixed.size());
  const auto shownPeriod = static_cast<std::int64_t>(v.period.size());
  const std::string fixedLength = std::to_string(e.fixedLength);
  if (shownFixed < e.fixedLength) {
    const bool one = shownFixed == 1;
    const std::string shown = std::to_string(shownFixed);
    if (!e.periodLength) {
      return Say(words,
                 one ? N_("[cut: the non-recurring part has {1} digits; the first digit is shown; "
                          "then comes a period of unknown length]")
                     : N_("[cut: the non-recurring part has {1} digits; the first {2} are shown; "
                          "then comes a period of unknown length]"),
                 {fixedLength, shown});
    }
    if (*e.periodLength == 0) {
      return Say(words,
                 one ? N_("[cut: the decimal ends after {1} digits; the first digit is shown]")
                     : N_("[cut: the decimal ends after {1} digits; the first {2} are shown]"),
                 {fixedLength, shown});
    }
    return Say(words,
               one ? N_("[cut: the non-recurring part has {1} digits; the first digit is shown; "
                        "then comes a period of length {3}]")
                   : N_("[cut: the non-recurring part has {1} digits; the first {2} are shown; "
                        "then comes a period of length {3}]"),
               {fixedLength, shown, e.periodLength->get_str()});
  }
  const bool one = shownPeriod == 1;
  const std::string shown = std::to_string(shownPeriod);
  if (e.periodLength) {
    return Say(words,
               one ? N_("[cut: the period has {1} digits; the first digit is shown]")
                   : N_("[cut: the period has {1} digits; the first {2} are shown]"),
               {e.periodLength->get_str(), shown});
  }
  return Say(words,
             one ? N_("[cut: the period's length is unknown, its denominator too large to factor; "
                      "the first digit after the non-recurring part is shown]")
                 : N_("[cut: the period's length is unknown, its denominator too large to factor; "
                      "the first {1} digits after the non-recurring part are shown]"),
             {shown});
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
                                           const exact::Rational& value, exact::Notation notation,
                                           const explain::Words& words) {
  if (!e.cut || notation == exact::Notation::Keypad) return DecimalAnswer(e.value, value, notation);
  const exact::Decimal& v = e.value;
  std::string text = v.negative ? "-" : "";
  text += v.integer.empty() ? "0" : v.integer;
  text += '.';
  text += v.fixed;
  if (static_cast<std::int64_t>(v.fixed.size()) < e.fixedLength) {
    text += "... ";
  } else {
    text += '(';
    text += v.period;
    text += "...) ";
  }
  return text + CutNote(e, words);
}

std::string PeriodLengthText(const exact::DecimalExpansion& e) {
  return e.periodLength ? e.periodLength->get_str() : std::string("unknown");
}

}  // namespace quotalis::cli
