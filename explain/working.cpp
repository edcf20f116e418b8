#include "explain/working.h"

#include "explain/render.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

#include <quotalis/exact/utf8.h>
#include <quotalis/exact/write.h>

namespace quotalis::explain {

using words::N_;
using words::Say;
using words::Words;

namespace {

// The columns a text takes on a terminal: combining marks none, the wide
// characters of East Asian scripts (kana, kanji, full-width forms) two.
std::size_t Width(std::string_view text) {
  std::size_t width = 0;
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    if (!c) {
      ++width;
      text.remove_prefix(1);
      continue;
    }
    const char32_t u = c->value;
    if (u >= 0x300 && u <= 0x36F) {
      // combining: nothing
    } else if ((u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
               (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
               (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
               (u >= 0xFFE0 && u <= 0xFFE6) || u >= 0x20000) {
      width += 2;
    } else {
      ++width;
    }
    text.remove_prefix(c->length);
  }
  return width;
}

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

// `format` translated, each {n} replaced by the n-th argument as `write`
// writes it, the text between them by `text`.
template <class Arg, class WriteArg, class WriteText>
std::string Fill(std::string_view format, const std::vector<Arg>& args, WriteArg write,
                 WriteText text) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '{' || i + 2 >= format.size() || format[i + 2] != '}') continue;
    const char n = format[i + 1];
    if (n < '1' || n > '9' || static_cast<std::size_t>(n - '1') >= args.size()) continue;
    out += text(format.substr(from, i - from));
    out += write(args[static_cast<std::size_t>(n - '1')]);
    from = i + 3;
    i += 2;
  }
  out += text(format.substr(from));
  return out;
}

// 9999980 -> "9,999,980".
std::string Grouped(std::int64_t n) {
  std::string digits = std::to_string(n);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

// TRANSLATORS: a number too long to show, by its first and last digits and
// how many stand between them: "1234567890…(9,999,980 more digits)…1234567890".
constexpr std::string_view kLeftOut = N_("{1}…({2} more digits)…{3}");

// Where the digits of a long decimal's parts were left out: after which
// digit of its written form (counting only the ASCII digits), and how many.
struct Cut {
  std::size_t afterDigit;
  std::int64_t hidden;
};
std::vector<Cut> CutsOf(const exact::Decimal& shown, const LeftOut& out) {
  std::vector<Cut> cuts;
  std::size_t before = shown.integer.empty() ? 1 : shown.integer.size();
  if (out.integer > 0) cuts.push_back({kShownEnds, out.integer});
  if (out.fixed > 0) cuts.push_back({before + kShownEnds, out.fixed});
  before += shown.fixed.size();
  if (out.period > 0) cuts.push_back({before + kShownEnds, out.period});
  return cuts;
}

// `written` with `marker(hidden)` put in after each cut's digit and the
// combining marks (dots, lines) that stand on it.
template <class Marker>
std::string Splice(std::string_view written, const std::vector<Cut>& cuts, Marker marker) {
  std::string out;
  std::size_t digits = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < written.size();) {
    const char c = written[i];
    out += c;
    ++i;
    if (c < '0' || c > '9') continue;
    ++digits;
    if (next < cuts.size() && digits == cuts[next].afterDigit) {
      // U+0300 to U+036F, the combining marks: CC 80 to CD AF.
      while (i + 1 < written.size() && (static_cast<unsigned char>(written[i]) == 0xCC ||
                                        static_cast<unsigned char>(written[i]) == 0xCD)) {
        out.append(written.substr(i, 2));
        i += 2;
      }
      out += marker(cuts[next].hidden);
      ++next;
    }
  }
  return out;
}

// --- Plain text ---------------------------------------------------------

std::string Subscript(std::string_view digits) {
  static constexpr const char* kDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
  std::string out;
  for (const char c : digits) {
    if (c >= '0' && c <= '9') out += kDigits[c - '0'];
  }
  return out;
}

std::string Superscript(std::string_view digits) {
  static constexpr const char* kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string out;
  for (const char c : digits) {
    if (c == '-') {
      out += "⁻";
    } else if (c >= '0' && c <= '9') {
      out += kDigits[c - '0'];
    }
  }
  return out;
}

class Text {
 public:
  Text(exact::Notation notation, const Words& words)
      : notation_(TextNotation(notation)), words_(words) {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const Math& m = f[i];
      if (i > 0 && m.kind == Math::Kind::Fraction && f[i - 1].kind == Math::Kind::Number) {
        out += ' ';  // a mixed number
      }
      out += Piece(m);
    }
    return out;
  }

