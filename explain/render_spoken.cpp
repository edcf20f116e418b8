// The working as it is read aloud: each step a line of words a speech
// engine reads as a teacher would, with no notation characters in it. In
// Japanese 15/90 is "90分の15", 10⁵ "10の5乗", x "エックス", 0.1(6) "0.16、6 が
// くり返す"; in English "15 over 90" ("one sixth" when both terms are
// small), "10 to the power 5", "0.16, 6 recurring".
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "render_common.h"
#include "renderers.h"

namespace quotalis::explain {

namespace {

// Digits one by one, so that a period is read digit by digit: "4 2".
std::string Spaced(std::string_view digits) {
  std::string out;
  for (const char c : digits) {
    if (!out.empty()) out += ' ';
    out += c;
  }
  return out;
}

// `text` with every `from` replaced by `to`.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The English name of a small fraction: "one sixth", "five twelfths", or ""
// when its terms are not both small whole numbers.
std::string FractionName(const Math& m) {
  if (m.numerator.size() != 1 || m.denominator.size() != 1) return {};
  const Math& n = m.numerator.front();
  const Math& d = m.denominator.front();
  if (n.kind != Math::Kind::Number || d.kind != Math::Kind::Number) return {};
  if (n.text.empty() || d.text.empty() || n.text.size() > 2 || d.text.size() > 2) return {};
  static constexpr std::array<const char*, 21> kNumbers = {
      "zero",     "one",     "two",     "three",     "four",     "five",     "six",
      "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",   "thirteen",
      "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty"};
  static constexpr std::array<const char*, 13> kOrdinals = {
      "",        "",       "half",  "third", "quarter",  "fifth",  "sixth",
      "seventh", "eighth", "ninth", "tenth", "eleventh", "twelfth"};
  const int top = std::stoi(n.text), bottom = std::stoi(d.text);
  if (top < 1 || top > 20 || bottom < 2 || bottom > 12) return {};
  std::string name = std::string(kNumbers[static_cast<std::size_t>(top)]) + " " +
                     kOrdinals[static_cast<std::size_t>(bottom)];
  if (top > 1) name += bottom == 2 ? "" : "s";
  if (top > 1 && bottom == 2)
    name = std::string(kNumbers[static_cast<std::size_t>(top)]) + " halves";
  return name;
}

class Spoken {
 public:
  explicit Spoken(const words::Words& words) : words_(words), japanese_(words.Language() == "ja") {}

  std::string Write(const Formula& f) const {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const Math& m = f[i];
      std::string piece = Piece(m);
      if (i > 0 && m.kind == Math::Kind::Fraction && f[i - 1].kind == Math::Kind::Number) {
        piece = (japanese_ ? " と " : " and ") + piece;  // a mixed number
      } else if (!out.empty() && !piece.empty() && out.back() != ' ' && piece.front() != ' ' &&
                 !(japanese_ &&
                   (m.kind == Math::Kind::Variable || m.kind == Math::Kind::Indexed))) {
        piece = " " + piece;
      }
      out += piece;
    }
    return out;
  }

  std::string Text(std::string_view text) const {
    std::string out(text);
    // Parentheses around an aside and the names of equations are not read:
    // an aside is set off by pauses.
    for (const std::string_view mark : {"(", ")"}) ReplaceAll(out, mark, " ");
    for (const std::string_view mark : {"（", "）"}) ReplaceAll(out, mark, "、");
    ReplaceAll(out, " - ", japanese_ ? " ひく " : " minus ");
    ReplaceAll(out, " \u2212 ", japanese_ ? " ひく " : " minus ");
    ReplaceAll(out, "/", japanese_ ? " 分の " : " over ");
    ReplaceAll(out, " = ", japanese_ ? " イコール " : " equals ");
    ReplaceAll(out, "  ", " ");
    return out;
  }

  std::string Piece(const Math& m) const {
    switch (m.kind) {
      case Math::Kind::Number:
        if (m.hidden > 0) return Minus(Text(LeftOutWords(words_, m.hidden, m.text, m.tail)));
        return Minus(m.text);
      case Math::Kind::Variable: return Name(m.text);
      case Math::Kind::Decimal: return Decimal(m);
      case Math::Kind::Operator: return " " + OperatorWord(m.text) + " ";
      case Math::Kind::Negative: return japanese_ ? "マイナス" : "minus";
      case Math::Kind::Fraction: {
        const std::string sign = m.negative ? (japanese_ ? "マイナス " : "minus ") : "";
        if (japanese_) return sign + Write(m.denominator) + "分の" + Write(m.numerator);
        const std::string name = FractionName(m);
        if (!name.empty()) return sign + name;
        return sign + Write(m.numerator) + " over " + Write(m.denominator);
      }
      case Math::Kind::Power:
        if (japanese_) return m.text + "の" + Minus(m.exponent) + "乗";
        if (m.exponent == "2") return m.text + " squared";
        if (m.exponent == "3") return m.text + " cubed";
        return m.text + " to the power " + Minus(m.exponent);
      case Math::Kind::Open:
      case Math::Kind::Close: return {};
      case Math::Kind::Indexed: return Name(m.text) + (japanese_ ? "" : " ") + m.index;
    }
    return {};
  }

  std::string Relation(const std::string& r) const { return OperatorWord(r); }

