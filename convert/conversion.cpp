#include "conversion.h"

namespace quotalis {

Conversion ConvertEntry(std::string_view entry, std::int32_t period) {
  Conversion c;
  c.normalised = std::string(entry);
  switch (ClassifyEntry(entry)) {
    case EntryKind::Empty: c.outcome = Outcome::Empty; return c;
    case EntryKind::Zero: c.outcome = Outcome::Zero; return c;
    case EntryKind::NotANumber: c.outcome = Outcome::NotANumber; return c;
    case EntryKind::Number: break;
  }
  c.normalised = NormaliseEntry(entry);
  c.period = ClampPeriod(c.normalised, period);
  c.outcome = Outcome::OutOfRange;
  const std::optional<Expansion> expansion = Expand(c.normalised, c.period);
  if (!expansion) return c;
  c.expansion = *expansion;
  const std::optional<Reduction> reduction =
      Reduce(expansion->numerator, expansion->denominator);
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
    case Outcome::NotANumber: return "the entry is not a number: it holds no digit";
    case Outcome::OutOfRange: return "the entry is beyond what the program converts";
  }
  return "unknown outcome";
}

}  // namespace quotalis
