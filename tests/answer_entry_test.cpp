// What the answer library tells a front end about an entry before it is
// answered: how far K reaches, whether it reads as a rounded display; K as
// typed; and the notations answers may be written in, named and labelled.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "answer/entry.h"
#include "answer/notations.h"
#include "words/table_words.h"

namespace {

using quotalis::answer::PeriodRoom;
using quotalis::answer::ReadsAsRounded;

TEST(PeriodRoom, DigitsAfterThePointOfAPlainDecimal) {
  const std::pair<const char*, std::optional<std::int64_t>> rows[] = {
      {"0.1666", 4},
      {"0.50", 2},
      {"12", 0},
      {"12.", 0},
      {".5", 1},
      {"-0.25", 2},
      {"\u2212\uff10\uff0e\uff15", 1},  // −０．５, typed in full width
      {" 0.125 ", 3},
      {"007.0100", 4},
      {"0.1(6)", std::nullopt},
      {"1/7", std::nullopt},
      {"1e-3", std::nullopt},
      {"1.5e0", 1},  // an exponent of 0 moves nothing
      {"0.1666...", std::nullopt},
      {".", std::nullopt},
      {"", std::nullopt},
      {"1.2.3", std::nullopt},
      {"0.16\u0307", std::nullopt},
      {"x", std::nullopt}};
  for (const auto& [entry, room] : rows) {
    EXPECT_EQ(PeriodRoom(entry), room) << entry;
  }
}

TEST(ReadsAsRounded, DecimalsThatEndAtTheUnitsOrAfter) {
  for (const char* entry : {"0.6666666667", "3.14159", "7", "-0.3", "1.5e-3", "1.25e1", "0.0000"}) {
    EXPECT_TRUE(ReadsAsRounded(entry)) << entry;
  }
  for (const char* entry : {"1.5e3", "0.1(6)", "0.333...", "1/3", "1 1/2", "x", "", "."}) {
    EXPECT_FALSE(ReadsAsRounded(entry)) << entry;
  }
}

TEST(ReadPeriod, KAsTyped) {
  const std::pair<const char*, std::int32_t> good[] = {
      {"0", 0}, {"007", 7}, {"\uff11\uff12", 12}, {"99999999999", 2147483647}};
  for (const auto& [text, k] : good) {
    std::int32_t period = -1;
    EXPECT_EQ(quotalis::answer::ReadPeriod(text, period), std::nullopt) << text;
    EXPECT_EQ(period, k) << text;
  }
  const std::pair<const char*, const char*> bad[] = {
      {"", "the period K is empty; give the number of recurring digits"},
      {"-1", "the period K '-1' is negative; give 0 or more"},
      {"\uff0d\uff11", "the period K '\uff0d\uff11' is negative; give 0 or more"},
      {"1.5", "the period K '1.5' is not a whole number"},
      {"x", "the period K 'x' is not a whole number"}};
  for (const auto& [text, message] : bad) {
    std::int32_t period = 5;
    const auto problem = quotalis::answer::ReadPeriod(text, period);
    ASSERT_TRUE(problem.has_value()) << text;
    EXPECT_EQ(problem->message, message);
    EXPECT_EQ(problem->kind, quotalis::exact::ProblemKind::Syntax);
    EXPECT_EQ(period, 5) << "a refused K changes nothing";
  }
}

TEST(AnswerNotations, NamedAndLabelledInBothLanguages) {
  std::string names;
  for (const auto& n : quotalis::answer::AnswerNotations()) {
    names += std::string(quotalis::exact::NotationName(n.notation)) + " ";
  }
  EXPECT_EQ(names, "parentheses brackets quotes r dots overline ellipsis latex keypad ");
  const auto& first = quotalis::answer::AnswerNotations().front();
  EXPECT_EQ(NotationLabel(first, quotalis::words::EnglishWords()), "parentheses 0.1(6)");
  EXPECT_EQ(NotationLabel(first, quotalis::words::TableWords("ja")), "かっこ 0.1(6)");
  const auto& keypad = quotalis::answer::AnswerNotations().back();
  EXPECT_EQ(NotationLabel(keypad, quotalis::words::EnglishWords()),
            "what to type on the keypad 0.16 1");
  // Each label shows 1/6 in its own notation, in either language.
  for (const auto& n : quotalis::answer::AnswerNotations()) {
    for (const char* language : {"en", "ja"}) {
      const std::string label = NotationLabel(n, quotalis::words::TableWords(language));
      EXPECT_EQ(label.find("{1}"), std::string::npos) << label;
    }
  }
}

TEST(NotationForAnswers, RefusesWhatCannotWriteAnAnswer) {
  using quotalis::exact::Notation;
  EXPECT_EQ(std::get<Notation>(quotalis::answer::NotationForAnswers("parens")),
            Notation::Parentheses);
  EXPECT_EQ(std::get<Notation>(quotalis::answer::NotationForAnswers("keypad")), Notation::Keypad);
  const std::string all =
      "parentheses, brackets, quotes, r, dots, overline, ellipsis, latex or keypad";
  EXPECT_EQ(std::get<quotalis::exact::Problem>(quotalis::answer::NotationForAnswers("dot")).message,
            "unknown notation 'dot'; give " + all);
  EXPECT_EQ(
      std::get<quotalis::exact::Problem>(quotalis::answer::NotationForAnswers("plain")).message,
      "the notation 'plain' cannot write an answer; give " + all);
  EXPECT_EQ(std::get<quotalis::exact::Problem>(quotalis::answer::NotationForAnswers("Dots")).kind,
            quotalis::exact::ProblemKind::Argument);
}

}  // namespace
