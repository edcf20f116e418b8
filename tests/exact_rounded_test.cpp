// A rounded display's simplest fraction: worked displays with their
// intervals written out, refusals, the search on intervals of every kind,
// and seeded displays against a search of this file's own over every
// denominator up to the answer's.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/rounded.h>

#include "named_rows.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Problem;
using exact::ProblemKind;
using exact::Rational;
using testing::PrintTo;

// "[-]digits[.digits][e[-]digits]" as the Decimal it stands for, read here
// rather than by the library's reader.
Decimal Display(std::string_view text) {
  Decimal d;
  if (!text.empty() && text.front() == '-') {
    d.negative = true;
    text.remove_prefix(1);
  }
  const std::size_t e = text.find('e');
  if (e != std::string_view::npos) {
    d.exponent = std::stoll(std::string(text.substr(e + 1)));
    text = text.substr(0, e);
  }
  const std::size_t point = text.find('.');
  d.integer = std::string(text.substr(0, point));
  if (point != std::string_view::npos) d.fixed = std::string(text.substr(point + 1));
  return d;
}

// "[-]digits[.digits]" as an exact rational.
mpq_class Exact(std::string_view text) {
  const Decimal d = Display(text);
  mpz_class scale;
  mpz_ui_pow_ui(scale.get_mpz_t(), 10, d.fixed.size());
  mpq_class v(mpz_class(d.integer + d.fixed, 10), scale);
  v.canonicalize();
  return d.negative ? mpq_class(-v) : v;
}

mpq_class Q(const Rational& r) {
  mpq_class v(r.numerator, r.denominator);
  v.canonicalize();
  return v;
}

std::string Text(const Rational& r) {
  return r.numerator.get_str() + "/" + r.denominator.get_str();
}

std::string Written(const Decimal& d) {
  std::string s = d.negative ? "-" : "";
  s += d.integer;
  if (!d.fixed.empty()) s += "." + d.fixed;
  return d.period.empty() && d.exponent == 0 ? s : s + "?";
}

struct DisplayRow {
  const char* name;
  const char* display;
  const char* fraction;  // n/d in lowest terms
  const char* low;       // the interval's ends, written plainly
  const char* high;
  std::int64_t place;
};

const DisplayRow kDisplays[] = {
    {"two_thirds", "0.6666666667", "2/3", "0.66666666665", "0.66666666675", 10},
    {"school_calculator", "71.47058824", "1215/17", "71.470588235", "71.470588245", 8},
    {"pi_to_five_places", "3.14159", "355/113", "3.141585", "3.141595", 5},
    {"a_third", "0.3333", "1/3", "0.33325", "0.33335", 4},
    {"a_half", "0.5", "1/2", "0.45", "0.55", 1},
    {"a_seventh", "0.1428571429", "1/7", "0.14285714285", "0.14285714295", 10},
    {"pi_to_two_places", "3.14", "22/7", "3.135", "3.145", 2},
    {"pi_to_ten_places", "3.1415926536", "312689/99532", "3.14159265355", "3.14159265365", 10},
    {"root_two", "1.414213562", "47321/33461", "1.4142135615", "1.4142135625", 9},
    {"seven_tenths", "0.7", "2/3", "0.65", "0.75", 1},
    // Trailing zeros say where the display was rounded.
    {"point_three", "0.3", "1/3", "0.25", "0.35", 1},
    {"point_three_zero", "0.30", "3/10", "0.295", "0.305", 2},
    // Rounded half up, the low end shows as the display and the high end
    // does not: 0.25 shows as 0.3, so 0.2 is not 1/4.
    {"high_end_a_quarter_left_out", "0.2", "1/5", "0.15", "0.25", 1},
    {"low_end_is_three_quarters", "0.8", "3/4", "0.75", "0.85", 1},
    {"high_end_an_eighth_left_out", "0.12", "2/17", "0.115", "0.125", 2},
    {"low_end_is_an_eighth", "0.13", "1/8", "0.125", "0.135", 2},
    {"high_end_five_quarters_left_out", "1.2", "6/5", "1.15", "1.25", 1},
    {"a_tenth", "0.1", "1/7", "0.05", "0.15", 1},
    {"near_a_half", "0.45", "5/11", "0.445", "0.455", 2},
    {"near_one_and_a_half", "1.55", "17/11", "1.545", "1.555", 2},
    // Zero, whole numbers, and displays whose interval holds one.
    {"zero", "0", "0/1", "-0.5", "0.5", 0},
    {"zeros_after_the_point", "0.0000", "0/1", "-0.00005", "0.00005", 4},
    {"negative_zero", "-0.00", "0/1", "-0.005", "0.005", 2},
    {"seven", "7", "7/1", "6.5", "7.5", 0},
    {"three_point_zero_zero", "3.00", "3/1", "2.995", "3.005", 2},
    {"one", "1", "1/1", "0.5", "1.5", 0},
    {"point_without_fraction_digits", "12.", "12/1", "11.5", "12.5", 0},
    {"no_integer_digits", ".5", "1/2", "0.45", "0.55", 1},
    {"leading_zeros", "007.50", "15/2", "7.495", "7.505", 2},
    // The mirror of the positive display.
    {"negative_two_thirds", "-0.6666666667", "-2/3", "-0.66666666675", "-0.66666666665", 10},
    {"negative_seven", "-7", "-7/1", "-7.5", "-6.5", 0},
    {"negative_pi", "-3.14159", "-355/113", "-3.141595", "-3.141585", 5},
    // An exponent moves the last digit with the point.
    {"exponent_below", "1.5e-3", "1/646", "0.00145", "0.00155", 4},
    {"exponent_within_the_digits", "1.25e1", "25/2", "12.45", "12.55", 1},
    {"exponent_to_the_units", "1.5e1", "15/1", "14.5", "15.5", 0},
    {"exponent_of_zero", "2.5e0", "5/2", "2.45", "2.55", 1},
    {"negative_exponent_on_whole", "15e-1", "3/2", "1.45", "1.55", 1},
    // Huge and tiny.
    {"thirty_digits_and_a_half", "123456789012345678901234567890.5",
     "246913578024691357802469135781/2", "123456789012345678901234567890.45",
     "123456789012345678901234567890.55", 1},
    {"tiny", "0.000000000000000000000000000015", "1/64516129032258064516129032259",
     "0.0000000000000000000000000000145", "0.0000000000000000000000000000155", 30},
    {"tiny_by_exponent", "1e-20", "1/66666666666666666667", "0.000000000000000000005",
     "0.000000000000000000015", 20},
};

