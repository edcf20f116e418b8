#include "convert/conversion.h"

#include <cmath>

#include "convert/reading.h"

namespace quotalis {

namespace {

// Whether LeadingValue gives exactly the number the text writes, so that the
// normalisation, which goes through a double, keeps its value. A double keeps
// any 15 significant decimal digits through text and back, within its normal
// range. Keypad entries, of at most kEntryLongest characters, always pass.
bool ReadsExactly(std::string_view number) {
  std::size_t significant = 0;
  std::size_t zeros = 0;  // run of zeros since the last other digit
  bool started = false;
  for (const char c : number) {
    if (c == 'e' || c == 'E') break;
    if (!IsDigit(c)) continue;  // sign and point
    if (c == '0') {
      ++zeros;
    } else {
      significant += started ? zeros + 1 : 1;
      started = true;
      zeros = 0;
    }
  }
  if (!started) return true;  // zero, whatever the exponent
  return significant <= 15 && std::isnormal(LeadingValue(number));
}

}  // namespace

Conversion ConvertEntry(std::string_view entry, std::int32_t period) {
  Conversion c;
  c.normalised = std::string(entry);
  // IsNumber looks past blanks at either end, LeadingValue does not: " 5"
  // would pass the number test and then read as 0.
  const std::string_view number = TrimBlanks(entry);
  const EntryKind kind = ClassifyEntry(number.empty() ? entry : number);
  switch (kind) {
    case EntryKind::Empty: c.outcome = Outcome::Empty; return c;
    case EntryKind::NotANumber: c.outcome = Outcome::NotANumber; return c;
    case EntryKind::Zero:
    case EntryKind::Number: break;
  }
  c.outcome = Outcome::OutOfRange;
  if (!ReadsExactly(number)) return c;  // e.g. "1e999" read as infinity, "1e-400" as 0
  if (kind == EntryKind::Zero) {
    c.outcome = Outcome::Zero;
    return c;
  }
  c.normalised = NormaliseEntry(number);
  c.period = ClampPeriod(c.normalised, period);
  const std::optional<Expansion> expansion = Expand(c.normalised, c.period);
  if (!expansion) return c;
  c.expansion = *expansion;
  const std::optional<Reduction> reduction = Reduce(expansion->numerator, expansion->denominator);
  if (!reduction) return c;
  c.reduction = *reduction;
  c.outcome = Outcome::Converted;
  return c;
}

std::string_view Describe(Outcome outcome) {
  switch (outcome) {
    case Outcome::Converted: return "converted";
    case Outcome::Empty: return "the entry is empty";
    case Outcome::Zero: return "the entry is zero";
    case Outcome::NotANumber: return "the entry is not a number";
    case Outcome::OutOfRange: return "the entry is beyond what the program converts";
  }
  return "unknown outcome";
}

}  // namespace quotalis