  // The integer part's width of a formula that is one number, for lining up
  // the points of a column.
  std::optional<std::size_t> IntegerWidth(const Formula& f) const {
    if (f.size() != 1) return std::nullopt;
    if (f[0].kind != Math::Kind::Number && f[0].kind != Math::Kind::Decimal) return std::nullopt;
    const std::string text = Piece(f[0]);
    return Width(text.substr(0, std::min(text.find('.'), text.size())));
  }

 private:
  std::string Piece(const Math& m) const {
    switch (m.kind) {
      case Math::Kind::Number:
        if (m.hidden > 0) return Say(words_, kLeftOut, {m.text, Grouped(m.hidden), m.tail});
        return m.text;
      case Math::Kind::Variable: return m.text;
      case Math::Kind::Decimal:
        if (m.leftOut.Any()) return LongDecimal(m);
        return Decimal(m.decimal);
      case Math::Kind::Operator: return " " + m.text + " ";
      case Math::Kind::Negative: return "-";
      case Math::Kind::Fraction:
        return (m.negative ? "-" : "") + Term(m.numerator) + "/" + Term(m.denominator);
      case Math::Kind::Power: return m.text + Superscript(m.exponent);
      case Math::Kind::Open: return "(";
      case Math::Kind::Close: return ")";
      case Math::Kind::Indexed: return m.text + Subscript(m.index);
    }
    return {};
  }

  // A term of a fraction, in parentheses when it is more than one piece.
  std::string Term(const Formula& f) const {
    return f.size() == 1 ? Write(f) : "(" + Write(f) + ")";
  }

  std::string Decimal(const exact::Decimal& d) const {
    exact::Result<std::string> text = exact::Write(d, notation_);
    if (auto* s = std::get_if<std::string>(&text)) return *s;
    // An ending the ellipsis cannot write unambiguously.
    return std::get<std::string>(exact::Write(d, exact::Notation::Parentheses));
  }

  // A decimal whose parts stand by their ends: in the working's notation, the
  // words on the digits left out put in after the first digits of each
  // part. The ellipsis, which writes its period twice, gives way to
  // parentheses.
  std::string LongDecimal(const Math& m) const {
    const exact::Notation notation =
        notation_ == exact::Notation::Ellipsis ? exact::Notation::Parentheses : notation_;
    exact::Result<std::string> written = exact::Write(m.decimal, notation);
    const std::string text =
        std::holds_alternative<std::string>(written)
            ? std::get<std::string>(written)
            : std::get<std::string>(exact::Write(m.decimal, exact::Notation::Parentheses));
    return Splice(text, CutsOf(m.decimal, m.leftOut), [&](std::int64_t hidden) {
      return Say(words_, kLeftOut, {"", Grouped(hidden), ""});
    });
  }

  exact::Notation notation_;
  const Words& words_;
};

// A row of an aligned group: its label, what stands left of "=" and the rest.
struct Row {
  std::size_t line = 0;
  int group = 0;
  std::string label, left, right;
  std::string relation = "=";               // between left and right
  std::optional<std::size_t> integerWidth;  // of the right side, when it is one number
};

// The relation between sides i and i + 1 of an equation.
std::string Relation(const Equation& e, std::size_t i) {
  return i < e.relations.size() ? e.relations[i] : std::string("=");
}

// --- LaTeX -----------------------------------------------------------------

class Latex {
 public:
  Latex(PeriodMark mark, const Words& words) : mark_(mark), words_(words) {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (const Math& m : f) out += Piece(m);
    return out;
  }

 private:
  std::string Piece(const Math& m) const {
    switch (m.kind) {
      case Math::Kind::Number:
        if (m.hidden > 0) return m.text + LeftOutText(m.hidden) + m.tail;
        return m.text;
      case Math::Kind::Variable: return m.text;
      case Math::Kind::Decimal: return Decimal(m.decimal, m.leftOut);
      case Math::Kind::Operator:
        if (m.text == "×") return " \\times ";
        if (m.text == "÷") return " \\div ";
        if (m.text == "≤") return " \\le ";
        return " " + m.text + " ";
      case Math::Kind::Negative: return "-";
      case Math::Kind::Fraction:
        return std::string(m.negative ? "-" : "") + "\\frac{" + Write(m.numerator) + "}{" +
               Write(m.denominator) + "}";
      case Math::Kind::Power: return m.text + "^{" + m.exponent + "}";
      case Math::Kind::Open: return "(";
      case Math::Kind::Close: return ")";
      case Math::Kind::Indexed: return m.text + "_{" + m.index + "}";
    }
    return {};
  }

  // The words on the digits left out of a long number, in text mode, their
  // ellipses as LaTeX writes them.
  std::string LeftOutText(std::int64_t hidden) const {
    std::string words = EscapeLatex(Say(words_, kLeftOut, {"", Grouped(hidden), ""}));
    const std::string_view ellipsis = "\u2026";
    for (std::size_t at = words.find(ellipsis); at != std::string::npos;
         at = words.find(ellipsis, at)) {
      words.replace(at, ellipsis.size(), "\\ldots{}");
    }
    return "\\text{" + words + "}";
  }

