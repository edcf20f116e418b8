// The working as it is read aloud: each step a line of words a speech
// engine reads as a teacher would, with no notation characters in it, its
// words the catalog's: in English "15 over 90" ("one sixth" when both terms
// are small), "10 to the power 5", "0.16, 6 recurring"; in Japanese 15/90 is
// "90分の15", 10⁵ "10の5乗", x "エックス", 0.1(6) "0.16、6 がくり返す".
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "render_common.h"
#include "renderers.h"
#include "words/words.h"

namespace quotalis::explain {

namespace {

using words::N_;

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
  // The Japanese reading puts a coefficient against its letter (100エックス)
  // and a letter against its index (エックス1); the words all come from the
  // catalog.
  explicit Spoken(const words::Words& words)
      : words_(words), english_(words.Language() == "en"), tight_(words.Language() == "ja") {}

  std::string Say(std::string_view format, const std::vector<std::string>& args) const {
    return words::Say(words_, format, args);
  }

  std::string Write(const Formula& f) const {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const Math& m = f[i];
      if (i > 0 && m.kind == Math::Kind::Fraction && f[i - 1].kind == Math::Kind::Number) {
        // TRANSLATORS: read aloud, a mixed number: "2 and 19 over 55".
        out = Say(N_("{1} and {2}"), {out, Piece(m)});
        continue;
      }
      std::string piece = Piece(m);
      const bool coefficient = m.kind == Math::Kind::Variable || m.kind == Math::Kind::Indexed;
      if (!out.empty() && !piece.empty() && out.back() != ' ' && piece.front() != ' ' &&
          !(tight_ && coefficient)) {
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
    const std::string minus = " " + OperatorWord("-") + " ";
    ReplaceAll(out, " - ", minus);
    ReplaceAll(out, " \u2212 ", minus);
    ReplaceAll(out, " = ", " " + OperatorWord("=") + " ");
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
      // TRANSLATORS: read aloud, a minus sign before a number: "minus 5".
      case Math::Kind::Negative: return Say(N_("minus {1}"), {""});
      case Math::Kind::Fraction: {
        std::string name = english_ ? FractionName(m) : "";
        // TRANSLATORS: read aloud, a fraction: "15 over 90".
        if (name.empty())
          name = Say(N_("{1} over {2}"), {Write(m.numerator), Write(m.denominator)});
        return m.negative ? Say(N_("minus {1}"), {name}) : name;
      }
      case Math::Kind::Power: return Power(m.text, Minus(m.exponent));
      case Math::Kind::Open:
      case Math::Kind::Close: return {};
      case Math::Kind::Indexed:
        // Digits with a subscript are a number written in that base, not a
        // variable: read as such, the base never run into the digits.
        if (!m.text.empty() && m.text[0] >= '0' && m.text[0] <= '9') {
          // TRANSLATORS: read aloud, digits written in another base: "1.1001 in base 2".
          return Say(N_("{1} in base {2}"), {m.text, m.index});
        }
        return Name(m.text) + (tight_ ? "" : " ") + m.index;
    }
    return {};
  }

  std::string Relation(const std::string& r) const { return OperatorWord(r); }

 private:
  std::string Minus(std::string_view digits) const {
    if (!digits.starts_with('-')) return std::string(digits);
    return Say(N_("minus {1}"), {std::string(digits.substr(1))});
  }

  std::string Power(const std::string& base, const std::string& exponent) const {
    // TRANSLATORS: read aloud, powers: "3 squared", "10 cubed", "10 to the power 6".
    if (exponent == "2") return Say(N_("{1} squared"), {base});
    if (exponent == "3") return Say(N_("{1} cubed"), {base});
    return Say(N_("{1} to the power {2}"), {base, exponent});
  }

  std::string Name(const std::string& v) const {
    // TRANSLATORS: read aloud, the letters a working names its unknowns with.
    if (v == "x") return words_.Translate(N_("x"));
    if (v == "y") return words_.Translate(N_("y"));
    return v;
  }

