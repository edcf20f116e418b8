// A decimal answered by its fraction.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/working.h>

#include "answer/written.h"
#include "kinds.h"

namespace quotalis::answer {

namespace {

// Whether two decimals have the same digits, leading zeros aside: then the
// schoolbook fraction of one is that of the other.
bool SameDigits(const exact::Decimal& a, const exact::Decimal& b) {
  const auto integer = [](const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string_view() : std::string_view(digits).substr(first);
  };
  return a.fixed == b.fixed && a.period == b.period && integer(a.integer) == integer(b.integer);
}

}  // namespace

Answer DecimalToFraction(const Request& request, Entry entry) {
  const auto refuse = [&](Status status, const exact::Problem& p) {
    return Refuse(request, status, p);
  };
  Answer a = Begun(request, Kind::Fraction, entry.notation);
  if (request.form == Form::Value && !request.working.Any()) {
    // Only the lowest terms are made: what else the entry took goes first.
    exact::Result<exact::LowestTerms> lowest = exact::ToLowestTerms(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&lowest)) return refuse(Status::BadInput, *p);
    Release(entry);
    auto& r = std::get<exact::LowestTerms>(lowest);
    a.lowest = {Hold(r.numerator), Hold(r.denominator), r.tens};
    return a;
  }
  // The working first, when it is asked for: its lines are short (a long
  // number stands by its ends), and what making it took is given back before
  // the answer's own numbers are made.
  std::optional<exact::Schoolbook> worked;
  if (request.working.Any()) {
    // Alone, it makes the fraction itself and may have the entry's digits.
    // (The keypad may refuse the answer: that is found below.)
    const bool alone = request.form == Form::Working && request.notation != exact::Notation::Keypad;
    exact::Result<exact::DecimalWorking> made =
        alone ? exact::ExplainDecimal(std::move(entry.decimal))
              : exact::ExplainDecimal(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&made)) return refuse(Status::BadInput, *p);
    auto& w = std::get<exact::DecimalWorking>(made);
    const explain::Style style = WorkingStyle(request, entry.notation);
    a.working = Rendered(explain::DecimalSteps(w, style), request, style);
    if (alone) return a;
    // The working's fraction is that of the entry's shortest form: the
    // answer's own when the entry is written that way, as a long one mostly
    // is, and then it is not made twice.
    if (SameDigits(entry.decimal, w.shortest)) worked = std::move(w.fraction);
  }
  // The zeros that end a decimal that ends are dropped before its fraction
  // is made, as the window drops them from a plain decimal: 1.50e1 is
  // 150/10, as 1.50 is 15/10.
  if (entry.decimal.period.empty()) {
    std::string& fixed = entry.decimal.fixed;
    fixed.erase(fixed.find_last_not_of('0') + 1);
  }
  exact::Result<exact::Schoolbook> made = worked
                                              ? exact::Result<exact::Schoolbook>(std::move(*worked))
                                              : exact::ToFraction(entry.decimal);
  if (auto* p = std::get_if<exact::Problem>(&made)) return refuse(Status::BadInput, *p);
  auto& f = std::get<exact::Schoolbook>(made);

  // A plain decimal is shown as the window writes it back (with --json, when
  // K marks digits of it, as its canonical form too); another as its
  // canonical form in the answer's notation.
  const bool json = request.form == Form::Json;
  const bool marked = !entry.plain || (json && !entry.decimal.period.empty());
  {
    exact::Decimal canonical;
    if (json || marked) {
      exact::Result<exact::Decimal> c = exact::Canonical(entry.decimal);
      if (auto* p = std::get_if<exact::Problem>(&c)) return refuse(Status::BadInput, *p);
      canonical = std::get<exact::Decimal>(std::move(c));
      a.nonRecurring = static_cast<std::int64_t>(canonical.fixed.size());
      a.period = static_cast<unsigned long>(canonical.period.size());
    }
    exact::Result<std::string> written =
        marked ? DecimalAnswer(canonical, f.reduced, request.notation, request.keypadCheck)
               : exact::Result<std::string>(EntryText(entry.decimal));
    if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Status::Failed, *p);
    a.decimal = std::get<std::string>(std::move(written));
  }
  if (request.form == Form::Working) return a;
  // From here on only the numbers and the decimal's text are written.
  Release(entry);
  a.unreduced = {Hold(f.numerator), Hold(f.denominator), 0};
  a.lowest = {Hold(f.reduced.numerator), Hold(f.reduced.denominator), 0};
  return a;
}

}  // namespace quotalis::answer
