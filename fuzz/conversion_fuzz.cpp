// The whole conversion, against the exact value of the entry's text, std::gcd,
// cross-multiplication and the long division back to the entry for any text;
// for keypad entries also against the exact library, in every field.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>

#include <quotalis/exact/keypad.h>

#include "check.h"
#include "convert/conversion.h"
#include "convert/entry.h"
#include "convert/reading.h"
#include "reference/integers.h"
#include "reference/keypad.h"
#include "reference/long_division.h"
#include "reference/number_text.h"

namespace {

using namespace quotalis;
using fuzz::Require;

void CheckConversion(std::string_view text, std::int32_t k) {
  const Conversion c = ConvertEntry(text, k);
  if (IsKeypadEntry(text)) {
    const std::string what = testing::KeypadDisagreement(text, k, c);
    Require(what.empty(), what, text);
  } else {
    const exact::Result<exact::Decimal> read = exact::FromKeypad(text, k);
    const auto* problem = std::get_if<exact::Problem>(&read);
    Require(problem == nullptr || (problem->position >= 0 &&
                                   static_cast<std::size_t>(problem->position) <= text.size()),
            "the exact library's keypad form refuses at a character of the text", text);
  }
  const std::optional<std::string> exact = testing::ExactValue(TrimBlanks(text));
  switch (c.outcome) {
    case Outcome::Empty: Require(text.empty(), "Empty only for the empty entry", text); return;
    case Outcome::NotANumber:
      Require(!IsNumber(text), "NotANumber only for no number", text);
      return;
    case Outcome::Zero: Require(exact == "0", "Zero only for the value 0", text); return;
    case Outcome::OutOfRange:
      Require(!IsKeypadEntry(text), "every keypad entry converts", text);
      return;
    case Outcome::Converted: break;
  }
  Require(exact == c.normalised, "the normalised entry is exactly the value entered", text);
  const std::size_t point = c.normalised.find('.');
  const std::size_t d = point == std::string::npos ? 0 : c.normalised.size() - point - 1;
  Require(static_cast<std::size_t>(c.period) ==
              std::clamp<std::size_t>(static_cast<std::size_t>(std::max(k, 0)), 0, d),
          "the period clamped into the digits after the point", text);
  Require(
      testing::AllDigits(c.expansion.numerator) && testing::AllDigits(c.expansion.denominator) &&
          testing::AllDigits(c.reduction.numerator) && testing::AllDigits(c.reduction.denominator),
      "all four terms are digits", text);
  const auto un = testing::DigitsValue(c.expansion.numerator);
  const auto ud = testing::DigitsValue(c.expansion.denominator);
  const auto rn = testing::DigitsValue(c.reduction.numerator);
  const auto rd = testing::DigitsValue(c.reduction.denominator);
  if (un && ud && rn && rd) {
    Require(*rd > 0 && std::gcd(*rn, *rd) == 1, "lowest terms", text);
    Require(static_cast<__int128>(*rn) * *ud == static_cast<__int128>(*un) * *rd,
            "the reduced fraction equals the unreduced one", text);
    const std::string fault = testing::RoundTripFault(c.normalised, c.period, c.reduction.numerator,
                                                      c.reduction.denominator);
    Require(fault.empty(), "the reduced fraction divides back to the entry: " + fault, text);
  } else {
    Require(point == std::string::npos && c.reduction.numerator == c.normalised &&
                c.reduction.denominator == "1",
            "a wide integer stands over 1", text);
  }
  const Conversion again = ConvertEntry(c.normalised, c.period);
  Require(again.normalised == c.normalised && again.period == c.period &&
              again.reduction.numerator == c.reduction.numerator &&
              again.reduction.denominator == c.reduction.denominator,
          "converting the normalised entry again changes nothing", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in;
  if (!fuzz::Split(data, size, in)) return 0;
  CheckConversion(in.text, in.k);
  return 0;
}
