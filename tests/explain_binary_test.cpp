// The working of the number stored for a value in binary64 and binary32,
// checked against the machine's own strtod and strtof and this file's own
// arithmetic: the number stored, the error, the bits kept and the bits cut
// off, which way it rounds, in both languages and every format.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <quotalis/exact/binary.h>

#include "explain/render.h"
#include "explain_check.h"
#include "words/table_words.h"

namespace {

using namespace quotalis;
using exact::BinaryFormat;
using Kind = explain::Math::Kind;

struct Row {
  const char* name;
  const char* decimal;  // as strtod reads it
  mpq_class value;      // the same, exactly
  BinaryFormat format;
};

mpq_class TenTo(long e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
  return e < 0 ? mpq_class(mpz_class(1), p) : mpq_class(p);
}

mpq_class TwoTo(long e) {
  mpz_class p = 1;
  mpz_mul_2exp(p.get_mpz_t(), p.get_mpz_t(), static_cast<mp_bitcnt_t>(e < 0 ? -e : e));
  return e < 0 ? mpq_class(mpz_class(1), p) : mpq_class(p);
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"tenth", "0.1", mpq_class(1, 10), BinaryFormat::Binary64},
      {"fifth", "0.2", mpq_class(1, 5), BinaryFormat::Binary64},
      {"three_tenths", "0.3", mpq_class(3, 10), BinaryFormat::Binary64},
      {"negative_tenth", "-0.1", mpq_class(-1, 10), BinaryFormat::Binary64},
      {"half_exact", "0.5", mpq_class(1, 2), BinaryFormat::Binary64},
      {"tie_to_even_down", "9007199254740993", mpq_class(mpz_class("9007199254740993")),
       BinaryFormat::Binary64},
      {"tie_to_even_up", "9007199254740995", mpq_class(mpz_class("9007199254740995")),
       BinaryFormat::Binary64},
      {"carry_into_exponent", "9007199254740991.75", mpq_class(mpz_class("36028797018963967"), 4),
       BinaryFormat::Binary64},
      {"subnormal", "1e-320", TenTo(-320), BinaryFormat::Binary64},
      {"least_subnormal_up", "3e-324", 3 * TenTo(-324), BinaryFormat::Binary64},
      {"largest_finite", "1.7976931348623157e308", mpq_class(17976931348623157) * TenTo(292),
       BinaryFormat::Binary64},
      {"float_tenth", "0.1", mpq_class(1, 10), BinaryFormat::Binary32},
      {"float_tie_down", "16777217", mpq_class(16777217), BinaryFormat::Binary32},
      {"float_subnormal", "1e-40", TenTo(-40), BinaryFormat::Binary32},
  };
  return rows;
}

const explain::Sentence* Said(const explain::Steps& steps, std::string_view start) {
  for (const explain::Step& step : steps.steps) {
    if (const auto* s = std::get_if<explain::Sentence>(&step); s && s->format.starts_with(start)) {
      return s;
    }
  }
  return nullptr;
}

// The digits 0 and 1 of a binary piece, the point left out.
mpz_class BitsOf(const explain::Math& m) {
  EXPECT_EQ(m.kind, Kind::Indexed);
  EXPECT_EQ(m.index, "2");
  std::string digits;
  for (char c : m.text) {
    if (c == '0' || c == '1') digits += c;
  }
  return mpz_class(digits, 2);
}

// The value of the formula's piece at `at` alone.
mpq_class Piece(const explain::Formula& f, std::size_t at) {
  return quotalis::testing::Evaluate({f.at(at)}, {}).sides.at(0);
}

long ExponentOf(const explain::Math& m) {
  EXPECT_EQ(m.kind, Kind::Power);
  EXPECT_EQ(m.text, "2");
  return std::stol(m.exponent);
}

