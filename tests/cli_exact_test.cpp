// The command line on the exact library: every notation in, fractions out in
// every notation, the options, the working and the errors. Fractions are
// checked against std::gcd and decimals against long division in 64 bits,
// both written here.
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli/json.h"
#include "cli/quote.h"
#include "cli_run.h"

namespace {

using cli_run::RunCli;

// n/d in lowest terms, the sign on the numerator.
std::string Lowest(std::int64_t n, std::int64_t d) {
  if (d < 0) n = -n, d = -d;
  const std::int64_t g = std::gcd(n, d);
  return std::to_string(n / g) + "/" + std::to_string(d / g);
}

// n/d by long division, in canonical parentheses form: the first remainder
// that comes again starts the period, so both parts are the shortest.
// Precondition: |n| below 10^17, d below a few million.
std::string LongDivision(std::int64_t n, std::int64_t d) {
  const bool negative = (n < 0) != (d < 0) && n != 0;
  n = std::llabs(n), d = std::llabs(d);
  std::string text = (negative ? "-" : "") + std::to_string(n / d);
  std::int64_t r = n % d;
  if (r == 0) return text;
  std::string digits;
  std::vector<std::size_t> seen(static_cast<std::size_t>(d), std::string::npos);
  while (r != 0 && seen[static_cast<std::size_t>(r)] == std::string::npos) {
    seen[static_cast<std::size_t>(r)] = digits.size();
    digits += static_cast<char>('0' + r * 10 / d);
    r = r * 10 % d;
  }
  if (r == 0) return text + "." + digits;
  const std::size_t start = seen[static_cast<std::size_t>(r)];
  return text + "." + digits.substr(0, start) + "(" + digits.substr(start) + ")";
}

struct ToFraction {
  const char* name;
  std::string entry;
  std::int64_t n, d;  // the value, unreduced
};

TEST(ExactCommandLine, ReadsEveryNotation) {
  const std::vector<ToFraction> rows = {
      {"parentheses", "0.1(6)", 15, 90},
      {"brackets", "0.1[6]", 15, 90},
      {"quotes", "0.1'6'", 15, 90},
      {"dots, one digit", "0.16\u0307", 15, 90},
      {"dots, first and last", "0.1\u030742857\u0307", 142857, 999999},
      {"overline", "0.16\u0305", 15, 90},
      {"overline on every digit", "0.1\u03054\u0305", 14, 99},
      {"r form", "1.234r56", 123456 - 1234, 99000},
      {"ellipsis, one digit thrice", "0.1666...", 15, 90},
      {"ellipsis character, block twice", "0.142857142857\u2026", 1, 7},
      {"plain, longer than the keypad", "12345678901.5", 123456789015, 10},
      {"plain, K past the keypad", "0.12345678901", 12345678901, 100000000000},
      {"minus sign", "-0.5", -1, 2},
      {"plus sign", "+0.5", 1, 2},
      {"U+2212 minus", "\u22120.1(6)", -15, 90},
      {"exponent", "1.2(3)e-5", 111, 9000000},
      {"exponent on a plain decimal", "1.5e-3", 15, 10000},
      {"exponent up", "2.5E2", 250, 1},
      {"full-width", "\uff10\uff0e\uff11\uff08\uff16\uff09", 15, 90},
      {"blanks around", "  0.5\t", 1, 2},
      {"nines recur to one", "0.(9)", 1, 1},
      {"minus zero", "-0", 0, 1},
      {"fraction of a period of nines", "0.4(9)", 1, 2},
  };
  for (const ToFraction& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli({row.entry});
    EXPECT_EQ(r.out, Lowest(row.n, row.d) + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

struct ToDecimal {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
};

TEST(ExactCommandLine, AnswersFractionsInEveryNotation) {
  const std::vector<ToDecimal> rows = {
      {"parens by default", {"1/7"}, "0.(142857)"},
      {"non-recurring then period", {"1/6"}, "0.1(6)"},
      {"improper", {"22/7"}, "3.(142857)"},
      {"terminating, negative", {"-7/2"}, "-3.5"},
      {"whole", {"6/3"}, "2"},
      {"zero", {"0/5"}, "0"},
      {"mixed number, one argument", {"1 1/6"}, "1.1(6)"},
      {"mixed number, two arguments", {"1", "1/6"}, "1.1(6)"},
      {"negative mixed number", {"--", "-1", "1/6"}, "-1.1(6)"},
      {"full-width slash", {"\uff11\uff0f\uff17"}, "0.(142857)"},
      {"brackets", {"--notation", "brackets", "1/6"}, "0.1[6]"},
      {"quotes", {"--notation=quotes", "1/6"}, "0.1'6'"},
      {"r", {"--notation", "r", "1/6"}, "0.1r6"},
      {"dots, one digit", {"--notation", "dots", "1/6"}, "0.16\u0307"},
      {"dots, long period", {"--notation", "dots", "1/7"}, "0.1\u030742857\u0307"},
      {"overline", {"--notation", "overline", "1/6"}, "0.16\u0305"},
      {"ellipsis", {"--notation", "ellipsis", "1/6"}, "0.1666..."},
      {"ellipsis, long period", {"--notation", "ellipsis", "1/7"}, "0.142857142857..."},
      {"latex", {"--notation", "latex", "1/6"}, "0.1\\overline{6}"},
      {"latex, whole period", {"--notation", "latex", "1/7"}, "0.\\overline{142857}"},
      {"keypad", {"--notation", "keypad", "1/7"}, "0.142857 6"},
      {"keypad, non-recurring digit", {"--notation", "keypad", "1/6"}, "0.16 1"},
      {"keypad, whole number", {"--notation", "keypad", "12/1"}, "12 0"},
      {"integer in every notation", {"--notation", "dots", "4/2"}, "2"},
      {"cut period",
       {"--max-digits", "4", "1/7"},
       "0.(1428...) [cut: the period has 6 digits; the first 4 are shown]"},
      {"period exactly at the limit", {"--max-digits=6", "1/7"}, "0.(142857)"},
      {"no limit", {"--max-digits", "all", "1/7"}, "0.(142857)"},
      {"cut non-recurring part",
       {"--max-digits", "3", "1/1024"},
       "0.000... [cut: the non-recurring part has 10 digits; the first 3 are shown; then comes "
       "a period of 0]"},
      {"detail of a fraction", {"--detail", "1/6"}, "0.1(6)\t1\t1"},
      {"detail of a cut period keeps its length",
       {"--detail", "--max-digits", "2", "1/7"},
       "0.(14...) [cut: the period has 6 digits; the first 2 are shown]\t0\t6"},
      {"detail of a terminating decimal", {"--detail", "3/8"}, "0.375\t3\t0"},
  };
  for (const ToDecimal& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(ExactCommandLine, AnswersDecimalsWithDetailAndMixedNumbers) {
  const std::vector<ToDecimal> rows = {
      {"detail of a notation: the canonical form", {"--detail", "0.1(66)"}, "0.1(6)\t165/990\t1/6"},
      {"detail in dots", {"--detail", "--notation", "dots", "0.1(6)"}, "0.16\u0307\t15/90\t1/6"},
      {"detail of a signed plain decimal", {"--detail", "--", "-0.50"}, "-0.5\t-5/10\t-1/2"},
      {"detail of an exponent", {"--detail", "1.5e-3"}, "0.0015\t15/10000\t3/2000"},
      {"mixed", {"--mixed", "1.1(6)"}, "1 1/6"},
      {"mixed, negative", {"--mixed", "--", "-1.1(6)"}, "-1 1/6"},
      {"mixed, proper", {"--mixed", "0.5"}, "1/2"},
      {"mixed, whole", {"--mixed", "7"}, "7"},
      {"mixed, zero", {"--mixed", "0"}, "0"},
      {"mixed in detail", {"--mixed", "--detail", "1.5"}, "1.5\t15/10\t1 1/2"},
      {"K on a long plain decimal", {"--period", "2", "0.0000000012"}, Lowest(12, 9900000000)},
  };
  for (const ToDecimal& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

// Seeded fractions of many sizes, both ways through standard input: each
// fraction's decimal must be the long division's, and that decimal must
// come back as the fraction in lowest terms.
TEST(ExactCommandLine, RoundTripsSeededFractions) {
  std::mt19937_64 random(20261209);
  std::string fractions;
  std::vector<std::string> decimals, lowest;
  for (int i = 0; i < 600; ++i) {
    const std::int64_t scale = std::int64_t{1} << (i % 17 + 1);
    const auto d = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(scale)) + 1;
    const auto n = static_cast<std::int64_t>(random() % 2'000'000) - 1'000'000;
    fractions += std::to_string(n) + "/" + std::to_string(d) + "\n";
    decimals.push_back(LongDivision(n, d));
    lowest.push_back(Lowest(n, d));
  }
  const auto there = RunCli({"--max-digits", "all"}, fractions);
  std::string expected, back;
  for (const std::string& s : decimals) expected += s + "\n";
  ASSERT_EQ(there.out, expected);
  EXPECT_EQ(there.status, 0);
  const auto again = RunCli({}, there.out);
  for (const std::string& s : lowest) back += s + "\n";
  EXPECT_EQ(again.out, back);
  EXPECT_EQ(again.status, 0);
}

TEST(ExactCommandLine, WritesJson) {
  const std::vector<ToDecimal> rows = {
      {"a decimal",
       {"--json", "0.1(6)"},
       R"j({"input":"0.1(6)","reading":"parentheses","decimal":"0.1(6)","unreduced":"15/90",)j"
       R"j("fraction":"1/6","nonRecurring":1,"period":1,"cut":false})j"},
      {"a plain decimal with K, mixed",
       {"--json", "--mixed", "--period", "1", "1.1666"},
       R"j({"input":"1.1666","reading":"plain","decimal":"1.1666","unreduced":"10500/9000",)j"
       R"j("fraction":"7/6","mixed":"1 1/6","nonRecurring":1,"period":1,"cut":false})j"},
      {"a fraction",
       {"--json", "1/7"},
       R"j({"input":"1/7","reading":"fraction","decimal":"0.(142857)","fraction":"1/7",)j"
       R"j("nonRecurring":0,"period":6,"cut":false})j"},
      {"a cut mixed number",
       {"--json", "--max-digits", "2", "1 1/7"},
       R"j({"input":"1 1/7","reading":"mixed","decimal":"1.(14...) [cut: the period has 6 )j"
       R"j(digits; the first 2 are shown]","fraction":"8/7","nonRecurring":0,"period":6,)j"
       R"j("cut":true})j"},
  };
  for (const ToDecimal& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, row.out + "\n");
    EXPECT_EQ(r.status, 0);
  }
  // An error is an object too, on standard output, and every byte of the
  // input is escaped so that the line stays valid JSON.
  const auto bad = RunCli({"--json", "0.1(6"});
  EXPECT_EQ(bad.out,
            R"j({"input":"0.1(6","error":"'0.1(6': the parenthesis opened at character 4 is )j"
            R"j(never closed","position":4})j"
            "\n");
  EXPECT_EQ(bad.err, "");
  EXPECT_EQ(bad.status, 2);
  const auto lines = RunCli({"--json"}, std::string("1\"\\\x01\xff\n\n", 7));
  EXPECT_EQ(lines.out,
            R"j({"input":"1\"\\\u0001\ufffd","error":"the entry '1\"\\\\x01\\xFF' is not a )j"
            R"j(number: it holds '\"' at character 2","position":2})j"
            "\n"
            R"j({"input":"","error":"the line is empty; give ENTRY [K]","position":0})j"
            "\n");
  EXPECT_EQ(lines.status, 1);
}

struct Escaped {
  const char* name;
  std::string text, quoted, json;
};

// What reaches a terminal or a JSON reader, whatever bytes the input held.
TEST(ExactCommandLine, QuotesAndJsonStayPrintable) {
  const std::vector<Escaped> rows = {
      {"plain ASCII", "0.1(6)", "'0.1(6)'", "\"0.1(6)\""},
      {"full-width kept", "\uff10\uff0e\uff15", "'\uff10\uff0e\uff15'", "\"\uff10\uff0e\uff15\""},
      {"combining dot kept", "6\u0307", "'6\u0307'", "\"6\u0307\""},
      {"escape byte", "\x1b[2J", "'\\x1B[2J'", "\"\\u001b[2J\""},
      {"C1 control", "\xc2\x9b", "'\\xC2\\x9B'", "\"\\u009b\""},
      {"bidirectional override", "\u202e1", "'\\xE2\\x80\\xAE1'", "\"\\u202e1\""},
      {"line separator", "\u2028", "'\\xE2\\x80\\xA8'", "\"\\u2028\""},
      {"overlong NUL", "\xc0\x80", "'\\xC0\\x80'", "\"\\ufffd\\ufffd\""},
      {"surrogate", "\xed\xa0\x80", "'\\xED\\xA0\\x80'", "\"\\ufffd\\ufffd\\ufffd\""},
      {"cut lead byte", "1\xe3\x81", "'1\\xE3\\x81'", "\"1\\ufffd\\ufffd\""},
      {"quote and backslash", "\"\\", "'\"\\'", "\"\\\"\\\\\""},
      {"cut after 24 characters", std::string(30, '1'), "'" + std::string(24, '1') + "...'",
       "\"" + std::string(30, '1') + "\""},
  };
  for (const Escaped& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(quotalis::cli::Quote(row.text), row.quoted);
    EXPECT_EQ(quotalis::cli::JsonString(row.text), row.json);
  }
}

struct Working {
  const char* name;
  std::vector<std::string_view> args;
  std::vector<std::string> lines;
};

TEST(ExactCommandLine, ExplainsTheWorking) {
  const std::vector<Working> rows = {
      {"a recurring decimal",
       {"--explain", "0.1(6)"},
       {"x = 0.1(6) = 0.1666...", "100x = 16.666...", "10x = 1.666...",
        "subtracting: 100x - 10x = 16 - 1, the recurring parts cancel", "90x = 15", "x = 15/90",
        "in primes, the factors common to both in brackets:", "15 = [3] × [5]",
        "90 = 2 × [3] × 3 × [5]", "common factor: 15",
        "dividing both by 15: x = 1/6, in lowest terms"}},
      {"a plain decimal",
       {"--explain", "0.25"},
       {"x = 0.25", "100x = 25", "x = 25/100",
        "in primes, the factors common to both in brackets:", "25 = [5^2]", "100 = 2^2 × [5^2]",
        "common factor: 25", "dividing both by 25: x = 1/4, in lowest terms"}},
      {"a fraction",
       {"--explain", "1/6"},
       {"1/6: divide 1 by 6", "1 ÷ 6 = 0 remainder 1: the whole part is 0",
        "digit 1: 10 ÷ 6 = 1 remainder 4", "digit 2: 40 ÷ 6 = 6 remainder 4",
        "remainder 4 came before, ahead of digit 2: from there the digits recur",
        "the non-recurring part has 1 digit; the period starts at digit 2 and has 1 digit",
        "1/6 = 0.1(6)"}},
      {"a terminating fraction",
       {"--explain", "5/4"},
       {"5/4: divide 5 by 4", "5 ÷ 4 = 1 remainder 1: the whole part is 1",
        "digit 1: 10 ÷ 4 = 2 remainder 2", "digit 2: 20 ÷ 4 = 5 remainder 0",
        "remainder 0: the division ends; 2 digits after the point, nothing recurs", "5/4 = 1.25"}},
  };
  for (const Working& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    std::string expected;
    for (const std::string& line : row.lines) expected += line + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.status, 0);
  }
  // Terms of 300 digits whose cofactors are too large to split: the common
  // factor comes from Euclid's algorithm, and the working says so.
  std::string period;
  for (int i = 0; i < 300; ++i) period += static_cast<char>('1' + i % 7);
  const std::string entry = "0.(" + period + ")";
  const auto big = RunCli({"--explain", entry});
  EXPECT_NE(big.out.find("Euclid's algorithm"), std::string::npos) << big.out.substr(0, 400);
  EXPECT_EQ(big.status, 0);
  // Standard input: one working after another, a blank line between them.
  const auto two = RunCli({"--explain"}, "1/2\n0.5\n");
  EXPECT_EQ(two.out,
            "1/2: divide 1 by 2\n1 ÷ 2 = 0 remainder 1: the whole part is 0\n"
            "digit 1: 10 ÷ 2 = 5 remainder 0\n"
            "remainder 0: the division ends; 1 digit after the point, nothing recurs\n"
            "1/2 = 0.5\n\n"
            "x = 0.5\n10x = 5\nx = 5/10\nin primes, the factors common to both in brackets:\n"
            "5 = [5]\n10 = 2 × [5]\ncommon factor: 5\n"
            "dividing both by 5: x = 1/2, in lowest terms\n\n");
}

