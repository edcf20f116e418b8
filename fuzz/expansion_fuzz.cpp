// From the entry to the unreduced fraction: the entry tests and the
// normalisation on keypad entries against the exact value of their text, the
// point scan and the period clamp, and the expansion against digit strings
// and integer arithmetic.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "check.h"
#include "convert/entry.h"
#include "convert/expansion.h"
#include "reference/integers.h"
#include "reference/number_text.h"

namespace {

using namespace quotalis;
using fuzz::Require;

void CheckEntry(std::string_view text, std::int32_t k) {
  const std::size_t last = text.rfind('.');
  const std::int32_t after =
      last == std::string_view::npos ? 0 : static_cast<std::int32_t>(text.size() - last - 1);
  Require(PointPosition(text) ==
              (last == std::string_view::npos ? 0 : static_cast<std::int32_t>(last + 1)),
          "PointPosition is the last point, 1-based", text);
  Require(DigitsAfterPoint(text) == after, "DigitsAfterPoint counts past the last point", text);
  Require(ClampPeriod(text, k) == std::clamp(k, 0, after), "ClampPeriod into 0..after", text);

  const EntryKind kind = ClassifyEntry(text);
  Require((kind == EntryKind::Empty) == text.empty(), "Empty exactly for the empty entry", text);
  if (text.size() <= 256) {
    Require(
        (kind == EntryKind::NotANumber) == (!text.empty() && !testing::MatchesNumberGrammar(text)),
        "NotANumber exactly for a text that is no number", text);
  }
  if (!IsKeypadEntry(text)) return;
  const bool anyDigit = text.find_first_of("0123456789") != std::string_view::npos;
  const bool zero = anyDigit && text.find_first_of("123456789") == std::string_view::npos;
  Require(kind == (!anyDigit ? EntryKind::NotANumber
                   : zero    ? EntryKind::Zero
                             : EntryKind::Number),
          "a keypad entry is a number unless it is the point alone, zero unless a digit is not",
          text);
  if (kind == EntryKind::Number) {
    Require(NormaliseEntry(text) == testing::ExactValue(text),
            "a keypad entry normalises to its exact value", text);
  }
}

void CheckExpansion(std::string_view text, std::int32_t k) {
  const std::optional<Expansion> e = Expand(text, k);
  const auto points = std::count(text.begin(), text.end(), '.');
  const std::size_t point = text.find('.');
  if (points == 0) {
    Require(e.has_value() == (k == 0), "Expand without a point takes only k = 0", text);
    if (e)
      Require(!e->decimal && e->numerator == text && e->denominator == "1", "integer over 1", text);
    return;
  }
  const std::size_t d = text.size() - point - 1;
  const bool fits = points == 1 && d <= 9 && k >= 0 && static_cast<std::size_t>(k) <= d;
  Require(e.has_value() == fits, "Expand refuses exactly outside its precondition", text);
  if (!e) return;
  const std::string digits =
      std::string(text.substr(0, point)) + std::string(text.substr(point + 1));
  Require(e->decimal == digits, "decimal is the text without its point", text);
  const auto kk = static_cast<std::size_t>(k);
  const std::string denominator =
      k == 0 ? "1" + std::string(d, '0') : std::string(kk, '9') + std::string(d - kk, '0');
  Require(e->denominator == denominator, "nines then zeros, or a power of ten", text);
  if (const auto all = testing::DigitsValue(digits); all && digits.size() <= 15) {
    const std::uint64_t fixed =
        k == 0 ? 0
               : testing::DigitsValue(std::string_view(digits).substr(0, digits.size() - kk))
                     .value_or(0);
    Require(e->numerator == std::to_string(*all - fixed),
            "digits minus the digits that do not recur", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in;
  if (!fuzz::Split(data, size, in)) return 0;
  CheckEntry(in.text, in.k);
  CheckExpansion(in.text, in.k);
  return 0;
}
