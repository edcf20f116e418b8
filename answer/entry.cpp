#include "answer/entry.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <quotalis/exact/keypad.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/text.h>

#include "answer/quote.h"
#include "words/words.h"

namespace quotalis::answer {

namespace {

using words::N_;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == '.'; }

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

// Digits to a number, a value past `most` held as `most`. Precondition: IsDigits(text).
std::int32_t ClampedValue(std::string_view text, std::int32_t most) {
  std::int32_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<std::int32_t>(c - '0');
    if (value > (most - digit) / 10) return most;
    value = value * 10 + digit;
  }
  return value;
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
  auto& written = std::get<exact::FractionText>(reading.value);
  exact::Result<exact::Rational> r = exact::FromText(written);
  if (auto* problem = std::get_if<exact::Problem>(&r)) return std::move(*problem);
  Entry entry;
  entry.kind = Entry::Kind::Fraction;
  entry.fraction = std::get<exact::Rational>(std::move(r));
  entry.written = std::move(written);
  entry.notation = reading.notation;
  return entry;
}

std::optional<exact::Problem> ReadPeriod(std::string_view text, std::int32_t& period) {
  const auto refused = [text](std::string_view format) {
    return exact::MakeProblem(exact::ProblemKind::Syntax, format, {Shown(text)});
  };
  if (text.empty()) {
    return refused(N_("the period K is empty; give the number of recurring digits"));
  }
  const std::string ascii = exact::AsciiText(text);
  if (ascii.front() == '-' && IsDigits(std::string_view(ascii).substr(1))) {
    return refused(N_("the period K '{1}' is negative; give 0 or more"));
  }
  if (!IsDigits(ascii)) return refused(N_("the period K '{1}' is not a whole number"));
  period = ClampedValue(ascii, std::numeric_limits<std::int32_t>::max());
  return std::nullopt;
}

std::optional<std::int64_t> PeriodRoom(std::string_view text) {
  const exact::Result<exact::Reading> read = exact::Read(text);
  const auto* reading = std::get_if<exact::Reading>(&read);
  if (reading == nullptr || reading->notation != exact::Notation::Plain) return std::nullopt;
  const auto* d = std::get_if<exact::Decimal>(&reading->value);
  if (d == nullptr || d->exponent != 0) return std::nullopt;
  return static_cast<std::int64_t>(d->fixed.size());
}

bool ReadsAsRounded(std::string_view text) {
  const exact::Result<exact::Reading> read = exact::Read(text);
  const auto* reading = std::get_if<exact::Reading>(&read);
  if (reading == nullptr) return false;
  const auto* d = std::get_if<exact::Decimal>(&reading->value);
  return d != nullptr && d->period.empty() &&
         std::holds_alternative<exact::RoundingInterval>(exact::RoundedInterval(*d));
}

}  // namespace quotalis::answer
