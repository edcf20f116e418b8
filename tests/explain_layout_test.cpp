// The working as a teacher lays it out, over seeded entries: the factors
// struck in the numerator and in the denominator are the same and multiply
// to their highest common factor (found here with GMP's gcd); and the spoken
// form of every line holds no notation character and, in Japanese, names the
// recurring digits in words.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include <quotalis/exact/rounded.h>
#include <quotalis/exact/working.h>

#include "explain/render.h"
#include "explain_check.h"
#include "words/table_words.h"
#include "words/words.h"

namespace {

using namespace quotalis;
using Kind = explain::Math::Kind;

// A term of the reduction: its value and the factors struck in it, each a
// prime to a power, as "p^n".
struct Term {
  mpz_class value;
  std::vector<std::string> struck;
  mpz_class product = 1;
};

// The struck pieces of a formula of prime factors.
void Struck(const explain::Formula& f, Term& t) {
  for (const explain::Math& m : f) {
    if (m.common.empty()) continue;
    const std::string exponent = m.kind == Kind::Power ? m.exponent : "1";
    EXPECT_EQ(m.common, exponent) << "a factor struck in part: " << m.text;
    t.struck.push_back(m.text + "^" + exponent);
    mpz_class power;
    mpz_pow_ui(power.get_mpz_t(), mpz_class(m.text, 10).get_mpz_t(), std::stoul(exponent));
    t.product *= power;
  }
}

// The terms the working factors: its equations of prime factors ("90 = 2 ×
// 3 × 3 × 5"), and the primes it names in a sentence ("7 is a prime number").
std::vector<Term> FactoredTerms(const explain::Steps& steps) {
  std::vector<Term> terms;
  for (const explain::Step& step : steps.steps) {
    if (const auto* e = std::get_if<explain::Equation>(&step)) {
      if (e->sides.size() != 2 || e->sides[0].size() != 1) continue;
      if (e->sides[0][0].kind != Kind::Number || e->sides[1].size() < 1) continue;
      const bool factors = std::all_of(e->sides[1].begin(), e->sides[1].end(), [](const auto& m) {
        return m.kind == Kind::Number || m.kind == Kind::Power ||
               (m.kind == Kind::Operator && m.text == "×");
      });
      if (!factors) continue;
      Term t{mpz_class(e->sides[0][0].text, 10), {}};
      Struck(e->sides[1], t);
      terms.push_back(t);
    } else if (const auto* s = std::get_if<explain::Sentence>(&step)) {
      if (std::string(s->format) != "{1} is a prime number") continue;
      Term t{mpz_class(s->args.at(0).at(0).text, 10), {}};
      Struck(s->args.at(0), t);
      terms.push_back(t);
    }
  }
  return terms;
}

exact::Decimal RandomDecimal(std::mt19937& g) {
  const auto digits = [&](int most) {
    std::string s(std::uniform_int_distribution<std::size_t>(0, static_cast<std::size_t>(most))(g),
                  '0');
    for (char& c : s) c = static_cast<char>('0' + g() % 10);
    return s;
  };
  exact::Decimal d;
  d.negative = g() % 4 == 0;
  d.integer = digits(3);
  d.fixed = digits(3);
  d.period = digits(3);
  if (g() % 4 == 0) d.exponent = std::uniform_int_distribution<int>(-8, 8)(g);
  return d;
}

TEST(StruckFactors, AreTheSameInBothTermsAndMultiplyToTheirHighestCommonFactor) {
  std::mt19937 g(22022);
  int reduced = 0;
  for (int i = 0; i < 500; ++i) {
    const exact::Decimal d = RandomDecimal(g);
    const auto made = exact::ExplainDecimal(d);
    ASSERT_TRUE(std::holds_alternative<exact::DecimalWorking>(made));
    const explain::Steps steps =
        explain::DecimalSteps(std::get<exact::DecimalWorking>(made), explain::Style{});
    const std::vector<Term> terms = FactoredTerms(steps);
    const std::string label = "entry " + std::to_string(i);
    if (terms.empty()) continue;  // in lowest terms already, or a whole number
    ASSERT_EQ(terms.size(), 2u) << label;
    std::vector<std::string> top = terms[0].struck, bottom = terms[1].struck;
    std::sort(top.begin(), top.end());
    std::sort(bottom.begin(), bottom.end());
    EXPECT_EQ(top, bottom) << label;
    mpz_class hcf;
    mpz_gcd(hcf.get_mpz_t(), terms[0].value.get_mpz_t(), terms[1].value.get_mpz_t());
    EXPECT_EQ(terms[0].product, hcf) << label;
    EXPECT_NE(hcf, 1) << label << ": coprime terms are said in one line, not factored";
    ++reduced;
  }
  EXPECT_GT(reduced, 150);
}

// Whether a step holds a recurring decimal.
bool Recurs(const explain::Formula& f) {
  for (const explain::Math& m : f) {
    if (m.kind == Kind::Decimal && !m.decimal.period.empty()) return true;
    if (m.kind == Kind::Fraction && (Recurs(m.numerator) || Recurs(m.denominator))) return true;
  }
  return false;
}
bool Recurs(const explain::Step& step) {
  if (const auto* s = std::get_if<explain::Sentence>(&step)) {
    return std::any_of(s->args.begin(), s->args.end(), [](const auto& f) { return Recurs(f); });
  }
  if (const auto* e = std::get_if<explain::Equation>(&step)) {
    return std::any_of(e->sides.begin(), e->sides.end(), [](const auto& f) { return Recurs(f); });
  }
  return false;
}

TEST(Spoken, HoldsNoNotationAndNamesTheRecurringDigits) {
  std::mt19937 g(22023);
  const words::Words& japanese = words::TableWords("ja");
  const words::Words& english = words::EnglishWords();
  int lines = 0;
  for (int i = 0; i < 300; ++i) {
    explain::Steps steps;
    const int kind = i % 3;
    if (kind == 0) {
      steps = explain::DecimalSteps(
          std::get<exact::DecimalWorking>(exact::ExplainDecimal(RandomDecimal(g))), {});
    } else if (kind == 1) {
      const exact::Rational r{std::uniform_int_distribution<int>(-2000, 2000)(g),
                              std::uniform_int_distribution<int>(1, 300)(g)};
      steps = explain::FractionSteps(std::get<exact::FractionWorking>(exact::ExplainFraction(r)));
    } else {
      exact::Decimal d = RandomDecimal(g);
      d.period.clear();
      d.exponent = std::min<std::int64_t>(d.exponent, 0);
      steps = explain::RoundedSteps(std::get<exact::RoundedWorking>(exact::ExplainRounded(d)), {});
    }
    for (const words::Words* words : {&english, &japanese}) {
      for (const exact::Notation notation : {exact::Notation::Parentheses, exact::Notation::Dots}) {
        explain::Style style;
        style.notation = notation;
        style.mark = notation == exact::Notation::Dots ? explain::PeriodMark::Dots
                                                       : explain::PeriodMark::Overline;
        const std::vector<std::string> spoken =
            explain::Render(steps, explain::Format::Spoken, style, *words);
        ASSERT_EQ(spoken.size(), steps.steps.size());
        for (std::size_t k = 0; k < spoken.size(); ++k) {
          const std::string& line = spoken[k];
          const std::string label = "working " + std::to_string(i) + " (" +
                                    std::string(words->Language()) + "), line " +
                                    std::to_string(k + 1) + ": " + line;
          for (const std::string_view mark : {"(", ")", "\u0307", "^", "/", "\u0305"}) {
            EXPECT_EQ(line.find(mark), std::string::npos) << label;
          }
          if (words->Language() == "ja" && Recurs(steps.steps[k])) {
            EXPECT_TRUE(line.find("くり返す") != std::string::npos ||
                        line.find("循環") != std::string::npos)
                << label;
          }
          ++lines;
        }
      }
    }
  }
  EXPECT_GT(lines, 10000);
}

TEST(Spoken, ReadsAsATeacherReads) {
  const auto decimal = [](const char* integer, const char* fixed, const char* period) {
    return std::get<exact::DecimalWorking>(
        exact::ExplainDecimal(exact::Decimal{false, integer, fixed, period, 0}));
  };
  const words::Words& japanese = words::TableWords("ja");
  const std::vector<std::string> ja = explain::Render(
      explain::DecimalSteps(decimal("0", "1", "6"), {}), explain::Format::Spoken, {}, japanese);
  EXPECT_EQ(ja.front(), "エックス イコール 0.16、6 がくり返す とおく。");
  EXPECT_EQ(ja.at(2), "100エックス イコール 16.666、6 がくり返す、式1");
  EXPECT_EQ(ja.at(6), "ひく 10エックス イコール 1.666、6 がくり返す");
  EXPECT_EQ(ja.back(), "よって 0.16、6 がくり返す イコール 6分の1。");
  const std::vector<std::string> en =
      explain::Render(explain::DecimalSteps(decimal("0", "1", "6"), {}), explain::Format::Spoken,
                      {}, words::EnglishWords());
  EXPECT_EQ(en.front(), "Let x equals 0.16, 6 recurring");
  EXPECT_EQ(en.back(), "So 0.16, 6 recurring equals one sixth");
  // Powers are read as powers, and a period of several digits digit by digit.
  const std::vector<std::string> power =
      explain::Render(explain::DecimalSteps(decimal("0", "", "1234567"), {}),
                      explain::Format::Spoken, {}, japanese);
  EXPECT_NE(power.at(2).find("10の7乗エックス"), std::string::npos) << power.at(2);
  EXPECT_NE(power.front().find("1 2 3 4 5 6 7 がくり返す"), std::string::npos) << power.front();
}

}  // namespace

