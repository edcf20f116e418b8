#include "cli/keypad_window.h"

#include <string>
#include <vector>

#include "convert/conversion.h"
#include "convert/entry.h"
#include "words/words.h"

namespace quotalis::cli {

namespace {

using words::N_;

static_assert(answer::kKeypadLongest == static_cast<std::size_t>(kEntryLongest),
              "the answer library's keypad holds what the window's entry holds");

exact::Problem Unwritable(std::string_view format, std::vector<std::string> args) {
  return exact::MakeProblem(exact::ProblemKind::Unwritable, format, std::move(args));
}

}  // namespace

std::optional<exact::Problem> WindowRefuses(const answer::KeypadForm& form, bool dropZero) {
  const Conversion window = ConvertEntry(form.entry, static_cast<std::int32_t>(form.period));
  if (window.outcome == Outcome::Zero) return std::nullopt;
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
  return std::nullopt;
}

}  // namespace quotalis::cli
