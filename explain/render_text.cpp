// The working as lines of plain text, for a terminal: the equations of a
// group and the rows of a long division lined up at "=".
#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

#include <quotalis/exact/utf8.h>

#include "render_common.h"
#include "renderers.h"

namespace quotalis::explain {

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

// A factor struck out: a long stroke (U+0336) through each character, 3̶ and
// 3̶²̶, which a terminal draws through the digits and a reader still reads.
std::string Struck(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    const std::size_t n = c ? c->length : 1;
    out += text.substr(0, n);
    if (text.front() != ' ') out += "\u0336";
    text.remove_prefix(n);
  }
  return out;
}

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
  Text(exact::Notation notation, const words::Words& words)
      : notation_(TextNotation(notation)), words_(words) {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const Math& m = f[i];
      if (i > 0 && m.kind == Math::Kind::Fraction && f[i - 1].kind == Math::Kind::Number) {
        out += ' ';  // a mixed number
      }
      out += m.common.empty() ? Piece(m) : Struck(Piece(m));
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

  std::string Piece(const Math& m) const {
    switch (m.kind) {
      case Math::Kind::Number:
        if (m.hidden > 0) return LeftOutWords(words_, m.hidden, m.text, m.tail);
        return m.text;
      case Math::Kind::Variable: return m.text;
      case Math::Kind::Decimal:
        if (m.leftOut.Any()) return LongDecimal(m);
        if (m.writtenOut > 0) return WrittenOut(m.decimal, m.writtenOut) + "…";
        return Written(m.decimal, notation_);
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

 private:
  // A term of a fraction, in parentheses when it is more than one piece.
  std::string Term(const Formula& f) const {
    return f.size() == 1 ? Write(f) : "(" + Write(f) + ")";
  }

  // A decimal whose parts stand by their ends: in the working's notation, the
  // words on the digits left out put in after the first digits of each
  // part. The ellipsis, which writes its period twice, gives way to
  // parentheses.
  std::string LongDecimal(const Math& m) const {
    const exact::Notation notation =
        notation_ == exact::Notation::Ellipsis ? exact::Notation::Parentheses : notation_;
    std::string out;
    for (const Run& run : RunsOf(Written(m.decimal, notation), m.decimal, m.leftOut)) {
      out += run.text;
      if (run.hidden > 0) out += LeftOutWords(words_, run.hidden);
    }
    return out;
  }

  exact::Notation notation_;
  const words::Words& words_;
};

// A line of an aligned group: its label, what stands left of "=" and the rest.
struct Row {
  std::size_t line = 0;
  int group = 0;
  std::string label, left, right;
  std::string relation = "=";               // between left and right
  std::optional<std::size_t> integerWidth;  // of the right side, when it is one number
  std::string tag;                          // ① after it, or ""
  bool subtracted = false;                  // "−)" before it, a rule under it
};

Row EquationRow(const Equation& e, const Text& text, const words::Words& words) {
  Row row;
  row.group = e.group;
  row.tag = EquationTag(e.number, words);
  row.subtracted = e.subtracted;
  row.left = e.sides.empty() ? std::string() : text.Write(e.sides.front());
  for (std::size_t i = 1; i < e.sides.size(); ++i) {
    row.right += (i > 1 ? " " + Relation(e, i - 1) + " " : "") + text.Write(e.sides[i]);
  }
  row.relation = Relation(e, 0);
  if (e.sides.size() == 2) row.integerWidth = text.IntegerWidth(e.sides[1]);
  return row;
}

Row DivisionLine(const DivisionRow& d, RowNumbers& numbers, const Text& text,
                 const words::Words& words) {
  const RowNumbers::Pieces n = numbers.Of(d);
  Row row;
  row.group = d.group;
  row.label = RowLabel(d, words);
  row.left = text.Piece(n.dividend) + " ÷ " + text.Piece(n.divisor);
  row.right = text.Piece(n.quotient) + " " + RemainderWord(words) + " " + text.Piece(n.remainder);
  return row;
}

// The rows of each group lined up: their labels in a column, their left
// sides to the right, and the integer parts of right sides that are one
// number each.
void Align(const std::vector<Row>& rows, std::vector<std::string>& lines) {
  struct Widths {
    std::size_t label = 0, left = 0, integer = 0, right = 0;
    bool subtraction = false;
  };
  const std::string minus = "\u2212) ";
  std::map<int, Widths> widths;
  for (const Row& row : rows) {
    if (row.group == 0) continue;
    Widths& w = widths[row.group];
    w.label = std::max(w.label, Width(row.label));
    w.left = std::max(w.left, Width(row.left));
    if (row.integerWidth) w.integer = std::max(w.integer, *row.integerWidth);
    w.subtraction = w.subtraction || row.subtracted;
  }
  // The widths of the right sides as they are written, for the tags and
  // the rule.
  for (const Row& row : rows) {
    if (row.group == 0) continue;
    Widths& w = widths[row.group];
    const std::size_t pad = row.integerWidth ? w.integer - *row.integerWidth : 0;
    w.right = std::max(w.right, pad + Width(row.right));
  }
  for (const Row& row : rows) {
    std::string line;
    if (row.group == 0) {
      line = (row.label.empty() ? "" : row.label + " ") + row.left + " " + row.relation + " " +
             row.right;
    } else {
      const Widths& w = widths[row.group];
      if (w.label > 0) line = row.label + Spaces(w.label - Width(row.label)) + " ";
      if (w.subtraction) line += row.subtracted ? minus : Spaces(Width(minus));
      line += Spaces(w.left - Width(row.left)) + row.left + " " + row.relation + " ";
      std::size_t right = Width(row.right);
      if (row.integerWidth) {
        line += Spaces(w.integer - *row.integerWidth);
        right += w.integer - *row.integerWidth;
      }
      line += row.right;
      if (!row.tag.empty()) line += Spaces(w.right - right + 2) + row.tag;
      if (row.subtracted) {
        // The rule under the subtraction, as wide as its equations.
        std::string rule;
        const std::size_t width = Width(minus) + w.left + 3 + w.right;
        for (std::size_t i = 0; i < width; ++i) rule += "\u2500";
        line += "\n" + Spaces(w.label > 0 ? w.label + 1 : 0) + rule;
      }
    }
    lines[row.line] = std::move(line);
  }
}

}  // namespace

std::vector<std::string> TextLines(const Steps& steps, const Style& style,
                                   const words::Words& words) {
  const Text text(style.notation, words);
  RowNumbers numbers;
  std::vector<std::string> lines;
  std::vector<Row> rows;
  for (const Step& step : steps.steps) {
    if (const auto* s = std::get_if<Sentence>(&step)) {
      lines.push_back(Filled(
          *s, words, [&](const Formula& f) { return text.Write(f); },
          [](std::string_view t) { return std::string(t); }));
      continue;
    }
    const auto* e = std::get_if<Equation>(&step);
    rows.push_back(e ? EquationRow(*e, text, words)
                     : DivisionLine(std::get<DivisionRow>(step), numbers, text, words));
    rows.back().line = lines.size();
    lines.emplace_back();
  }
  Align(rows, lines);
  return lines;
}

}  // namespace quotalis::explain
