// libFuzzer target for the exact library's notations. Any bytes go to Read:
// it must never crash or hang, and a refusal must name a place inside the
// text with a message free of raw control characters. A text that reads as a
// decimal goes on to the canonical form, which must be stable, and then to
// every writer, whose output must read back to the same canonical value; the
// keypad answer, typed with its recurring digits, must stand for it too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/write.h>

namespace {

using quotalis::exact::Canonical;
using quotalis::exact::Decimal;
using quotalis::exact::KeypadForm;
using quotalis::exact::Problem;
using quotalis::exact::Read;
using quotalis::exact::Reading;
using quotalis::exact::Result;
using quotalis::exact::Style;

// Round trips through the writers cost a few passes over the digits; past
// this many the fuzzer would spend its time copying.
constexpr std::size_t kRoundTripDigits = 100'000;

void Require(bool condition) {
  if (!condition) std::abort();
}

Decimal ReadBack(const std::string& text) {
  const Result<Reading> read = Read(text);
  Require(std::holds_alternative<Reading>(read));
  const auto* d = std::get_if<Decimal>(&std::get<Reading>(read).value);
  Require(d != nullptr);
  const Result<Decimal> c = Canonical(*d);
  Require(std::holds_alternative<Decimal>(c));
  return std::get<Decimal>(c);
}

void CheckWriters(const Decimal& c) {
  constexpr Style kReadable[] = {Style::Parentheses, Style::Brackets, Style::Quotes,  Style::Dots,
                                 Style::Overline,    Style::R,        Style::Ellipsis};
  for (const Style style : kReadable) {
    const Result<std::string> text = quotalis::exact::Write(c, style);
    if (style == Style::Ellipsis && std::holds_alternative<Problem>(text)) continue;
    Require(std::holds_alternative<std::string>(text));
    Require(ReadBack(std::get<std::string>(text)) == c);
  }
  Require(std::holds_alternative<std::string>(quotalis::exact::Write(c, Style::Latex)));

  const Result<KeypadForm> keypad = quotalis::exact::ToKeypad(c);
  if (const auto* form = std::get_if<KeypadForm>(&keypad)) {
    Require(form->entry.size() <= 10);
    const std::size_t point = form->entry.find('.');
    Decimal typed{false, form->entry.substr(0, point), "", "", 0};
    const auto k = static_cast<std::size_t>(form->period);
    if (point != std::string::npos) {
      const std::string after = form->entry.substr(point + 1);
      Require(k <= after.size());
      typed.fixed = after.substr(0, after.size() - k);
      typed.period = after.substr(after.size() - k);
    } else {
      Require(k == 0);
    }
    const Result<Decimal> back = Canonical(typed);
    Require(std::holds_alternative<Decimal>(back) && std::get<Decimal>(back) == c);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Result<Reading> read = Read(text);
  if (const auto* problem = std::get_if<Problem>(&read)) {
    Require(problem->position >= 0 && static_cast<std::size_t>(problem->position) <= size);
    for (const char ch : problem->message) {
      const auto byte = static_cast<unsigned char>(ch);
      Require(byte >= 0x20 && byte != 0x7F);
    }
    return 0;
  }
  const auto* d = std::get_if<Decimal>(&std::get<Reading>(read).value);
  if (d == nullptr) return 0;
  const Result<Decimal> c = Canonical(*d);
  if (!std::holds_alternative<Decimal>(c)) return 0;
  const Decimal& canonical = std::get<Decimal>(c);
  Require(Canonical(canonical) == c);
  const std::size_t digits =
      canonical.integer.size() + canonical.fixed.size() + canonical.period.size();
  if (digits <= kRoundTripDigits) CheckWriters(canonical);
  return 0;
}
