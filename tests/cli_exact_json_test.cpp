// The command line on the exact library as JSON, and how it quotes what it
// echoes of the input.
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "answer/json.h"
#include "answer/quote.h"
#include "cli_run.h"

namespace {

using cli_run::RunCli;

struct ToDecimal {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
};

TEST(ExactCommandLine, WritesJson) {
  const std::vector<ToDecimal> rows = {
      {"a decimal",
       {"--json", "0.1(6)"},
       R"j({"input":"0.1(6)","reading":"parentheses","decimal":"0.1(6)","unreduced":"15/90",)j"
       R"j("fraction":"1/6","numerator":"1","denominator":"6","nonRecurring":1,"period":1,)j"
       R"j("cut":false})j"},
      {"a plain decimal with K, mixed: its period marked",
       {"--json", "--mixed", "--period", "1", "1.1666"},
       R"j({"input":"1.1666","reading":"plain","decimal":"1.1(6)","unreduced":"10500/9000",)j"
       R"j("fraction":"7/6","numerator":"7","denominator":"6","mixed":"1 1/6",)j"
       R"j("nonRecurring":1,"period":1,"cut":false})j"},
      {"a plain decimal with K, in dots",
       {"--json", "--notation", "dots", "--period", "2", "0.36"},
       R"j({"input":"0.36","reading":"plain","decimal":"0.3̇6̇","unreduced":"36/99",)j"
       R"j("fraction":"4/11","numerator":"4","denominator":"11","nonRecurring":0,"period":2,)j"
       R"j("cut":false})j"},
      {"a plain decimal without K: the normalised entry",
       {"--json", "--", "-007.50"},
       R"j({"input":"-007.50","reading":"plain","decimal":"-7.5","unreduced":"-75/10",)j"
       R"j("fraction":"-15/2","numerator":"-15","denominator":"2","nonRecurring":1,"period":0,)j"
       R"j("cut":false})j"},
      {"a numerator past 64 bits, every digit kept",
       {"--json", "--", "-123456789012345678901/2"},
       R"j({"input":"-123456789012345678901/2","reading":"fraction",)j"
       R"j("decimal":"-61728394506172839450.5","fraction":"-123456789012345678901/2",)j"
       R"j("numerator":"-123456789012345678901","denominator":"2","nonRecurring":1,"period":0,)j"
       R"j("cut":false})j"},
      {"a fraction",
       {"--json", "1/7"},
       R"j({"input":"1/7","reading":"fraction","decimal":"0.(142857)","fraction":"1/7",)j"
       R"j("numerator":"1","denominator":"7","nonRecurring":0,"period":6,"cut":false})j"},
      {"a cut mixed number",
       {"--json", "--max-digits", "2", "1 1/7"},
       R"j({"input":"1 1/7","reading":"mixed","decimal":"1.(14...) [cut: the period has 6 )j"
       R"j(digits; the first 2 are shown]","fraction":"8/7","numerator":"8","denominator":"7",)j"
       R"j("nonRecurring":0,"period":6,"cut":true})j"},
      {"a period counted though its denominator is not factored, past 2^53 - 1: a string of "
       "digits, which no reader rounds",
       {"--json", "--max-digits", "1", "1/2000000000000095000000000000777"},
       R"j({"input":"1/2000000000000095000000000000777","reading":"fraction","decimal":)j"
       R"j("0.(0...) [cut: the period has 500000000000023000000000000180 digits; the first )j"
       R"j(digit is shown]","fraction":"1/2000000000000095000000000000777","numerator":"1",)j"
       R"j("denominator":"2000000000000095000000000000777","nonRecurring":0,)j"
       R"j("period":"500000000000023000000000000180","cut":true})j"},
      {"a period past the limit, uncounted",
       {"--json", "--max-digits", "1", "1/14000000000000000000000143000000000000000000000183"},
       R"j({"input":"1/14000000000000000000000143000000000000000000000183","reading":)j"
       R"j("fraction","decimal":"0.(0...) [cut: the period has more than 10,000,000 digits; )j"
       R"j(the first digit is shown]","fraction":"1/14000000000000000000000143000000000000000)j"
       R"j(000000183","numerator":"1","denominator":"1400000000000000000000014300000000000000000)j"
       R"j(0000183","nonRecurring":0,"period":null,"periodAbove":10000000,"cut":true})j"},
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
            R"j(never closed","kind":"syntax","position":4})j"
            "\n");
  EXPECT_EQ(bad.err, "");
  EXPECT_EQ(bad.status, 2);
  const auto lines = RunCli({"--json"}, std::string("1\"\\\x01\xff\n\n", 7));
  EXPECT_EQ(lines.out,
            R"j({"input":"1\"\\\u0001\ufffd","error":"'1\"\\\\x01\\xFF': unexpected '\"' )j"
            R"j(at character 2","kind":"character","position":2})j"
            "\n"
            R"j({"input":"","error":"'': the line is empty; give ENTRY [K]","kind":"empty",)j"
            R"j("position":0})j"
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
    EXPECT_EQ("'" + quotalis::answer::Shown(row.text) + "'", row.quoted);
    EXPECT_EQ(quotalis::answer::JsonString(row.text), row.json);
  }
}

}  // namespace
