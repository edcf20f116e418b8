#include "cli/rounded.h"

#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

#include <quotalis/exact/read.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/utf8.h>
#include <quotalis/exact/write.h>

#include "cli/explain.h"
#include "cli/json.h"
#include "cli/written.h"
#include "explain/mathml.h"
#include "explain/rounded.h"

namespace quotalis::cli {

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

exact::Result<std::string> RoundedAnswer(std::string_view text, const Options& options) {
  exact::Result<exact::Reading> read = exact::Read(text);
  if (auto* problem = std::get_if<exact::Problem>(&read)) return std::move(*problem);
  const auto& reading = std::get<exact::Reading>(read);
  const auto* display = std::get_if<exact::Decimal>(&reading.value);
  if (display == nullptr) {
    return exact::MakeProblem(exact::ProblemKind::Syntax,
                              N_("a fraction is exact already, not a rounded display"), {});
  }
  // The working keeps the steps of the search; the answer alone does not.
  exact::Result<exact::RoundedWorking> worked = exact::RoundedWorking{};
  exact::Result<exact::RoundedFraction> made = exact::RoundedFraction{};
  if (options.explain) {
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
    return std::move(*problem);
  }
  exact::RoundingInterval interval;
  exact::Rational fraction;
  if (options.explain) {
    const auto& w = std::get<exact::RoundedWorking>(worked);
    interval = w.interval;
    fraction = w.fraction;
  } else {
    auto& f = std::get<exact::RoundedFraction>(made);
    interval = std::move(f.interval);
    fraction = std::move(f.fraction);
  }
  const std::string answer = FractionAnswer(fraction, options.mixed);
  if (options.detail) return Plain(interval.low) + "\t" + Plain(interval.high) + "\t" + answer;
  if (!options.json && !options.explain) return answer;

  std::vector<std::string> working;
  if (options.explain) {
    const auto& w = std::get<exact::RoundedWorking>(worked);
    const words::Words& words = *options.words;
    if (options.mathml) {
      // Dots over a period for Japanese readers, as the other workings mark it.
      const explain::PeriodMark mark =
          words.Language() == "ja" ? explain::PeriodMark::Dots : explain::PeriodMark::Overline;
      working = explain::RoundedWorkingMathml(w, mark, options.mixed, words);
    } else {
      working = options.notation == exact::Notation::Latex
                    ? LatexLines(explain::RoundedWorkingLatex(w, options.mixed, words))
                    : explain::RoundedWorkingText(w, options.mixed, words);
    }
  }
  if (!options.json) return JoinedLines(working);
  JsonObject json;
  json.Add("input", text)
      .Add("reading", exact::NotationName(reading.notation))
      .Add("low", Plain(interval.low))
      .Add("high", Plain(interval.high))
      .Add("fraction", FractionAnswer(fraction, false))
      .Add("numerator", fraction.numerator.get_str())
      .Add("denominator", fraction.denominator.get_str());
  if (options.mixed) json.Add("mixed", answer);
  if (options.explain) json.Add("working", working);
  return json.Close();
}

}  // namespace quotalis::cli