TEST(BinaryWorking, AgreesWithStrtodAndOwnArithmetic) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    const bool wide = row.format == BinaryFormat::Binary64;
    const double machine = wide ? std::strtod(row.decimal, nullptr)
                                : static_cast<double>(std::strtof(row.decimal, nullptr));
    ASSERT_TRUE(std::isfinite(machine));
    const mpq_class want(machine);  // exact
    const mpq_class wantError = want - row.value;
    const exact::Rational entry{row.value.get_num(), row.value.get_den()};
    const exact::StoredBinary stored = exact::NearestBinary(entry, row.format);
    const explain::Steps steps = explain::BinarySteps(entry, stored, row.format, true);

    // Every relation the working writes holds.
    const quotalis::testing::Checked checked = quotalis::testing::CheckSteps(steps, {}, row.name);
    EXPECT_GE(checked.relations, 1);

    const explain::Sentence* number = Said(steps, "The number stored is");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(Piece(number->args.at(0), 0), want);
    const explain::Sentence* error = Said(steps, "The error");
    ASSERT_NE(error, nullptr);
    // stored - (entry) = error fraction = its decimal
    EXPECT_EQ(Piece(error->args.at(1), 0), want);
    EXPECT_EQ(Piece(error->args.at(1), 3), row.value);
    EXPECT_EQ(Piece(error->args.at(1), 6), wantError);

    // The bits kept are |x| cut at the place 2^q; those cut off follow.
    const explain::Sentence* kept = Said(steps, "The bits kept");
    ASSERT_NE(kept, nullptr);
    const explain::Formula& k = kept->args.at(0);
    const mpz_class bits = BitsOf(k.at(0));
    const long top = ExponentOf(k.at(2));
    const long q = top - (wide ? 52 : 23);
    const mpq_class size = abs(row.value);
    EXPECT_LE(mpq_class(bits) * TwoTo(q), size);
    EXPECT_GT(mpq_class(bits + 1) * TwoTo(q), size);
    const bool subnormal = Said(steps, "{1} is less than") != nullptr;
    const bool isSubnormal = std::fpclassify(machine) == FP_SUBNORMAL ||
                             (!wide && std::fabs(machine) < std::ldexp(1.0, -126));
    EXPECT_EQ(subnormal, isSubnormal);
    if (!subnormal) {
      EXPECT_EQ(mpz_sizeinbase(bits.get_mpz_t(), 2), wide ? 53u : 24u);
    }
    const mpq_class rest = (size - mpq_class(bits) * TwoTo(q)) / TwoTo(q);
    if (rest == 0) {
      EXPECT_NE(Said(steps, "No bit after them"), nullptr);
      EXPECT_EQ(want, row.value);
      continue;
    }
    const explain::Sentence* cut = Said(steps, "The bits cut off");
    ASSERT_NE(cut, nullptr);
    const mpq_class first = rest * 256;
    EXPECT_EQ(BitsOf(cut->args.at(0).at(0)), mpz_class(first.get_num() / first.get_den()));
    // Rounded up exactly when the number stored is farther from 0.
    const bool up = abs(want) > size;
    bool saidUp = false;
    for (const explain::Step& step : steps.steps) {
      if (const auto* s = std::get_if<explain::Sentence>(&step)) {
        saidUp = saidUp ||
                 std::string_view(s->format).ends_with(
                     "rounded up, 1 added to the last "
                     "bit kept") ||
                 std::string_view(s->format).ends_with("so it is rounded up");
      }
    }
    EXPECT_EQ(saidUp, up);
    EXPECT_EQ(mpq_class(up ? bits + 1 : bits) * TwoTo(q), abs(want));
  }
}

