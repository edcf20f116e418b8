#include "explain/mathml.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <variant>

#include <quotalis/exact/write.h>

#include "explain/rounded.h"

namespace quotalis::explain {

using words::N_;
using words::Say;
using words::Words;

namespace {

// A long division of more digit columns or steps than these is shown as its
// rows ("30 ÷ 7 = 4 remainder 2") in a table rather than drawn by hand: a
// page cannot lay out a grid of thousands of cells usefully.
constexpr std::size_t kWidestDivision = 60;
constexpr std::size_t kLongestDivision = 60;

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

std::string Element(std::string_view name, std::string_view content,
                    std::string_view attributes = {}) {
  std::string out = "<" + std::string(name);
  if (!attributes.empty()) out += " " + std::string(attributes);
  return out + ">" + std::string(content) + "</" + std::string(name) + ">";
}

std::string Mn(std::string_view digits) { return Element("mn", Escaped(digits)); }

// An operator; the hyphen-minus of the steps as the minus sign U+2212.
std::string Mo(std::string_view symbol) {
  return Element("mo", symbol == "-" ? std::string("\u2212") : Escaped(symbol));
}

// Digits perhaps after "-": "-5" as a minus sign and 5.
std::string SignedNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') {
    return Element("mrow", Mo("-") + Mn(text.substr(1)));
  }
  return Mn(text);
}

// Words, their blanks at either end kept: MathML trims a token's own.
std::string Text(std::string_view text) {
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

// A block of a kind (its class: quotalis-sentence, quotalis-equations or
// quotalis-division), its spoken alternative the plain text's line(s).
std::string Block(std::string_view kind, std::string_view content, std::string_view spoken) {
  const std::string alt = Escaped(spoken);
  return "<math display=\"block\" class=\"quotalis-" + std::string(kind) + "\" alttext=\"" + alt +
         "\" aria-label=\"" + alt + "\">" + std::string(content) + "</math>";
}

// `format` translated, each {n} replaced by the n-th argument as `write`
// writes it, the text between them by `text` (as the other renderers fill it).
template <class Arg, class WriteArg, class WriteText>
std::string Fill(std::string_view format, const std::vector<Arg>& args, WriteArg write,
                 WriteText text) {
  std::string out;
  std::size_t from = 0;
  const auto between = [&](std::string_view t) {
    if (!t.empty()) out += text(t);
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '{' || i + 2 >= format.size() || format[i + 2] != '}') continue;
    const char n = format[i + 1];
    if (n < '1' || n > '9' || static_cast<std::size_t>(n - '1') >= args.size()) continue;
    between(format.substr(from, i - from));
    out += write(args[static_cast<std::size_t>(n - '1')]);
    from = i + 3;
    i += 2;
  }
  between(format.substr(from));
  return out;
}

// A decimal in two parts, to line up at the point: the sign and integer
// digits, then the point and the rest; `Whole` keeps the digits on both sides
// of the point in one number.
struct DecimalParts {
  std::string sign, integer, point, marks;  // marks: the period's and the exponent
  std::string Integer() const { return sign + Mn(integer); }
  std::string Rest() const { return (point.empty() ? "" : Mn(point)) + marks; }
  std::string Whole() const { return sign + Mn(integer + point) + marks; }
};

class Mathml {
 public:
  Mathml(exact::Notation notation, PeriodMark mark, const words::Words& words)
      : notation_(notation), mark_(mark), words_(words) {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (const Math& m : f) out += Piece(m);
    return Element("mrow", out);
  }

  // The parts of a formula that is one number, for a column aligned at the point.
  std::optional<DecimalParts> Parts(const Formula& f) const {
    if (f.size() != 1) return std::nullopt;
    if (f[0].hidden > 0 || f[0].leftOut.Any()) return std::nullopt;
    if (f[0].kind == Math::Kind::Number) {
      const std::string& t = f[0].text;
      const bool minus = !t.empty() && t.front() == '-';
      return DecimalParts{minus ? Mo("-") : "", minus ? t.substr(1) : t, "", ""};
    }
    if (f[0].kind == Math::Kind::Decimal) return Decimal(f[0].decimal);
    return std::nullopt;
  }

