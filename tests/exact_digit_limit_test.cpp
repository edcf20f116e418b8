// The one digit rule: a value is refused when a term of the fraction of its
// canonical decimal has more than 10,000,000 digits, whatever the notation it
// was written in; zero never is. Each row sits on one side of the limit and
// was worked out by hand; the exact count of the terms is checked against
// GMP on seeded decimals.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/read.h>

#include "exact_notation_rows.h"
#include "numbers.h"  // exact/, the count alone

namespace quotalis::testing {
namespace {

using exact::Decimal;
using exact::Problem;
using exact::Schoolbook;

constexpr std::int64_t kLimit = exact::kMaxTermDigits;
const std::string kOnes(kLimit - 1, '1');  // with one more digit: the limit

enum class Want { Accepted, Numerator, Denominator };

struct LimitRow {
  const char* name;
  std::string text;
  Want want;
  std::int64_t numeratorDigits;  // of the reduced fraction, when accepted and built
  std::int64_t denominatorDigits;
  // Whether an accepted decimal is made into a fraction (0.2 to 1 s a row)
  // rather than only put in canonical form, which decides the same by its
  // digits. Fractions always are.
  bool build = false;
};

// The digits of |n| (1 for 0): GMP's count, which may be one too many, checked.
std::int64_t Digits(const mpz_class& n) {
  const auto size = static_cast<std::int64_t>(mpz_sizeinbase(n.get_mpz_t(), 10));
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(size - 1));
  return size > 1 && abs(n) < power ? size - 1 : size;
}

TEST(DigitLimit, TheSameForEveryNotationOnBothSides) {
  const std::string e = std::to_string(kLimit);       // 10000000
  const std::string e1 = std::to_string(kLimit - 1);  // 9999999
  const std::string e2 = std::to_string(kLimit - 2);  // 9999998
  const LimitRow rows[] = {
      // 10^9999999 has 10,000,000 digits, however it is written.
      {"plain_exponent_at_the_limit", "1e" + e1, Want::Accepted, kLimit, 1, true},
      {"plain_exponent_past_the_limit", "1e" + e, Want::Numerator, 0, 0},
      {"digit_after_the_point_at_the_limit", "0.1e" + e, Want::Accepted, kLimit, 1},
      {"digit_after_the_point_past_the_limit", "0.1e" + std::to_string(kLimit + 1), Want::Numerator,
       0, 0},
      {"nines_in_parentheses_at_the_limit", "0.(9)e" + e1, Want::Accepted, kLimit, 1, true},
      {"nines_in_parentheses_past_the_limit", "0.(9)e" + e, Want::Numerator, 0, 0},
      {"nines_after_an_ellipsis_at_the_limit", "0.999...e" + e1, Want::Accepted, kLimit, 1},
      // 0.1(6) 10^E = 10^E/6 is 16...6.(6) with E digits before the point:
      // the numerator 16...66 - 16...6 has E + 1 digits. In lowest terms,
      // 5 10^(E-1)/3.
      {"ellipsis_and_exponent_at_the_limit", "0.1666...e" + e1, Want::Accepted, kLimit - 1, 1},
      {"ellipsis_and_exponent_past_the_limit", "0.1666...e" + e, Want::Numerator, 0, 0},
      {"brackets_and_exponent_at_the_limit", "0.1[6]e" + e1, Want::Accepted, kLimit - 1, 1},
      {"brackets_and_exponent_past_the_limit", "0.1[6]e" + e, Want::Numerator, 0, 0},
      {"below_the_limit_whatever_the_notation", "0.16̇e" + e2, Want::Accepted, kLimit - 2, 1},
      // 1/10^9999999: the denominator has 10,000,000 digits.
      {"negative_exponent_at_the_limit", "1e-" + e1, Want::Accepted, 1, kLimit, true},
      {"negative_exponent_past_the_limit", "1e-" + e, Want::Denominator, 0, 0},
      {"leading_zeros_written_out_at_the_limit", "0." + std::string(kLimit - 2, '0') + "1",
       Want::Accepted, 1, kLimit},
      // A period of 10,000,000 digits: ten million nines below it, not one
      // more digit (the count that was one too many before).
      {"period_of_the_limit", "0.(" + kOnes + "2)", Want::Accepted, kLimit, kLimit, true},
      {"period_past_the_limit", "0.(" + kOnes + "23)", Want::Denominator, 0, 0},
      {"fixed_and_period_at_the_limit", "0.0(" + std::string(kLimit - 2, '1') + "2)",
       Want::Accepted, kLimit - 2, kLimit},  // 55...56/49...95
      {"period_written_twice_shortens", "0.(" + kOnes + "2" + kOnes + "2)", Want::Accepted, kLimit,
       kLimit},
      // The exponents at the ends of the 64-bit range.
      {"smallest_exponent_after_a_point", ".0099908e-9223372036854775808", Want::Denominator, 0, 0},
      {"smallest_exponent_on_a_period", "0.(3)e-9223372036854775808", Want::Denominator, 0, 0},
      {"smallest_exponent_after_a_whole_part", "12e-9223372036854775808", Want::Denominator, 0, 0},
      {"largest_exponent_after_a_point", ".5e9223372036854775807", Want::Numerator, 0, 0},
      {"largest_exponent_after_a_whole_part", "12e9223372036854775807", Want::Numerator, 0, 0},
      // Zero, whatever its exponent.
      {"zero_with_a_huge_exponent", "0e999999999", Want::Accepted, 1, 1},
      {"zero_with_a_huge_negative_exponent", "0e-999999999", Want::Accepted, 1, 1},
      {"zero_period_with_a_huge_exponent", "0.(0)e999999999", Want::Accepted, 1, 1},
      {"zero_after_an_ellipsis_with_a_huge_exponent", "0.000...e999999999", Want::Accepted, 1, 1},
      // Fractions: terms as written, leading zeros aside.
      {"denominator_at_the_limit", "1/00" + std::string("1") + std::string(kLimit - 1, '0'),
       Want::Accepted, 1, kLimit},
      {"denominator_past_the_limit", "1/1" + std::string(kLimit, '0'), Want::Denominator, 0, 0},
      {"numerator_at_the_limit", "000" + kOnes + "1/3", Want::Accepted, kLimit, 1},
      // 1 1/10^9999999 = (10^9999999 + 1)/10^9999999; 9 1/(10^10^7 - 1) has
      // the numerator 9 10^10000000 - 8, of 10,000,001 digits.
      {"mixed_number_at_the_limit", "1 1/1" + std::string(kLimit - 1, '0'), Want::Accepted, kLimit,
       kLimit},
      {"mixed_number_past_the_limit", "9 1/" + std::string(kLimit, '9'), Want::Numerator, 0, 0},
  };
  for (const LimitRow& row : rows) {
    SCOPED_TRACE(row.name);
    const exact::Result<exact::Reading> read = exact::Read(row.text);
    ASSERT_TRUE(std::holds_alternative<exact::Reading>(read));
    const auto& value = std::get<exact::Reading>(read).value;
    const auto* decimal = std::get_if<Decimal>(&value);
    const bool build = decimal == nullptr || row.want != Want::Accepted || row.build;
    std::optional<Problem> refused;
    if (decimal != nullptr) {
      // The canonical form decides alike, and is cheap: digits only.
      const exact::Result<Decimal> c = exact::Canonical(*decimal);
      if (const auto* p = std::get_if<Problem>(&c)) refused = *p;
    }
    std::optional<exact::Rational> r;
    if (build) {
      exact::Result<exact::Rational> made = [&]() -> exact::Result<exact::Rational> {
        if (decimal == nullptr) return exact::FromText(std::get<exact::FractionText>(value));
        exact::Result<Schoolbook> s = exact::ToFraction(*decimal);
        if (auto* p = std::get_if<Problem>(&s)) return *p;
        return std::get<Schoolbook>(s).reduced;
      }();
      if (const auto* p = std::get_if<Problem>(&made)) {
        if (decimal != nullptr) {
          EXPECT_TRUE(refused);
        }
        refused = *p;
      } else {
        if (decimal != nullptr) {
          EXPECT_FALSE(refused) << refused->message;
        }
        r = std::get<exact::Rational>(made);
      }
    }
    if (row.want == Want::Accepted) {
      ASSERT_FALSE(refused) << refused->message;
      if (r) {
        EXPECT_EQ(Digits(r->numerator), row.numeratorDigits);
        EXPECT_EQ(Digits(r->denominator), row.denominatorDigits);
      }
    } else {
      ASSERT_TRUE(refused);
      EXPECT_EQ(refused->message, row.want == Want::Numerator
                                      ? "the numerator would have more than 10,000,000 digits"
                                      : "the denominator would have more than 10,000,000 digits");
    }
  }
}

// The exact count of the terms of a canonical decimal's fraction, against the
// terms themselves.
TEST(DigitLimit, CountsTheCanonicalTermsExactly) {
  std::mt19937_64 random(10000000);
  for (int i = 0; i < 20000; ++i) {
    Decimal d = exact::reference::RandomDecimal(random, 6, 4);
    if (i % 4 == 0)
      d.integer =
          "1" + std::string(static_cast<std::size_t>(i % 3), '0');  // numerators of one digit fewer
    const exact::Result<Decimal> c = exact::Canonical(d);
    ASSERT_TRUE(std::holds_alternative<Decimal>(c));
    const Decimal& canonical = std::get<Decimal>(c);
    if (canonical.fixed.empty() && canonical.period.empty() && canonical.integer == "0") continue;
    const Schoolbook s = std::get<Schoolbook>(exact::ToFraction(canonical));
    const exact::TermDigits t = exact::CanonicalTermDigits(canonical);
    ASSERT_EQ(t.numerator, Digits(s.numerator))
        << canonical.integer << "." << canonical.fixed << "(" << canonical.period << ")";
    ASSERT_EQ(t.denominator, Digits(s.denominator));
  }
}

}  // namespace
}  // namespace quotalis::testing
