#include "answer/written.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include <quotalis/exact/text.h>
#include <quotalis/exact/write.h>

#include "explain/render.h"

namespace quotalis::answer {

namespace {

using words::N_;
using words::Say;

exact::Result<std::string> KeypadAnswer(const exact::Rational& value, const KeypadCheck& check) {
  exact::Result<KeypadForm> form = ToKeypad(value, check);
  if (auto* problem = std::get_if<exact::Problem>(&form)) return std::move(*problem);
  const auto& keypad = std::get<KeypadForm>(form);
  return keypad.entry + " " + std::to_string(keypad.period);
}

// The note after the digits of a cut decimal, in `words`: how long the part
// that was cut is, how many of its digits are shown (at least one: --max-digits
// is 1 or more), and what comes after it. A period too long to write and
// uncounted is said to be longer than the limit.
std::string CutNote(const exact::DecimalExpansion& e, const words::Words& words) {
  const exact::Decimal& v = e.value;
  const auto shownFixed = static_cast<std::int64_t>(v.fixed.size());
  const auto shownPeriod = static_cast<std::int64_t>(v.period.size());
  const std::string fixedLength = std::to_string(e.fixedLength);
  const std::string limit = exact::Grouped(exact::kMaxExpansionDigits);
  if (shownFixed < e.fixedLength) {
    const bool one = shownFixed == 1;
    const std::string shown = std::to_string(shownFixed);
    if (!e.periodLength) {
      return Say(words,
                 one ? N_("[cut: the non-recurring part has {1} digits; the first digit is shown; "
                          "then comes a period of more than {3} digits]")
                     : N_("[cut: the non-recurring part has {1} digits; the first {2} are shown; "
                          "then comes a period of more than {3} digits]"),
                 {fixedLength, shown, limit});
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
             one ? N_("[cut: the period has more than {1} digits; the first digit is shown]")
                 : N_("[cut: the period has more than {1} digits; the first {2} are shown]"),
             {limit, shown});
}

// `text` inside LaTeX's \text{}, its special characters escaped.
std::string LatexText(std::string_view text) {
  return "\\text{" + explain::EscapeLatex(text) + "}";
}

// The digits shown of a cut decimal in `notation`, an ellipsis where they
// stop: inside the marks of the period when the period is reached.
exact::Result<std::string> CutDigits(const exact::DecimalExpansion& e, exact::Notation notation) {
  using exact::Notation;
  const exact::Decimal& v = e.value;
  const bool latex = notation == Notation::Latex;
  const std::string_view more = latex ? "\\ldots" : "...";
  std::string text = v.negative ? "-" : "";
  text += v.integer.empty() ? "0" : v.integer;
  text += '.';
  text += v.fixed;
  if (static_cast<std::int64_t>(v.fixed.size()) < e.fixedLength) return text + std::string(more);
  const std::string& p = v.period;
  switch (notation) {
    case Notation::Plain: return exact::Write(v, Notation::Plain);  // refused: it recurs
    case Notation::Brackets: return text + "[" + p + "...]";
    case Notation::Quotes: return text + "'" + p + "...'";
    case Notation::R: return text + "r" + p + "...";
    case Notation::Ellipsis: return text + p + "...";
    case Notation::Latex: return text + "\\overline{" + p + "\\ldots}";
    case Notation::Dots:  // the first recurring digit dotted; the last is not shown
      return text + p.substr(0, 1) + "\xCC\x87" + p.substr(1) + "...";
    case Notation::Overline:
      for (const char digit : p) {
        text += digit;
        text += "\xCC\x85";
      }
      return text + "...";
    default: return text + "(" + p + "...)";
  }
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

exact::Result<std::string> DecimalAnswer(const exact::Decimal& canonical,
                                         const exact::Rational& value, exact::Notation notation,
                                         const KeypadCheck& check) {
  if (notation == exact::Notation::Keypad) return KeypadAnswer(value, check);
  return exact::Write(canonical, notation);
}

exact::Result<std::string> ExpansionAnswer(const exact::DecimalExpansion& e,
                                           const exact::Rational& value, exact::Notation notation,
                                           const words::Words& words, const KeypadCheck& check) {
  if (!e.cut || notation == exact::Notation::Keypad) {
    return DecimalAnswer(e.value, value, notation, check);
  }
  exact::Result<std::string> digits = CutDigits(e, notation);
  if (auto* problem = std::get_if<exact::Problem>(&digits)) return std::move(*problem);
  const std::string note = CutNote(e, words);
  if (notation == exact::Notation::Latex) {
    return std::get<std::string>(digits) + "\\ " + LatexText(note);
  }
  return std::get<std::string>(digits) + " " + note;
}

std::string PeriodLengthText(const exact::DecimalExpansion& e) {
  return e.periodLength ? e.periodLength->get_str()
                        : ">" + std::to_string(exact::kMaxExpansionDigits);
}

}  // namespace quotalis::answer
