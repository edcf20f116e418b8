// Decimal to fraction and fractions as written: worked values, the schoolbook
// terms, the limit, and seeded round trips through long division.
#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <random>

#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>

#include "exact_notation_rows.h"
#include "named_rows.h"
#include "reference/long_division.h"

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::FractionText;
using exact::Problem;
using exact::Rational;
using exact::Schoolbook;
using testing::PrintTo;

struct SchoolbookRow {
  const char* name;
  Decimal decimal;
  const char* numerator;  // unreduced, then reduced
  const char* denominator;
  const char* reducedNumerator;
  const char* reducedDenominator;
};

const SchoolbookRow kSchoolbook[] = {
    {"one_sixth", {false, "0", "1", "6", 0}, "15", "90", "1", "6"},
    {"terminating", {false, "12", "34", "", 0}, "1234", "100", "617", "50"},
    {"negative_with_exponent", {true, "1", "2", "3", -5}, "-111", "9000000", "-37", "3000000"},
    {"nines_are_one", {false, "0", "", "9", 0}, "9", "9", "1", "1"},
    {"nines_after_a_digit", {false, "0", "4", "9", 0}, "45", "90", "1", "2"},
    {"positive_exponent", {false, "2", "5", "", 2}, "2500", "10", "250", "1"},
    {"exponent_past_the_fixed_digits", {false, "0", "", "3", 3}, "3000", "9", "1000", "3"},
    {"no_integer_digits", {false, "", "5", "", 0}, "5", "10", "1", "2"},
    {"empty_is_zero", {false, "", "", "", 0}, "0", "1", "0", "1"},
    {"negative_zero", {true, "0", "00", "0", -3}, "0", "900000", "0", "1"},
    {"seventh", {false, "0", "", "142857", 0}, "142857", "999999", "1", "7"},
    {"twos_shared_beyond_the_fives", {false, "0", "0016", "", 0}, "16", "10000", "1", "625"},
    {"fives_shared", {false, "0", "0625", "", 0}, "625", "10000", "1", "16"},
    {"gcd_with_the_nines", {false, "0", "1", "36", 0}, "135", "990", "3", "22"},
    // Past 18 digits, in big numbers: more fives or twos than the power of ten
    // holds, and a long period of threes.
    {"long_more_fives_than_tens",
     {false, "931322574615478515625", "", "", -2},  // 5^30
     "931322574615478515625",
     "100",
     "37252902984619140625",
     "4"},
    {"long_more_twos_than_tens",
     {false, "1180591620717411303424", "", "", -3},  // 2^70
     "1180591620717411303424",
     "1000",
     "147573952589676412928",
     "125"},
    {"long_period_of_threes",
     {false, "0", "", "333333333333333333333", 0},
     "333333333333333333333",
     "999999999999999999999",
     "1",
     "3"},
};

class SchoolbookTable : public ::testing::TestWithParam<SchoolbookRow> {};

TEST_P(SchoolbookTable, GivesBothFractions) {
  const SchoolbookRow& row = GetParam();
  const auto result = exact::ToFraction(row.decimal);
  ASSERT_TRUE(std::holds_alternative<Schoolbook>(result));
  const Schoolbook& s = std::get<Schoolbook>(result);
  EXPECT_EQ(s.numerator.get_str(), row.numerator);
  EXPECT_EQ(s.denominator.get_str(), row.denominator);
  EXPECT_EQ(s.reduced.numerator.get_str(), row.reducedNumerator);
  EXPECT_EQ(s.reduced.denominator.get_str(), row.reducedDenominator);
  // The lowest terms alone are the same, the denominator's zeros apart.
  const auto lowest = exact::ToLowestTerms(row.decimal);
  ASSERT_TRUE(std::holds_alternative<exact::LowestTerms>(lowest));
  const auto& l = std::get<exact::LowestTerms>(lowest);
  EXPECT_EQ(l.numerator.get_str(), row.reducedNumerator);
  EXPECT_EQ(l.denominator.get_str() + std::string(static_cast<std::size_t>(l.tens), '0'),
            row.reducedDenominator);
}