 private:
  std::string Minus(std::string_view digits) const {
    if (!digits.starts_with('-')) return std::string(digits);
    return (japanese_ ? "マイナス" : "minus ") + std::string(digits.substr(1));
  }

  std::string Name(const std::string& v) const {
    if (!japanese_) return v;
    if (v == "x") return "エックス";
    if (v == "y") return "ワイ";
    return v;
  }

  std::string OperatorWord(const std::string& op) const {
    if (japanese_) {
      if (op == "=") return "イコール";
      if (op == "+") return "たす";
      if (op == "-") return "ひく";
      if (op == "×") return "かける";
      if (op == "÷") return "わる";
      if (op == "<") return "小なり";
      if (op == "≤") return "小なりイコール";
      return op;
    }
    if (op == "=") return "equals";
    if (op == "+") return "plus";
    if (op == "-") return "minus";
    if (op == "×") return "times";
    if (op == "÷") return "divided by";
    if (op == "<") return "is less than";
    if (op == "≤") return "is less than or equal to";
    return op;
  }

  // A decimal as it is read: its digits, the period once, and which digits
  // recur; a long one by its ends; an exponent as times ten to a power.
  std::string Decimal(const Math& m) const {
    const exact::Decimal& d = m.decimal;
    std::string out = d.negative ? (japanese_ ? "マイナス" : "minus ") : "";
    if (m.leftOut.Any()) {
      std::string digits = Written(d, exact::Notation::Parentheses);
      std::string written;
      for (const Run& run : RunsOf(digits, d, m.leftOut)) {
        written += run.text;
        if (run.hidden > 0) written += " " + Text(LeftOutWords(words_, run.hidden)) + " ";
      }
      // The period's parentheses: said as the digits that recur.
      const std::size_t open = written.find('(');
      if (open != std::string::npos) {
        written.erase(written.find(')'), 1);
        written.erase(open, 1);
      }
      out += written;
      if (!d.period.empty()) out += Recurring("");
    } else {
      out += d.integer.empty() ? "0" : d.integer;
      if (!d.fixed.empty() || !d.period.empty()) out += "." + d.fixed;
      const int copies = m.writtenOut > 0 ? m.writtenOut : 1;
      for (int i = 0; i < copies; ++i) out += d.period;
      if (!d.period.empty()) out += Recurring(Spaced(d.period));
    }
    if (d.exponent != 0) {
      out += japanese_ ? " かける 10の" + Minus(std::to_string(d.exponent)) + "乗"
                       : " times 10 to the power " + Minus(std::to_string(d.exponent));
    }
    return out;
  }

  std::string Recurring(const std::string& period) const {
    if (japanese_) return period.empty() ? "、循環小数" : "、" + period + " がくり返す";
    return period.empty() ? ", recurring" : ", " + period + " recurring";
  }

  const words::Words& words_;
  bool japanese_;
};

std::string EquationLine(const Equation& e, const Spoken& spoken, const words::Words& words) {
  const bool japanese = words.Language() == "ja";
  std::string line;
  if (e.subtracted) line += japanese ? "ひく " : "take away ";
  for (std::size_t i = 0; i < e.sides.size(); ++i) {
    if (i > 0) line += " " + spoken.Relation(Relation(e, i - 1)) + " ";
    line += spoken.Write(e.sides[i]);
  }
  if (e.number > 0) {
    line += japanese ? "、式" + std::to_string(e.number) : ", equation " + std::to_string(e.number);
  }
  return line;
}

std::string DivisionLine(const DivisionRow& row, RowNumbers& numbers, const Spoken& spoken,
                         const words::Words& words) {
  const RowNumbers::Pieces n = numbers.Of(row);
  const bool japanese = words.Language() == "ja";
  const std::string label = spoken.Text(RowLabel(row, words));
  return (label.empty() ? "" : label + " ") + spoken.Piece(n.dividend) +
         (japanese ? " わる " : " divided by ") + spoken.Piece(n.divisor) +
         (japanese ? " は " : " is ") + spoken.Piece(n.quotient) + " " + RemainderWord(words) +
         " " + spoken.Piece(n.remainder);
}

// Runs of blanks as one, none at either end.
std::string Tidied(const std::string& line) {
  std::string out;
  for (const char c : line) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  ReplaceAll(out, " 。", "。");
  ReplaceAll(out, " :", ":");
  ReplaceAll(out, " ,", ",");
  ReplaceAll(out, " 、", "、");
  ReplaceAll(out, "、、", "、");
  ReplaceAll(out, "、。", "。");
  return out;
}

}  // namespace

std::vector<std::string> SpokenLines(const Steps& steps, const Style&, const words::Words& words) {
  const Spoken spoken(words);
  RowNumbers numbers;
  std::vector<std::string> lines;
  for (const Step& step : steps.steps) {
    if (const auto* s = std::get_if<Sentence>(&step)) {
      lines.push_back(Tidied(Filled(
          *s, words, [&](const Formula& f) { return spoken.Write(f); },
          [&](std::string_view t) { return spoken.Text(t); })));
    } else if (const auto* e = std::get_if<Equation>(&step)) {
      lines.push_back(Tidied(EquationLine(*e, spoken, words)));
    } else {
      lines.push_back(Tidied(DivisionLine(std::get<DivisionRow>(step), numbers, spoken, words)));
    }
  }
  return lines;
}

}  // namespace quotalis::explain
