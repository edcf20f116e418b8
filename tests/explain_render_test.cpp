// The renderers' choices a reader sees: the style chosen from the entry, the
// notation asked and the language; LaTeX's escaping; a line of words in each
// format; a sentence's blanks; and a long division's rows, which carry their
// numbers, in each format.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "explain/render.h"
#include "named_rows.h"

namespace {

using namespace quotalis;
using exact::Notation;
using explain::PeriodMark;
using quotalis::testing::PrintTo;

struct StyleRow {
  const char* name;
  Notation asked, entry;
  const char* language;
  Notation notation;
  PeriodMark mark;
  bool fromShortest;
  bool chosen = false;  // the notation asked was chosen, not the default
  bool parenthesesWritten = false;
};

const StyleRow kStyles[] = {
    // Dots or overline asked mark the period so, whatever the language.
    {"dots_asked", Notation::Dots, Notation::Parentheses, "en", Notation::Dots, PeriodMark::Dots,
     false},
    {"overline_asked_in_japanese", Notation::Overline, Notation::Dots, "ja", Notation::Overline,
     PeriodMark::Overline, false, true},
    // Parentheses chosen stand in the working whatever the entry's notation;
    // left as the default, the entry's own does.
    {"parentheses_chosen", Notation::Parentheses, Notation::Brackets, "ja", Notation::Parentheses,
     PeriodMark::Dots, false, true, true},
    {"parentheses_chosen_ellipsis_entry", Notation::Parentheses, Notation::Ellipsis, "en",
     Notation::Parentheses, PeriodMark::Overline, true, true, true},
    {"parentheses_by_default", Notation::Parentheses, Notation::Brackets, "ja", Notation::Brackets,
     PeriodMark::Dots, false},
    {"latex_chosen_keeps_the_entrys", Notation::Latex, Notation::Brackets, "en", Notation::Brackets,
     PeriodMark::Overline, false, true},
    {"ellipsis_entry", Notation::Parentheses, Notation::Ellipsis, "en", Notation::Ellipsis,
     PeriodMark::Overline, true},
    {"ellipsis_asked", Notation::Ellipsis, Notation::Brackets, "en", Notation::Ellipsis,
     PeriodMark::Overline, true},
    {"latex_keeps_the_entrys", Notation::Latex, Notation::Brackets, "ja", Notation::Brackets,
     PeriodMark::Dots, false},
    {"keypad_asked", Notation::Keypad, Notation::Brackets, "en", Notation::Parentheses,
     PeriodMark::Overline, false},
    {"plain_entry", Notation::Parentheses, Notation::Plain, "en", Notation::Parentheses,
     PeriodMark::Overline, false},
    {"fraction_entry", Notation::R, Notation::Fraction, "en", Notation::R, PeriodMark::Overline,
     false},
    {"dots_entry", Notation::Parentheses, Notation::Dots, "en", Notation::Dots, PeriodMark::Dots,
     false},
    {"japanese", Notation::Quotes, Notation::Mixed, "ja", Notation::Quotes, PeriodMark::Dots,
     false},
};

class ChosenStyle : public ::testing::TestWithParam<StyleRow> {};

TEST_P(ChosenStyle, FollowsTheEntryTheAskedNotationAndTheLanguage) {
  const StyleRow& r = GetParam();
  for (const bool mixed : {false, true}) {
    const explain::Style style =
        explain::ChooseStyle(r.asked, r.entry, mixed, r.language, r.chosen);
    EXPECT_EQ(style,
              (explain::Style{r.notation, r.mark, mixed, r.fromShortest, r.parenthesesWritten}));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ChosenStyle, ::testing::ValuesIn(kStyles),
                         quotalis::testing::RowName());

TEST(Latex, EscapesItsSpecialCharacters) {
  EXPECT_EQ(explain::EscapeLatex("5% & 1_2 #{$}"), "5\\% \\& 1\\_2 \\#\\{\\$\\}");
  EXPECT_EQ(explain::EscapeLatex("a\\b ~ ^"),
            "a\\textbackslash{}b \\textasciitilde{} "
            "\\textasciicircum{}");
  EXPECT_EQ(explain::EscapeLatex("0.1(6) 分数"), "0.1(6) 分数");
}

TEST(Words, AloneInEachFormat) {
  EXPECT_EQ(explain::RenderWords("type 1 & 2", explain::Format::Text), "type 1 & 2");
  EXPECT_EQ(explain::RenderWords("type 1 & 2", explain::Format::Latex),
            "\\intertext{type 1 \\& 2}");
  EXPECT_EQ(explain::RenderWords(" a<b ", explain::Format::Mathml),
            "<math display=\"block\" class=\"quotalis-sentence\" alttext=\" a&lt;b \" "
            "aria-label=\" a&lt;b \"><mtext>\u00A0a&lt;b\u00A0</mtext></math>");
}

explain::Math Number(const std::string& digits) {
  explain::Math m;
  m.text = digits;
  return m;
}

// Steps made here: a sentence whose blanks are filled or, without an
// argument, left as they stand; and the rows of 30 ÷ 7 from digit 2, one
// divisor for both.
explain::Steps HandMade() {
  explain::Steps steps;
  steps.steps.emplace_back(
      explain::Sentence{"{1} is {2}, {3} and {x} are not", {{Number("7")}, {Number("-2")}}});
  const auto seven = std::make_shared<const mpz_class>(7);
  steps.steps.emplace_back(explain::DivisionRow{30, seven, 4, 2, 2, 3});
  steps.steps.emplace_back(explain::DivisionRow{20, seven, 2, 6, 3, 3});
  return steps;
}

TEST(Rendered, SentencesAndRowsInEachFormat) {
  const explain::Steps steps = HandMade();
  const explain::Style style;
  const words::Words& en = words::EnglishWords();
  EXPECT_EQ(
      explain::Render(steps, explain::Format::Text, style, en),
      (std::vector<std::string>{"7 is -2, {3} and {x} are not", "digit 2: 30 ÷ 7 = 4 remainder 2",
                                "digit 3: 20 ÷ 7 = 2 remainder 6"}));
  EXPECT_EQ(explain::Render(steps, explain::Format::Latex, style, en),
            (std::vector<std::string>{
                "\\begin{align*}", "\\intertext{$7$ is $-2$, \\{3\\} and \\{x\\} are not}",
                "\\text{digit 2:} \\quad 30 \\div 7 &= 4 \\text{ remainder } 2 \\\\",
                "\\text{digit 3:} \\quad 20 \\div 7 &= 2 \\text{ remainder } 6", "\\end{align*}"}));
  // Rows that do not start from the whole part are not drawn by hand.
  const std::vector<std::string> mathml =
      explain::Render(steps, explain::Format::Mathml, style, en);
  ASSERT_EQ(mathml.size(), 2u);
  EXPECT_EQ(mathml[0],
            "<math display=\"block\" class=\"quotalis-sentence\" alttext=\"7 is minus 2, {3} and "
            "{x} are not\" aria-label=\"7 is minus 2, {3} and {x} are not\"><mrow><mn>7</mn></mrow>"
            "<mtext>\u00A0is\u00A0</mtext><mrow><mrow><mo>\u2212</mo><mn>2</mn></mrow></mrow>"
            "<mtext>, {3} and {x} are not</mtext></math>");
  // Spoken: the same steps as words, one line each.
  EXPECT_NE(mathml[1].find("alttext=\"digit 2: 30 divided by 7 is 4 remainder 2&#10;digit 3: 20 "
                           "divided by 7 is 2 remainder 6\""),
            std::string::npos);
  EXPECT_EQ(explain::Render(steps, explain::Format::Spoken, style, en),
            (std::vector<std::string>{"7 is minus 2, {3} and {x} are not",
                                      "digit 2: 30 divided by 7 is 4 remainder 2",
                                      "digit 3: 20 divided by 7 is 2 remainder 6"}));
  EXPECT_NE(mathml[1].find("<mtd style=\"text-align:-webkit-right\"><mrow><mn>20</mn></mrow><mo>÷"
                           "</mo><mrow><mn>7</mn></mrow></mtd>"),
            std::string::npos);
}

}  // namespace