  // The period's digits marked: a dot over the first and the last, or a line over all.
  std::string Period(std::string_view p) const {
    if (p.empty()) return {};
    if (mark_ == PeriodMark::Overline) {
      return Element("mover", Mn(p) + Element("mo", "\u2015", "stretchy=\"true\""),
                     "accent=\"true\"");
    }
    const auto dotted = [](std::string_view digit) {
      return Element("mover", Mn(digit) + Element("mo", "\u02D9"), "accent=\"true\"");
    };
    if (p.size() == 1) return dotted(p);
    std::string out = dotted(p.substr(0, 1));
    if (p.size() > 2) out += Mn(p.substr(1, p.size() - 2));
    return out + dotted(p.substr(p.size() - 1));
  }

  // A digit of a period, marked as Period marks it: `first` and `last` say where it stands.
  std::string PeriodDigit(char digit, bool first, bool last) const {
    const std::string d(1, digit);
    if (mark_ == PeriodMark::Overline) {
      return Element("mover", Mn(d) + Element("mo", "\u2015", "stretchy=\"true\""),
                     "accent=\"true\"");
    }
    if (!first && !last) return Mn(d);
    return Element("mover", Mn(d) + Element("mo", "\u02D9"), "accent=\"true\"");
  }

 private:
  // Whether the notation marks the period with characters of its own.
  bool Textual() const {
    return notation_ != exact::Notation::Parentheses && notation_ != exact::Notation::Dots &&
           notation_ != exact::Notation::Overline;
  }

