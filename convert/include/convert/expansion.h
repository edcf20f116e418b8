// From a decimal entry to its unreduced fraction: the entry tests, the
// normalisation, the point scan and the period clamp, and the schoolbook
// expansion of a terminating or recurring decimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quotalis {

enum class EntryKind {
  Empty,       // the empty text
  Zero,        // a number whose value is 0 ("0", "0.", ".0", "000", "0.000")
  NotANumber,  // not the whole of a number (IsNumber is false), e.g. the lone point
  Number,      // any other number
};

// What an entry is, by three tests in this order: empty; a number (IsNumber)
// whose leading value (LeadingValue) is 0; not a number.
//   "" -> Empty   "0.000" -> Zero   "." -> NotANumber   "007" -> Number   "1.2.3" -> NotANumber
// A leading blank is not read as part of the value: " 5" -> Zero.
EntryKind ClassifyEntry(std::string_view entry);

// The entry's leading value written back in plain positional form, never in
// exponent form (PlainText of LeadingValue).
//   "007" -> "7"   ".5" -> "0.5"   "1." -> "1"   "1.50" -> "1.5"   "00.25" -> "0.25"
//   ".00001" -> "0.00001"   ".000012" -> "0.000012"   "9999999999" -> "9999999999"
// A keypad entry (IsKeypadEntry) keeps at most kEntryLongest - 1 digits after the point.
std::string NormaliseEntry(std::string_view entry);

// 1-based position of the point in `text`, 0 when there is none. The scan does
// not stop at a match: with several points the last one counts.
//   "12.34" -> 3   "." -> 1   "12" -> 0   "" -> 0
std::int32_t PointPosition(std::string_view text);

// Characters after the last point, 0 without a point: the longest recurring
// period `text` can have.   "3.14159" -> 5   "1." -> 0   "12" -> 0
std::int32_t DigitsAfterPoint(std::string_view text);

// k clamped into 0..DigitsAfterPoint(text).
//   ("12.34", 3) -> 2   ("12.34", -1) -> 0   ("0.5", 1) -> 1   ("1", 1) -> 0
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
// Nothing unless the text holds at most one point with at most 9 digits after
// it, and 0 <= k <= those digits (k = 0 without a point); every normalised
// keypad entry qualifies. A text without a point comes back whole over 1.
std::optional<Expansion> Expand(std::string_view normalised, std::int32_t k);

}  // namespace quotalis
