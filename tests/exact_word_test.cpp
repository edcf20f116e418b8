// The word-sized fast path against the general one: the same texts read by
// Read and reduced by ToFraction in big numbers, on both sides of the 64-bit
// boundary, worked rows, and the fraction written as GMP writes its terms.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/fraction.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/word.h>

#include "named_rows.h"

namespace quotalis::testing {
namespace {

using exact::DecimalDigits;
using exact::WordFraction;
using testing::PrintTo;

// The general path: Read, then ToFraction's reduced terms, written by GMP;
// "" when Read refuses the text or reads a fraction.
std::string General(std::string_view text, bool mixed) {
  const exact::Result<exact::Reading> read = exact::Read(text);
  if (!std::holds_alternative<exact::Reading>(read)) return "";
  const auto* d = std::get_if<exact::Decimal>(&std::get<exact::Reading>(read).value);
  if (d == nullptr) return "";
  const auto made = exact::ToFraction(*d);
  const exact::Rational& r = std::get<exact::Schoolbook>(made).reduced;
  if (!mixed) return r.numerator.get_str() + "/" + r.denominator.get_str();
  const mpz_class magnitude = abs(r.numerator);
  const mpz_class whole = magnitude / r.denominator;
  const mpz_class rest = magnitude % r.denominator;
  std::string written = r.numerator < 0 ? "-" : "";
  if (whole != 0 || rest == 0) written += whole.get_str();
  if (rest == 0) return written;
  if (whole != 0) written += ' ';
  written += rest.get_str();
  written += '/';
  written += r.denominator.get_str();
  return written;
}

// The fast path, or nothing when it leaves the text to the general one.
std::optional<std::string> Fast(std::string_view text, bool mixed) {
  const std::optional<DecimalDigits> d = exact::ReadSmall(text);
  if (!d) return std::nullopt;
  const std::optional<WordFraction> f = exact::ToWordFraction(*d);
  if (!f) return std::nullopt;
  char out[exact::kWordFractionChars];
  return std::string(out, exact::WriteWordFraction(*f, mixed, out));
}

struct WordRow {
  const char* name;
  const char* text;
  const char* fraction;  // nullptr: left to the general path
  const char* mixed;
};

const WordRow kRows[] = {
    {"parentheses", "12.34(567)", "45679/3700", "12 1279/3700"},
    {"negative_sixth", "-0.1(6)", "-1/6", "-1/6"},
    {"nines_are_one", "0.(9)", "1/1", "1"},
    {"negative_zero", "-0.0", "0/1", "0"},
    {"zero_period", "-0.(0)", "0/1", "0"},
    {"no_integer_digits", "-.5", "-1/2", "-1/2"},
    {"period_right_after_the_point", ".(3)", "1/3", "1/3"},
    {"plus_sign", "+7", "7/1", "7"},
    {"point_at_the_end", "5.", "5/1", "5"},
    {"leading_zeros_do_not_count", "000000000000000000000012.5", "25/2", "12 1/2"},
    {"nineteen_nines", "9999999999999999999", "9999999999999999999/1", "9999999999999999999"},
    {"nineteen_digits_after_the_point", "0.(0000000000000000001)", "1/9999999999999999999",
     "1/9999999999999999999"},
    {"ten_to_the_nineteenth_below", "0.0000000000000000001", "1/10000000000000000000",
     "1/10000000000000000000"},
    {"twenty_digits", "99999999999999999999", nullptr, nullptr},
    {"twenty_after_the_point", "0.(00000000000000000001)", nullptr, nullptr},
    {"nineteen_and_one_more", "1.(0000000000000000001)", nullptr, nullptr},
    {"period_without_point", "1(2)", nullptr, nullptr},
    {"exponent", "0.1e3", nullptr, nullptr},
    {"unclosed", "0.(", nullptr, nullptr},
    {"empty_parentheses", "0.()", nullptr, nullptr},
    {"blank", " 1", nullptr, nullptr},
    {"full_width_digit", "\xEF\xBC\x91", nullptr, nullptr},
    {"point_alone", ".", nullptr, nullptr},
    {"sign_alone", "-", nullptr, nullptr},
    {"after_the_period", "0.(3)4", nullptr, nullptr},
    {"two_points", "1.2.3", nullptr, nullptr},
};

class WordRows : public ::testing::TestWithParam<WordRow> {};

TEST_P(WordRows, AnswerAsTheGeneralPathOrLeaveIt) {
  const WordRow& row = GetParam();
  const std::optional<std::string> fraction = Fast(row.text, false);
  const std::optional<std::string> mixed = Fast(row.text, true);
  if (row.fraction == nullptr) {
    EXPECT_FALSE(fraction.has_value()) << *fraction;
    return;
  }
  ASSERT_TRUE(fraction.has_value());
  EXPECT_EQ(*fraction, row.fraction);
  EXPECT_EQ(*mixed, row.mixed);
  EXPECT_EQ(*fraction, General(row.text, false));
  EXPECT_EQ(*mixed, General(row.text, true));
}

INSTANTIATE_TEST_SUITE_P(Exact, WordRows, ::testing::ValuesIn(kRows), RowName{});

// Random digits across the boundary: 0 to 3 leading zeros, then an integer
// part, digits after the point and a period of 0 to 22 digits each. The fast
// path answers exactly when its 19-digit bounds hold, and then as the general
// path does.
TEST(WordPath, SameAnswersAcrossTheBoundary) {
  std::mt19937_64 rng(20261209);
  const auto digits = [&](std::size_t n, bool nines) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
      s += nines ? '9' : static_cast<char>('0' + rng() % 10);
    }
    return s;
  };
  int answered = 0;
  int left = 0;
  for (int i = 0; i < 40000; ++i) {
    const bool nines = rng() % 8 == 0;
    const std::string zeros(rng() % 4, '0');
    const std::size_t n = rng() % 23;
    const std::size_t a = rng() % 23;
    const std::size_t b = rng() % 23;
    std::string integer = digits(n, nines);
    // Leading zeros in the digits drawn count too, so count only after them.
    const std::size_t significant = integer.find_first_not_of('0') == std::string::npos
                                        ? 0
                                        : integer.size() - integer.find_first_not_of('0');
    std::string text = (rng() % 2 ? "-" : "") + zeros + integer;
    const bool point = a > 0 || b > 0 || rng() % 4 == 0;
    if (point) {
      text += '.';
      text += digits(a, nines);
    }
    if (b > 0) {
      text += '(';
      text += digits(b, nines);
      text += ')';
    }
    if (!point && integer.empty() && zeros.empty()) continue;
    const std::size_t after = (point ? a : 0) + b;
    const bool fits = significant + after <= 19;
    for (const bool mixed : {false, true}) {
      const std::optional<std::string> fast = Fast(text, mixed);
      ASSERT_EQ(fast.has_value(), fits) << text;
      if (fast) {
        ASSERT_EQ(*fast, General(text, mixed)) << text;
      }
    }
    (fits ? answered : left) += 1;
  }
  // Both sides of the boundary were reached often.
  EXPECT_GT(answered, 5000);
  EXPECT_GT(left, 5000);
}

TEST(WordPath, DigitStringsHoldingOtherCharactersAreLeft) {
  EXPECT_FALSE(exact::ToWordFraction({false, "1x", "", ""}));
  EXPECT_FALSE(exact::ToWordFraction({false, "1", "/", ""}));
  EXPECT_FALSE(exact::ToWordFraction({false, "1", "2", "3 "}));
}

TEST(WordPath, WritesTheLargestTermsInFull) {
  char out[exact::kWordFractionChars];
  const WordFraction largest{true, 18446744073709551615ULL, 18446744073709551614ULL};
  EXPECT_EQ(std::string(out, exact::WriteWordFraction(largest, false, out)),
            "-18446744073709551615/18446744073709551614");
  EXPECT_EQ(std::string(out, exact::WriteWordFraction(largest, true, out)),
            "-1 1/18446744073709551614");
  const WordFraction longest{true, 18446744073709551614ULL, 18446744073709551615ULL};
  EXPECT_EQ(std::string(out, exact::WriteWordFraction(longest, true, out)),
            "-18446744073709551614/18446744073709551615");
}

}  // namespace
}  // namespace quotalis::testing
