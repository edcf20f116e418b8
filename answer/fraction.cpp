// A fraction answered by its decimal.
#include <utility>
#include <variant>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/working.h>

#include "answer/keypad.h"
#include "answer/written.h"
#include "kinds.h"

namespace quotalis::answer {

namespace {

using words::N_;

// The working of the long division, from the entry as written (its whole
// part and terms before reduction); with the keypad's form asked, a last
// line says what to type.
exact::Result<Workings> FractionWorking(const Request& request, const Entry& entry) {
  exact::Result<exact::FractionWorking> made = exact::ExplainFraction(entry.written);
  if (const auto* p = std::get_if<exact::Problem>(&made)) return *p;
  const explain::Style style = WorkingStyle(request, entry.notation);
  Workings working = Rendered(
      explain::FractionSteps(std::get<exact::FractionWorking>(std::move(made))), request, style);
  if (request.notation == exact::Notation::Keypad) {
    exact::Result<KeypadForm> form = ToKeypad(entry.fraction, request.keypadCheck);
    if (const auto* keypad = std::get_if<KeypadForm>(&form)) {
      const std::string line =
          Say(*request.words,
              N_("On the keypad: type {1} and set the number of recurring digits to {2}"),
              {keypad->entry, std::to_string(keypad->period)});
      if (request.working.text) working.text.push_back(line);
      if (request.working.mathml) {
        working.mathml.push_back(explain::RenderWords(line, explain::Format::Mathml));
      }
    }
  }
  return working;
}

}  // namespace

Answer FractionToDecimal(const Request& request, Entry entry) {
  const auto refuse = [&](Status status, const exact::Problem& p) {
    return Refuse(request, status, p);
  };
  Answer a = Begun(request, Kind::Decimal, entry.notation);
  // The fraction as written is the working's alone: a long numerator's digits
  // go before the decimal's are made.
  if (!request.working.Any()) Release(entry.written);
  exact::Result<exact::DecimalExpansion> expanded =
      exact::ToDecimal(entry.fraction, request.maxDigits);
  if (auto* p = std::get_if<exact::Problem>(&expanded)) return refuse(Status::BadInput, *p);
  auto& e = std::get<exact::DecimalExpansion>(expanded);
  // The note of a cut decimal is words: in the user's language where a
  // person reads it, in English in the fields a program reads.
  const bool forPrograms = request.form == Form::Detail || request.form == Form::Json;
  const words::Words& noteWords = forPrograms ? words::EnglishWords() : *request.words;
  exact::Result<std::string> written =
      ExpansionAnswer(e, entry.fraction, request.notation, noteWords, request.keypadCheck);
  if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Status::Failed, *p);
  a.decimal = std::get<std::string>(std::move(written));
  Release(e.value);  // its digits are in `decimal` now
  a.nonRecurring = e.fixedLength;
  a.period = std::move(e.periodLength);
  a.cut = e.cut;
  if (request.form == Form::Detail) return a;
  if (request.working.Any()) {
    exact::Result<Workings> w = FractionWorking(request, entry);
    if (auto* p = std::get_if<exact::Problem>(&w)) return refuse(Status::BadInput, *p);
    a.working = std::get<Workings>(std::move(w));
  }
  if (request.form == Form::Json) {
    a.lowest = {Hold(entry.fraction.numerator), Hold(entry.fraction.denominator), 0};
  }
  return a;
}

}  // namespace quotalis::answer
