#include "cli/answer.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "cli/quote.h"
#include "convert/conversion.h"
#include "convert/entry.h"
#include "convert/text.h"

namespace quotalis::cli {

namespace {

// Why `entry` is not one the keypad could build; nothing when it is.
std::optional<std::string> EntryProblem(std::string_view entry) {
  if (entry.empty()) return "the entry is empty";
  const std::string notANumber = "the entry " + Quote(entry) + " is not a number: ";
  std::size_t points = 0;
  bool anyDigit = false;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const std::string_view c = entry.substr(i, 1);
    if (IsDigits(c)) {
      anyDigit = true;
    } else if (c[0] == kEntryPoint) {
      ++points;
    } else if (i == 0 && (c[0] == '-' || c[0] == '+')) {
      return notANumber + "it has a sign; give digits and at most one point";
    } else {
      return notANumber + "it holds " + Quote(c) + "; give digits and at most one point";
    }
  }
  if (points > 1) return notANumber + "it holds more than one point";
  if (!anyDigit) return notANumber + "it holds no digit";
  if (IsKeypadEntry(entry)) return std::nullopt;
  return "the entry " + Quote(entry) + " has " + std::to_string(entry.size()) +
         " characters; at most " + std::to_string(kEntryLongest) + " are allowed";
}

std::vector<std::string_view> Fields(std::string_view line) {
  constexpr std::string_view kBlanks = " \t\r\v\f";
  std::vector<std::string_view> fields;
  std::size_t start = line.find_first_not_of(kBlanks);
  while (start != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    fields.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return fields;
}

}  // namespace

Answer AnswerEntry(std::string_view entry, std::int32_t period, const Options& options) {
  if (auto problem = EntryProblem(entry)) return {Verdict::BadInput, *problem};
  const Conversion c = ConvertEntry(entry, period);
  switch (c.outcome) {
    case Outcome::Converted: {
      std::string reduced = c.reduction.numerator + "/" + c.reduction.denominator;
      if (!options.detail) return {Verdict::Converted, std::move(reduced)};
      return {Verdict::Converted, c.normalised + "\t" + c.expansion.numerator + "/" +
                                      c.expansion.denominator + "\t" + reduced};
    }
    case Outcome::Zero:
      // The window leaves a zero entry as typed and converts nothing; on the
      // command line every zero reads as 0, which is 0/1 before and after.
      return {Verdict::Converted, options.detail ? "0\t0/1\t0/1" : "0/1"};
    case Outcome::Empty:
    case Outcome::NotANumber:  // EntryProblem refuses these first
      return {Verdict::BadInput, std::string(Describe(c.outcome))};
    case Outcome::OutOfRange: break;
  }
  return {Verdict::Failed,
          "cannot convert " + Quote(entry) + ": " + std::string(Describe(c.outcome))};
}

Answer AnswerLine(std::string_view line, const Options& options) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) return {Verdict::BadInput, "the line is empty; give ENTRY [K]"};
  if (fields.size() > 2) return {Verdict::BadInput, "too many fields; give ENTRY [K]"};
  std::int32_t period = options.period;
  if (fields.size() == 2) {
    if (auto problem = ParsePeriod(fields[1], period)) return {Verdict::BadInput, *problem};
  }
  return AnswerEntry(fields[0], period, options);
}

}  // namespace quotalis::cli