  std::string OperatorWord(const std::string& op) const {
    // TRANSLATORS: read aloud, the signs between the terms of a formula.
    if (op == "=") return words_.Translate(N_("equals"));
    if (op == "+") return words_.Translate(N_("plus"));
    if (op == "-") return words_.Translate(N_("minus"));
    if (op == "×") return words_.Translate(N_("times"));
    if (op == "÷") return words_.Translate(N_("divided by"));
    if (op == "<") return words_.Translate(N_("is less than"));
    if (op == "≤") return words_.Translate(N_("is less than or equal to"));
    return op;
  }

  // A decimal as it is read: its digits, the period once, and which digits
  // recur; a long one by its ends; an exponent as times ten to a power.
  std::string Decimal(const Math& m) const {
    const exact::Decimal& d = m.decimal;
    std::string out;
    if (m.leftOut.Any()) {
      std::string written;
      for (const Run& run : RunsOf(Written(d, exact::Notation::Parentheses), d, m.leftOut)) {
        written += run.text;
        if (run.hidden > 0) written += " " + Text(LeftOutWords(words_, run.hidden)) + " ";
      }
      // The period's parentheses: said as the digits that recur.
      for (const char mark : {'(', ')'}) {
        const std::size_t at = written.find(mark);
        if (at != std::string::npos) written.erase(at, 1);
      }
      if (!written.empty() && written.front() == '-') written.erase(0, 1);
      out = written;
      // TRANSLATORS: read aloud, a recurring decimal too long to name its
      // recurring digits: "0.1234567890 ... 1234, recurring".
      if (!d.period.empty()) out = Say(N_("{1}, recurring"), {out});
    } else {
      out = d.integer.empty() ? "0" : d.integer;
      if (!d.fixed.empty() || !d.period.empty()) out += "." + d.fixed;
      const int copies = m.writtenOut > 0 ? m.writtenOut : 1;
      for (int i = 0; i < copies; ++i) out += d.period;
      // TRANSLATORS: read aloud, a recurring decimal and its recurring
      // digits one by one: "0.16, 6 recurring", "0.342, 4 2 recurring".
      if (!d.period.empty()) out = Say(N_("{1}, {2} recurring"), {out, Spaced(d.period)});
    }
    if (d.exponent != 0) {
      // TRANSLATORS: read aloud, a decimal times a power of ten: "1.2 times 10 to the power 5".
      out = Say(N_("{1} times {2}"), {out, Power("10", Minus(std::to_string(d.exponent)))});
    }
    return d.negative ? Say(N_("minus {1}"), {out}) : out;
  }

  const words::Words& words_;
  bool english_;
  bool tight_;
};

std::string EquationLine(const Equation& e, const Spoken& spoken) {
  std::string line;
  for (std::size_t i = 0; i < e.sides.size(); ++i) {
    if (i > 0) line += " " + spoken.Relation(Relation(e, i - 1)) + " ";
    line += spoken.Write(e.sides[i]);
  }
  // TRANSLATORS: read aloud, the equation a subtraction in columns takes
  // away: "take away 10 x equals 1.666, 6 recurring".
  if (e.subtracted) line = spoken.Say(N_("take away {1}"), {line});
  // TRANSLATORS: read aloud, an equation and the number it is named by.
  if (e.number > 0) line = spoken.Say(N_("{1}, equation {2}"), {line, std::to_string(e.number)});
  return line;
}

std::string DivisionLine(const DivisionRow& row, RowNumbers& numbers, const Spoken& spoken,
                         const words::Words& words) {
  const RowNumbers::Pieces n = numbers.Of(row);
  const std::string label = spoken.Text(RowLabel(row, words));
  // TRANSLATORS: read aloud, a row of long division: "30 divided by 7 is 4 remainder 2".
  const std::string said = spoken.Say(N_("{1} divided by {2} is {3} remainder {4}"),
                                      {spoken.Piece(n.dividend), spoken.Piece(n.divisor),
                                       spoken.Piece(n.quotient), spoken.Piece(n.remainder)});
  return label.empty() ? said : label + " " + said;
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
      lines.push_back(Tidied(EquationLine(*e, spoken)));
    } else {
      lines.push_back(Tidied(DivisionLine(std::get<DivisionRow>(step), numbers, spoken, words)));
    }
  }
  return lines;
}

}  // namespace quotalis::explain
