#include "cli/explain.h"

#include <utility>
#include <variant>

#include <quotalis/exact/read.h>

#include "cli/keypad.h"
#include "explain/mathml.h"
#include "words/words.h"
#include "explain/working.h"

namespace quotalis::cli {

namespace {

using words::N_;

// Dots over the period where the entry was written with them or where the
// reader is Japanese, as Japanese schools write it; a line over it otherwise.
explain::PeriodMark Mark(const Entry& entry, const Options& options) {
  return entry.notation == exact::Notation::Dots || options.words->Language() == "ja"
             ? explain::PeriodMark::Dots
             : explain::PeriodMark::Overline;
}

}  // namespace

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::vector<std::string> LatexLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (true) {
    const std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end - from));
    if (end == std::string::npos) return lines;
    from = end + 1;
  }
}

exact::Notation WorkingNotation(const Options& options, const Entry& entry) {
  if (options.notation != exact::Notation::Parentheses) {
    return explain::TextNotation(options.notation);
  }
  return explain::TextNotation(entry.kind == Entry::Kind::Decimal ? entry.notation
                                                                  : options.notation);
}

std::vector<std::string> DecimalWorkingLines(exact::DecimalWorking w, const Entry& entry,
                                             const Options& options) {
  const words::Words& words = *options.words;
  const exact::Notation notation = WorkingNotation(options, entry);
  // An ellipsis does not say where its period starts ("0.1666..." is read
  // as 0.166(6)): such an entry stands for its shortest form.
  if (entry.notation == exact::Notation::Ellipsis) {
    w.decimal.integer = w.shortest.integer;
    w.decimal.fixed = w.shortest.fixed;
    w.decimal.period = w.shortest.period;
  }
  if (options.mathml) {
    return explain::DecimalWorkingMathml(w, notation, Mark(entry, options), options.mixed, words);
  }
  if (options.notation == exact::Notation::Latex) {
    return LatexLines(
        explain::DecimalWorkingLatex(w, notation, Mark(entry, options), options.mixed, words));
  }
  return explain::DecimalWorkingText(w, notation, options.mixed, words);
}

exact::Result<std::vector<std::string>> FractionWorkingLines(std::string_view text,
                                                             const Entry& entry,
                                                             const Options& options) {
  // The entry as written: its whole part and its terms before reduction.
  exact::Result<exact::FractionWorking> made = exact::ExplainFraction(entry.fraction);
  const exact::Result<exact::Reading> read = exact::Read(text);
  if (const auto* reading = std::get_if<exact::Reading>(&read)) {
    if (const auto* written = std::get_if<exact::FractionText>(&reading->value)) {
      made = exact::ExplainFraction(*written);
    }
  }
  if (const auto* p = std::get_if<exact::Problem>(&made)) return *p;
  const auto& w = std::get<exact::FractionWorking>(made);
  const words::Words& words = *options.words;
  if (options.notation == exact::Notation::Latex && !options.mathml) {
    return LatexLines(explain::FractionWorkingLatex(w, Mark(entry, options), options.mixed, words));
  }
  std::vector<std::string> lines =
      options.mathml
          ? explain::FractionWorkingMathml(w, WorkingNotation(options, entry), Mark(entry, options),
                                           options.mixed, words)
          : explain::FractionWorkingText(w, WorkingNotation(options, entry), options.mixed, words);
  if (options.notation == exact::Notation::Keypad) {
    exact::Result<KeypadForm> form = ToKeypad(entry.fraction);
    if (const auto* keypad = std::get_if<KeypadForm>(&form)) {
      std::string line = Say(
          words, N_("On the keypad: type {1} and set the number of recurring digits to {2}"),
          {keypad->entry, std::to_string(keypad->period)});
      lines.push_back(options.mathml ? explain::MathmlTextBlock(line) : std::move(line));
    }
  }
  return lines;
}

}  // namespace quotalis::cli
