#include "keypad_window.h"

#include "convert/conversion.h"
#include "words/words.h"

namespace quotalis::cli {

using words::N_;

std::optional<exact::Problem> WindowRefuses(const KeypadForm& form, bool dropZero) {
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
