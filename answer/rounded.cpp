// A display rounded at its last digit, as a calculator or a spreadsheet
// shows a number, answered by the simplest fraction it may stand for
// (exact/rounded.h).
#include <cstdint>
#include <utility>
#include <variant>

#include <quotalis/exact/read.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/utf8.h>
#include <quotalis/exact/write.h>

#include "kinds.h"

namespace quotalis::answer {

namespace {

using words::N_;

// A decimal that ends, as it is written plainly: "0.66666666665", "-6.5".
std::string Plain(const exact::Decimal& d) {
  return std::get<std::string>(exact::Write(d, exact::Notation::Plain));
}

// The 1-based character of the exponent's "e" in `text` (ASCII or
// full-width, either case), 0 when there is none.
std::int64_t ExponentAt(std::string_view text) {
  std::int64_t at = 0;
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    if (!c) return 0;
    ++at;
    if (c->value == 'e' || c->value == 'E' || c->value == 0xFF45 || c->value == 0xFF25) return at;
    text.remove_prefix(c->length);
  }
  return 0;
}

}  // namespace

Answer RoundedToFraction(const Request& request) {
  const std::string_view text = request.entry;
  const auto refuse = [&](const exact::Problem& p) { return Refuse(request, Status::BadInput, p); };
  exact::Result<exact::Reading> read = exact::Read(text);
  if (auto* problem = std::get_if<exact::Problem>(&read)) return refuse(*problem);
  const auto& reading = std::get<exact::Reading>(read);
  const auto* display = std::get_if<exact::Decimal>(&reading.value);
  if (display == nullptr) {
    return refuse(exact::MakeProblem(exact::ProblemKind::Syntax,
                                     N_("a fraction is exact already, not a rounded display"), {}));
  }
  // The working keeps the steps of the search; the answer alone does not.
  exact::Result<exact::RoundedWorking> worked = exact::RoundedWorking{};
  exact::Result<exact::RoundedFraction> made = exact::RoundedFraction{};
  if (request.working.Any()) {
    worked = exact::ExplainRounded(*display);
  } else {
    made = exact::FromRounded(*display);
  }
  for (exact::Problem* problem :
       {std::get_if<exact::Problem>(&worked), std::get_if<exact::Problem>(&made)}) {
    if (problem == nullptr) continue;
    // An exponent that leaves no digit to round at is refused at its "e".
    if (problem->kind == exact::ProblemKind::Syntax && display->period.empty()) {
      problem->position = ExponentAt(text);
    }
    return refuse(*problem);
  }
  Answer a = Begun(request, Kind::Rounded, reading.notation);
  exact::RoundingInterval interval;
  exact::Rational fraction;
  if (request.working.Any()) {
    const auto& w = std::get<exact::RoundedWorking>(worked);
    interval = w.interval;
    fraction = w.fraction;
    // Its decimals all end, and are written as the display was.
    const explain::Style style =
        explain::ChooseStyle(exact::Notation::Parentheses, exact::Notation::Plain, request.mixed,
                             request.words->Language());
    a.working = Rendered(explain::RoundedSteps(w, style), request, style);
  } else {
    auto& f = std::get<exact::RoundedFraction>(made);
    interval = std::move(f.interval);
    fraction = std::move(f.fraction);
  }
  if (request.form == Form::Detail || request.form == Form::Json) {
    a.low = Plain(interval.low);
    a.high = Plain(interval.high);
  }
  a.lowest = {Hold(fraction.numerator), Hold(fraction.denominator), 0};
  return a;
}

}  // namespace quotalis::answer