namespace {

// The value of "digits.digits…" as a reader takes it: the shortest block
// the digits after the point end with twice (a digit, three times) recurs.
mpq_class ReadBack(const std::string& whole, const std::string& after) {
  std::string fixed = after, period;
  for (std::size_t q = 1; 2 * q <= after.size(); ++q) {
    const std::size_t need = std::max<std::size_t>(2, (3 + q - 1) / q) * q;
    if (need > after.size()) continue;
    if (after.substr(after.size() - need, need - q) == after.substr(after.size() - need + q)) {
      period = after.substr(after.size() - q);
      fixed = after.substr(0, after.size() - q);
      break;
    }
  }
  mpz_class ten;
  mpz_ui_pow_ui(ten.get_mpz_t(), 10, fixed.size());
  mpq_class v(mpz_class(whole + fixed, 10), ten);
  if (!period.empty()) {
    mpz_class nines;
    mpz_ui_pow_ui(nines.get_mpz_t(), 10, period.size());
    v += mpq_class(mpz_class(period, 10), ten * (nines - 1));
  }
  v.canonicalize();
  return v;
}

TEST(WrittenOutTails, ReadBackAsTheDecimalTheyStandFor) {
  std::mt19937 g(22024);
  int tails = 0;
  for (int i = 0; i < 3000; ++i) {
    exact::Decimal d;
    std::string period(std::uniform_int_distribution<std::size_t>(1, 8)(g), '0');
    for (char& c : period) c = static_cast<char>('0' + g() % (i % 2 ? 2 : 10));  // 0s and 1s too
    d.integer = std::to_string(g() % 100);
    d.period = period;
    const auto made = exact::ExplainDecimal(d);
    const explain::Steps steps =
        explain::DecimalSteps(std::get<exact::DecimalWorking>(made), explain::Style{});
    for (const explain::Step& step : steps.steps) {
      const auto* e = std::get_if<explain::Equation>(&step);
      if (e == nullptr) continue;
      for (const explain::Formula& side : e->sides) {
        for (const explain::Math& m : side) {
          if (m.kind != Kind::Decimal || m.writtenOut == 0) continue;
          std::string after = m.decimal.fixed;
          for (int k = 0; k < m.writtenOut; ++k) after += m.decimal.period;
          EXPECT_EQ(ReadBack(m.decimal.integer, after), quotalis::testing::DecimalValue(m.decimal))
              << m.decimal.integer << "." << after << "…";
          ++tails;
        }
      }
    }
  }
  EXPECT_GT(tails, 3000);
}

}  // namespace
