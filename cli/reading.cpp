#include "cli/reading.h"

#include <algorithm>
#include <utility>

#include <quotalis/exact/keypad.h>
#include <quotalis/exact/read.h>

#include "words/words.h"

#include "convert/entry.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using words::N_;

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == kEntryPoint; }

bool AnyNonZero(const exact::Decimal& d) {
  const auto nonZero = [](const std::string& s) {
    return s.find_first_not_of('0') != std::string::npos;
  };
  return nonZero(d.integer) || nonZero(d.fixed) || nonZero(d.period);
}

exact::Result<Entry> FromKeypadText(std::string_view digits, bool negative, std::int32_t period) {
  exact::Result<exact::Decimal> d = exact::FromKeypad(digits, period);
  if (auto* problem = std::get_if<exact::Problem>(&d)) return std::move(*problem);
  Entry entry;
  entry.decimal = std::get<exact::Decimal>(std::move(d));
  entry.decimal.negative = negative && AnyNonZero(entry.decimal);
  entry.plain = true;
  return entry;
}

exact::Problem Refused(std::string_view message) {
  return exact::MakeProblem(exact::ProblemKind::Syntax, message, {});
}

}  // namespace

std::string EntryText(const exact::Decimal& d) {
  std::string text = d.negative ? "-" : "";
  text += d.integer.empty() ? "0" : d.integer;
  if (!d.fixed.empty() || !d.period.empty()) text += "." + d.fixed + d.period;
  return text;
}

exact::Result<Entry> ReadEntry(std::string_view text, std::int32_t period) {
  // Digits and points alone are a keypad entry, unless an ellipsis ends them.
  if (!text.empty() && std::all_of(text.begin(), text.end(), IsDigitOrPoint) &&
      !text.ends_with("...")) {
    return FromKeypadText(text, false, period);
  }
  exact::Result<exact::Reading> read = exact::Read(text);
  if (auto* problem = std::get_if<exact::Problem>(&read)) return std::move(*problem);
  auto& reading = std::get<exact::Reading>(read);
  if (auto* d = std::get_if<exact::Decimal>(&reading.value)) {
    if (reading.notation == exact::Notation::Plain && d->exponent == 0) {
      const std::string digits = d->integer + "." + d->fixed;
      return FromKeypadText(digits, d->negative, period);
    }
    if (period > 0) {
      return Refused(reading.notation == exact::Notation::Plain
                         ? N_("K is for a plain decimal, and this one has an exponent")
                         : N_("K is for a plain decimal, and this entry marks its recurring "
                              "digits itself"));
    }
    Entry entry;
    entry.decimal = std::move(*d);  // moved: a long entry's digits are held once
    entry.notation = reading.notation;
    return entry;
  }
  if (period > 0) return Refused(N_("K is for a plain decimal, not for a fraction"));
  exact::Result<exact::Rational> r = exact::FromText(std::get<exact::FractionText>(reading.value));
  if (auto* problem = std::get_if<exact::Problem>(&r)) return std::move(*problem);
  Entry entry;
  entry.kind = Entry::Kind::Fraction;
  entry.fraction = std::get<exact::Rational>(std::move(r));
  entry.notation = reading.notation;
  return entry;
}

}  // namespace quotalis::cli
