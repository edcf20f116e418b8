#include "reference/keypad.h"

#include <quotalis/exact/fraction.h>
#include <quotalis/exact/keypad.h>

#include <variant>

namespace quotalis::testing {

namespace {

// What the exact library makes of a keypad entry, in the window's terms.
struct ExactConversion {
  Outcome outcome = Outcome::NotANumber;
  std::string normalised;
  std::size_t period = 0;
  std::string numerator, denominator;
  std::string reducedNumerator, reducedDenominator;
};

ExactConversion ExactlyConverted(std::string_view entry, std::int64_t k) {
  ExactConversion out;
  const exact::Result<exact::Decimal> read = exact::FromKeypad(entry, k);
  const auto* d = std::get_if<exact::Decimal>(&read);
  if (d == nullptr) {
    out.outcome = entry.empty() ? Outcome::Empty : Outcome::NotANumber;
    return out;
  }
  const exact::Result<exact::Schoolbook> fraction = exact::ToFraction(*d);
  const auto* s = std::get_if<exact::Schoolbook>(&fraction);
  if (s == nullptr) return out;
  if (s->reduced.numerator == 0) {
    out.outcome = Outcome::Zero;
    return out;
  }
  out.outcome = Outcome::Converted;
  out.normalised = d->integer;
  if (!d->fixed.empty() || !d->period.empty()) out.normalised += "." + d->fixed + d->period;
  out.period = d->period.size();
  out.numerator = s->numerator.get_str();
  out.denominator = s->denominator.get_str();
  out.reducedNumerator = s->reduced.numerator.get_str();
  out.reducedDenominator = s->reduced.denominator.get_str();
  return out;
}

}  // namespace

std::string KeypadDisagreement(std::string_view entry, std::int64_t k, const Conversion& window) {
  const ExactConversion want = ExactlyConverted(entry, k);
  const bool converted = window.outcome == Outcome::Converted;
  const bool agrees =
      window.outcome == want.outcome &&
      (converted ? window.normalised == want.normalised &&
                       static_cast<std::size_t>(window.period) == want.period &&
                       window.expansion.numerator == want.numerator &&
                       window.expansion.denominator == want.denominator &&
                       window.reduction.numerator == want.reducedNumerator &&
                       window.reduction.denominator == want.reducedDenominator
                 : window.normalised == entry);  // an entry that stops is left as typed
  if (agrees) return {};
  std::string what = "\"";
  what.append(entry).append("\" k=").append(std::to_string(k)).append(": the window ");
  what.append(Describe(window.outcome));
  if (converted) {
    what += " \"" + window.normalised + "\" k=" + std::to_string(window.period) + " " +
            window.expansion.numerator + "/" + window.expansion.denominator + " -> " +
            window.reduction.numerator + "/" + window.reduction.denominator;
  } else {
    what += " leaving \"" + window.normalised + "\"";
  }
  what += "; exactly " + std::string(Describe(want.outcome));
  if (want.outcome == Outcome::Converted) {
    what += " \"" + want.normalised + "\" k=" + std::to_string(want.period) + " " + want.numerator +
            "/" + want.denominator + " -> " + want.reducedNumerator + "/" + want.reducedDenominator;
  }
  return what;
}

}  // namespace quotalis::testing
