#include "exact/write.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "convert/conversion.h"
#include "convert/entry.h"
#include "exact/canonical.h"
#include "exact/read.h"

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

// Whether the reader, given the period written out `times` times and then
// its first `extra` digits, finds that period and none shorter. Only the last
// 2k digits decide (a shorter block must show twice within them), so only
// they are read.
bool ReadsBack(const std::string& period, std::size_t times, std::size_t extra) {
  const std::size_t k = period.size();
  std::string tail = "0.";
  tail.reserve(2 + times * k + extra + 3);
  for (std::size_t t = 0; t < times; ++t) tail += period;
  tail.append(period, 0, extra);
  tail += "...";
  const Result<Reading> read = Read(tail);
  const auto* reading = std::get_if<Reading>(&read);
  if (reading == nullptr) return false;
  const auto* d = std::get_if<Decimal>(&reading->value);
  return d != nullptr && d->period.size() == k;
}

// How many candidate endings the ellipsis writer tries before giving up.
constexpr std::size_t kEllipsisEndings = 64;

Result<std::string> Ellipsis(const Decimal& given) {
  Decimal d = given;
  if (d.exponent != 0) {
    // Nothing may follow an ellipsis, so the exponent is applied first.
    Result<Decimal> canonical = Canonical(given);
    if (auto* problem = std::get_if<Problem>(&canonical)) return *problem;
    d = std::get<Decimal>(std::move(canonical));
  }
  if (d.period.empty()) return Head(d, 0);
  const std::size_t k = d.period.size();
  const std::size_t times = k == 1 ? 3 : 2;
  for (std::size_t extra = 0; extra < std::min(k, kEllipsisEndings); ++extra) {
    if (!ReadsBack(d.period, times, extra)) continue;
    std::string out = Head(d, times * k + extra + 3);
    for (std::size_t t = 0; t < times; ++t) out += d.period;
    out.append(d.period, 0, extra);
    out += "...";
    return out;
  }
  return Problem{"no repetition of the period " +
                     (k <= 20 ? d.period : std::to_string(k) + "-digit") +
                     " reads back unambiguously after an ellipsis: use parentheses",
                 0};
}

std::string Latex(const Decimal& d) {
  std::string out = Enclosed(d, "\\overline{", "}");
  AppendExponent(out, d, true);
  return out;
}

}  // namespace

Result<std::string> Write(const Decimal& canonical, Style style) {
  std::string out;
  switch (style) {
    case Style::Parentheses: out = Enclosed(canonical, "(", ")"); break;
    case Style::Brackets: out = Enclosed(canonical, "[", "]"); break;
    case Style::Quotes: out = Enclosed(canonical, "'", "'"); break;
    case Style::Dots: out = Dots(canonical); break;
    case Style::Overline: out = Overline(canonical); break;
    case Style::R: out = Enclosed(canonical, "r", ""); break;
    case Style::Ellipsis: return Ellipsis(canonical);
    case Style::Latex: return Latex(canonical);
  }
  AppendExponent(out, canonical, false);
  return out;
}

Result<KeypadForm> ToKeypad(const Decimal& given) {
  Result<Decimal> canonical = Canonical(given);
  if (auto* problem = std::get_if<Problem>(&canonical)) return *problem;
  Decimal d = std::get<Decimal>(std::move(canonical));
  if (d.negative) return Problem{"the keypad cannot type a negative value", 0};

  // The window drops zeros at the end of an entry, recurring or not, so a
  // period that ends in zero is started later: 0.(10) is typed 0.101 with
  // two digits recurring. A canonical period is never all zeros.
  std::size_t shift = 0;
  if (!d.period.empty() && d.period.back() == '0') {
    while (d.period[shift] == '0') ++shift;
    ++shift;
  }
  const bool has_point = !d.period.empty() || !d.fixed.empty();
  std::size_t length =
      d.integer.size() + (has_point ? 1 : 0) + d.fixed.size() + shift + d.period.size();
  const bool drop_zero = has_point && d.integer == "0" && length > kEntryLongest;
  if (drop_zero) --length;
  if (length > kEntryLongest) {
    return Problem{"the keypad entry would need " + std::to_string(length) +
                       " characters, but it holds at most " + std::to_string(kEntryLongest),
                   0};
  }

  KeypadForm form;
  form.entry = drop_zero ? std::string() : d.integer;
  if (has_point) form.entry += '.';
  form.entry += d.fixed;
  form.entry.append(d.period, 0, shift);
  std::rotate(d.period.begin(), d.period.begin() + static_cast<std::ptrdiff_t>(shift),
              d.period.end());
  form.entry += d.period;
  form.period = static_cast<std::int64_t>(d.period.size());

  const Conversion window = ConvertEntry(form.entry, static_cast<std::int32_t>(form.period));
  if (window.outcome == Outcome::Zero) return form;
  if (window.outcome != Outcome::Converted) {
    return Problem{
        "the window cannot convert " + form.entry + ": " + std::string(Describe(window.outcome)),
        0};
  }
  const std::string_view normalised = window.normalised;
  const bool same_entry = normalised == form.entry || (drop_zero && normalised == "0" + form.entry);
  if (!same_entry || window.period != form.period) {
    return Problem{"the window would read " + form.entry + " as " + window.normalised + " with " +
                       std::to_string(window.period) + " recurring digits",
                   0};
  }
  return form;
}

}  // namespace quotalis::exact
