#include "cli/reading.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "cli/quote.h"
#include "cli/utf8.h"
#include "convert/entry.h"
#include "convert/reading.h"
#include "exact/keypad.h"
#include "exact/read.h"

namespace quotalis::cli {

namespace {

Refusal NotANumber(std::string_view text, const std::string& why, std::int64_t position = 0) {
  return {"the entry " + Quote(text) + " is not a number: " + why, position};
}

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == kEntryPoint; }

// The checks for an entry the keypad could have built, digits and points only.
std::optional<Refusal> KeypadProblem(std::string_view text) {
  const std::size_t second = text.find(kEntryPoint, text.find(kEntryPoint) + 1);
  if (second != std::string_view::npos) {
    return NotANumber(
        text, "it holds more than one point, the second at character " + std::to_string(second + 1),
        static_cast<std::int64_t>(second + 1));
  }
  if (std::none_of(text.begin(), text.end(), IsDigit)) return NotANumber(text, "it holds no digit");
  return std::nullopt;
}

// An ASCII character that no notation uses, with its place: the reader would
// refuse it too, but here the message names the character itself.
std::optional<Refusal> StrayCharacter(std::string_view text) {
  constexpr std::string_view kUsed = "+-.eErR()[]'/ \t\r\n";
  std::size_t at = 1;
  for (std::string_view rest = text; !rest.empty(); ++at) {
    const std::optional<CodePoint> c = FirstCodePoint(rest);
    const std::size_t length = c ? c->length : 1;
    const char first = rest[0];
    if (length == 1 && static_cast<unsigned char>(first) < 0x80 && !IsDigit(first) &&
        kUsed.find(first) == std::string_view::npos) {
      return NotANumber(
          text, "it holds " + Quote(rest.substr(0, 1)) + " at character " + std::to_string(at),
          static_cast<std::int64_t>(at));
    }
    rest.remove_prefix(length);
  }
  return std::nullopt;
}

bool AnyNonZero(const exact::Decimal& d) {
  const auto nonZero = [](const std::string& s) {
    return s.find_first_not_of('0') != std::string::npos;
  };
  return nonZero(d.integer) || nonZero(d.fixed) || nonZero(d.period);
}

std::variant<Entry, Refusal> FromKeypadText(std::string_view text, std::string_view digits,
                                            bool negative, std::int32_t period) {
  exact::Result<exact::Decimal> d = exact::FromKeypad(digits, period);
  if (auto* problem = std::get_if<exact::Problem>(&d)) return ProblemWith(text, *problem);
  Entry entry;
  entry.decimal = std::get<exact::Decimal>(std::move(d));
  entry.decimal.negative = negative && AnyNonZero(entry.decimal);
  entry.plain = true;
  entry.notation = "plain";
  return entry;
}

}  // namespace

Refusal ProblemWith(std::string_view text, const exact::Problem& problem) {
  return {Quote(text) + ": " + problem.message, problem.position};
}

std::string PlainText(const exact::Decimal& d) {
  std::string text = d.negative ? "-" : "";
  text += d.integer.empty() ? "0" : d.integer;
  if (!d.fixed.empty() || !d.period.empty()) text += "." + d.fixed + d.period;
  return text;
}

std::variant<Entry, Refusal> ReadEntry(std::string_view text, std::int32_t period) {
  if (text.empty()) return Refusal{"the entry is empty"};
  // Digits and points alone are a keypad entry, unless an ellipsis ends them.
  if (std::all_of(text.begin(), text.end(), IsDigitOrPoint) && !text.ends_with("...")) {
    if (auto problem = KeypadProblem(text)) return *problem;
    return FromKeypadText(text, text, false, period);
  }
  if (auto problem = StrayCharacter(text)) return *problem;
  exact::Result<exact::Reading> read = exact::Read(text);
  if (auto* problem = std::get_if<exact::Problem>(&read)) return ProblemWith(text, *problem);
  const auto& reading = std::get<exact::Reading>(read);
  Entry entry;
  entry.notation = exact::NotationName(reading.notation);
  if (const auto* d = std::get_if<exact::Decimal>(&reading.value)) {
    if (reading.notation == exact::Notation::Plain && d->exponent == 0) {
      const std::string digits = d->integer + "." + d->fixed;
      return FromKeypadText(text, digits, d->negative, period);
    }
    if (period > 0) {
      return Refusal{"K is for a plain decimal; " + Quote(text) +
                     (reading.notation == exact::Notation::Plain
                          ? " has an exponent"
                          : " marks its recurring digits itself")};
    }
    entry.decimal = *d;
    return entry;
  }
  if (period > 0) return Refusal{"K is for a plain decimal, not for the fraction " + Quote(text)};
  exact::Result<exact::Rational> r = exact::FromText(std::get<exact::FractionText>(reading.value));
  if (auto* problem = std::get_if<exact::Problem>(&r)) return ProblemWith(text, *problem);
  entry.kind = Entry::Kind::Fraction;
  entry.fraction = std::get<exact::Rational>(std::move(r));
  return entry;
}

}  // namespace quotalis::cli