// Long decimals hold the whole power of ten of the denominator apart: what
// is left is not divisible by 10.
TEST(ToLowestTerms, HoldsTheDenominatorsZerosApart) {
  struct Row {
    Decimal decimal;
    const char* numerator;
    const char* denominator;
    std::int64_t tens;
  };
  const std::string zeros(30, '0');
  const Row rows[] = {
      {{false, "0", "5" + zeros + "1", "", 0}, "50000000000000000000000000000001", "1", 32},
      {{false, "0", zeros + "25", "", 0}, "1", "4", 30},
      {{false, "0", zeros + "8", "", 0}, "1", "125", 28},
      {{true, "0", zeros, "3", 0}, "-1", "3", 30},
      {{false, "0", "1", "2" + zeros, 0},
       "11999999999999999999999999999999",
       "9999999999999999999999999999999",
       1},
      {{false, "12345678901234567890", "", "", -40}, "1234567890123456789", "1", 39},
  };
  for (const Row& row : rows) {
    const auto made = exact::ToLowestTerms(row.decimal);
    ASSERT_TRUE(std::holds_alternative<exact::LowestTerms>(made));
    const auto& l = std::get<exact::LowestTerms>(made);
    EXPECT_EQ(l.numerator.get_str(), row.numerator);
    EXPECT_EQ(l.denominator.get_str(), row.denominator);
    EXPECT_EQ(l.tens, row.tens);
  }
}

INSTANTIATE_TEST_SUITE_P(Worked, SchoolbookTable, ::testing::ValuesIn(kSchoolbook), RowName());

struct RefusedRow {
  const char* name;
  Decimal decimal;
};

const RefusedRow kRefused[] = {
    {"exponent_of_a_billion", {false, "1", "", "", 999999999}},
    {"negative_exponent_of_a_billion", {false, "1", "", "", -999999999}},
    {"exponent_at_the_bottom_of_int64",
     {false, "1", "", "", std::numeric_limits<std::int64_t>::min()}},
    {"exponent_at_the_top_of_int64",
     {false, "1", "", "", std::numeric_limits<std::int64_t>::max()}},
    {"one_digit_past_the_limit", {false, "1", "", "", exact::kMaxTermDigits}},
    {"letter_in_the_period", {false, "0", "", "1x", 0}},
};

class RefusedTable : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedTable, IsAProblem) {
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ToFraction(GetParam().decimal)));
  EXPECT_TRUE(std::holds_alternative<Problem>(exact::ToLowestTerms(GetParam().decimal)));
}

INSTANTIATE_TEST_SUITE_P(Limits, RefusedTable, ::testing::ValuesIn(kRefused), RowName());

TEST(ToFraction, TheLargestTermIsStillBuilt) {
  // 10^9999999 has exactly kMaxTermDigits digits.
  const auto s = std::get<Schoolbook>(exact::ToFraction({false, "1", "", "", 9999999}));
  EXPECT_EQ(mpz_sizeinbase(s.reduced.numerator.get_mpz_t(), 10), 10'000'000u);
}

struct TextRow {
  const char* name;
  FractionText text;
  const char* numerator;  // "" for a Problem
  const char* denominator;
};

const TextRow kTexts[] = {
    {"negative", {true, "", "3", "4"}, "-3", "4"},
    {"reduced", {false, "", "6", "8"}, "3", "4"},
    {"mixed", {false, "1", "1", "6"}, "7", "6"},
    {"negative_mixed", {true, "1", "1", "6"}, "-7", "6"},
    {"improper_mixed_part", {false, "2", "3", "2"}, "7", "2"},
    {"zero", {true, "", "0", "5"}, "0", "1"},
    {"zero_denominator", {false, "", "1", "0"}, "", ""},
    {"zero_denominator_mixed", {false, "3", "0", "000"}, "", ""},
    {"no_denominator", {false, "", "1", ""}, "", ""},
    {"not_digits", {false, "", "1", "2a"}, "", ""},
};

class TextTable : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextTable, ReadsTheValue) {
  const TextRow& row = GetParam();
  const auto result = exact::FromText(row.text);
  if (std::string_view(row.numerator).empty()) {
    EXPECT_TRUE(std::holds_alternative<Problem>(result));
    return;
  }
  ASSERT_TRUE(std::holds_alternative<Rational>(result));
  EXPECT_EQ(std::get<Rational>(result).numerator.get_str(), row.numerator);
  EXPECT_EQ(std::get<Rational>(result).denominator.get_str(), row.denominator);
}

INSTANTIATE_TEST_SUITE_P(Worked, TextTable, ::testing::ValuesIn(kTexts), RowName());

std::string Digits(std::mt19937_64& rng, std::size_t most) {
  std::string s(rng() % (most + 1), '0');
  for (char& c : s) c = static_cast<char>('0' + rng() % 10);
  return s;
}

// The decimal's digits written plainly, its exponent left out.
std::string Plain(const Decimal& d) {
  std::string s = d.integer.empty() ? "0" : d.integer;
  if (!d.fixed.empty() || !d.period.empty()) s += "." + d.fixed + d.period;
  return s;
}

