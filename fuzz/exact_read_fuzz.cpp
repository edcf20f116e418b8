// libFuzzer target for the exact library's notations. Any bytes go to Read:
// it must never crash or hang, and a refusal must name a place inside the
// text with a message free of raw control characters. A text that reads as a
// decimal goes on to the canonical form, which must be stable, and then to
// every writer, whose output must read back to the same canonical value; the
// keypad notation's entry, typed with its count of recurring digits, must
// stand for it too. Where the word-sized fast path (exact/word.h) answers,
// Read must read a decimal, and ToFraction must reduce it to the same terms.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/keypad.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/word.h>
#include <quotalis/exact/write.h>

namespace {

using quotalis::exact::Canonical;
using quotalis::exact::Decimal;
using quotalis::exact::Notation;
using quotalis::exact::Problem;
using quotalis::exact::Read;
using quotalis::exact::Reading;
using quotalis::exact::Result;

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
  constexpr Notation kReadable[] = {Notation::Parentheses, Notation::Brackets, Notation::Quotes,
                                    Notation::Dots,        Notation::Overline, Notation::R,
                                    Notation::Ellipsis};
  for (const Notation notation : kReadable) {
    const Result<std::string> text = quotalis::exact::Write(c, notation);
    if (notation == Notation::Ellipsis && std::holds_alternative<Problem>(text)) continue;
    Require(std::holds_alternative<std::string>(text));
    Require(ReadBack(std::get<std::string>(text)) == c);
  }
  Require(std::holds_alternative<std::string>(quotalis::exact::Write(c, Notation::Latex)));

  // "[-]entry K": the entry as the keypad types it, then how many of its last
  // digits recur.
  const Result<std::string> keypad = quotalis::exact::Write(c, Notation::Keypad);
  Require(std::holds_alternative<std::string>(keypad));
  const std::string& typed = std::get<std::string>(keypad);
  const std::size_t blank = typed.rfind(' ');
  Require(blank != std::string::npos);
  std::int64_t k = -1;
  const auto [end, error] =
      std::from_chars(typed.data() + blank + 1, typed.data() + typed.size(), k);
  Require(error == std::errc() && end == typed.data() + typed.size() && k >= 0);
  const bool negative = typed.starts_with('-');
  const std::string_view entry(typed.data() + (negative ? 1 : 0), blank - (negative ? 1 : 0));
  const Result<Decimal> back = quotalis::exact::FromKeypad(entry, k);
  Require(std::holds_alternative<Decimal>(back));
  Decimal value = std::get<Decimal>(back);
  value.negative = negative;
  Require(Canonical(value) == Result<Decimal>(c));
}

// The fast path's answer, if any, against Read and ToFraction's in big numbers.
void CheckWordPath(std::string_view text, const Result<Reading>& read) {
  const std::optional<quotalis::exact::DecimalDigits> small = quotalis::exact::ReadSmall(text);
  if (!small) return;
  const std::optional<quotalis::exact::WordFraction> fast = quotalis::exact::ToWordFraction(*small);
  if (!fast) return;
  Require(std::holds_alternative<Reading>(read));
  const auto* d = std::get_if<Decimal>(&std::get<Reading>(read).value);
  Require(d != nullptr);
  const auto made = quotalis::exact::ToFraction(*d);
  Require(std::holds_alternative<quotalis::exact::Schoolbook>(made));
  const quotalis::exact::Rational& r = std::get<quotalis::exact::Schoolbook>(made).reduced;
  char out[quotalis::exact::kWordFractionChars];
  const std::string written(out, quotalis::exact::WriteWordFraction(*fast, false, out));
  Require(written == r.numerator.get_str() + "/" + r.denominator.get_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Result<Reading> read = Read(text);
  CheckWordPath(text, read);
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
