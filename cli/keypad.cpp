#include "cli/keypad.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/write.h>

#include "convert/conversion.h"
#include "convert/entry.h"
#include "explain/words.h"

namespace quotalis::cli {

namespace {

using explain::N_;

// The arguments are numbers and digits, never words to translate.
exact::Problem Unwritable(std::string_view format, std::vector<std::string> args = {}) {
  return exact::MakeProblem(exact::ProblemKind::Unwritable, format, std::move(args));
}

// The refusal of an entry longer than the keypad holds; `needed` is its
// length when it is known.
exact::Problem TooLong(std::optional<std::size_t> needed) {
  const std::string longest = std::to_string(kEntryLongest);
  if (!needed) {
    return Unwritable(N_("the keypad holds at most {1} characters; the entry would need more"),
                      {longest});
  }
  return Unwritable(N_("the keypad holds at most {1} characters; the entry would need {2}"),
                    {longest, std::to_string(*needed)});
}

// The refusal of a decimal that ToDecimal cut at the keypad's length: the
// entry needs at least its integer part (none for 0, which the window may
// drop), the point and every digit of both parts, when they are counted.
exact::Problem TooLong(const exact::DecimalExpansion& e) {
  if (!e.periodLength) return TooLong(std::nullopt);
  const exact::Decimal& v = e.value;
  const mpz_class least =
      mpz_class(static_cast<unsigned long>(v.integer == "0" ? 0 : v.integer.size())) + 1 +
      mpz_class(std::to_string(e.fixedLength)) + *e.periodLength;
  return Unwritable(
      N_("the keypad holds at most {1} characters; the entry would need at least {2}"),
      {std::to_string(kEntryLongest), least.get_str()});
}

}  // namespace

exact::Result<KeypadForm> ToKeypad(const exact::Rational& value) {
  if (value.numerator < 0) return Unwritable(N_("the keypad cannot type a negative value"));
  // Either part of the decimal longer than the keypad is cut, and then no
  // entry can hold it.
  exact::Result<exact::DecimalExpansion> expanded = exact::ToDecimal(value, kEntryLongest);
  if (auto* problem = std::get_if<exact::Problem>(&expanded)) return std::move(*problem);
  const auto& e = std::get<exact::DecimalExpansion>(expanded);
  if (e.cut) return TooLong(e);

  exact::Result<std::string> written = exact::Write(e.value, exact::Notation::Keypad);
  if (auto* problem = std::get_if<exact::Problem>(&written)) return std::move(*problem);
  const std::string& text = std::get<std::string>(written);
  const std::size_t blank = text.rfind(' ');
  KeypadForm form{text.substr(0, blank), static_cast<std::int64_t>(e.value.period.size())};
  const auto longest = static_cast<std::size_t>(kEntryLongest);
  // The window reads ".5" as "0.5": the leading zero may go to make room.
  const bool dropZero = form.entry.size() > longest && form.entry.starts_with("0.");
  if (dropZero) form.entry.erase(0, 1);
  if (form.entry.size() > longest) return TooLong(form.entry.size());

  const Conversion window = ConvertEntry(form.entry, static_cast<std::int32_t>(form.period));
  if (window.outcome == Outcome::Zero) return form;
  if (window.outcome == Outcome::OutOfRange) {
    return Unwritable(N_("the window cannot convert {1}: it is beyond what the window converts"),
                      {form.entry});
  }
  if (window.outcome != Outcome::Converted) {
    return Unwritable(N_("the window cannot convert {1}"), {form.entry});
  }
  const std::string_view normalised = window.normalised;
  const bool sameEntry = normalised == form.entry || (dropZero && normalised == "0" + form.entry);
  if (!sameEntry || window.period != form.period) {
    return Unwritable(N_("the window would read {1} as {2} with {3} recurring digits"),
                      {form.entry, window.normalised, std::to_string(window.period)});
  }
  return form;
}

}  // namespace quotalis::cli
