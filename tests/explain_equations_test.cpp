// Every equation of the working holds: over hundreds of seeded entries, each
// written in every notation, each direction's steps evaluated as exact
// rationals (explain_check.h), the variables bound to what they stand for,
// their values computed here from the entries' own digits.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include <quotalis/exact/keypad.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/working.h>

#include "explain/render.h"
#include "explain_check.h"

namespace {

using namespace quotalis;
using quotalis::testing::Bindings;
using quotalis::testing::Checked;
using quotalis::testing::CheckSteps;
using quotalis::testing::DecimalValue;
using quotalis::testing::Described;
using quotalis::testing::Evaluate;
using quotalis::testing::RowsOf;
using Kind = explain::Math::Kind;

constexpr exact::Notation kAsked[] = {exact::Notation::Parentheses, exact::Notation::Brackets,
                                      exact::Notation::Quotes,      exact::Notation::Dots,
                                      exact::Notation::Overline,    exact::Notation::R,
                                      exact::Notation::Ellipsis,    exact::Notation::Latex,
                                      exact::Notation::Keypad,      exact::Notation::Plain};
constexpr std::size_t kAskedCount = std::size(kAsked);

std::string RandomDigits(std::mt19937& g, std::size_t most) {
  std::string s(std::uniform_int_distribution<std::size_t>(0, most)(g), '0');
  for (char& c : s) c = static_cast<char>('0' + g() % 10);
  return s;
}

exact::Decimal RandomDecimal(std::mt19937& g) {
  exact::Decimal d;
  d.negative = g() % 3 == 0;
  d.integer = RandomDigits(g, 3);
  d.fixed = RandomDigits(g, 4);
  d.period = RandomDigits(g, 4);
  switch (g() % 8) {
    case 0: d.period = std::string(d.period.size(), '9'); break;  // the same as a decimal that ends
    case 1: d.period = std::string(d.period.size(), '0'); break;
    case 2: d.period.clear(); break;
    default: break;
  }
  if (g() % 3 == 0) d.exponent = std::uniform_int_distribution<int>(-12, 12)(g);
  return d;
}

// `d` written in `notation`, as a person types it; nothing for a notation
// that cannot write it.
std::optional<std::string> Typed(const exact::Decimal& d, exact::Notation notation) {
  const std::string sign = d.negative ? "-" : "";
  const std::string exponent = d.exponent != 0 ? "e" + std::to_string(d.exponent) : "";
  const std::string& p = d.period;
  const std::string head = sign + d.integer + (d.fixed.empty() && p.empty() ? "" : ".") + d.fixed;
  if (p.empty()) {
    if (notation == exact::Notation::Plain) return head + exponent;
    return std::nullopt;
  }
  switch (notation) {
    case exact::Notation::Parentheses: return head + "(" + p + ")" + exponent;
    case exact::Notation::Brackets: return head + "[" + p + "]" + exponent;
    case exact::Notation::Quotes: return head + "'" + p + "'" + exponent;
    case exact::Notation::R: return head + "r" + p + exponent;
    case exact::Notation::Ellipsis: return head + p + p + p + "..." + exponent;
    case exact::Notation::Dots: {
      std::string marked = p.substr(0, 1) + "\u0307";
      if (p.size() > 1) marked += p.substr(1, p.size() - 2) + p.substr(p.size() - 1) + "\u0307";
      return head + marked + exponent;
    }
    case exact::Notation::Overline: {
      std::string marked;
      for (const char c : p) marked += std::string(1, c) + "\u0305";
      return head + marked + exponent;
    }
    default: return std::nullopt;
  }
}

// The formulas that say what x is: those that start "x =".
std::vector<const explain::Formula*> AboutX(const explain::Steps& steps) {
  std::vector<const explain::Formula*> about;
  const auto starts = [](const explain::Formula& f) {
    return f.size() > 2 && f[0].kind == Kind::Variable && f[0].text == "x" &&
           f[1].kind == Kind::Operator && f[1].text == "=";
  };
  for (const explain::Step& step : steps.steps) {
    if (const auto* s = std::get_if<explain::Sentence>(&step)) {
      for (const explain::Formula& arg : s->args) {
        if (starts(arg)) about.push_back(&arg);
      }
    }
  }
  return about;
}

// Whether the last side of `f` is a value in lowest terms: a whole number
// (or a decimal whose value is one: "7.0" is worked no further), or a
// fraction of coprime terms (perhaps after a minus sign), or a mixed number
// of one.
bool InLowestTerms(const explain::Formula& f) {
  std::size_t last = f.size();
  while (last > 0 && !(f[last - 1].kind == Kind::Operator && f[last - 1].text == "=")) --last;
  explain::Formula side(f.begin() + static_cast<std::ptrdiff_t>(last), f.end());
  if (!side.empty() && side.front().kind == Kind::Negative) side.erase(side.begin());
  if (side.size() == 2 && side[0].kind == Kind::Number) side.erase(side.begin());  // mixed
  if (side.size() != 1) return false;
  const explain::Math& m = side.front();
  if (m.kind == Kind::Number) return true;
  if (m.kind == Kind::Decimal) return DecimalValue(m.decimal).get_den() == 1;  // 7.0, unreduced
  if (m.kind != Kind::Fraction || m.numerator.size() != 1 || m.denominator.size() != 1)
    return false;
  const mpz_class n(m.numerator[0].text, 10), d(m.denominator[0].text, 10);
  return d > 1 && gcd(n, d) == 1;
}

TEST(EveryEquationHolds, DecimalToFractionInEveryNotation) {
  std::mt19937 g(20240611);
  int workings = 0, refused = 0, relations = 0;
  for (int i = 0; i < 300; ++i) {
    const exact::Decimal d = RandomDecimal(g);
    exact::Decimal digits = d;
    digits.negative = false;
    digits.exponent = 0;
    const Bindings bindings = {{"x", DecimalValue(d)}, {"y", DecimalValue(digits)}};
    struct Typing {
      std::string text;
      exact::Notation notation;
      exact::Result<exact::Decimal> read;
    };
    std::vector<Typing> entries;
    for (const exact::Notation n : kAsked) {
      const std::optional<std::string> text = Typed(d, n);
      if (!text) continue;
      const exact::Result<exact::Reading> read = exact::Read(*text);
      if (const auto* r = std::get_if<exact::Reading>(&read)) {
        entries.push_back({*text, r->notation, std::get<exact::Decimal>(r->value)});
      } else {
        ++refused;
      }
    }
    // The keypad's entry, the digits and K, where it is the same number: the
    // keypad drops the zeros that end its digits before it counts K.
    const bool any = !(d.integer + d.fixed + d.period).empty();
    if (any && d.exponent == 0 && !d.negative && (d.period.empty() || d.period.back() != '0')) {
      const std::string plain = d.integer + "." + d.fixed + d.period;
      entries.push_back({plain + " " + std::to_string(d.period.size()), exact::Notation::Keypad,
                         exact::FromKeypad(plain, static_cast<std::int64_t>(d.period.size()))});
    }
    for (std::size_t j = 0; j < entries.size(); ++j) {
      const auto& [text, notation, read] = entries[j];
      ASSERT_TRUE(std::holds_alternative<exact::Decimal>(read)) << text;
      const auto made = exact::ExplainDecimal(std::get<exact::Decimal>(read));
      ASSERT_TRUE(std::holds_alternative<exact::DecimalWorking>(made));
      const auto& w = std::get<exact::DecimalWorking>(made);
      const std::size_t k = static_cast<std::size_t>(i) + j;
      const explain::Style style =
          explain::ChooseStyle(kAsked[k % kAskedCount], notation, k % 2 == 0, k % 3 ? "en" : "ja");
      const explain::Steps steps = explain::DecimalSteps(w, style);
      const std::string label = "entry " + std::to_string(i) + " '" + text + "' read as " +
                                std::string(exact::NotationName(notation));
      const Checked c = CheckSteps(steps, bindings, label);
      EXPECT_EQ(c.unknown, 0) << label;
      EXPECT_GT(c.relations, 0) << label;
      relations += c.relations;
      const std::vector<const explain::Formula*> about = AboutX(steps);
      ASSERT_FALSE(about.empty()) << label;
      EXPECT_TRUE(InLowestTerms(*about.back())) << label << ": " << Described(*about.back());
      ++workings;
    }
  }
  // The seeded entries are read in nearly every notation, and worked.
  EXPECT_GT(workings, 1500);
  EXPECT_LT(refused, workings / 10);
  EXPECT_GT(relations, 8 * workings);
}

// The last side of the working's last relation: what it arrives at.
std::optional<mpq_class> LastSide(const explain::Steps& steps) {
  for (auto step = steps.steps.rbegin(); step != steps.steps.rend(); ++step) {
    if (const auto* e = std::get_if<explain::Equation>(&*step)) {
      return Evaluate(e->sides.back(), {}).sides.back();
    }
    if (const auto* s = std::get_if<explain::Sentence>(&*step)) {
      for (auto arg = s->args.rbegin(); arg != s->args.rend(); ++arg) {
        const quotalis::testing::Chain c = Evaluate(*arg, {});
        if (!c.relations.empty()) return c.sides.back();
      }
    }
  }
  return std::nullopt;
}

mpz_class RandomDenominator(std::mt19937& g) {
  switch (g() % 6) {
    case 0: {  // a decimal that ends
      mpz_class d = 1;
      for (auto k = g() % 5; k > 0; --k) d *= 2;
      for (auto k = g() % 5; k > 0; --k) d *= 5;
      return d;
    }
    case 1: {  // a period after some digits
      static const int kPrimes[] = {3, 7, 11, 13, 17, 37, 41, 73, 97, 101, 137};
      return kPrimes[g() % std::size(kPrimes)] * mpz_class(1 << (g() % 4));
    }
    case 2: return 1019;  // a period of 1018 digits, longer than the division shows
    default: return std::uniform_int_distribution<int>(1, 400)(g);
  }
}

TEST(EveryEquationHolds, FractionToDecimalAndItsLongDivision) {
  std::mt19937 g(7031);
  int workings = 0, capped = 0, rows = 0;
  for (int i = 0; i < 300; ++i) {
    const bool negative = g() % 3 == 0;
    const bool mixed = g() % 4 == 0;
    const mpz_class d = RandomDenominator(g);
    const mpz_class n = std::uniform_int_distribution<int>(0, mixed ? 60 : 3000)(g);
    const mpz_class whole = std::uniform_int_distribution<int>(1, 30)(g);
    std::string text = (negative ? "-" : "") + (mixed ? whole.get_str() + " " : std::string()) +
                       n.get_str() + "/" + d.get_str();
    mpq_class value(n, d);
    value.canonicalize();
    if (mixed) value += whole;
    if (negative) value = -value;
    const exact::Result<exact::Reading> read = exact::Read(text);
    ASSERT_TRUE(std::holds_alternative<exact::Reading>(read)) << text;
    const auto& written = std::get<exact::FractionText>(std::get<exact::Reading>(read).value);
    // As written, and as a value in lowest terms.
    for (const auto& made :
         {exact::ExplainFraction(written),
          exact::ExplainFraction(exact::Rational{value.get_num(), value.get_den()})}) {
      ASSERT_TRUE(std::holds_alternative<exact::FractionWorking>(made)) << text;
      const auto& w = std::get<exact::FractionWorking>(made);
      const explain::Steps steps = explain::FractionSteps(w);
      const std::string label = text + (w.written ? " as written" : " in lowest terms");
      // x, in the check that turns the decimal back, is its size.
      const Checked c = CheckSteps(steps, {{"x", abs(value)}}, label);
      EXPECT_EQ(c.unknown, 0) << label;
      ++workings;
      rows += c.rows;
      const std::vector<const explain::DivisionRow*> division = RowsOf(steps);
      ASSERT_EQ(division.empty(), value.get_den() == 1) << label;
      if (division.empty()) {
        EXPECT_EQ(LastSide(steps), std::optional<mpq_class>(value)) << label;
        continue;
      }
      EXPECT_EQ(division.front()->dividend, abs(value.get_num())) << label;
      EXPECT_EQ(*division.front()->divisor, value.get_den()) << label;
      if (w.capped) {
        ++capped;
        // As many rows as the division keeps steps, the whole part's among
        // them; the sentence after them counts the digits they gave.
        EXPECT_EQ(division.size(), static_cast<std::size_t>(exact::kMaxDivisionSteps)) << label;
        const auto& said = std::get<explain::Sentence>(steps.steps.back());
        EXPECT_EQ(Evaluate(said.args.at(0), {}).sides[0], mpq_class(division.size() - 1)) << label;
        continue;
      }
      // It stops at the first remainder that comes again, or at 0, and says
      // from which digit the period runs.
      const mpz_class& last = division.back()->remainder;
      std::size_t first = division.size() - 1;
      for (std::size_t j = 0; j + 1 < division.size(); ++j) {
        EXPECT_NE(division[j]->remainder, 0) << label << ": row " << j;
        if (division[j]->remainder == last && first == division.size() - 1) first = j;
      }
      if (last != 0) {
        EXPECT_LT(first, division.size() - 1) << label << ": the last remainder never came before";
        for (std::size_t j = first + 1; j + 1 < division.size(); ++j) {
          EXPECT_NE(division[j]->remainder, last) << label;
        }
        // The sentence after the rows: "Remainder 1 again: digits 1 to 6 repeat".
        std::size_t after = 0;
        for (std::size_t k = 0; k < steps.steps.size(); ++k) {
          if (std::holds_alternative<explain::DivisionRow>(steps.steps[k])) after = k + 1;
        }
        const auto& said = std::get<explain::Sentence>(steps.steps.at(after));
        EXPECT_EQ(Evaluate(said.args.at(0), {}).sides[0], mpq_class(last)) << label;
        EXPECT_EQ(Evaluate(said.args.at(1), {}).sides[0], mpq_class(first + 1)) << label;
      }
      EXPECT_EQ(LastSide(steps), std::optional<mpq_class>(value)) << label;
    }
  }
  EXPECT_EQ(workings, 600);
  EXPECT_GT(capped, 20);
  EXPECT_GT(rows, 20000);
}

}  // namespace
