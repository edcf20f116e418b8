#include "cli/written.h"

#include <utility>

#include "exact/write.h"

namespace quotalis::cli {

namespace {

exact::Style StyleOf(Notation notation) {
  switch (notation) {
    case Notation::Brackets: return exact::Style::Brackets;
    case Notation::Quotes: return exact::Style::Quotes;
    case Notation::R: return exact::Style::R;
    case Notation::Dots: return exact::Style::Dots;
    case Notation::Overline: return exact::Style::Overline;
    case Notation::Ellipsis: return exact::Style::Ellipsis;
    case Notation::Latex: return exact::Style::Latex;
    case Notation::Parens:
    case Notation::Keypad: break;
  }
  return exact::Style::Parentheses;
}

std::string Count(std::int64_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

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

exact::Result<std::string> DecimalAnswer(const exact::Decimal& canonical, Notation notation) {
  if (notation != Notation::Keypad) return exact::Write(canonical, StyleOf(notation));
  exact::Result<exact::KeypadForm> form = exact::ToKeypad(canonical);
  if (auto* problem = std::get_if<exact::Problem>(&form)) return std::move(*problem);
  const auto& keypad = std::get<exact::KeypadForm>(form);
  return keypad.entry + " " + std::to_string(keypad.period);
}

exact::Result<std::string> ExpansionAnswer(const exact::Expansion& e, Notation notation) {
  if (!e.cut) return DecimalAnswer(e.value, notation);
  if (notation == Notation::Keypad) {
    return exact::Problem{
        "the keypad cannot type it: its decimal runs past " +
            Count(static_cast<std::int64_t>(e.value.fixed.size() + e.value.period.size()), "digit",
                  "digits") +
            " after the point, and the keypad holds 10 characters",
        0};
  }
  const exact::Decimal& v = e.value;
  std::string text = v.negative ? "-" : "";
  text += v.integer.empty() ? "0" : v.integer;
  text += '.';
  text += v.fixed;
  const auto shownFixed = static_cast<std::int64_t>(v.fixed.size());
  if (shownFixed < e.fixedLength) {
    text += "... [cut: the non-recurring part has " + Count(e.fixedLength, "digit", "digits") +
            "; the first " + std::to_string(shownFixed) + " are shown; then comes a period of " +
            PeriodLengthText(e) + " digits]";
    return text;
  }
  text += '(';
  text += v.period;
  text += "...) [cut: ";
  if (e.periodLength) {
    text += "the period has " + e.periodLength->get_str() + " digits; the first " +
            std::to_string(v.period.size()) + " are shown]";
  } else {
    text += "the period's length is unknown, its denominator too large to factor; the first " +
            std::to_string(v.period.size()) + " digits after the non-recurring part are shown]";
  }
  return text;
}

std::string PeriodLengthText(const exact::Expansion& e) {
  return e.periodLength ? e.periodLength->get_str() : std::string("unknown");
}

}  // namespace quotalis::cli