class DisplayTable : public ::testing::TestWithParam<DisplayRow> {};

TEST_P(DisplayTable, GivesTheSimplestFraction) {
  const DisplayRow& row = GetParam();
  const auto made = exact::FromRounded(Display(row.display));
  ASSERT_TRUE(std::holds_alternative<exact::RoundedFraction>(made))
      << std::get<Problem>(made).message;
  const auto& f = std::get<exact::RoundedFraction>(made);
  EXPECT_EQ(Text(f.fraction), row.fraction);
  EXPECT_EQ(Written(f.interval.low), row.low);
  EXPECT_EQ(Written(f.interval.high), row.high);
  EXPECT_EQ(f.interval.place, row.place);
  // The ends as fractions are the ends as decimals.
  EXPECT_EQ(Q(f.interval.lowValue), Exact(row.low));
  EXPECT_EQ(Q(f.interval.highValue), Exact(row.high));
}

INSTANTIATE_TEST_SUITE_P(Worked, DisplayTable, ::testing::ValuesIn(kDisplays), RowName());

struct RefusalRow {
  const char* name;
  Decimal display;
  ProblemKind kind;
  const char* message;
};

const RefusalRow kRefusals[] = {
    {"recurring",
     {false, "0", "1", "6", 0},
     ProblemKind::Syntax,
     "a recurring decimal is exact already, not a rounded display"},
    {"recurring_zero",
     {false, "0", "1", "0", 0},
     ProblemKind::Syntax,
     "a recurring decimal is exact already, not a rounded display"},
    {"exponent_past_the_digits",
     {false, "1", "5", "", 3},
     ProblemKind::Syntax,
     "the exponent moves the last digit before the units place, which leaves no digit to "
     "round at"},
    {"whole_number_with_exponent",
     {false, "1", "", "", 1},
     ProblemKind::Syntax,
     "the exponent moves the last digit before the units place, which leaves no digit to "
     "round at"},
    {"too_many_digits",
     {false, "1", std::string(100'000, '3'), "", 0},
     ProblemKind::TooLarge,
     "a rounded display may have at most 100,000 digits"},
    {"too_far_after_the_point",
     {false, "1", "", "", -100'001},
     ProblemKind::TooLarge,
     "a rounded display may have at most 100,000 digits"},
    {"exponent_at_the_bottom_of_int64",
     {false, "1", "", "", std::numeric_limits<std::int64_t>::min()},
     ProblemKind::TooLarge,
     "a rounded display may have at most 100,000 digits"},
    {"exponent_at_the_top_of_int64",
     {false, "1", "5", "", std::numeric_limits<std::int64_t>::max()},
     ProblemKind::Syntax,
     "the exponent moves the last digit before the units place, which leaves no digit to "
     "round at"},
    {"not_digits",
     {false, "1x", "", "", 0},
     ProblemKind::Argument,
     "the integer part holds a character that is not a digit"},
};

class RefusalTable : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RefusalTable, SaysWhy) {
  const RefusalRow& row = GetParam();
  const auto made = exact::FromRounded(row.display);
  ASSERT_TRUE(std::holds_alternative<Problem>(made));
  EXPECT_EQ(std::get<Problem>(made), Problem(row.kind, row.message, 0));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ExplainRounded(row.display)));
}

