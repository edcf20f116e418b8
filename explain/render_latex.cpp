// The working as one LaTeX align* environment, to paste into a worksheet.
#include <cstddef>
#include <string_view>
#include <utility>
#include <variant>

#include "explain/render.h"
#include "render_common.h"
#include "renderers.h"

namespace quotalis::explain {

namespace {

class Latex {
 public:
  Latex(PeriodMark mark, const words::Words& words) : mark_(mark), words_(words) {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (const Math& m : f) out += m.common.empty() ? Piece(m) : "\\cancel{" + Piece(m) + "}";
    return out;
  }

  std::string Piece(const Math& m) const {
    switch (m.kind) {
      case Math::Kind::Number:
        if (m.hidden > 0) return m.text + LeftOutText(m.hidden) + m.tail;
        return Folded(m.text);
      case Math::Kind::Variable: return m.text;
      case Math::Kind::Decimal:
        if (m.writtenOut > 0 && !m.leftOut.Any()) {
          return WrittenOut(m.decimal, m.writtenOut) + "\\ldots";
        }
        return Decimal(m.decimal, m.leftOut);
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

 private:
  // A number too long for a row of the page, folded into lines of
  // kFoldedDigits digits stacked on its first line, as a pupil carries a long
  // number on to the next line: a row of a long division holds three such
  // numbers, and one of 70 digits written whole is wider than A4.
  static std::string Folded(const std::string& digits) {
    constexpr std::size_t kFoldedDigits = 15;
    if (digits.size() <= kFoldedDigits + 8) return digits;
    std::string out = "\\begin{array}[t]{@{}l@{}}";
    for (std::size_t at = 0; at < digits.size(); at += kFoldedDigits) {
      if (at > 0) out += " \\\\ ";
      out += digits.substr(at, kFoldedDigits);
    }
    return out + "\\end{array}";
  }

  // Digits of a decimal in a sentence may break across lines after each
  // kBreakDigits of them; a row of equations is not broken.
  static constexpr std::size_t kBreakDigits = 20;
  // A break that leaves the line it ends ragged, so that a line of digits,
  // which cannot stretch, may end there; unbroken, the two glues cancel.
  static constexpr std::string_view kBreak =
      "\\hskip 0pt plus 1fil\\penalty0\\hskip 0pt plus -1fil ";
  static std::string Breakable(const std::string& digits) {
    if (digits.size() <= kBreakDigits + 4) return digits;
    std::string out;
    for (std::size_t at = 0; at < digits.size(); at += kBreakDigits) {
      if (at > 0) out += kBreak;
      out += digits.substr(at, kBreakDigits);
    }
    return out;
  }

  // The words on the digits left out of a long number, in text mode, their
  // ellipses as LaTeX writes them.
  std::string LeftOutText(std::int64_t hidden) const {
    std::string words = EscapeLatex(LeftOutWords(words_, hidden));
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
      if (mark_ == PeriodMark::Overline && left.period == 0 && p.size() > kBreakDigits + 4) {
        // A line over each group of digits, so that a sentence may break between them.
        for (std::size_t at = 0; at < p.size(); at += kBreakDigits) {
          if (at > 0) out += kBreak;
          out += "\\overline{" + p.substr(at, kBreakDigits) + "}";
        }
      } else if (mark_ == PeriodMark::Overline) {
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
        if (left.period == 0) middle = Breakable(middle);
        out += "\\dot{" + p.substr(0, 1) + "}" + middle + "\\dot{" + p.substr(p.size() - 1) + "}";
      }
    }
    if (d.exponent != 0) out += " \\times 10^{" + std::to_string(d.exponent) + "}";
    return out;
  }

  PeriodMark mark_;
  const words::Words& words_;
};

std::string LatexRelation(const std::string& relation) {
  return relation == "≤" ? "\\le" : relation;
}

// An equation's row: "-)" before one taken from the row above and a line
// under both its halves, its number as a tag.
std::string EquationRow(const Equation& e, const Latex& latex, const words::Words& words) {
  std::string left = e.sides.empty() ? std::string() : latex.Write(e.sides.front());
  std::string right;
  for (std::size_t i = 1; i < e.sides.size(); ++i) {
    right +=
        (i == 1 ? "" : " ") + LatexRelation(Relation(e, i - 1)) + " " + latex.Write(e.sides[i]);
  }
  std::string row = e.subtracted ? "\\underline{-)\\ " + left + "} &\\underline{{}" + right + "}"
                                 : left + " &" + right;
  if (e.number > 0) row += " \\tag*{" + EquationTag(e.number, words) + "}";
  return row;
}

std::string DivisionRowLine(const DivisionRow& d, RowNumbers& numbers, const Latex& latex,
                            const words::Words& words) {
  const RowNumbers::Pieces n = numbers.Of(d);
  const std::string label = RowLabel(d, words);
  std::string row = label.empty() ? "" : "\\text{" + EscapeLatex(label) + "} \\quad ";
  return row + latex.Piece(n.dividend) + " \\div " + latex.Piece(n.divisor) +
         " &= " + latex.Piece(n.quotient) + " \\text{ " + EscapeLatex(RemainderWord(words)) +
         " } " + latex.Piece(n.remainder);
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

std::vector<std::string> LatexLines(const Steps& steps, const Style& style,
                                    const words::Words& words) {
  const Latex latex(style.mark, words);
  RowNumbers numbers;
  std::vector<std::string> lines = {"\\begin{align*}"};
  // A row ends with "\\" when anything follows it; a sentence is an \intertext.
  bool row = false;
  for (const Step& step : steps.steps) {
    if (row) lines.back() += " \\\\";
    row = !std::holds_alternative<Sentence>(step);
    if (const auto* s = std::get_if<Sentence>(&step)) {
      lines.push_back("\\intertext{" +
                      Filled(
                          *s, words, [&](const Formula& f) { return "$" + latex.Write(f) + "$"; },
                          [](std::string_view t) { return EscapeLatex(t); }) +
                      "}");
    } else if (const auto* e = std::get_if<Equation>(&step)) {
      lines.push_back(EquationRow(*e, latex, words));
    } else {
      lines.push_back(DivisionRowLine(std::get<DivisionRow>(step), numbers, latex, words));
    }
  }
  lines.emplace_back("\\end{align*}");
  return lines;
}

}  // namespace quotalis::explain
