// The answer library's one entry point in each form: over seeded fractions,
// the value, the --detail fields and the JSON fields of the same request
// agree with each other and with long division worked out by the test's own
// reference; the formats of the working asked are all rendered from one
// build of its steps; the memory limit and the long-work hook are asked only
// when they matter.
#include <gmpxx.h>

#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "answer/answer.h"
#include "answer/write.h"
#include "reference/long_division.h"
#include "words/table_words.h"

namespace {

using quotalis::answer::Answer;
using quotalis::answer::AnswerEntry;
using quotalis::answer::Form;
using quotalis::answer::Request;
using quotalis::answer::Status;

std::string Written(const Answer& a, Form form) {
  std::ostringstream out;
  bool started = false;
  switch (form) {
    case Form::Value: quotalis::answer::WriteValue(out, a, started); break;
    case Form::Detail: quotalis::answer::WriteDetail(out, a, started); break;
    case Form::Json: quotalis::answer::WriteJson(out, a, started); break;
    case Form::Working: quotalis::answer::WriteWorking(out, a); break;
  }
  return out.str();
}

std::string Answered(std::string_view entry, Form form, Request request = {}) {
  request.entry = entry;
  request.form = form;
  const Answer a = AnswerEntry(request);
  EXPECT_EQ(a.status, Status::Answered) << entry << ": " << a.refusal.sentence;
  return Written(a, form);
}

// The decimal the reference's long division gives, in parentheses.
std::string InParentheses(const quotalis::testing::Quotient& q) {
  std::string text = (q.negative ? "-" : "") + q.whole;
  if (!q.fixed.empty() || !q.period.empty()) text += "." + q.fixed;
  if (!q.period.empty()) text += "(" + q.period + ")";
  return text;
}

TEST(AnswerForms, AgreeWithLongDivisionBothWays) {
  std::mt19937_64 rng(20261209);
  for (int i = 0; i < 400; ++i) {
    mpz_class n(static_cast<unsigned long>(rng() % 100000));
    mpz_class d(static_cast<unsigned long>(rng() % 3000 + 1));
    if (i % 3 == 0) n = -n;
    mpq_class value(n, d);
    value.canonicalize();
    const std::string fraction = value.get_num().get_str() + "/" + value.get_den().get_str();
    const std::string decimal = InParentheses(quotalis::testing::LongDivision(n, d));
    SCOPED_TRACE(n.get_str() + "/" + d.get_str() + " = " + decimal);

    // Decimal to fraction: the value, the third --detail field and the JSON
    // object's terms all say the lowest terms.
    EXPECT_EQ(Answered(decimal, Form::Value), fraction);
    const std::string detail = Answered(decimal, Form::Detail);
    EXPECT_EQ(detail.substr(detail.rfind('\t') + 1), fraction);
    const std::string json = Answered(decimal, Form::Json);
    EXPECT_NE(json.find("\"fraction\":\"" + fraction + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"numerator\":\"" + value.get_num().get_str() + "\""), std::string::npos);

    // Fraction to decimal: the value, the first --detail field and "decimal".
    const std::string asWritten = n.get_str() + "/" + d.get_str();
    EXPECT_EQ(Answered(asWritten, Form::Value), decimal);
    EXPECT_EQ(Answered(asWritten, Form::Detail).substr(0, decimal.size() + 1), decimal + "\t");
    EXPECT_NE(Answered(asWritten, Form::Json).find("\"decimal\":\"" + decimal + "\""),
              std::string::npos);
  }
}

TEST(AnswerForms, WorkingInEveryFormatFromOneBuild) {
  for (const char* entry : {"0.1(6)", "1/7", "3 1/4", "-1.2(3)e-5", "0.1666..."}) {
    for (const char* language : {"en", "ja"}) {
      SCOPED_TRACE(std::string(entry) + " " + language);
      Request request;
      request.entry = entry;
      request.words = &quotalis::words::TableWords(language);
      request.form = Form::Json;
      request.working = {.text = true, .latex = true, .mathml = true, .spoken = true};
      const Answer all = AnswerEntry(request);
      ASSERT_EQ(all.status, Status::Answered);
      // Each format as it comes when asked alone.
      for (const auto& [asked, lines] :
           {std::pair{quotalis::answer::Formats{.text = true}, &all.working.text},
            std::pair{quotalis::answer::Formats{.latex = true}, &all.working.latex},
            std::pair{quotalis::answer::Formats{.mathml = true}, &all.working.mathml},
            std::pair{quotalis::answer::Formats{.spoken = true}, &all.working.spoken}}) {
        request.working = asked;
        const Answer alone = AnswerEntry(request);
        const auto& own = asked.text     ? alone.working.text
                          : asked.latex  ? alone.working.latex
                          : asked.mathml ? alone.working.mathml
                                         : alone.working.spoken;
        EXPECT_FALSE(lines->empty());
        EXPECT_EQ(*lines, own);
      }
      // Several formats asked: each under its own key, beside "working".
      const std::string json = Written(all, Form::Json);
      for (const char* key : {"\"working\":[", "\"workingMathml\":\"<math", "\"workingText\":\"",
                              "\"workingLatex\":\"\\\\begin{align*}", "\"workingSpoken\":\""}) {
        EXPECT_NE(json.find(key), std::string::npos) << key << " in " << json;
      }
    }
  }
}

// A notation chosen writes the working's decimals as it writes the answer,
// in every format and language, dots and lines whatever the language; left
// as the default, the entry's own notation stands in the working.
TEST(AnswerForms, WriteTheWorkingInTheNotationChosen) {
  using N = quotalis::exact::Notation;
  struct Row {
    const char* language;
    N notation;
    bool chosen;
    const char *decimal, *inMathml, *notInMathml;
  };
  // The dot over a recurring digit: a full stop, which sits on its digit in
  // every engine.
  const char* dot = "<mo>.</mo></mover>";
  const Row rows[] = {
      {"ja", N::Dots, true, "0.16\u0307", dot, "\u2015"},
      {"ja", N::Overline, true, "0.16\u0305", "\u2015", dot},
      {"en", N::Dots, true, "0.16\u0307", dot, "\u2015"},
      {"ja", N::Parentheses, true, "0.1(6)", "<mn>0.1(6)</mn>", dot},
      {"en", N::Parentheses, true, "0.1(6)", "<mn>0.1(6)</mn>", "\u2015"},
      {"ja", N::Parentheses, false, "0.1(6)", "<mn>0.1[6]</mn>", "<mn>0.1(6)</mn>"},
      {"en", N::Parentheses, false, "0.1(6)", "<mn>0.1[6]</mn>", "<mn>0.1(6)</mn>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + row.decimal + (row.chosen ? " chosen" : ""));
    Request request;
    request.entry = "0.1[6]";  // the entry's own notation yields to one chosen
    request.words = &quotalis::words::TableWords(row.language);
    request.notation = row.notation;
    request.notationChosen = row.chosen;
    request.form = Form::Json;
    request.working = {.text = true, .mathml = true};
    const Answer a = AnswerEntry(request);
    ASSERT_EQ(a.status, Status::Answered);
    const std::string decimal = row.decimal;
    EXPECT_EQ(a.decimal, decimal);
    const std::string text = a.working.text.at(0), mathml = a.working.mathml.at(0);
    if (row.chosen) {
      EXPECT_NE(text.find(decimal), std::string::npos) << text;
    } else {
      EXPECT_NE(text.find("0.1[6]"), std::string::npos) << text;
    }
    EXPECT_NE(mathml.find(row.inMathml), std::string::npos) << mathml;
    EXPECT_EQ(mathml.find(row.notInMathml), std::string::npos) << mathml;
  }
}

TEST(AnswerForms, AskForTheMemoryLimitOnlyForLongWork) {
  int asked = 0;
  int before = 0;
  Request request;
  request.findMemoryLimit = [&asked]() -> std::optional<std::uint64_t> {
    ++asked;
    return std::uint64_t{8} << 20;
  };
  request.beforeLongWork = [&before] { ++before; };
  request.entry = "0.1(6)";
  EXPECT_EQ(AnswerEntry(request).status, Status::Answered);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(before, 0);
  // 1/9999943 written to two million digits: long work, within 8 MiB.
  request.entry = "1/9999943";
  request.maxDigits = 2'000'000;
  EXPECT_EQ(AnswerEntry(request).status, Status::Answered);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(before, 1);
  // A 3,000,000-digit decimal takes more than 8 MiB: refused before it starts.
  const std::string longEntry = "0." + std::string(3'000'000, '3');
  request.entry = longEntry;
  const Answer refused = AnswerEntry(request);
  EXPECT_EQ(refused.status, Status::Failed);
  EXPECT_EQ(refused.refusal.kind, quotalis::exact::ProblemKind::TooLarge);
  EXPECT_EQ(before, 1);
  // A limit given as a number is held to for every entry, however small.
  Request tight;
  tight.entry = "0.5";
  tight.memoryLimit = 1;
  const Answer small = AnswerEntry(tight);
  EXPECT_EQ(small.status, Status::Failed);
  EXPECT_NE(small.refusal.sentence.find("more than the 1 B an entry may take"), std::string::npos)
      << small.refusal.sentence;
}

TEST(AnswerForms, QuoteTheEntryInTheirRefusals) {
  Request request;
  request.entry = "0.1(6";
  const Answer a = AnswerEntry(request);
  EXPECT_EQ(a.status, Status::BadInput);
  EXPECT_EQ(a.refusal.sentence, "'0.1(6': the parenthesis opened at character 4 is never closed");
  EXPECT_EQ(a.refusal.position, 4);
  request.words = &quotalis::words::TableWords("ja");
  EXPECT_TRUE(AnswerEntry(request).refusal.sentence.starts_with("「0.1(6」: "));
  // The keypad cannot type it: the answer, not the entry, fails.
  Request keypad;
  keypad.entry = "-1/2";
  keypad.notation = quotalis::exact::Notation::Keypad;
  EXPECT_EQ(AnswerEntry(keypad).status, Status::Failed);
}

}  // namespace
