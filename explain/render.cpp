#include "explain/render.h"

#include "render_common.h"
#include "renderers.h"

namespace quotalis::explain {

Style ChooseStyle(exact::Notation asked, exact::Notation entry, bool mixed,
                  std::string_view language, bool chosen) {
  Style style;
  const bool parentheses = asked == exact::Notation::Parentheses;
  const bool asDefault = (parentheses && !chosen) || asked == exact::Notation::Latex;
  style.notation = asDefault ? TextNotation(entry) : TextNotation(asked);
  if (asked == exact::Notation::Dots || asked == exact::Notation::Overline) {
    style.mark = asked == exact::Notation::Dots ? PeriodMark::Dots : PeriodMark::Overline;
  } else {
    style.mark = entry == exact::Notation::Dots || language == "ja" ? PeriodMark::Dots
                                                                    : PeriodMark::Overline;
  }
  style.parenthesesWritten = parentheses && chosen;
  style.mixed = mixed;
  style.fromShortest =
      entry == exact::Notation::Ellipsis || style.notation == exact::Notation::Ellipsis;
  return style;
}

std::vector<std::string> Render(const Steps& steps, Format format, const Style& style,
                                const words::Words& words) {
  switch (format) {
    case Format::Text: {
      // A step may take more than one line: a subtraction's rule.
      std::vector<std::string> lines;
      for (const std::string& line : TextLines(steps, style, words)) {
        std::size_t from = 0;
        for (std::size_t at = line.find('\n'); at != std::string::npos;
             at = line.find('\n', from)) {
          lines.push_back(line.substr(from, at - from));
          from = at + 1;
        }
        lines.push_back(line.substr(from));
      }
      return lines;
    }
    case Format::Latex: return LatexLines(steps, style, words);
    case Format::Mathml: return MathmlBlocks(steps, style, words);
    case Format::Spoken: return SpokenLines(steps, style, words);
  }
  return {};
}

std::string RenderWords(std::string_view text, Format format) {
  switch (format) {
    case Format::Text: return std::string(text);
    case Format::Latex: return "\\intertext{" + EscapeLatex(text) + "}";
    case Format::Mathml: return MathmlSentence(text);
    case Format::Spoken: return std::string(text);
  }
  return {};
}

}  // namespace quotalis::explain
