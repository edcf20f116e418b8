// From the entry as the keypad builds it to the unreduced fraction:
// the entry tests, the normalisation that Convert writes back, and the
// schoolbook expansion of a terminating or recurring decimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quotalis {

enum class EntryKind {
  Empty,       // nothing entered: Convert does nothing
  Zero,        // a number equal to 0 ("0", "0.", ".0", "000", "0.000"): Convert does nothing
  NotANumber,  // e.g. the lone point: Convert warns
  Number,      // goes on to the normalisation
};

// The tests Convert makes before it touches the entry, in their order.
//   "" -> Empty   "0.000" -> Zero   "." -> NotANumber   "007" -> Number
EntryKind ClassifyEntry(std::string_view entry);

// The entry as Convert writes it back: its value, always in plain positional
// form, never in exponent form.
//   "007" -> "7"   ".5" -> "0.5"   "1." -> "1"   "1.50" -> "1.5"   "00.25" -> "0.25"
//   ".00001" -> "0.00001"   ".000012" -> "0.000012"   "9999999999" -> "9999999999"
// A keypad entry of at most 10 characters keeps at most 9 digits after the point.
std::string NormaliseEntry(std::string_view entry);

// 1-based position of the point in `text`, 0 when there is none. The scan does
// not stop at a match: with several points the last one counts.
//   "12.34" -> 3   "." -> 1   "12" -> 0   "" -> 0
std::int32_t PointPosition(std::string_view text);

// Characters after the point, 0 without a point: the largest recurring period
// the selector allows for `text`.   "3.14159" -> 5   "1." -> 0   "12" -> 0
std::int32_t DigitsAfterPoint(std::string_view text);

// The recurring period the selector would hold for `text` after asking for k:
// k clamped into 0..DigitsAfterPoint(text).
std::int32_t ClampPeriod(std::string_view text, std::int32_t k);

struct Expansion {
  std::optional<std::string> decimal;  // the digits without the point; none when there is no point
  std::string numerator;               // unreduced numerator, decimal digits
  std::string denominator;             // unreduced denominator, decimal digits
};

// The unreduced fraction of a normalised entry whose last k digits recur:
//   ("0.5", 0)      -> {"05", "5", "10"}
//   ("12.34", 2)    -> {"1234", "1222", "99"}
//   ("0.1666", 1)   -> {"01666", "1500", "9000"}
//   ("0.000012", 2) -> {"0000012", "12", "990000"}
//   ("7", 0)        -> {none, "7", "1"}
// Precondition for a result: at most one point, at most 9 digits after it
// (as every normalised keypad entry has) and 0 <= k <= those digits.
// Nothing otherwise.
std::optional<Expansion> Expand(std::string_view normalised, std::int32_t k);

}  // namespace quotalis
