#include "cli/answer.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/working.h>
#include <quotalis/exact/write.h>

#include "cli/explain.h"
#include "cli/json.h"
#include "cli/lines.h"
#include "cli/quote.h"
#include "cli/reading.h"
#include "cli/written.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using explain::N_;

// The refusal of `problem`, in the user's words. `entry`, when the problem is
// in it, is quoted first; `input` is what --json reports as the input (none
// for a line that was not kept).
Answer Refuse(Verdict verdict, const exact::Problem& problem, std::optional<std::string_view> entry,
              std::optional<std::string_view> input, const Options& options) {
  const explain::Words& words = *options.words;
  std::string message = explain::ProblemText(problem, words);
  if (entry) message = explain::Say(words, N_("'{1}': {2}"), {Shown(*entry), message});
  if (!options.json) return {verdict, std::move(message)};
  JsonObject json;
  if (input) {
    json.Add("input", *input);
  } else {
    json.AddNull("input");
  }
  return {verdict, json.Add("error", message)
                       .Add("kind", exact::ProblemKindName(problem.kind))
                       .Add("position", problem.position)
                       .Close()};
}

exact::Problem LineProblem(exact::ProblemKind kind, std::string_view message) {
  return exact::MakeProblem(kind, message, {});
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

Answer DecimalAnswerFor(std::string_view text, const Entry& entry, const Options& options) {
  const auto refuse = [&](Verdict verdict, const exact::Problem& p) {
    return Refuse(verdict, p, text, text, options);
  };
  exact::Result<exact::Schoolbook> made = exact::ToFraction(entry.decimal);
  if (auto* p = std::get_if<exact::Problem>(&made)) return refuse(Verdict::BadInput, *p);
  const auto& f = std::get<exact::Schoolbook>(made);
  const std::string reduced = FractionAnswer(f.reduced, options.mixed);
  if (!options.detail && !options.json && !options.explain) return {Verdict::Converted, reduced};

  // A plain decimal is shown as the window writes it back; another as its
  // canonical form in the answer's notation.
  exact::Decimal canonical;
  if (options.json || !entry.plain) {
    exact::Result<exact::Decimal> c = exact::Canonical(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&c)) return refuse(Verdict::BadInput, *p);
    canonical = std::get<exact::Decimal>(std::move(c));
  }
  exact::Result<std::string> written = entry.plain
                                           ? exact::Result<std::string>(EntryText(entry.decimal))
                                           : DecimalAnswer(canonical, f.reduced, options.notation);
  if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Verdict::Failed, *p);
  const auto& decimal = std::get<std::string>(written);
  const std::string unreduced = FractionAnswer(f.numerator, f.denominator);
  if (options.detail) return {Verdict::Converted, decimal + "\t" + unreduced + "\t" + reduced};

  std::vector<std::string> working;
  if (options.explain) {
    exact::Result<exact::DecimalWorking> w = exact::ExplainDecimal(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&w)) return refuse(Verdict::BadInput, *p);
    working = DecimalWorkingLines(std::get<exact::DecimalWorking>(w), entry, options);
  }
  if (!options.json) return {Verdict::Converted, Joined(working)};
  JsonObject json;
  json.Add("input", text)
      .Add("reading", exact::NotationName(entry.notation))
      .Add("decimal", decimal)
      .Add("unreduced", unreduced)
      .Add("fraction", FractionAnswer(f.reduced, false));
  if (options.mixed) json.Add("mixed", reduced);
  json.Add("nonRecurring", static_cast<std::int64_t>(canonical.fixed.size()))
      .Add("period", static_cast<std::int64_t>(canonical.period.size()))
      .Add("cut", false);
  if (options.explain) json.Add("working", working);
  return {Verdict::Converted, json.Close()};
}

