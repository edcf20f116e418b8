// Numbers too long to show whole (explain::kLongestNumberShown): each
// stands by its first and last digits and the count of those between,
// reckoned here from the number's own digits; the equations that hold one
// are left out of the evaluation, and every other still holds; and the
// three formats word the digits left out.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include <quotalis/exact/read.h>
#include <quotalis/exact/working.h>

#include "explain/render.h"
#include "explain_check.h"

namespace {

using namespace quotalis;
using quotalis::testing::Checked;
using quotalis::testing::CheckSteps;
using quotalis::testing::ExpectedShown;
using quotalis::testing::Shown;
using Kind = explain::Math::Kind;

mpz_class TenTo(unsigned long n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
  return p;
}

// Every Number piece of the steps' formulas, fractions' terms included.
void CollectNumbers(const explain::Formula& f, std::vector<const explain::Math*>& out) {
  for (const explain::Math& m : f) {
    if (m.kind == Kind::Number) out.push_back(&m);
    CollectNumbers(m.numerator, out);
    CollectNumbers(m.denominator, out);
  }
}
std::vector<const explain::Math*> Numbers(const explain::Steps& steps) {
  std::vector<const explain::Math*> out;
  for (const explain::Step& step : steps.steps) {
    if (const auto* s = std::get_if<explain::Sentence>(&step)) {
      for (const explain::Formula& f : s->args) CollectNumbers(f, out);
    } else if (const auto* e = std::get_if<explain::Equation>(&step)) {
      for (const explain::Formula& f : e->sides) CollectNumbers(f, out);
    }
  }
  return out;
}

// The numbers shown by their ends are exactly `long_`, each with its ends
// and count right; the equations that hold one are left out, and the rest
// of the working still holds.
void ExpectLongNumbers(const explain::Steps& steps, const std::vector<mpz_class>& long_,
                       const quotalis::testing::Bindings& bindings, const std::string& label) {
  std::set<std::string> expected, found;
  for (const mpz_class& n : long_) expected.insert(ExpectedShown(n));
  for (const explain::Math* m : Numbers(steps)) {
    if (m->hidden == 0) {
      EXPECT_LE(m->text.size(), explain::kLongestNumberShown + 1) << label;
      continue;
    }
    EXPECT_EQ(m->tail.size(), explain::kShownEnds) << label;
    found.insert(Shown(*m));
  }
  EXPECT_EQ(found, expected) << label;
  const Checked c = CheckSteps(steps, bindings, label);
  EXPECT_GT(c.unknown, 0) << label;
  for (const std::string& why : c.unknownWhy) {
    EXPECT_TRUE(why.find("shown by its ends") != std::string::npos) << label << ": " << why;
  }
}

explain::Steps FractionStepsOf(const std::string& text) {
  const auto read = exact::Read(text);
  const auto& written = std::get<exact::FractionText>(std::get<exact::Reading>(read).value);
  return explain::FractionSteps(std::get<exact::FractionWorking>(exact::ExplainFraction(written)));
}

TEST(LongNumbers, ALongNumeratorOverSeven) {
  const mpz_class n = TenTo(1500) + 3;
  const mpz_class whole = n / 7;
  const explain::Steps steps = FractionStepsOf(n.get_str() + "/7");
  ExpectLongNumbers(steps, {n}, {}, "10^1500 + 3 over 7");
  // The decimal, in the closing line: its whole part by its ends too, the
  // count of digits left out beside.
  const auto& closing = std::get<explain::Sentence>(steps.steps.back());
  EXPECT_EQ(closing.format, "So {1}");
  const explain::Math& decimal = closing.args.at(0).back();
  ASSERT_EQ(decimal.kind, Kind::Decimal);
  const std::string digits = whole.get_str();
  EXPECT_EQ(decimal.leftOut.integer, static_cast<std::int64_t>(digits.size() - 20));
  EXPECT_EQ(decimal.decimal.integer, digits.substr(0, 10) + digits.substr(digits.size() - 10));
  EXPECT_EQ(decimal.leftOut.fixed + decimal.leftOut.period, 0);

  // Each format words the digits left out of the dividend and the quotient.
  const explain::Style style;
  const auto text = explain::Render(steps, explain::Format::Text, style, words::EnglishWords());
  EXPECT_EQ(text.at(0), "Work out 1000000000…(1,481 more digits)…0000000003 ÷ 7 by long division:");
  const std::string quotient = digits.substr(0, 10) + "…(1,480 more digits)…" +
                               digits.substr(digits.size() - 10) + " remainder 4";
  const std::string row = "1000000000…(1,481 more digits)…0000000003 ÷ 7 = " + quotient;
  EXPECT_NE(text.at(1).find(row), std::string::npos) << text.at(1);
  const auto latex = explain::Render(steps, explain::Format::Latex, style, words::EnglishWords());
  EXPECT_NE(latex.at(2).find("1000000000\\text{\\ldots{}(1,481 more digits)\\ldots{}}0000000003 "
                             "\\div 7 &= "),
            std::string::npos)
      << latex.at(2);
  const auto mathml = explain::Render(steps, explain::Format::Mathml, style, words::EnglishWords());
  EXPECT_NE(mathml.at(1).find("<mn>1000000000</mn><mtext>…(1,481 more digits)…</mtext>"
                              "<mn>0000000003</mn></mrow><mo>÷</mo><mrow><mn>7</mn>"),
            std::string::npos)
      << mathml.at(1).substr(0, 2000);
}

TEST(LongNumbers, ThousandZerosBeforeTheDigits) {
  // 0.000…01(6), 1,000 zeros: y's non-recurring part has 1,001 digits, its
  // coefficient 10^1002 - 10^1001 and the denominator in lowest terms more
  // than a number shows.
  const std::string entry = "0." + std::string(1000, '0') + "1(6)";
  const auto read = exact::Read(entry);
  const auto& d = std::get<exact::Decimal>(std::get<exact::Reading>(read).value);
  const auto made = exact::ExplainDecimal(d);
  const explain::Steps steps = explain::DecimalSteps(std::get<exact::DecimalWorking>(made), {});
  const mpz_class denominator = 6 * TenTo(1000);
  ExpectLongNumbers(steps, {9 * TenTo(1001), denominator}, {{"x", mpq_class(1, denominator)}},
                    "thousand zeros");
  const auto& let = std::get<explain::Sentence>(steps.steps.front());
  const explain::Math& x = let.args.at(0).back();
  ASSERT_EQ(x.kind, Kind::Decimal);
  EXPECT_EQ(x.leftOut.fixed, 981);
  EXPECT_EQ(x.decimal.fixed, "00000000000000000001");
  EXPECT_EQ(x.decimal.period, "6");
}

// Up to kLongestNumberShown digits a number is shown whole, by its digits
// however many it has, not by an estimate of their count.
TEST(LongNumbers, AThousandDigitsShownWhole) {
  for (const unsigned long zeros : {998UL, 999UL, 1000UL}) {
    for (int lead = 1; lead <= 9; ++lead) {
      const mpz_class d = lead * TenTo(zeros);
      const explain::Steps steps = FractionStepsOf("1/" + d.get_str());
      const auto& work = std::get<explain::Sentence>(steps.steps.front());
      ASSERT_EQ(work.args.at(0).size(), 3u);
      EXPECT_EQ(Shown(work.args[0][2]), ExpectedShown(d)) << lead << "e" << zeros;
    }
  }
}

}  // namespace