  // A part of a decimal, its digits left out after its first ones.
  std::string Part(const std::string& digits, std::int64_t hidden) const {
    if (hidden == 0) return digits;
    return digits.substr(0, kShownEnds) + LeftOutText(hidden) + digits.substr(kShownEnds);
  }

  std::string Decimal(const exact::Decimal& d, const LeftOut& left) const {
    std::string out = d.negative ? "-" : "";
    out += d.integer.empty() ? "0" : Part(d.integer, left.integer);
    if (!d.fixed.empty() || !d.period.empty()) out += "." + Part(d.fixed, left.fixed);
    const std::string& p = d.period;
    if (!p.empty()) {
      if (mark_ == PeriodMark::Overline) {
        out += "\\overline{" + Part(p, left.period) + "}";
      } else if (p.size() == 1) {
        out += "\\dot{" + p + "}";
      } else {
        // The dots on the first and the last digit, the words between.
        std::string middle = p.substr(1, p.size() - 2);
        if (left.period > 0) {
          middle = middle.substr(0, kShownEnds - 1) + LeftOutText(left.period) +
                   middle.substr(kShownEnds - 1);
        }
        out += "\\dot{" + p.substr(0, 1) + "}" + middle + "\\dot{" + p.substr(p.size() - 1) + "}";
      }
    }
    if (d.exponent != 0) out += " \\times 10^{" + std::to_string(d.exponent) + "}";
    return out;
  }

  PeriodMark mark_;
  const Words& words_;
};

// The words of a long division's row: "remainder" and "digit 2:".
std::string RowLabel(const DivisionRow& row, const Words& words) {
  if (row.place == 0) return {};
  return Say(words, N_("digit {1}:"), {std::to_string(row.place)});
}

std::string RemainderWord(const Words& words) {
  // TRANSLATORS: in a row of long division, "30 ÷ 7 = 4 remainder 2".
  return words.Translate(N_("remainder"));
}

std::vector<std::string> TextFrom(const Steps& steps, exact::Notation notation,
                                  const Words& words) {
  const Text text(notation, words);
  std::vector<std::string> lines;
  std::vector<Row> rows;
  for (const Step& step : steps.steps) {
    if (const auto* s = std::get_if<Sentence>(&step)) {
      lines.push_back(Fill(
          words.Translate(s->format), s->args, [&](const Formula& f) { return text.Write(f); },
          [](std::string_view t) { return std::string(t); }));
    } else if (const auto* e = std::get_if<Equation>(&step)) {
      Row row;
      row.line = lines.size();
      row.group = e->group;
      row.left = e->sides.empty() ? std::string() : text.Write(e->sides.front());
      for (std::size_t i = 1; i < e->sides.size(); ++i) {
        row.right += (i > 1 ? " " + Relation(*e, i - 1) + " " : "") + text.Write(e->sides[i]);
      }
      row.relation = Relation(*e, 0);
      if (e->sides.size() == 2) row.integerWidth = text.IntegerWidth(e->sides[1]);
      rows.push_back(std::move(row));
      lines.emplace_back();
    } else if (const auto* d = std::get_if<DivisionRow>(&step)) {
      Row row;
      row.line = lines.size();
      row.group = d->group;
      row.label = RowLabel(*d, words);
      row.left = text.Write({d->dividend}) + " ÷ " + text.Write({d->divisor});
      row.right =
          text.Write({d->quotient}) + " " + RemainderWord(words) + " " + text.Write({d->remainder});
      rows.push_back(std::move(row));
      lines.emplace_back();
    }
  }
  // The widest label, left side and integer part of each group.
  struct Widths {
    std::size_t label = 0, left = 0, integer = 0;
  };
  std::map<int, Widths> widths;
  for (const Row& row : rows) {
    if (row.group == 0) continue;
    Widths& w = widths[row.group];
    w.label = std::max(w.label, Width(row.label));
    w.left = std::max(w.left, Width(row.left));
    if (row.integerWidth) w.integer = std::max(w.integer, *row.integerWidth);
  }
  for (const Row& row : rows) {
    std::string line;
    if (row.group == 0) {
      line = (row.label.empty() ? "" : row.label + " ") + row.left + " " + row.relation + " " +
             row.right;
    } else {
      const Widths& w = widths[row.group];
      if (w.label > 0) {
        line = row.label + Spaces(w.label - Width(row.label) + (row.label.empty() ? 0 : 0)) + " ";
      }
      line += Spaces(w.left - Width(row.left)) + row.left + " " + row.relation + " ";
      if (row.integerWidth) line += Spaces(w.integer - *row.integerWidth);
      line += row.right;
    }
    lines[row.line] = std::move(line);
  }
  return lines;
}