TEST(BinaryWorking, ZeroOverflowAndUnderflow) {
  const auto steps = [](const mpq_class& v, BinaryFormat f, bool negative = false) {
    const exact::Rational entry{v.get_num(), v.get_den()};
    return explain::BinarySteps(entry, exact::NearestBinary(entry, f, negative), f, true);
  };
  const explain::Steps zero = steps(0, BinaryFormat::Binary64, true);
  const explain::Sentence* z = Said(zero, "{1} is 0");
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(quotalis::testing::Evaluate(z->args.at(1), {}).sides.at(0), 1);  // -0: the sign bit
  // 10^400 is past every exponent; 1.79769313486231581e308, past the
  // halfway point above the largest, rounds up to infinity.
  EXPECT_NE(Said(steps(TenTo(400), BinaryFormat::Binary64), "The exponent {1} is above"), nullptr);
  EXPECT_NE(
      Said(steps(179769313486231581 * TenTo(291), BinaryFormat::Binary64), "Rounded up, it passes"),
      nullptr);
  EXPECT_NE(Said(steps(TenTo(39), BinaryFormat::Binary32), "The exponent {1} is above"), nullptr);
  // 10^-320's binary period, the order of 2 modulo 5^320, is 4 × 5^319:
  // too long to write, its length said.
  const explain::Steps tiny = steps(TenTo(-320), BinaryFormat::Binary64);
  EXPECT_NE(Said(tiny, "In binary (base 2), {1} begins"), nullptr);
  const explain::Sentence* period = Said(tiny, "Its period is");
  ASSERT_NE(period, nullptr);
  mpz_class order;
  mpz_ui_pow_ui(order.get_mpz_t(), 5, 319);
  EXPECT_EQ(quotalis::testing::Shown(period->args.at(0).at(0)),
            quotalis::testing::ExpectedShown(4 * order));
  // Far below the least subnormal: every bit kept is 0.
  EXPECT_NE(Said(steps(TenTo(-400), BinaryFormat::Binary64), "Every bit kept is 0"), nullptr);
  // 2^-1075 is a tie between 0 and the least subnormal: to even, 0.
  const explain::Steps tie = steps(TwoTo(-1075), BinaryFormat::Binary64);
  EXPECT_NE(Said(tie, "Every bit kept is 0"), nullptr);
  EXPECT_NE(Said(tie, "The part cut off is exactly half"), nullptr);
}

TEST(BinaryWorking, EveryFormatInBothLanguages) {
  const words::Words& japanese = words::TableWords("ja");
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    const exact::Rational entry{row.value.get_num(), row.value.get_den()};
    const explain::Steps steps =
        explain::BinarySteps(entry, exact::NearestBinary(entry, row.format), row.format, true);
    const mpq_class want(row.format == BinaryFormat::Binary64
                             ? std::strtod(row.decimal, nullptr)
                             : static_cast<double>(std::strtof(row.decimal, nullptr)));
    const std::string fraction = want.get_num().get_str() + "/" + want.get_den().get_str();
    for (const words::Words* w : {&words::EnglishWords(), &japanese}) {
      const explain::Style style = explain::ChooseStyle(
          exact::Notation::Parentheses, exact::Notation::Plain, false, w->Language());
      std::string text;
      for (const std::string& line : explain::Render(steps, explain::Format::Text, style, *w)) {
        text += line + "\n";
      }
      if (want.get_den() != 1) {
        EXPECT_NE(text.find(fraction), std::string::npos) << text;
      }
      // A negative entry is subtracted in parentheses, never "minus -0.1".
      if (row.value < 0) {
        EXPECT_EQ(text.find(" -" + std::string(row.decimal).substr(1) + ":"), std::string::npos)
            << text;
        EXPECT_NE(text.find("(" + std::string(row.decimal) + ")"), std::string::npos) << text;
      }
      if (w == &japanese) {
        // Every sentence translated: no English word left.
        EXPECT_EQ(text.find("stored"), std::string::npos) << text;
        EXPECT_EQ(text.find(" bits"), std::string::npos) << text;
      }
      // Read aloud, binary digits are said to be in base 2, never run into it.
      std::string spoken;
      for (const std::string& line : explain::Render(steps, explain::Format::Spoken, style, *w)) {
        spoken += line + "\n";
      }
      EXPECT_NE(spoken.find(w == &japanese ? "2 進数の 1." : " in base 2"), std::string::npos)
          << spoken;
      for (const std::string& block : explain::Render(steps, explain::Format::Latex, style, *w)) {
        int depth = 0;
        for (char c : block) {
          depth += c == '{' ? 1 : c == '}' ? -1 : 0;
          ASSERT_GE(depth, 0) << block;
        }
        EXPECT_EQ(depth, 0) << block;
        EXPECT_EQ(block.find("…"), std::string::npos) << block;
      }
    }
  }
  // 0.1 in binary: 0.0(0011), its period marked.
  const exact::Rational tenth{1, 10};
  const explain::Steps steps = explain::BinarySteps(
      tenth, exact::NearestBinary(tenth, BinaryFormat::Binary64), BinaryFormat::Binary64, true);
  const explain::Sentence* binary = Said(steps, "In binary");
  ASSERT_NE(binary, nullptr);
  EXPECT_EQ(quotalis::testing::Described(binary->args.at(1)), "dec(0.0(0011))");
}

}  // namespace