// Decimal -> fraction: the reduced fraction is in lowest terms and divides
// back to the decimal's digits (its exponent moved onto the fraction);
// fraction -> decimal -> fraction gives the fraction back, and the decimal is
// the long division's.
TEST(RoundTrip, DecimalToFractionAndBack) {
  std::mt19937_64 rng(8);
  for (int i = 0; i < 4000; ++i) {
    Decimal d{rng() % 2 == 0, Digits(rng, 5), Digits(rng, 5), Digits(rng, 5),
              static_cast<std::int64_t>(rng() % 7) - 3};
    const Rational r = std::get<Schoolbook>(exact::ToFraction(d)).reduced;
    ASSERT_GT(r.denominator, 0);
    ASSERT_EQ(gcd(r.numerator, r.denominator), 1);
    ASSERT_EQ(r.numerator < 0, d.negative && r.numerator != 0) << ::testing::PrintToString(d);
    mpz_class n = abs(r.numerator);
    mpz_class den = r.denominator;
    (d.exponent < 0 ? n : den) *= exact::reference::PowerOfTen(std::abs(d.exponent));
    ASSERT_EQ(RoundTripFault(Plain(d), static_cast<std::int32_t>(d.period.size()), n.get_str(),
                             den.get_str()),
              "")
        << ::testing::PrintToString(d);

    const Quotient q = LongDivision(r.numerator, r.denominator);
    const auto e = std::get<exact::DecimalExpansion>(exact::ToDecimal(r, std::nullopt));
    ASSERT_EQ(e.value, (Decimal{q.negative, q.whole, q.fixed, q.period, 0}));
    ASSERT_EQ(std::get<Schoolbook>(exact::ToFraction(e.value)).reduced, r);
  }
}

// Whether `d` is written in canonical form: no exponent, no leading zero, the
// shortest non-recurring part and period, no period of nines, no sign on zero.
bool IsCanonical(const Decimal& d) {
  const std::size_t p = d.period.size();
  bool primitive = true;
  for (std::size_t q = 1; q < p; ++q) {
    if (p % q == 0 && d.period == d.period.substr(q) + d.period.substr(0, q)) primitive = false;
  }
  const bool zero = d.integer == "0" && d.fixed.empty() && p == 0;
  return d.exponent == 0 && !d.integer.empty() && (d.integer == "0" || d.integer[0] != '0') &&
         (p == 0 || d.fixed.empty() || d.fixed.back() != d.period.back()) && primitive &&
         (p == 0 ? d.fixed.empty() || d.fixed.back() != '0'
                 : d.period.find_first_not_of('9') != std::string::npos) &&
         !(zero && d.negative);
}

// Decimals of up to 30 digits a part and exponents up to 30 either way, past
// what machine words hold, against exact rational arithmetic (mpq_class):
// x = (IF + P / (10^b - 1)) / 10^a * 10^e.
TEST(RoundTrip, LongDecimalsAgainstRationalArithmetic) {
  std::mt19937_64 rng(30);
  for (int i = 0; i < 400; ++i) {
    const Decimal d{rng() % 2 == 0, Digits(rng, 30), Digits(rng, 30), Digits(rng, 30),
                    static_cast<std::int64_t>(rng() % 61) - 30};
    mpq_class want(mpz_class((d.integer + d.fixed).empty() ? "0" : d.integer + d.fixed, 10));
    mpz_class ten;
    if (!d.period.empty()) {
      mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(d.period.size()));
      want += mpq_class(mpz_class(d.period, 10), ten - 1);
    }
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(d.exponent)));
    mpz_class shift;
    mpz_ui_pow_ui(shift.get_mpz_t(), 10, static_cast<unsigned long>(d.fixed.size()));
    want /= shift;
    want = d.exponent >= 0 ? mpq_class(want * ten) : mpq_class(want / ten);
    if (d.negative) want = -want;
    want.canonicalize();

    const Schoolbook s = std::get<Schoolbook>(exact::ToFraction(d));
    ASSERT_EQ(s.reduced, (Rational{want.get_num(), want.get_den()}));
    mpq_class unreduced(s.numerator, s.denominator);
    unreduced.canonicalize();
    ASSERT_EQ(unreduced, want);

    const auto e = std::get<exact::DecimalExpansion>(exact::ToDecimal(s.reduced, std::nullopt));
    ASSERT_TRUE(IsCanonical(e.value));
    ASSERT_EQ(std::get<Schoolbook>(exact::ToFraction(e.value)).reduced, s.reduced);
  }
}

}  // namespace
}  // namespace quotalis::testing
