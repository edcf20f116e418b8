#include "render_common.h"

#include <utility>
#include <variant>

#include <quotalis/exact/text.h>
#include <quotalis/exact/write.h>

#include "pieces.h"

namespace quotalis::explain {

using words::N_;

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

std::string Written(const exact::Decimal& d, exact::Notation notation) {
  exact::Result<std::string> text = exact::Write(d, notation);
  if (auto* s = std::get_if<std::string>(&text)) return std::move(*s);
  return std::get<std::string>(exact::Write(d, exact::Notation::Parentheses));
}

std::string WrittenOut(const exact::Decimal& d, int copies) {
  std::string out = d.negative ? "-" : "";
  out += d.integer.empty() ? "0" : d.integer;
  out += "." + d.fixed;
  for (int i = 0; i < copies; ++i) out += d.period;
  return out;
}

std::string Filled(const Sentence& s, const words::Words& words,
                   const std::function<std::string(const Formula&)>& write,
                   const std::function<std::string(std::string_view)>& text) {
  const std::string format = words.Translate(s.format);
  const std::string_view f = format;
  std::string out;
  std::size_t from = 0;
  const auto between = [&](std::string_view t) {
    if (!t.empty()) out += text(t);
  };
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '{' || i + 2 >= f.size() || f[i + 2] != '}') continue;
    const char n = f[i + 1];
    if (n < '1' || n > '9' || static_cast<std::size_t>(n - '1') >= s.args.size()) continue;
    between(f.substr(from, i - from));
    out += write(s.args[static_cast<std::size_t>(n - '1')]);
    from = i + 3;
    i += 2;
  }
  between(f.substr(from));
  return out;
}

std::string LeftOutWords(const words::Words& words, std::int64_t hidden, std::string_view first,
                         std::string_view last) {
  // TRANSLATORS: a number too long to show, by its first and last digits and
  // how many stand between them: "1234567890…(9,999,980 more digits)…1234567890".
  return words::Say(words, N_("{1}…({2} more digits)…{3}"),
                    {std::string(first), exact::Grouped(hidden), std::string(last)});
}

std::string EquationTag(int number, const words::Words& words) {
  if (number <= 0) return {};
  if (words.Language() == "ja" && number <= 20) {
    // ① is U+2460, up to ⑳.
    const char32_t c = U'\u2460' + static_cast<char32_t>(number - 1);
    std::string out;
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
    return out;
  }
  return "(" + std::to_string(number) + ")";
}

std::string Relation(const Equation& e, std::size_t i) {
  return i < e.relations.size() ? e.relations[i] : std::string("=");
}

std::string RemainderWord(const words::Words& words) {
  // TRANSLATORS: in a row of long division, "30 ÷ 7 = 4 remainder 2".
  return words.Translate(N_("remainder"));
}

std::string RowLabel(const DivisionRow& row, const words::Words& words) {
  if (row.place == 0) return {};
  return words::Say(words, N_("digit {1}:"), {std::to_string(row.place)});
}

std::vector<Run> RunsOf(std::string_view written, const exact::Decimal& shown, const LeftOut& out) {
  // After which digit of the written form (counting only the ASCII digits)
  // each part's digits were left out, and how many.
  std::vector<std::pair<std::size_t, std::int64_t>> cuts;
  std::size_t before = shown.integer.empty() ? 1 : shown.integer.size();
  if (out.integer > 0) cuts.emplace_back(kShownEnds, out.integer);
  if (out.fixed > 0) cuts.emplace_back(before + kShownEnds, out.fixed);
  before += shown.fixed.size();
  if (out.period > 0) cuts.emplace_back(before + kShownEnds, out.period);

  std::vector<Run> runs(1);
  std::size_t digits = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < written.size();) {
    const char c = written[i];
    runs.back().text += c;
    ++i;
    if (c < '0' || c > '9') continue;
    ++digits;
    if (next < cuts.size() && digits == cuts[next].first) {
      // U+0300 to U+036F, the combining marks: CC 80 to CD AF.
      while (i + 1 < written.size() && (static_cast<unsigned char>(written[i]) == 0xCC ||
                                        static_cast<unsigned char>(written[i]) == 0xCD)) {
        runs.back().text.append(written.substr(i, 2));
        i += 2;
      }
      runs.back().hidden = cuts[next].second;
      runs.emplace_back();
      ++next;
    }
  }
  return runs;
}

RowNumbers::Pieces RowNumbers::Of(const DivisionRow& row) {
  if (row.divisor != divisor_) {
    divisor_ = row.divisor;
    shownDivisor_ = Number(*divisor_);
  }
  return {Number(row.dividend), shownDivisor_, Number(row.quotient), Number(row.remainder)};
}

}  // namespace quotalis::explain
