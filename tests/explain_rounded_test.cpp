// The rounded display's working holds: over seeded displays, its interval is
// the display give or take half a unit of its last digit, the answer (found
// here again by trying denominators in turn) lies in every range it states,
// and every equation and relation of the working holds with x the answer and
// x₁, x₂... what is left each time a whole part is taken off and the rest
// turned over.
#include <gmpxx.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/rounded.h>

#include "explain/render.h"
#include "explain_check.h"

namespace {

using namespace quotalis;
using quotalis::testing::Bindings;
using quotalis::testing::Checked;
using quotalis::testing::CheckSteps;
using quotalis::testing::DecimalValue;
using quotalis::testing::Evaluate;

mpz_class Floor(const mpq_class& q) {
  mpz_class f;
  mpz_fdiv_q(f.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
  return f;
}

// The fraction of the smallest denominator in the range from low to high (of
// those, the smallest in size), trying each denominator up to `most`: low
// belongs to the range when `withLow`, high when `withHigh`.
std::optional<mpq_class> SimplestByTrial(const mpq_class& low, const mpq_class& high, bool withLow,
                                         bool withHigh, int most) {
  const auto above = [&](const mpq_class& v) { return withLow ? low <= v : low < v; };
  const auto below = [&](const mpq_class& v) { return withHigh ? v <= high : v < high; };
  if (above(0) && below(0)) return mpq_class(0);
  if (high <= 0) {
    const std::optional<mpq_class> mirror = SimplestByTrial(-high, -low, withHigh, withLow, most);
    return mirror ? std::optional<mpq_class>(-*mirror) : std::nullopt;
  }
  for (int q = 1; q <= most; ++q) {
    mpz_class p;
    const mpz_class top = low.get_num() * q;
    mpz_fdiv_q(p.get_mpz_t(), top.get_mpz_t(), low.get_den_mpz_t());
    for (;; ++p) {
      mpq_class candidate(p, q);
      candidate.canonicalize();
      if (!above(candidate)) continue;
      if (below(candidate)) return candidate;
      break;
    }
  }
  return std::nullopt;
}

exact::Decimal RandomDisplay(std::mt19937& g) {
  exact::Decimal d;
  d.negative = g() % 3 == 0;
  d.integer = std::to_string(std::uniform_int_distribution<int>(0, g() % 2 ? 9 : 120)(g));
  const int places = std::uniform_int_distribution<int>(0, 7)(g);
  for (int i = 0; i < places; ++i) d.fixed += static_cast<char>('0' + g() % 10);
  if (g() % 5 == 0) d.exponent = std::uniform_int_distribution<int>(-3, 1)(g);
  return d;
}

TEST(EveryEquationHolds, RoundedDisplaysSimplestFraction) {
  std::mt19937 g(31415);
  int workings = 0, refused = 0, tried = 0, relations = 0;
  for (int i = 0; i < 250; ++i) {
    const exact::Decimal display = RandomDisplay(g);
    const auto made = exact::ExplainRounded(display);
    if (!std::holds_alternative<exact::RoundedWorking>(made)) {
      ++refused;  // an exponent that leaves no digit to round at
      EXPECT_GT(display.exponent, static_cast<std::int64_t>(display.fixed.size()));
      continue;
    }
    const auto& w = std::get<exact::RoundedWorking>(made);
    const std::string label = "display " + std::to_string(i);

    // The interval, from the display's own digits.
    const std::int64_t place = static_cast<std::int64_t>(display.fixed.size()) - display.exponent;
    mpz_class unit;
    mpz_ui_pow_ui(unit.get_mpz_t(), 10, static_cast<unsigned long>(place));
    const mpq_class half(1, 2 * unit), shown = DecimalValue(display);
    const mpq_class low = shown - half, high = shown + half;

    mpq_class answer(w.fraction.numerator, w.fraction.denominator);
    answer.canonicalize();
    // A half rounds away from zero: the end nearer zero belongs to the range.
    const bool withLow = shown > 0, withHigh = shown < 0;
    ASSERT_TRUE((withLow ? low <= answer : low < answer) &&
                (withHigh ? answer <= high : answer < high))
        << label;
    if (const auto simplest = SimplestByTrial(low, high, withLow, withHigh, 5000)) {
      EXPECT_EQ(answer, *simplest) << label;
      ++tried;
    }

    // x the answer; y its size when it is negative; then what is left after
    // each whole part.
    Bindings bindings = {{"x", answer}};
    const std::string name = answer < 0 ? "y" : "x";
    mpq_class rest = abs(answer);
    bindings[name] = rest;
    for (std::int64_t k = 1; k <= w.stepCount; ++k) {
      const mpq_class fraction = rest - Floor(rest);
      ASSERT_NE(fraction, 0) << label << ": a whole number after " << k - 1 << " steps";
      rest = 1 / fraction;
      bindings[name + "_" + std::to_string(k)] = rest;
    }
    explain::Style style;
    style.mixed = i % 2 == 0;
    const explain::Steps steps = explain::RoundedSteps(w, style);
    const Checked c = CheckSteps(steps, bindings, label);
    EXPECT_EQ(c.unknown, 0) << label;
    relations += c.relations;
    ++workings;

    // The first relation is the interval: low ≤ x < high above zero.
    const auto& first = std::get<explain::Equation>(steps.steps.at(1));
    ASSERT_EQ(first.sides.size(), 3u) << label;
    EXPECT_EQ(first.relations,
              (std::vector<std::string>{withLow ? "≤" : "<", withHigh ? "≤" : "<"}))
        << label;
    EXPECT_EQ(Evaluate(first.sides[0], {}).sides[0], low) << label;
    EXPECT_EQ(Evaluate(first.sides[2], {}).sides[0], high) << label;
  }
  EXPECT_GT(workings, 200);
  EXPECT_GT(tried, 150);
  EXPECT_GT(relations, 4 * workings);
}

}  // namespace
