// The working as MathML blocks for a web page: a sentence, a run of aligned
// equations or a long division a block, each spoken as the plain text's
// lines.
#include <cstddef>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "hand_division.h"
#include "mathml_writer.h"
#include "render_common.h"
#include "renderers.h"

namespace quotalis::explain {

namespace {

// A block of a kind (its class: quotalis-sentence, quotalis-equations or
// quotalis-division), its spoken alternative the plain text's line(s).
std::string Block(std::string_view kind, std::string_view content, std::string_view spoken) {
  const std::string alt = Escaped(spoken);
  return "<math display=\"block\" class=\"quotalis-" + std::string(kind) + "\" alttext=\"" + alt +
         "\" aria-label=\"" + alt + "\">" + std::string(content) + "</math>";
}

std::string Cell(std::string_view content, std::string_view style) {
  return Element("mtd", content, style.empty() ? "" : "style=\"" + std::string(style) + "\"");
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
// A subtraction in columns: "−)" before the equation taken away, a rule
// under its cells; the equations' numbers (① or (1)) in a column after them.
std::string AlignedEquations(const Mathml& m, const std::vector<const Equation*>& rows,
                             const words::Words& words) {
  bool byPoint = true, numbered = false;
  for (const Equation* e : rows) {
    byPoint = byPoint && e->sides.size() == 2 && m.Parts(e->sides[1]).has_value();
    numbered = numbered || e->number > 0;
  }
  std::string table;
  for (const Equation* e : rows) {
    const std::string rule = e->subtracted ? ";border-bottom:1px solid" : "";
    const std::string left = (e->subtracted ? Mo("-") + Mo(")") : "") +
                             (e->sides.empty() ? "" : m.Write(e->sides.front()));
    std::string row = Cell(left, "text-align:-webkit-right" + rule);
    row += Cell(Mo(Relation(*e, 0)), rule.empty() ? "" : rule.substr(1));
    if (byPoint) {
      const DecimalParts parts = *m.Parts(e->sides[1]);
      row += Cell(parts.Integer(), "text-align:-webkit-right;padding-right:0" + rule);
      row += Cell(parts.Rest(), "text-align:-webkit-left;padding-left:0" + rule);
    } else {
      row += Cell(RightSides(m, *e), "text-align:-webkit-left" + rule);
    }
    if (numbered) row += Cell(Mtext(EquationTag(e->number, words)), "text-align:-webkit-left");
    table += Element("mtr", row);
  }
  // Chromium centres a cell's content whatever text-align says, except for
  // its own -webkit- values; Firefox reads columnalign.
  return Element("mtable", table,
                 byPoint ? "displaystyle=\"true\" columnalign=\"right center right left\""
                         : "displaystyle=\"true\" columnalign=\"right center left\"");
}

// The rows of a long division too long to draw: each "30 ÷ 7 = 4 remainder 2".
std::string DivisionRows(const Mathml& m, const std::vector<const DivisionRow*>& rows,
                         const words::Words& words) {
  RowNumbers numbers;
  std::string table;
  for (const DivisionRow* r : rows) {
    const RowNumbers::Pieces n = numbers.Of(*r);
    std::string row =
        Cell(m.Write({n.dividend}) + Mo("÷") + m.Write({n.divisor}), "text-align:-webkit-right");
    row += Cell(Mo("="), "");
    row += Cell(
        m.Write({n.quotient}) + Mtext(" " + RemainderWord(words) + " ") + m.Write({n.remainder}),
        "text-align:-webkit-left");
    table += Element("mtr", row);
  }
  return Element("mtable", table, "displaystyle=\"true\" columnalign=\"right center left\"");
}

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

// The steps from `i` on of the same kind as steps[i] and, for equations, of
// its group (a group 0 equation stands alone).
template <class T>
std::vector<const T*> RunFrom(const std::vector<Step>& all, std::size_t& i) {
  std::vector<const T*> run = {&std::get<T>(all[i])};
  for (++i; i < all.size(); ++i) {
    const auto* next = std::get_if<T>(&all[i]);
    if (next == nullptr) break;
    if constexpr (std::is_same_v<T, Equation>) {
      if (run.front()->group == 0 || next->group != run.front()->group) break;
    }
    run.push_back(next);
  }
  return run;
}

}  // namespace

std::vector<std::string> MathmlBlocks(const Steps& steps, const Style& style,
                                      const words::Words& words) {
  const Mathml m(TextNotation(style.notation), style.mark, words, style.parenthesesWritten);
  // The spoken lines, one a step: the spoken alternative.
  const std::vector<std::string> spoken = SpokenLines(steps, style, words);
  std::vector<std::string> blocks;
  const std::vector<Step>& all = steps.steps;
  std::size_t i = 0;
  while (i < all.size()) {
    const std::size_t start = i;
    if (const auto* s = std::get_if<Sentence>(&all[i])) {
      const std::string content = Filled(
          *s, words, [&](const Formula& f) { return m.Write(f); },
          [](std::string_view t) { return Mtext(t); });
      blocks.push_back(Block("sentence", content, Joined(spoken, start, ++i)));
    } else if (std::holds_alternative<Equation>(all[i])) {
      const std::vector<const Equation*> run = RunFrom<Equation>(all, i);
      const Equation& e = *run.front();
      const std::string content =
          e.group == 0
              ? Element("mrow", m.Write(e.sides.front()) + Mo(Relation(e, 0)) + RightSides(m, e))
              : AlignedEquations(m, run, words);
      blocks.push_back(Block("equations", content, Joined(spoken, start, i)));
    } else {
      const std::vector<const DivisionRow*> run = RunFrom<DivisionRow>(all, i);
      const std::string content = FitsByHand(run) ? ByHand(run, m) : DivisionRows(m, run, words);
      blocks.push_back(Block("division", content, Joined(spoken, start, i)));
    }
  }
  return blocks;
}

std::string MathmlSentence(std::string_view text) { return Block("sentence", Mtext(text), text); }

}  // namespace quotalis::explain