Answer FractionAnswerFor(std::string_view text, const Entry& entry, const Options& options) {
  const auto refuse = [&](Verdict verdict, const exact::Problem& p) {
    return Refuse(verdict, p, text, text, options);
  };
  exact::Result<exact::DecimalExpansion> expanded =
      exact::ToDecimal(entry.fraction, options.maxDigits);
  if (auto* p = std::get_if<exact::Problem>(&expanded)) return refuse(Verdict::BadInput, *p);
  const auto& e = std::get<exact::DecimalExpansion>(expanded);
  exact::Result<std::string> written = ExpansionAnswer(e, entry.fraction, options.notation);
  if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Verdict::Failed, *p);
  const auto& decimal = std::get<std::string>(written);
  if (options.detail) {
    return {Verdict::Converted,
            decimal + "\t" + std::to_string(e.fixedLength) + "\t" + PeriodLengthText(e)};
  }
  if (!options.json && !options.explain) return {Verdict::Converted, decimal};

  std::vector<std::string> working;
  if (options.explain) {
    exact::Result<std::vector<std::string>> w = FractionWorkingLines(text, entry, options);
    if (auto* p = std::get_if<exact::Problem>(&w)) return refuse(Verdict::BadInput, *p);
    working = std::get<std::vector<std::string>>(std::move(w));
  }
  if (!options.json) return {Verdict::Converted, Joined(working)};
  JsonObject json;
  json.Add("input", text)
      .Add("reading", exact::NotationName(entry.notation))
      .Add("decimal", decimal)
      .Add("fraction", FractionAnswer(entry.fraction, false));
  if (options.mixed) json.Add("mixed", FractionAnswer(entry.fraction, true));
  json.Add("nonRecurring", e.fixedLength);
  if (e.periodLength) {
    json.AddDigits("period", e.periodLength->get_str());
  } else {
    json.AddNull("period");
  }
  json.Add("cut", e.cut);
  if (options.explain) json.Add("working", working);
  return {Verdict::Converted, json.Close()};
}

std::vector<std::string_view> Fields(std::string_view line) {
  constexpr std::string_view kBlanks = " \t\r\v\f";
  std::vector<std::string_view> fields;
  std::size_t start = line.find_first_not_of(kBlanks);
  while (start != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    fields.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return fields;
}

bool HoldsSlash(std::string_view text) {
  return text.find('/') != std::string_view::npos ||
         text.find("\xEF\xBC\x8F") != std::string_view::npos;  // U+FF0F, the full-width slash
}

}  // namespace

Answer AnswerEntry(std::string_view text, std::int32_t period, const Options& options) {
  exact::Result<Entry> read = ReadEntry(text, period);
  if (auto* problem = std::get_if<exact::Problem>(&read)) {
    return Refuse(Verdict::BadInput, *problem, text, text, options);
  }
  const auto& entry = std::get<Entry>(read);
  return entry.kind == Entry::Kind::Decimal ? DecimalAnswerFor(text, entry, options)
                                            : FractionAnswerFor(text, entry, options);
}

Answer AnswerLine(std::string_view line, const Options& options) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Empty, N_("the line is empty; give ENTRY [K]")),
                  std::nullopt, line, options);
  }
  if (HoldsSlash(line)) {
    if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
    return AnswerEntry(TrimBlanks(line), options.period, options);
  }
  if (fields.size() > 2) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Syntax, N_("too many fields; give ENTRY [K]")),
                  std::nullopt, line, options);
  }
  std::int32_t period = options.period;
  if (fields.size() == 2) {
    if (auto problem = ParsePeriod(fields[1], period)) {
      return Refuse(Verdict::BadInput, {exact::ProblemKind::Syntax, std::move(*problem)},
                    std::nullopt, line, options);
    }
  }
  return AnswerEntry(fields[0], period, options);
}

Answer AnswerOverlongLine(const Options& options) {
  const exact::Problem problem =
      exact::MakeProblem(exact::ProblemKind::TooLarge, N_("the line is longer than {1} characters"),
                         {std::to_string(kLongestLine)});
  return Refuse(Verdict::BadInput, problem, std::nullopt, std::nullopt, options);
}

}  // namespace quotalis::cli
