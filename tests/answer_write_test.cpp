// The writers of an answer, on answers made by hand: the JSON schema's
// fields in order, lengths past what JavaScript and jq read exactly written
// as strings, a refusal's object, the value and --detail with mixed numbers
// and a denominator's zeros held apart, and the working chosen for "working".
#include <gmpxx.h>

#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "answer/write.h"

namespace {

using quotalis::answer::Answer;
using quotalis::answer::Kind;
using quotalis::answer::Number;
using quotalis::answer::Terms;

Number N(const char* digits) { return std::make_shared<const mpz_class>(digits, 10); }

template <class Write>
std::string Out(Write write, const Answer& a) {
  std::ostringstream out;
  bool started = false;
  write(out, a, started);
  EXPECT_TRUE(started);
  return out.str();
}

Answer Decimal(const char* period) {
  Answer a;
  a.kind = Kind::Decimal;
  a.input = "1/d";
  a.reading = quotalis::exact::Notation::Fraction;
  a.decimal = "0.(0...)";
  a.lowest = {N("1"), N("7"), 0};
  a.period = mpz_class(period, 10);
  a.cut = true;
  return a;
}

TEST(WriteJson, LengthsPastTwoToThe53AreStrings) {
  // 2^53 - 1 is the largest whole number a double holds exactly.
  EXPECT_NE(Out(quotalis::answer::WriteJson, Decimal("9007199254740991"))
                .find("\"period\":9007199254740991,"),
            std::string::npos);
  EXPECT_NE(Out(quotalis::answer::WriteJson, Decimal("9007199254740992"))
                .find("\"period\":\"9007199254740992\","),
            std::string::npos);
  EXPECT_NE(Out(quotalis::answer::WriteJson, Decimal("7500000000000000047500000000000000050"))
                .find("\"period\":\"7500000000000000047500000000000000050\""),
            std::string::npos);
  Answer uncounted = Decimal("0");
  uncounted.period.reset();
  EXPECT_NE(Out(quotalis::answer::WriteJson, uncounted)
                .find("\"period\":null,\"periodAbove\":10000000,\"cut\":true}"),
            std::string::npos);
}

TEST(WriteJson, FieldsInTheirOrder) {
  Answer a;
  a.kind = Kind::Fraction;
  a.input = "0.1(6)";
  a.reading = quotalis::exact::Notation::Parentheses;
  a.decimal = "0.1(6)";
  a.unreduced = {N("15"), N("90"), 0};
  a.lowest = {N("1"), N("6"), 0};
  a.nonRecurring = 1;
  a.period = 1;
  EXPECT_EQ(Out(quotalis::answer::WriteJson, a),
            R"j({"input":"0.1(6)","reading":"parentheses","decimal":"0.1(6)","unreduced":"15/90",)j"
            R"j("fraction":"1/6","numerator":"1","denominator":"6","nonRecurring":1,"period":1,)j"
            R"j("cut":false})j");
  a.mixed = true;
  a.lowest = {N("-7"), N("6"), 0};
  EXPECT_NE(Out(quotalis::answer::WriteJson, a).find(R"j("mixed":"-1 1/6",)j"), std::string::npos);
}

TEST(WriteJson, RefusalsNameTheirFault) {
  const quotalis::exact::Problem problem(quotalis::exact::ProblemKind::Syntax, "x", 4);
  Answer a = quotalis::answer::Refused(quotalis::answer::Status::BadInput, problem,
                                       "'0.1(6': \"quoted\"", std::string_view("0.1(6"));
  EXPECT_EQ(Out(quotalis::answer::WriteJson, a),
            R"j({"input":"0.1(6","error":"'0.1(6': \"quoted\"","kind":"syntax","position":4})j");
  a.input.reset();
  EXPECT_TRUE(Out(quotalis::answer::WriteJson, a).starts_with(R"j({"input":null,"error":)j"));
}

TEST(WriteValue, ZerosHeldApartAndMixedNumbers) {
  Answer a;
  a.kind = Kind::Fraction;
  // 5 / (2 × 10^3), the zeros written, not made.
  a.lowest = {N("5"), N("2"), 3};
  EXPECT_EQ(Out(quotalis::answer::WriteValue, a), "5/2000");
  a.mixed = true;
  a.lowest = {N("2005"), N("2"), 3};
  EXPECT_EQ(Out(quotalis::answer::WriteValue, a), "1 5/2000");
  for (const auto& [n, d, mixed] : {std::tuple{"7", "1", "7"}, std::tuple{"0", "1", "0"},
                                    std::tuple{"-7", "6", "-1 1/6"}, std::tuple{"1", "6", "1/6"}}) {
    a.lowest = {N(n), N(d), 0};
    EXPECT_EQ(Out(quotalis::answer::WriteValue, a), mixed);
  }
  a.mixed = false;
  a.lowest = {N("7"), N("1"), 0};
  EXPECT_EQ(Out(quotalis::answer::WriteValue, a), "7/1");
}

TEST(WriteDetail, ThreeFieldsForEachKind) {
  Answer fraction;
  fraction.kind = Kind::Fraction;
  fraction.decimal = "0.5";
  fraction.unreduced = {N("5"), N("10"), 0};
  fraction.lowest = {N("1"), N("2"), 0};
  EXPECT_EQ(Out(quotalis::answer::WriteDetail, fraction), "0.5\t5/10\t1/2");
  Answer decimal = Decimal("6");
  decimal.decimal = "0.(142857)";
  EXPECT_EQ(Out(quotalis::answer::WriteDetail, decimal), "0.(142857)\t0\t6");
  decimal.period.reset();
  EXPECT_EQ(Out(quotalis::answer::WriteDetail, decimal), "0.(142857)\t0\t>10000000");
  Answer rounded;
  rounded.kind = Kind::Rounded;
  rounded.low = "0.66666666665";
  rounded.high = "0.66666666675";
  rounded.lowest = {N("2"), N("3"), 0};
  EXPECT_EQ(Out(quotalis::answer::WriteDetail, rounded), "0.66666666665\t0.66666666675\t2/3");
}

TEST(WriteWorking, TheLatexOnlyWithTheLatexNotation) {
  Answer a;
  a.working.text = {"Let x = 0.1(6)", "x = 1/6"};
  a.working.latex = {"\\begin{align*}", "\\end{align*}"};
  a.asked = {.text = true, .latex = true};
  std::ostringstream text;
  quotalis::answer::WriteWorking(text, a);
  EXPECT_EQ(text.str(), "Let x = 0.1(6)\nx = 1/6");
  a.notation = quotalis::exact::Notation::Latex;
  std::ostringstream latex;
  quotalis::answer::WriteWorking(latex, a);
  EXPECT_EQ(latex.str(), "\\begin{align*}\n\\end{align*}");
}

}  // namespace
