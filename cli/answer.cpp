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
#include "cli/rounded.h"
#include "cli/written.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using explain::N_;

// The refusal `message`, the sentence of `problem` in the user's words.
// `entry`, when the problem is in it, is quoted first; `input` is what --json
// reports as the input (none for a line that was not kept).
Answer Refusal(Verdict verdict, const exact::Problem& problem, std::string message,
               std::optional<std::string_view> entry, std::optional<std::string_view> input,
               const Options& options) {
  const explain::Words& words = *options.words;
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

// A refusal of the library's or of the readers here, whose arguments may be
// the library's words (exact::Problem).
Answer Refuse(Verdict verdict, const exact::Problem& problem, std::optional<std::string_view> entry,
              std::optional<std::string_view> input, const Options& options) {
  return Refusal(verdict, problem, explain::ProblemText(problem, *options.words), entry, input,
                 options);
}

// A refusal whose arguments are the user's own text, put in as they stand.
Answer RefuseAsTyped(Verdict verdict, const exact::Problem& problem,
                     std::optional<std::string_view> entry, std::optional<std::string_view> input,
                     const Options& options) {
  return Refusal(verdict, problem, explain::Say(*options.words, problem.format, problem.args),
                 entry, input, options);
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

  // A plain decimal is shown as the window writes it back (with --json, when
  // K marks digits of it, as its canonical form too); another as its
  // canonical form in the answer's notation.
  const bool marked = !entry.plain || (options.json && !entry.decimal.period.empty());
  exact::Decimal canonical;
  if (options.json || marked) {
    exact::Result<exact::Decimal> c = exact::Canonical(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&c)) return refuse(Verdict::BadInput, *p);
    canonical = std::get<exact::Decimal>(std::move(c));
  }
  exact::Result<std::string> written = marked
                                           ? DecimalAnswer(canonical, f.reduced, options.notation)
                                           : exact::Result<std::string>(EntryText(entry.decimal));
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
      .Add("fraction", FractionAnswer(f.reduced, false))
      .Add("numerator", f.reduced.numerator.get_str())
      .Add("denominator", f.reduced.denominator.get_str());
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
  // The note of a cut decimal is words: in the user's language where a
  // person reads it, in English in the fields a program reads.
  const bool forPrograms = options.detail || options.json;
  const explain::Words& noteWords = forPrograms ? explain::EnglishWords() : *options.words;
  exact::Result<std::string> written =
      ExpansionAnswer(e, entry.fraction, options.notation, noteWords);
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
      .Add("fraction", FractionAnswer(entry.fraction, false))
      .Add("numerator", entry.fraction.numerator.get_str())
      .Add("denominator", entry.fraction.denominator.get_str());
  if (options.mixed) json.Add("mixed", FractionAnswer(entry.fraction, true));
  json.Add("nonRecurring", e.fixedLength);
  if (e.periodLength) {
    json.AddDigits("period", e.periodLength->get_str());
  } else {
    // Longer than the digits written at most, and not counted.
    json.AddNull("period").Add("periodAbove", exact::kMaxExpansionDigits);
  }
  json.Add("cut", e.cut);
  if (options.explain) json.Add("working", working);
  return {Verdict::Converted, json.Close()};
}

// The blanks that part the fields of a line: those the readers take for
// blanks (space, tab, the ideographic space U+3000 a Japanese input method
// types), and the rest of ASCII's white space.
std::size_t BlankLength(std::string_view text) {
  if (text.empty()) return 0;
  if (std::string_view(" \t\r\v\f").find(text.front()) != std::string_view::npos) return 1;
  return text.starts_with("\xE3\x80\x80") ? 3 : 0;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    if (const std::size_t blank = BlankLength(line.substr(at))) {
      at += blank;
      continue;
    }
    const std::size_t start = at;
    while (at < line.size() && BlankLength(line.substr(at)) == 0) ++at;
    fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

// Whether the line is a fraction: a slash, full-width or not, or ÷.
bool HoldsSlash(std::string_view text) {
  return text.find('/') != std::string_view::npos ||
         text.find("\xEF\xBC\x8F") != std::string_view::npos ||  // U+FF0F, the full-width slash
         text.find("\xC3\xB7") != std::string_view::npos;        // U+00F7, the division sign
}

}  // namespace

Answer AnswerEntry(std::string_view text, std::int32_t period, const Options& options) {
  if (options.rounded) {
    exact::Result<std::string> rounded = RoundedAnswer(text, options);
    if (auto* problem = std::get_if<exact::Problem>(&rounded)) {
      return Refuse(Verdict::BadInput, *problem, text, text, options);
    }
    return {Verdict::Converted, std::get<std::string>(std::move(rounded))};
  }
  exact::Result<Entry> read = ReadEntry(text, period);
  if (auto* problem = std::get_if<exact::Problem>(&read)) {
    return Refuse(Verdict::BadInput, *problem, text, text, options);
  }
  const auto& entry = std::get<Entry>(read);
  return entry.kind == Entry::Kind::Decimal ? DecimalAnswerFor(text, entry, options)
                                            : FractionAnswerFor(text, entry, options);
}

Answer WorkingMathml(std::string_view entry, std::int32_t period, const Options& options) {
  Options asked = options;
  asked.explain = true;
  asked.mathml = true;
  asked.json = false;
  asked.detail = false;
  return AnswerEntry(entry, period, asked);
}

bool IsCommentLine(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() > kLongestLine) return false;  // refused by AnswerLine
  while (const std::size_t blank = BlankLength(line)) line.remove_prefix(blank);
  return line.starts_with('#') || line.starts_with("\xEF\xBC\x83");  // U+FF03, full-width
}

Answer AnswerLine(std::string_view line, const Options& options) {
  if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
  if (line.size() > kLongestLine) return AnswerOverlongLine(options);
  // An error about the line as a whole quotes it, blanks and all.
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Empty, N_("the line is empty; give ENTRY [K]")),
                  line, line, options);
  }
  if (HoldsSlash(line)) {
    return AnswerEntry(TrimBlanks(line), options.period, options);
  }
  if (fields.size() > 2) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Syntax, N_("too many fields; give ENTRY [K]")),
                  line, line, options);
  }
  if (fields.size() == 2 && options.rounded) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Syntax,
                              N_("K is for a recurring decimal, and --rounded reads a display "
                                 "that ends; give the entry alone")),
                  line, line, options);
  }
  std::int32_t period = options.period;
  if (fields.size() == 2) {
    if (std::optional<exact::Problem> problem = ParsePeriod(fields[1], period)) {
      return RefuseAsTyped(Verdict::BadInput, *problem, line, line, options);
    }
  }
  return AnswerEntry(fields[0], period, options);
}

Answer AnswerOverlongLine(const Options& options) {
  const exact::Problem problem =
      exact::MakeProblem(exact::ProblemKind::TooLarge, N_("the line is longer than {1} bytes"),
                         {std::to_string(kLongestLine)});
  return Refuse(Verdict::BadInput, problem, std::nullopt, std::nullopt, options);
}

Answer AnswerUsageProblem(const exact::Problem& problem, const Options& options) {
  const explain::Words& words = *options.words;
  std::string message = explain::Say(words, problem.format, problem.args);
  if (!options.json) message = explain::Say(words, N_("{1} (see quotalis-cli --help)"), {message});
  return Refusal(Verdict::BadInput, problem, std::move(message), std::nullopt, std::nullopt,
                 options);
}

}  // namespace quotalis::cli
