#include "mathml_writer.h"

#include <algorithm>
#include <cstddef>

#include "render_common.h"

namespace quotalis::explain {

namespace {

// Digits perhaps after "-": "-5" as a minus sign and 5.
std::string SignedNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') {
    return Element("mrow", Mo("-") + Mn(text.substr(1)));
  }
  return Mn(text);
}

// Digits with a line over them, and one with a dot over it. The dot is a
// full stop: the dot accent U+02D9 comes with its font's whole height in
// WebKit, which sets it a line above the digit, while a full stop's box is
// its ink in every engine, so that it sits on the digit alike.
std::string Overlined(std::string_view digits) {
  return Element("mover", Mn(digits) + Element("mo", "\u2015", "stretchy=\"true\""),
                 "accent=\"true\"");
}
std::string Dotted(std::string_view digit) {
  return Element("mover", Mn(digit) + Mo("."), "accent=\"true\"");
}

}  // namespace

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Element(std::string_view name, std::string_view content, std::string_view attributes) {
  std::string out = "<" + std::string(name);
  if (!attributes.empty()) out += " " + std::string(attributes);
  return out + ">" + std::string(content) + "</" + std::string(name) + ">";
}

std::string Mn(std::string_view digits) { return Element("mn", Escaped(digits)); }

std::string Mo(std::string_view symbol) {
  return Element("mo", symbol == "-" ? std::string("\u2212") : Escaped(symbol));
}

std::string Mtext(std::string_view text) {
  std::string out;
  std::size_t start = 0, end = text.size();
  while (start < end && text[start] == ' ') ++start;
  while (end > start && text[end - 1] == ' ') --end;
  const std::string nbsp = "\u00A0";
  for (std::size_t i = 0; i < start; ++i) out += nbsp;
  out += Escaped(text.substr(start, end - start));
  for (std::size_t i = end; i < text.size(); ++i) out += nbsp;
  return Element("mtext", out);
}

std::string Mathml::Write(const Formula& f) const {
  std::string out;
  for (const Math& m : f) out += Piece(m);
  return Element("mrow", out);
}

std::optional<DecimalParts> Mathml::Parts(const Formula& f) const {
  if (f.size() != 1) return std::nullopt;
  if (f[0].hidden > 0 || f[0].leftOut.Any()) return std::nullopt;
  if (f[0].kind == Math::Kind::Number) {
    const std::string& t = f[0].text;
    const bool minus = !t.empty() && t.front() == '-';
    return DecimalParts{minus ? Mo("-") : "", minus ? t.substr(1) : t, "", ""};
  }
  if (f[0].kind == Math::Kind::Decimal) return DecimalOf(f[0]);
  return std::nullopt;
}

// A decimal piece's parts: its period written out and an ellipsis, or marked.
DecimalParts Mathml::DecimalOf(const Math& m) const {
  if (m.writtenOut == 0) return Decimal(m.decimal);
  const std::string text = WrittenOut(m.decimal, m.writtenOut);
  const bool minus = text.front() == '-';
  const std::size_t point = text.find('.');
  return DecimalParts{minus ? Mo("-") : "", text.substr(minus ? 1 : 0, point - (minus ? 1 : 0)),
                      text.substr(point), Mo("\u2026")};
}

std::string Mathml::PeriodDigit(char digit, bool first, bool last) const {
  const std::string d(1, digit);
  if (mark_ == PeriodMark::Overline) return Overlined(d);
  if (!first && !last) return Mn(d);
  return Dotted(d);
}

bool Mathml::Textual() const {
  if (notation_ == exact::Notation::Parentheses) return parenthesesWritten_;
  return notation_ != exact::Notation::Dots && notation_ != exact::Notation::Overline;
}

// The period's digits marked: a dot over the first and the last, or a line over all.
std::string Mathml::Period(std::string_view p) const {
  if (p.empty()) return {};
  if (mark_ == PeriodMark::Overline) return Overlined(p);
  if (p.size() == 1) return Dotted(p);
  std::string out = Dotted(p.substr(0, 1));
  if (p.size() > 2) out += Mn(p.substr(1, p.size() - 2));
  return out + Dotted(p.substr(p.size() - 1));
}

DecimalParts Mathml::Decimal(const exact::Decimal& d) const {
  DecimalParts parts;
  if (Textual()) {
    std::string s = Written(d, notation_);
    if (!s.empty() && s.front() == '-') {
      parts.sign = Mo("-");
      s.erase(0, 1);
    }
    const std::size_t point = std::min(s.find('.'), s.size());
    parts.integer = s.substr(0, point);
    parts.point = s.substr(point);
    return parts;
  }
  if (d.negative) parts.sign = Mo("-");
  parts.integer = d.integer.empty() ? "0" : d.integer;
  if (!d.fixed.empty() || !d.period.empty()) parts.point = "." + d.fixed;
  parts.marks = Period(d.period);
  if (d.exponent != 0) {
    parts.marks += Mo("×") + Element("msup", Mn("10") + SignedNumber(std::to_string(d.exponent)));
  }
  return parts;
}

std::string Mathml::Piece(const Math& m) const {
  std::string out;
  switch (m.kind) {
    case Math::Kind::Number:
      out = SignedNumber(m.text);
      if (m.hidden > 0) out += Omitted(m.hidden) + Mn(m.tail);
      break;
    case Math::Kind::Variable: out = Element("mi", Escaped(m.text)); break;
    case Math::Kind::Decimal:
      out = Element("mrow",
                    m.leftOut.Any() ? LongDecimal(m.decimal, m.leftOut) : DecimalOf(m).Whole());
      break;
    case Math::Kind::Operator: out = Mo(m.text); break;
    case Math::Kind::Negative: out = Mo("-"); break;
    case Math::Kind::Fraction:
      out =
          (m.negative ? Mo("-") : "") + Element("mfrac", Write(m.numerator) + Write(m.denominator));
      break;
    case Math::Kind::Power: out = Element("msup", Mn(m.text) + SignedNumber(m.exponent)); break;
    case Math::Kind::Open: out = Mo("("); break;
    case Math::Kind::Close: out = Mo(")"); break;
    case Math::Kind::Indexed:
      out = Element("msub", Element("mi", Escaped(m.text)) + Mn(m.index));
      break;
  }
  if (!m.common.empty()) {
    const std::string copies = m.kind == Math::Kind::Power ? m.exponent : "1";
    const char* name = m.common == copies ? "quotalis-cancel" : "quotalis-common";
    out = Element("mrow", out, "class=\"" + std::string(name) + "\"");
  }
  return out;
}

// The words on the digits a long number leaves out.
std::string Mathml::Omitted(std::int64_t hidden) const {
  return Mtext(LeftOutWords(words_, hidden));
}

// A decimal whose parts stand by their ends, written with parentheses, the
// words on the digits left out after the first digits of each part.
std::string Mathml::LongDecimal(const exact::Decimal& d, const LeftOut& out) const {
  std::string result;
  for (const Run& run : RunsOf(Written(d, exact::Notation::Parentheses), d, out)) {
    if (!run.text.empty()) result += Mn(run.text);
    if (run.hidden > 0) result += Omitted(run.hidden);
  }
  return result;
}

}  // namespace quotalis::explain