struct Refused {
  const char* name;
  std::vector<std::string_view> args;
  std::string phrase;
  int status;
};

TEST(ExactCommandLine, RefusesWithTheProblemAndItsPlace) {
  const std::vector<Refused> rows = {
      {"unclosed parenthesis",
       {"0.1(6"},
       "'0.1(6': the parenthesis opened at character 4 is never closed",
       2},
      {"empty parentheses", {"0.1()"}, "character 4", 2},
      {"a second point", {"1.2.3"}, "more than one point, the second at character 4", 2},
      {"ellipsis without a block", {"0.5..."}, "write the period out twice", 2},
      {"zero denominator", {"1/0"}, "zero", 2},
      {"a term past 10,000,000 digits", {"1e999999999"}, "more than 10000000 digits", 2},
      {"a tiny term past 10,000,000 digits", {"1e-999999999"}, "more than 10000000 digits", 2},
      {"a denominator past 10,000,000 digits", {"1e-999999999"}, "digits", 2},
      {"a stray letter", {"0.1x"}, "it holds 'x' at character 4", 2},
      {"K with a notation", {"--period", "1", "0.1(6)"}, "K is for a plain decimal", 2},
      {"K with a fraction", {"--period", "2", "1/7"}, "not for the fraction '1/7'", 2},
      {"keypad, negative", {"--notation", "keypad", "--", "-1/2"}, "negative", 1},
      {"keypad, too long", {"--notation", "keypad", "1/17"}, "at most 10", 1},
      {"keypad, cut", {"--notation", "keypad", "--max-digits", "3", "1/7"}, "keypad cannot", 1},
      {"unknown notation", {"--notation", "roman", "1/7"}, "unknown notation 'roman'", 2},
      {"max digits zero", {"--max-digits", "0", "1/7"}, "1 or more", 2},
      {"max digits not a number", {"--max-digits", "many", "1/7"}, "'many'", 2},
      {"max digits without a value", {"1/7", "--max-digits"}, "needs a value", 2},
      {"detail with json", {"--detail", "--json", "1/7"}, "cannot be given together", 2},
      {"flag with a value", {"--mixed=1", "1/7"}, "takes no value", 2},
      {"a control character", {"0.1\x1b(6)"}, "'\\x1B'", 2},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
    EXPECT_NE(r.err.find(row.phrase), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.status, row.status);
  }
}

TEST(ExactCommandLine, AnswersMixedLinesInOrder) {
  const auto r = RunCli({}, "0.1(6)\n 1 1/6 \n-3/4\r\n0.16 1\n0.1(6\n1/0\n0.(3) 1\n1e5\n");
  EXPECT_EQ(r.out,
            "1/6\n1.1(6)\n-0.75\n1/6\n"
            "error: '0.1(6': the parenthesis opened at character 4 is never closed\n"
            "error: '1/0': the denominator at character 3 is zero\n"
            "error: K is for a plain decimal; '0.(3)' marks its recurring digits itself\n"
            "100000/1\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 1);
}

}  // namespace
