#include "answer/keypad.h"

#include <string_view>
#include <utility>
#include <vector>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/write.h>

#include "words/words.h"

namespace quotalis::answer {

namespace {

using words::N_;

exact::Problem Unwritable(std::string_view format, std::vector<std::string> args = {}) {
  return exact::MakeProblem(exact::ProblemKind::Unwritable, format, std::move(args));
}

// The refusal of an entry longer than the keypad holds; `needed` is its
// length when it is known.
exact::Problem TooLong(std::optional<std::size_t> needed) {
  const std::string longest = std::to_string(kKeypadLongest);
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
      {std::to_string(kKeypadLongest), least.get_str()});
}

}  // namespace

exact::Result<KeypadForm> ToKeypad(const exact::Rational& value, const KeypadCheck& check) {
  if (value.numerator < 0) return Unwritable(N_("the keypad cannot type a negative value"));
  // Either part of the decimal longer than the keypad is cut, and then no
  // entry can hold it.
  exact::Result<exact::DecimalExpansion> expanded =
      exact::ToDecimal(value, static_cast<std::int64_t>(kKeypadLongest));
  if (auto* problem = std::get_if<exact::Problem>(&expanded)) return std::move(*problem);
  const auto& e = std::get<exact::DecimalExpansion>(expanded);
  if (e.cut) return TooLong(e);

  exact::Result<std::string> written = exact::Write(e.value, exact::Notation::Keypad);
  if (auto* problem = std::get_if<exact::Problem>(&written)) return std::move(*problem);
  const std::string& text = std::get<std::string>(written);
  const std::size_t blank = text.rfind(' ');
  KeypadForm form{text.substr(0, blank), static_cast<std::int64_t>(e.value.period.size())};
  // The window reads ".5" as "0.5": the leading zero may go to make room.
  const bool dropZero = form.entry.size() > kKeypadLongest && form.entry.starts_with("0.");
  if (dropZero) form.entry.erase(0, 1);
  if (form.entry.size() > kKeypadLongest) return TooLong(form.entry.size());

  if (check) {
    if (std::optional<exact::Problem> refused = check(form, dropZero)) return std::move(*refused);
  }
  return form;
}

}  // namespace quotalis::answer
