#include "explain/render.h"

#include "explain/mathml.h"
#include "explain/rounded.h"
#include "explain/working.h"

namespace quotalis::explain {

namespace {

// The lines of a text joined by '\n'.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (true) {
    const std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end - from));
    if (end == std::string::npos) return lines;
    from = end + 1;
  }
}

}  // namespace

Style ChooseStyle(exact::Notation asked, exact::Notation entry, bool mixed,
                  std::string_view language) {
  Style style;
  const bool asDefault = asked == exact::Notation::Parentheses || asked == exact::Notation::Latex;
  style.notation = asDefault ? TextNotation(entry) : TextNotation(asked);
  style.mark =
      entry == exact::Notation::Dots || language == "ja" ? PeriodMark::Dots : PeriodMark::Overline;
  style.mixed = mixed;
  style.fromShortest =
      entry == exact::Notation::Ellipsis || style.notation == exact::Notation::Ellipsis;
  return style;
}

std::vector<std::string> Render(const Steps& steps, Format format, const Style& style,
                                const words::Words& words) {
  switch (format) {
    case Format::Text: return TextLines(steps, style.notation, words);
    case Format::Latex: return Lines(LatexFragment(steps, style.mark, words));
    case Format::Mathml: return MathmlBlocks(steps, style.notation, style.mark, words);
  }
  return {};
}

std::string RenderWords(std::string_view text, Format format) {
  switch (format) {
    case Format::Text: return std::string(text);
    case Format::Latex: return "\\intertext{" + EscapeLatex(text) + "}";
    case Format::Mathml: return MathmlTextBlock(text);
  }
  return {};
}

}  // namespace quotalis::explain
