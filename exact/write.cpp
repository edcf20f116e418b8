#include <quotalis/exact/write.h>

#include <algorithm>
#include <cstddef>
#include <string_view>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/read.h>

#include "numbers.h"

namespace quotalis::exact {

namespace {

constexpr std::string_view kDotAbove = "\xCC\x87";  // U+0307
constexpr std::string_view kOverline = "\xCC\x85";  // U+0305

// The sign, the integer part and, when any digit follows it, the point with
// the non-recurring digits.
std::string Head(const Decimal& d, std::size_t room) {
  std::string out;
  out.reserve(1 + d.integer.size() + 1 + d.fixed.size() + room);
  if (d.negative) out += '-';
  out += d.integer;
  if (!d.fixed.empty() || !d.period.empty()) {
    out += '.';
    out += d.fixed;
  }
  return out;
}

void AppendExponent(std::string& out, const Decimal& d, bool latex) {
  if (d.exponent == 0) return;
  const std::string exponent = std::to_string(d.exponent);
  out += latex ? "\\times 10^{" + exponent + "}" : "e" + exponent;
}

std::string Enclosed(const Decimal& d, std::string_view open, std::string_view close) {
  std::string out = Head(d, d.period.size() + open.size() + close.size());
  if (!d.period.empty()) {
    out += open;
    out += d.period;
    out += close;
  }
  return out;
}

std::string Dots(const Decimal& d) {
  std::string out = Head(d, d.period.size() + 2 * kDotAbove.size());
  if (d.period.empty()) return out;
  out += d.period.front();
  if (d.period.size() > 1) {
    out += kDotAbove;
    out.append(d.period, 1, d.period.size() - 2);
    out += d.period.back();
  }
  out += kDotAbove;
  return out;
}

std::string Overline(const Decimal& d) {
  std::string out = Head(d, d.period.size() * (1 + kOverline.size()));
  for (const char digit : d.period) {
    out += digit;
    out += kOverline;
  }
  return out;
}

// Whether the reader, given `digits` after a point and then an ellipsis,
// finds a period of `k` digits at their end.
bool ReadsBack(std::string digits, std::size_t k) {
  digits.insert(0, "0.");
  digits += "...";
  const Result<Reading> read = Read(digits);
  const auto* reading = std::get_if<Reading>(&read);
  if (reading == nullptr) return false;
  const auto* d = std::get_if<Decimal>(&reading->value);
  return d != nullptr && d->period.size() == k;
}

// How many candidate endings the ellipsis writer tries before giving up.
constexpr std::size_t kEllipsisEndings = 64;

// `given` with its exponent applied, for the notations that cannot write one.
Result<Decimal> WithoutExponent(const Decimal& given) {
  if (given.exponent == 0) return given;
  return Canonical(given);
}

Result<std::string> Ellipsis(const Decimal& given) {
  // Nothing may follow an ellipsis, so the exponent is applied first.
  Result<Decimal> canonical = WithoutExponent(given);
  if (auto* problem = std::get_if<Problem>(&canonical)) return *problem;
  const Decimal& d = std::get<Decimal>(canonical);
  if (d.period.empty()) return Head(d, 0);
  const std::size_t k = d.period.size();
  if (k == 1) {
    // Three copies, unless with the digits before them they show a longer
    // block twice; four copies end with the digit shown four times, which
    // always reads as that digit.
    const std::string three(3, d.period[0]);
    const std::string copies = ReadsBack(d.fixed + three, 1) ? three : three + d.period;
    std::string out = Head(d, copies.size() + 3);
    out += copies;
    out += "...";
    return out;
  }
  // Twice, then as few of its first digits as make it the shortest block of
  // two or more digits at the end. A shorter block would lie within these
  // digits, so the digits before them do not matter.
  for (std::size_t extra = 0; extra < std::min(k, kEllipsisEndings); ++extra) {
    std::string copies = d.period + d.period;
    copies.append(d.period, 0, extra);
    if (!ReadsBack(copies, k)) continue;
    std::string out = Head(d, copies.size() + 3);
    out += copies;
    out += "...";
    return out;
  }
  if (k <= 20) {
    return MakeProblem(ProblemKind::Unwritable,
                       N_("no repetition of the period {1} reads back unambiguously after an "
                          "ellipsis: use parentheses"),
                       {d.period});
  }
  return MakeProblem(ProblemKind::Unwritable,
                     N_("no repetition of the {1}-digit period reads back unambiguously after "
                        "an ellipsis: use parentheses"),
                     {std::to_string(k)});
}

std::string Latex(const Decimal& d) {
  std::string out = Enclosed(d, "\\overline{", "}");
  AppendExponent(out, d, true);
  return out;
}

// The keypad notation: every digit plainly, a blank and the period's length.
// A period that ends in zero is started after its first nonzero digit, so
// that the entry does not end in the zeros the window drops: 0.(10) is typed
// 0.101 with two digits recurring. A canonical period is never all zeros.
Result<std::string> Keypad(const Decimal& given) {
  Result<Decimal> canonical = WithoutExponent(given);
  if (auto* problem = std::get_if<Problem>(&canonical)) return *problem;
  Decimal d = std::get<Decimal>(std::move(canonical));
  std::size_t shift = 0;
  if (!d.period.empty() && d.period.back() == '0') {
    while (shift < d.period.size() && d.period[shift] == '0') ++shift;
    shift = std::min(shift + 1, d.period.size());
  }
  std::string out = Head(d, shift + d.period.size() + 21);
  out.append(d.period, 0, shift);
  std::rotate(d.period.begin(), d.period.begin() + static_cast<std::ptrdiff_t>(shift),
              d.period.end());
  out += d.period;
  out += ' ';
  out += std::to_string(d.period.size());
  return out;
}

}  // namespace

Result<std::string> Write(const Decimal& canonical, Notation notation) {
  std::string out;
  switch (notation) {
    case Notation::Plain:
      if (!canonical.period.empty()) {
        return MakeProblem(ProblemKind::Unwritable,
                           N_("a recurring decimal cannot be written plainly: mark its period"),
                           {});
      }
      out = Head(canonical, 0);
      break;
    case Notation::Parentheses: out = Enclosed(canonical, "(", ")"); break;
    case Notation::Brackets: out = Enclosed(canonical, "[", "]"); break;
    case Notation::Quotes: out = Enclosed(canonical, "'", "'"); break;
    case Notation::Dots: out = Dots(canonical); break;
    case Notation::Overline: out = Overline(canonical); break;
    case Notation::R: out = Enclosed(canonical, "r", ""); break;
    case Notation::Ellipsis: return Ellipsis(canonical);
    case Notation::Latex: return Latex(canonical);
    case Notation::Keypad: return Keypad(canonical);
    case Notation::Fraction:
    case Notation::Mixed:
      return MakeProblem(ProblemKind::Argument,
                         N_("a decimal is written in a decimal notation, not as a fraction"), {});
  }
  AppendExponent(out, canonical, false);
  return out;
}

}  // namespace quotalis::exact