std::string LatexRelation(const std::string& relation) {
  return relation == "≤" ? "\\le" : relation;
}

std::string LatexFrom(const Steps& steps, PeriodMark mark, const Words& words) {
  const Latex latex(mark, words);
  std::vector<std::string> items;  // rows end without "\\", sentences are \intertext
  std::vector<bool> isRow;
  for (const Step& step : steps.steps) {
    if (const auto* s = std::get_if<Sentence>(&step)) {
      items.push_back("\\intertext{" +
                      Fill(
                          words.Translate(s->format), s->args,
                          [&](const Formula& f) { return "$" + latex.Write(f) + "$"; },
                          [](std::string_view t) { return EscapeLatex(t); }) +
                      "}");
      isRow.push_back(false);
    } else if (const auto* e = std::get_if<Equation>(&step)) {
      std::string row = e->sides.empty() ? std::string() : latex.Write(e->sides.front());
      for (std::size_t i = 1; i < e->sides.size(); ++i) {
        const std::string relation = LatexRelation(Relation(*e, i - 1));
        row += (i == 1 ? " &" : " ") + relation + " " + latex.Write(e->sides[i]);
      }
      items.push_back(std::move(row));
      isRow.push_back(true);
    } else if (const auto* d = std::get_if<DivisionRow>(&step)) {
      const std::string label = RowLabel(*d, words);
      std::string row = label.empty() ? "" : "\\text{" + EscapeLatex(label) + "} \\quad ";
      row += latex.Write({d->dividend}) + " \\div " + latex.Write({d->divisor}) +
             " &= " + latex.Write({d->quotient}) + " \\text{ " + EscapeLatex(RemainderWord(words)) +
             " } " + latex.Write({d->remainder});
      items.push_back(std::move(row));
      isRow.push_back(true);
    }
  }
  std::string out = "\\begin{align*}";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += "\n" + items[i];
    if (isRow[i] && i + 1 < items.size()) out += " \\\\";
  }
  return out + "\n\\end{align*}";
}

}  // namespace

std::string EscapeLatex(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\textbackslash{}"; break;
      case '{':
      case '}':
      case '#':
      case '$':
      case '%':
      case '&':
      case '_':
        out += '\\';
        out += c;
        break;
      case '~': out += "\\textasciitilde{}"; break;
      case '^': out += "\\textasciicircum{}"; break;
      default: out += c;
    }
  }
  return out;
}

exact::Notation TextNotation(exact::Notation notation) {
  switch (notation) {
    case exact::Notation::Parentheses:
    case exact::Notation::Brackets:
    case exact::Notation::Quotes:
    case exact::Notation::Dots:
    case exact::Notation::Overline:
    case exact::Notation::R:
    case exact::Notation::Ellipsis: return notation;
    default: return exact::Notation::Parentheses;
  }
}

std::vector<std::string> TextLines(const Steps& steps, exact::Notation notation,
                                   const Words& words) {
  return TextFrom(steps, notation, words);
}

std::string LatexFragment(const Steps& steps, PeriodMark mark, const Words& words) {
  return LatexFrom(steps, mark, words);
}

std::vector<std::string> DecimalWorkingText(const exact::DecimalWorking& w,
                                            exact::Notation notation, bool mixed,
                                            const Words& words) {
  const exact::Notation n = TextNotation(notation);
  return TextLines(
      DecimalSteps(w, {n, PeriodMark::Overline, mixed, n == exact::Notation::Ellipsis}), n, words);
}

std::vector<std::string> FractionWorkingText(const exact::FractionWorking& w,
                                             exact::Notation notation, bool mixed,
                                             const Words& words) {
  const exact::Notation n = TextNotation(notation);
  return TextLines(
      FractionSteps(w, {n, PeriodMark::Overline, mixed, n == exact::Notation::Ellipsis}), n, words);
}

std::string DecimalWorkingLatex(const exact::DecimalWorking& w, exact::Notation notation,
                                PeriodMark mark, bool mixed, const Words& words) {
  return LatexFragment(DecimalSteps(w, {TextNotation(notation), PeriodMark::Overline, mixed,
                                        TextNotation(notation) == exact::Notation::Ellipsis}),
                       mark, words);
}

std::string FractionWorkingLatex(const exact::FractionWorking& w, PeriodMark mark, bool mixed,
                                 const Words& words) {
  return LatexFragment(
      FractionSteps(w, {exact::Notation::Parentheses, PeriodMark::Overline, mixed,
                        exact::Notation::Parentheses == exact::Notation::Ellipsis}),
      mark, words);
}

}  // namespace quotalis::explain