  DecimalParts Decimal(const exact::Decimal& d) const {
    DecimalParts parts;
    if (Textual()) {
      exact::Result<std::string> text = exact::Write(d, notation_);
      if (!std::holds_alternative<std::string>(text)) {
        // An ending the ellipsis cannot write unambiguously.
        text = exact::Write(d, exact::Notation::Parentheses);
      }
      std::string s = std::get<std::string>(text);
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

  std::string Piece(const Math& m) const {
    std::string out;
    switch (m.kind) {
      case Math::Kind::Number:
        out = SignedNumber(m.text);
        if (m.hidden > 0) out += LeftOutWords(m.hidden) + Mn(m.tail);
        break;
      case Math::Kind::Variable: out = Element("mi", Escaped(m.text)); break;
      case Math::Kind::Decimal:
        out = Element("mrow", m.leftOut.Any() ? LongDecimal(m.decimal, m.leftOut)
                                              : Decimal(m.decimal).Whole());
        break;
      case Math::Kind::Operator: out = Mo(m.text); break;
      case Math::Kind::Negative: out = Mo("-"); break;
      case Math::Kind::Fraction:
        out = (m.negative ? Mo("-") : "") +
              Element("mfrac", Write(m.numerator) + Write(m.denominator));
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
  std::string LeftOutWords(std::int64_t hidden) const {
    std::string digits = std::to_string(hidden);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
      digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    // TRANSLATORS: a number too long to show, by its first and last digits and
    // how many stand between them: "1234567890…(9,999,980 more digits)…1234567890".
    return Text(Say(words_, N_("{1}…({2} more digits)…{3}"), {"", digits, ""}));
  }

  // A decimal whose parts stand by their ends, written with parentheses, the
  // words on the digits left out after the first digits of each part.
  std::string LongDecimal(const exact::Decimal& d, const LeftOut& out) const {
    const std::string written =
        std::get<std::string>(exact::Write(d, exact::Notation::Parentheses));
    std::vector<std::pair<std::size_t, std::int64_t>> cuts;  // after which digit, how many
    std::size_t before = d.integer.empty() ? 1 : d.integer.size();
    if (out.integer > 0) cuts.emplace_back(kShownEnds, out.integer);
    if (out.fixed > 0) cuts.emplace_back(before + kShownEnds, out.fixed);
    before += d.fixed.size();
    if (out.period > 0) cuts.emplace_back(before + kShownEnds, out.period);
    std::string result, run;
    std::size_t digits = 0, next = 0;
    for (const char c : written) {
      run += c;
      if (c < '0' || c > '9') continue;
      ++digits;
      if (next < cuts.size() && digits == cuts[next].first) {
        result += Mn(run) + LeftOutWords(cuts[next].second);
        run.clear();
        ++next;
      }
    }
    return result + (run.empty() ? "" : Mn(run));
  }

  exact::Notation notation_;
  PeriodMark mark_;
  const words::Words& words_;
};

std::string Cell(std::string_view content, std::string_view style, std::string_view cls = {}) {
  std::string attributes;
  if (!cls.empty()) attributes += "class=\"" + std::string(cls) + "\"";
  if (!style.empty()) {
    if (!attributes.empty()) attributes += ' ';
    attributes += "style=\"" + std::string(style) + "\"";
  }
  return Element("mtd", content, attributes);
}

std::string Relation(const Equation& e, std::size_t i) {
  return i < e.relations.size() ? e.relations[i] : std::string("=");
}

// The sides after the first, with the relations between them.
std::string RightSides(const Mathml& m, const Equation& e) {
  std::string out;
  for (std::size_t i = 1; i < e.sides.size(); ++i) {
    if (i > 1) out += Mo(Relation(e, i - 1));
    out += m.Write(e.sides[i]);
  }
  return out;
}

// Equations aligned at their first relation, and at the point of their right
// sides when every one is a single number.
std::string AlignedEquations(const Mathml& m, const std::vector<const Equation*>& rows) {
  bool byPoint = true;
  for (const Equation* e : rows) {
    byPoint = byPoint && e->sides.size() == 2 && m.Parts(e->sides[1]).has_value();
  }
  std::string table;
  for (const Equation* e : rows) {
    std::string row =
        Cell(e->sides.empty() ? "" : m.Write(e->sides.front()), "text-align:-webkit-right");
    row += Cell(Mo(Relation(*e, 0)), "");
    if (byPoint) {
      const DecimalParts parts = *m.Parts(e->sides[1]);
      row += Cell(parts.Integer(), "text-align:-webkit-right;padding-right:0");
      row += Cell(parts.Rest(), "text-align:-webkit-left;padding-left:0");
    } else {
      row += Cell(RightSides(m, *e), "text-align:-webkit-left");
    }
    table += Element("mtr", row);
  }
  // Chromium centres a cell's content whatever text-align says, except for
  // its own -webkit- values; Firefox reads columnalign.
  return Element("mtable", table,
                 byPoint ? "displaystyle=\"true\" columnalign=\"right center right left\""
                         : "displaystyle=\"true\" columnalign=\"right center left\"");
}

std::string RemainderWord(const words::Words& words) {
  // TRANSLATORS: in a row of long division, "30 ÷ 7 = 4 remainder 2".
  return words.Translate(N_("remainder"));
}

// The rows of a long division too long to draw: each "30 ÷ 7 = 4 remainder 2".
std::string DivisionRows(const Mathml& m, const std::vector<const DivisionRow*>& rows,
                         const words::Words& words) {
  std::string table;
  for (const DivisionRow* r : rows) {
    std::string row =
        Cell(m.Write({r->dividend}) + Mo("÷") + m.Write({r->divisor}), "text-align:-webkit-right");
    row += Cell(Mo("="), "");
    row += Cell(
        m.Write({r->quotient}) + Text(" " + RemainderWord(words) + " ") + m.Write({r->remainder}),
        "text-align:-webkit-left");
    table += Element("mtr", row);
  }
  return Element("mtable", table, "displaystyle=\"true\" columnalign=\"right center left\"");
}

// The long division drawn as by hand, one digit a cell:
//         0.1 4 2 8 5 7          the quotient, its period marked
//     7 ) 1.0 0 0 0 0 0          the divisor, the bracket, the dividend
//           7                    each product, ruled under
//           3 0                  each remainder with the next digit brought down
//           2 8
//           ...
//               1                the remainder that comes again
// A quotient digit 0 brings the next digit down at once, as a hand does; so
// does the dividend itself when the whole part is 0.
class HandDivision {
 public:
  HandDivision(const std::vector<const DivisionRow*>& rows, const Mathml& m) : rows_(rows), m_(m) {
    length_ = rows.front()->dividend.text.size();
    steps_ = rows.size() - 1;
  }

  static bool Fits(const std::vector<const DivisionRow*>& rows) {
    for (const DivisionRow* r : rows) {
      for (const Math* n : {&r->dividend, &r->divisor, &r->quotient, &r->remainder}) {
        if (n->hidden > 0) return false;  // a number shown by its ends
      }
    }
    return rows.size() - 1 <= kLongestDivision &&
           rows.front()->dividend.text.size() + rows.size() - 1 <= kWidestDivision &&
           rows.front()->place == 0;
  }

  std::string Write() {
    const std::size_t k = steps_;
    const mpz_class last(rows_.back()->remainder.text);
    // The period: from the digit after the first remainder equal to the last.
    std::optional<std::size_t> periodFrom;
    if (last != 0) {
      for (std::size_t j = 0; j < k; ++j) {
        if (mpz_class(rows_[j]->remainder.text) == last) {
          periodFrom = j + 1;
          break;
        }
      }
    }
    const std::string& whole = rows_.front()->quotient.text;

    // The quotient.
    Row quotient = Blank();
    Place(quotient, whole, length_ - 1, "quotalis-quotient");
    if (k > 0) quotient[length_ + 1].content = Mn(std::string(1, whole.back()) + ".");
    for (std::size_t i = 1; i <= k; ++i) {
      const char digit = rows_[i]->quotient.text.front();
      Cell& cell = quotient[length_ + 1 + i];
      cell.cls = "quotalis-quotient";
      if (periodFrom && i >= *periodFrom) {
        cell.content = m_.PeriodDigit(digit, i == *periodFrom, i == k);
      } else {
        cell.content = Mn(std::string(1, digit));
      }
    }
    table_.push_back(quotient);

    // The divisor, the bracket and the dividend with a zero for each digit after the point.
    Row dividend = Blank();
    dividend[0] = {Mn(rows_.front()->divisor.text), "quotalis-divisor"};
    dividend[1] = {Mo(")"), "quotalis-bracket-open"};
    const std::string& n = rows_.front()->dividend.text;
    for (std::size_t c = 0; c < length_; ++c) {
      std::string digit(1, n[c]);
      if (c + 1 == length_ && k > 0) digit += ".";
      dividend[2 + c] = {Mn(digit), "quotalis-bracket"};
    }
    for (std::size_t i = 1; i <= k; ++i) dividend[length_ + 1 + i] = {Mn("0"), "quotalis-bracket"};
    table_.push_back(dividend);
    const std::size_t dividendRow = table_.size() - 1;

    // The whole part's product, then each digit's.
    bool fromDividend = whole == "0";
    if (!fromDividend) {
      Product(mpz_class(n) - mpz_class(rows_.front()->remainder.text), length_ - 1);
    }
    std::optional<std::size_t> firstSeen;  // the row where the period's remainder first stands
    if (periodFrom && *periodFrom == 1 && fromDividend) firstSeen = dividendRow;
    bool endsOnBrought = false;
    for (std::size_t i = 1; i <= k; ++i) {
      const DivisionRow& r = *rows_[i];
      const bool zero = r.quotient.text == "0";
      if (zero && i < k) continue;  // the next digit is brought down at once
      const std::size_t column = length_ - 1 + i;
      if (!fromDividend) {
        Row brought = Blank();
        Place(brought, r.dividend.text, column, "");
        table_.push_back(brought);
        if (periodFrom && *periodFrom == i) firstSeen = table_.size() - 1;
      }
      fromDividend = false;
      if (zero) {  // the last digit is 0: what was brought down comes again
        endsOnBrought = true;
        break;
      }
      Product(mpz_class(r.dividend.text) - mpz_class(r.remainder.text), column);
    }

    // The last remainder, marked when it comes again, and where it first stood.
    if (periodFrom && firstSeen) {
      Row& first = table_[*firstSeen];
      // Its digits stand left of the digit brought down after it.
      const std::string seen = rows_[*periodFrom - 1]->remainder.text;
      std::size_t end = length_ - 1 + *periodFrom - 1;
      if (*firstSeen == dividendRow) end = length_ - 1;
      for (std::size_t c = end + 1 - std::min(seen.size(), end + 1); c <= end; ++c) {
        first[2 + c].cls += first[2 + c].cls.empty() ? "quotalis-repeat" : " quotalis-repeat";
      }
    }
    if (endsOnBrought) {
      for (Cell& cell : table_.back()) {
        if (!cell.content.empty()) cell.cls = "quotalis-repeat";
      }
    } else {
      Row remainder = Blank();
      Place(remainder, rows_.back()->remainder.text, length_ - 1 + k,
            periodFrom ? "quotalis-repeat" : "");
      table_.push_back(remainder);
    }

    std::string out;
    for (const Row& row : table_) {
      std::string cells;
      for (const Cell& cell : row) cells += Element("mtd", cell.content, Class(cell.cls));
      out += Element("mtr", cells);
    }
    return Element("mtable", out, "class=\"quotalis-ldiv\"");
  }

 private:
  struct Cell {
    std::string content;
    std::string cls;
  };
  using Row = std::vector<Cell>;

  static std::string Class(const std::string& cls) {
    return cls.empty() ? std::string() : "class=\"" + cls + "\"";
  }

  Row Blank() const { return Row(length_ + steps_ + 2); }

  // `digits` one a cell, the last in digit column `end`.
  void Place(Row& row, std::string_view digits, std::size_t end, const std::string& cls) const {
    const std::size_t size = std::min(digits.size(), end + 1);
    digits = digits.substr(digits.size() - size);
    for (std::size_t i = 0; i < size; ++i) {
      row[2 + end + 1 - size + i] = {Mn(std::string(1, digits[i])), cls};
    }
  }

  void Product(const mpz_class& product, std::size_t end) {
    Row row = Blank();
    Place(row, product.get_str(), end, "quotalis-rule");
    table_.push_back(row);
  }

  const std::vector<const DivisionRow*>& rows_;
  const Mathml& m_;
  std::size_t length_ = 0;
  std::size_t steps_ = 0;
  std::vector<Row> table_;
};

// The lines from `from` to `to`, without the blanks that align them.
std::string Joined(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to && i < lines.size(); ++i) {
    if (i > from) out += '\n';
    std::string_view line = lines[i];
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    std::string single;  // runs of blanks as one
    for (const char c : line) {
      if (c != ' ' || single.empty() || single.back() != ' ') single += c;
    }
    out += single;
  }
  return out;
}

}  // namespace

std::vector<std::string> MathmlBlocks(const Steps& steps, exact::Notation notation, PeriodMark mark,
                                      const Words& words) {
  const Mathml m(TextNotation(notation), mark, words);
  // The plain text's lines, one a step: the spoken alternative.
  const std::vector<std::string> spoken = TextLines(steps, notation, words);
  std::vector<std::string> blocks;
  const std::vector<Step>& all = steps.steps;
  std::size_t i = 0;
  while (i < all.size()) {
    const std::size_t start = i;
    if (const auto* s = std::get_if<Sentence>(&all[i])) {
      blocks.push_back(Block(
          "sentence",
          Fill(
              words.Translate(s->format), s->args, [&](const Formula& f) { return m.Write(f); },
              [](std::string_view t) { return Text(t); }),
          Joined(spoken, start, start + 1)));
      ++i;
    } else if (const auto* e = std::get_if<Equation>(&all[i])) {
      std::vector<const Equation*> run = {e};
      ++i;
      while (e->group != 0 && i < all.size()) {
        const auto* next = std::get_if<Equation>(&all[i]);
        if (next == nullptr || next->group != e->group) break;
        run.push_back(next);
        ++i;
      }
      const std::string content =
          e->group == 0
              ? Element("mrow", m.Write(e->sides.front()) + Mo(Relation(*e, 0)) + RightSides(m, *e))
              : AlignedEquations(m, run);
      blocks.push_back(Block("equations", content, Joined(spoken, start, i)));
    } else {
      std::vector<const DivisionRow*> run;
      while (i < all.size()) {
        const auto* row = std::get_if<DivisionRow>(&all[i]);
        if (row == nullptr) break;
        run.push_back(row);
        ++i;
      }
      const std::string content =
          HandDivision::Fits(run) ? HandDivision(run, m).Write() : DivisionRows(m, run, words);
      blocks.push_back(Block("division", content, Joined(spoken, start, i)));
    }
  }
  return blocks;
}

std::string MathmlTextBlock(std::string_view text) { return Block("sentence", Text(text), text); }

std::vector<std::string> DecimalWorkingMathml(const exact::DecimalWorking& w,
                                              exact::Notation notation, PeriodMark mark, bool mixed,
                                              const Words& words) {
  const exact::Notation n = TextNotation(notation);
  return MathmlBlocks(
      DecimalSteps(w, {n, PeriodMark::Overline, mixed, n == exact::Notation::Ellipsis}), n, mark,
      words);
}

std::vector<std::string> FractionWorkingMathml(const exact::FractionWorking& w,
                                               exact::Notation notation, PeriodMark mark,
                                               bool mixed, const Words& words) {
  const exact::Notation n = TextNotation(notation);
  return MathmlBlocks(
      FractionSteps(w, {n, PeriodMark::Overline, mixed, n == exact::Notation::Ellipsis}), n, mark,
      words);
}

std::vector<std::string> RoundedWorkingMathml(const exact::RoundedWorking& w, PeriodMark mark,
                                              bool mixed, const Words& words) {
  return MathmlBlocks(
      RoundedSteps(w, {exact::Notation::Parentheses, PeriodMark::Overline, mixed, false}),
      exact::Notation::Parentheses, mark, words);
}

}  // namespace quotalis::explain