INSTANTIATE_TEST_SUITE_P(Refused, RefusalTable, ::testing::ValuesIn(kRefusals), RowName());

TEST(RoundedInterval, TheLongestDisplayIsStillRead) {
  const Decimal d{false, "0", std::string(99'999, '0') + "1", "", 0};
  const auto made = exact::FromRounded(d);
  ASSERT_TRUE(std::holds_alternative<exact::RoundedFraction>(made));
  // 1/q with q the smallest whole number at least 10^100000 / 1.5.
  const Rational& r = std::get<exact::RoundedFraction>(made).fraction;
  EXPECT_EQ(r.numerator, 1);
  mpz_class ten;
  mpz_ui_pow_ui(ten.get_mpz_t(), 10, 100'000);
  EXPECT_EQ(r.denominator, (2 * ten + 2) / 3);
}

struct IntervalRow {
  const char* name;
  const char* a;  // the ends, as fractions n/d (any sign, any terms)
  const char* b;
  const char* simplest;
};

const IntervalRow kIntervals[] = {
    {"a_point", "1/2", "1/2", "1/2"},
    {"a_point_unreduced", "6/-8", "-3/4", "-3/4"},
    {"ends_in_either_order", "11/20", "9/20", "1/2"},
    {"the_low_end", "3/20", "1/4", "1/4"},
    {"the_high_end", "1/4", "7/20", "1/3"},
    {"smallest_whole_number", "5/2", "9/2", "3/1"},
    {"a_whole_end", "3/1", "10/3", "3/1"},
    {"holds_zero", "-1/3", "1/5", "0/1"},
    {"zero_at_an_end", "0/7", "1/9", "0/1"},
    {"below_zero", "-11/20", "-9/20", "-1/2"},
    {"below_zero_whole", "-9/2", "-5/2", "-3/1"},
    {"between_whole_numbers", "1/1", "2/1", "1/1"},
    {"under_one", "1/1000", "1/999", "1/999"},
    {"one_over_large", "2/10000001", "3/10000001", "1/3333334"},
    {"pi", "3141585/1000000", "3141595/1000000", "355/113"},
    {"neighbouring_ends", "1597/987", "2584/1597", "1597/987"},
    {"near_the_golden_ratio", "2585/1597", "4181/2584", "89/55"},
};

Rational Fraction(std::string_view text) {
  const std::size_t slash = text.find('/');
  return {mpz_class(std::string(text.substr(0, slash)), 10),
          mpz_class(std::string(text.substr(slash + 1)), 10)};
}

class IntervalTable : public ::testing::TestWithParam<IntervalRow> {};

TEST_P(IntervalTable, GivesTheSimplest) {
  const IntervalRow& row = GetParam();
  const auto r = exact::Simplest(Fraction(row.a), Fraction(row.b));
  ASSERT_TRUE(std::holds_alternative<Rational>(r));
  EXPECT_EQ(Text(std::get<Rational>(r)), row.simplest);
}

INSTANTIATE_TEST_SUITE_P(Worked, IntervalTable, ::testing::ValuesIn(kIntervals), RowName());

// Ranges whose ends may be left out: an end left out is never the answer,
// and a whole number or 0 at such an end gives way to the next simplest.
struct OpenRow {
  const char* name;
  const char* low;
  const char* high;
  exact::Ends ends;
  const char* simplest;
};

const OpenRow kOpenIntervals[] = {
    {"high_end_left_out", "3/20", "1/4", {true, false}, "1/5"},
    {"low_end_left_out", "1/4", "3/10", {false, true}, "2/7"},
    {"low_end_kept", "1/4", "3/10", {true, true}, "1/4"},
    {"mirrored", "-1/4", "-3/20", {false, true}, "-1/5"},
    {"zero_left_out_at_the_low_end", "0/1", "1/3", {false, true}, "1/3"},
    {"zero_left_out_at_the_high_end", "-1/3", "0/1", {true, false}, "-1/3"},
    {"zero_inside_an_open_range", "-1/20", "1/20", {false, false}, "0/1"},
    {"whole_end_left_out", "3/1", "16/5", {false, true}, "16/5"},
    {"between_whole_numbers_open", "1/1", "2/1", {false, false}, "3/2"},
    // 0.12 as a display: 1/8 is its high end; the search turns past a low end
    // that is a whole number, to a range with no upper end.
    {"no_upper_end_after_a_turn", "23/200", "1/8", {true, false}, "2/17"},
    {"a_point_kept", "2/3", "2/3", {true, true}, "2/3"},
};

class OpenTable : public ::testing::TestWithParam<OpenRow> {};

TEST_P(OpenTable, GivesTheSimplestOfItsValues) {
  const OpenRow& row = GetParam();
  const auto r = exact::Simplest(Fraction(row.low), Fraction(row.high), row.ends);
  ASSERT_TRUE(std::holds_alternative<Rational>(r));
  EXPECT_EQ(Text(std::get<Rational>(r)), row.simplest);
}

INSTANTIATE_TEST_SUITE_P(Worked, OpenTable, ::testing::ValuesIn(kOpenIntervals), RowName());

TEST(Simplest, ARangeOfNoValueIsRefused) {
  EXPECT_EQ(std::get<Problem>(exact::Simplest({1, 2}, {1, 2}, {true, false})),
            Problem(ProblemKind::Argument, "the range holds no value", 0));
  EXPECT_EQ(std::get<Problem>(exact::Simplest({1, 2}, {1, 3}, {true, true})),
            Problem(ProblemKind::Argument, "the low end is above the high end", 0));
}

TEST(RoundedInterval, TheEndNearerZeroBelongsToIt) {
  const auto ends = [](std::string_view text) {
    return std::get<exact::RoundingInterval>(exact::RoundedInterval(Display(text))).ends;
  };
  EXPECT_EQ(ends("0.2"), (exact::Ends{true, false}));
  EXPECT_EQ(ends("7"), (exact::Ends{true, false}));
  EXPECT_EQ(ends("-0.2"), (exact::Ends{false, true}));
  EXPECT_EQ(ends("0.000"), (exact::Ends{false, false}));
  EXPECT_EQ(ends("-0.0"), (exact::Ends{false, false}));
}

TEST(Simplest, ZeroDenominatorIsRefused) {
  EXPECT_EQ(std::get<Problem>(exact::Simplest({1, 0}, {1, 2})).kind, ProblemKind::ZeroDenominator);
  EXPECT_EQ(std::get<Problem>(exact::Simplest({1, 2}, {0, 0})).kind, ProblemKind::ZeroDenominator);
}

// --- Seeded displays against a search of this file's own -------------------

// Which ends belong to a range, as this file reads a rounded display.
struct Closed {
  bool low = true, high = true;
};

// The simplest fraction between low and high, each end in it or not as
// `closed` says, searched denominator by denominator: for each q from 1, the
// numerators p with p/q in the range, and of the first q that has any, the p
// nearest zero. Gives up (nothing) past `most`.
std::optional<mpq_class> BySearch(const mpq_class& low, const mpq_class& high,
                                  const mpz_class& most, Closed closed = {}) {
  for (mpz_class q = 1; q <= most; ++q) {
    mpz_class first, last, rest;  // ceil(low q), floor(high q), then the ends left out
    const mpz_class lq = low.get_num() * q, hq = high.get_num() * q;
    mpz_cdiv_qr(first.get_mpz_t(), rest.get_mpz_t(), lq.get_mpz_t(), low.get_den_mpz_t());
    if (rest == 0 && !closed.low) ++first;
    mpz_fdiv_qr(last.get_mpz_t(), rest.get_mpz_t(), hq.get_mpz_t(), high.get_den_mpz_t());
    if (rest == 0 && !closed.high) --last;
    if (first > last) continue;
    mpz_class p = first > 0 ? first : last < 0 ? last : mpz_class(0);
    mpq_class v(p, q);
    v.canonicalize();
    return v;
  }
  return std::nullopt;
}

std::string RandomDisplay(std::mt19937_64& random, int mostAfter) {
  const auto digits = [&](std::uint64_t n) {
    std::string s(n, '0');
    for (char& c : s) c = static_cast<char>('0' + random() % 10);
    return s;
  };
  std::string text = random() % 4 == 0 ? "-" : "";
  text += digits(random() % 4);
  const std::uint64_t after = random() % static_cast<std::uint64_t>(mostAfter + 1);
  if (after > 0 || text.empty() || text == "-") text += "." + digits(after == 0 ? 1 : after);
  if (random() % 5 == 0) text += "e-" + std::to_string(random() % 3);
  return text;
}

// The interval worked out here: the display's value, half a unit of its last
// digit either side; a calculator rounds a half away from zero, so the end
// nearer zero belongs to it and the other does not (neither, about zero).
Closed IntervalOf(const std::string& text, mpq_class& low, mpq_class& high) {
  const Decimal d = Display(text);
  const auto place =
      static_cast<unsigned long>(static_cast<std::int64_t>(d.fixed.size()) - d.exponent);
  mpz_class unit;
  mpz_ui_pow_ui(unit.get_mpz_t(), 10, place);
  const std::string digits = d.integer + d.fixed;
  mpq_class value(mpz_class(digits.empty() ? "0" : digits, 10), unit);
  value.canonicalize();
  if (d.negative) value = -value;
  const mpq_class half(1, 2 * unit);
  low = value - half;
  high = value + half;
  return {value > 0, value < 0};
}

TEST(FromRounded, SeededDisplaysAgainstEveryDenominator) {
  std::mt19937_64 random(20261214);
  for (int i = 0; i < 400; ++i) {
    const std::string text = RandomDisplay(random, 6);
    SCOPED_TRACE(text);
    mpq_class low, high;
    const Closed closed = IntervalOf(text, low, high);
    const auto made = exact::FromRounded(Display(text));
    ASSERT_TRUE(std::holds_alternative<exact::RoundedFraction>(made));
    const Rational& r = std::get<exact::RoundedFraction>(made).fraction;
    // In lowest terms, in the interval, and the first a search of every
    // denominator up to its own finds.
    ASSERT_GT(r.denominator, 0);
    EXPECT_EQ(gcd(r.numerator, r.denominator), 1);
    const mpq_class answer = Q(r);
    EXPECT_TRUE(closed.low ? low <= answer : low < answer);
    EXPECT_TRUE(closed.high ? answer <= high : answer < high);
    const exact::Ends& ends = std::get<exact::RoundedFraction>(made).interval.ends;
    EXPECT_EQ(ends.low, closed.low);
    EXPECT_EQ(ends.high, closed.high);
    const std::optional<mpq_class> found = BySearch(low, high, r.denominator, closed);
    ASSERT_TRUE(found) << "nothing with a denominator up to " << r.denominator;
    EXPECT_EQ(*found, answer);
  }
}

// The search checks itself: it finds what it should on intervals worked by hand.
TEST(FromRounded, TheSearchOfThisFileFinds) {
  EXPECT_EQ(*BySearch(mpq_class(3, 20), mpq_class(1, 4), 10), mpq_class(1, 4));
  EXPECT_EQ(*BySearch(mpq_class(-11, 20), mpq_class(-9, 20), 10), mpq_class(-1, 2));
  EXPECT_EQ(*BySearch(mpq_class(-1, 2), mpq_class(1, 2), 10), mpq_class(0));
  EXPECT_EQ(*BySearch(mpq_class(5, 2), mpq_class(9, 2), 10), mpq_class(3));
  EXPECT_FALSE(BySearch(mpq_class(3141585, 1000000), mpq_class(3141595, 1000000), 112));
  EXPECT_EQ(*BySearch(mpq_class(3, 20), mpq_class(1, 4), 10, {true, false}), mpq_class(1, 5));
  EXPECT_EQ(*BySearch(mpq_class(-1, 4), mpq_class(-3, 20), 10, {false, true}), mpq_class(-1, 5));
  EXPECT_EQ(*BySearch(mpq_class(1, 2), mpq_class(1), 10, {false, false}), mpq_class(2, 3));
}

// Longer displays, beyond a search of every denominator: the working's
// certificate. The answer is the mediant of two neighbouring fractions (cross
// products differing by one) that lie outside the interval, so every fraction
// inside lies strictly between them and has a denominator of at least the
// answer's; and the whole parts put back together give the answer.
TEST(ExplainRounded, SeededLongDisplaysCarryTheirProof) {
  std::mt19937_64 random(20261215);
  for (int i = 0; i < 300; ++i) {
    const std::string text = RandomDisplay(random, 40);
    SCOPED_TRACE(text);
    mpq_class low, high;
    const Closed closed = IntervalOf(text, low, high);
    const auto worked = exact::ExplainRounded(Display(text));
    ASSERT_TRUE(std::holds_alternative<exact::RoundedWorking>(worked));
    const auto& w = std::get<exact::RoundedWorking>(worked);
    const mpq_class answer = Q(w.fraction);
    EXPECT_EQ(Q(w.interval.lowValue), low);
    EXPECT_EQ(Q(w.interval.highValue), high);
    EXPECT_TRUE(closed.low ? low <= answer : low < answer);
    EXPECT_TRUE(closed.high ? answer <= high : answer < high);
    if (w.zero) {
      EXPECT_EQ(answer, 0);
      continue;
    }
    // The continued fraction of the terms.
    mpq_class nested(w.terms.back());
    for (std::size_t k = w.terms.size() - 1; k-- > 0;) nested = w.terms[k] + 1 / nested;
    EXPECT_EQ(nested, Q(w.magnitude));
    EXPECT_EQ(answer, w.fraction.numerator < 0 ? mpq_class(-nested) : nested);
    const mpq_class lo = answer < 0 ? mpq_class(-high) : low;
    const mpq_class hi = answer < 0 ? mpq_class(-low) : high;
    if (!w.neighbours) {
      // A whole number: the smallest one in the interval.
      EXPECT_EQ(w.magnitude.denominator, 1);
      EXPECT_LT(w.magnitude.numerator - 1, lo);
      continue;
    }
    const Rational& p = w.below;
    const Rational& q = w.above;
    EXPECT_EQ(q.numerator * p.denominator - p.numerator * q.denominator, 1);
    EXPECT_EQ(p.numerator + q.numerator, w.magnitude.numerator);
    EXPECT_EQ(p.denominator + q.denominator, w.magnitude.denominator);
    // Both outside the magnitudes' range, which holds its low end alone.
    EXPECT_LT(Q(p), lo);
    EXPECT_GE(Q(q), hi);
    // Each range holds the value the answer gives its variable, as its ends say.
    mpq_class v = Q(w.magnitude);
    for (const exact::RoundedStep& s : w.steps) {
      v = 1 / (v - s.whole);
      EXPECT_TRUE(s.ends.low ? Q(s.low) <= v : Q(s.low) < v);
      if (s.high.denominator == 0) continue;  // no upper end
      EXPECT_TRUE(s.ends.high ? v <= Q(s.high) : v < Q(s.high));
    }
    EXPECT_EQ(w.stepCount, static_cast<std::int64_t>(w.steps.size()));
    EXPECT_EQ(v, w.last);
  }
}

TEST(ExplainRounded, KeepsTheFirstStepsOfAVeryLongSearch) {
  // The digits of a golden-ratio convergent: a whole part of 1 at every step.
  mpz_class a = 1, b = 1;
  for (int i = 0; i < 4000; ++i) {
    mpz_class c = a + b;
    a = b;
    b = c;
  }
  mpz_class unit;
  mpz_ui_pow_ui(unit.get_mpz_t(), 10, 1500);
  const mpz_class digits = b * unit / a;  // 1.618... to 1500 places
  std::string text = digits.get_str();
  const Decimal d{false, text.substr(0, 1), text.substr(1), "", 0};
  const auto worked = exact::ExplainRounded(d);
  ASSERT_TRUE(std::holds_alternative<exact::RoundedWorking>(worked));
  const auto& w = std::get<exact::RoundedWorking>(worked);
  EXPECT_GT(w.stepCount, exact::kMaxRoundedSteps);
  EXPECT_EQ(static_cast<std::int64_t>(w.steps.size()), exact::kMaxRoundedSteps);
  EXPECT_EQ(static_cast<std::int64_t>(w.terms.size()), w.stepCount + 1);
  // The same answer as without the working.
  EXPECT_EQ(w.fraction, std::get<exact::RoundedFraction>(exact::FromRounded(d)).fraction);
}

}  // namespace
}  // namespace quotalis::testing
