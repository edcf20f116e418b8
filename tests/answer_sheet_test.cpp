// The exercise sheet's pieces: its random sequence against SplitMix64's
// published values, its bounded draw, the options' readers, the dotted
// LaTeX of a decimal, and sheets made the same from the same seed. The
// answers themselves are checked against Python's fractions by
// tests/sheet/sheet_check.py.
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "answer/sheet.h"

namespace {

using namespace quotalis::answer;

TEST(Sheet, RandomIsSplitMix64) {
  // The first outputs of SplitMix64 from the seeds 0 and 1234567, as its
  // author's reference implementation gives them.
  Random zero(0);
  EXPECT_EQ(zero.Next(), 0xE220A8397B1DCDAFu);
  EXPECT_EQ(zero.Next(), 0x6E789E6AA1B965F4u);
  EXPECT_EQ(zero.Next(), 0x06C45D188009454Fu);
  Random other(1234567);
  EXPECT_EQ(other.Next(), 6457827717110365317u);
  EXPECT_EQ(other.Next(), 3203168211198807973u);
}

TEST(Sheet, BelowDrawsEveryValueAndNoOther) {
  Random random(42);
  std::map<std::uint64_t, int> seen;
  for (int i = 0; i < 60000; ++i) ++seen[random.Below(6)];
  ASSERT_EQ(seen.size(), 6u);
  for (const auto& [value, times] : seen) {
    EXPECT_LT(value, 6u);
    EXPECT_NEAR(times, 10000, 500) << value;  // about 5 standard deviations
  }
  for (int i = 0; i < 1000; ++i) {
    const int v = random.Between(3, 5);
    EXPECT_TRUE(v >= 3 && v <= 5) << v;
  }
  EXPECT_EQ(random.Below(1), 0u);
  // A bound just past half of 2^64 rejects nearly half the draws, and still ends.
  const std::uint64_t big = (std::uint64_t{1} << 63) + 1;
  for (int i = 0; i < 100; ++i) EXPECT_LT(random.Below(big), big);
}

TEST(Sheet, ReadsItsOptions) {
  EXPECT_EQ(std::get<int>(ReadCount("1")), 1);
  EXPECT_EQ(std::get<int>(ReadCount("200")), 200);
  EXPECT_EQ(std::get<int>(ReadCount("\uFF13\uFF10")), 30);  // full-width 30
  for (const char* bad : {"0", "201", "", "-1", "1e2", "20x", "99999999999999999999999"}) {
    SCOPED_TRACE(bad);
    const auto read = ReadCount(bad);
    const auto* problem = std::get_if<quotalis::exact::Problem>(&read);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->kind, quotalis::exact::ProblemKind::Argument);
    EXPECT_NE(problem->message.find("--count"), std::string::npos) << problem->message;
  }
  EXPECT_EQ(std::get<std::uint64_t>(ReadSeed("0")), 0u);
  EXPECT_EQ(std::get<std::uint64_t>(ReadSeed("9007199254740991")), kLargestSeed);
  EXPECT_TRUE(std::holds_alternative<quotalis::exact::Problem>(ReadSeed("9007199254740992")));
  EXPECT_TRUE(std::holds_alternative<quotalis::exact::Problem>(ReadDifficulty("0")));
  EXPECT_EQ(std::get<int>(ReadDifficulty("3")), 3);
  for (const ExerciseKind kind : ExerciseKinds()) {
    EXPECT_EQ(std::get<ExerciseKind>(ReadExerciseKind(ExerciseKindName(kind))), kind);
  }
  const auto read = ReadExerciseKind("cubes");
  const auto* unknown = std::get_if<quotalis::exact::Problem>(&read);
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->message,
            "unknown kind 'cubes': the kinds are pure, pre-period, whole, to-decimal, "
            "mixed-number, rounded");
}

TEST(Sheet, DotsOverTheFirstAndLastDigitsOfThePeriod) {
  EXPECT_EQ(DottedLatex("0.1(6)"), "0.1\\dot{6}");
  EXPECT_EQ(DottedLatex("0.(142857)"), "0.\\dot{1}4285\\dot{7}");
  EXPECT_EQ(DottedLatex("2.3(45)"), "2.3\\dot{4}\\dot{5}");
  EXPECT_EQ(DottedLatex("1/7"), "\\frac{1}{7}");
  EXPECT_EQ(DottedLatex("2 1/3"), "2\\frac{1}{3}");
  EXPECT_EQ(DottedLatex("-1/3"), "-\\frac{1}{3}");
  EXPECT_EQ(DottedLatex("0.142857"), "0.142857");
  EXPECT_EQ(DottedLatex("7"), "7");
}

std::string Json(const SheetRequest& request) {
  std::ostringstream out;
  WriteSheetJson(out, MakeSheet(request));
  return out.str();
}

TEST(Sheet, TheSameSeedMakesTheSameSheet) {
  SheetRequest request;
  request.seed = 7;
  request.count = 60;
  const std::string first = Json(request);
  EXPECT_EQ(Json(request), first);
  request.seed = 8;
  EXPECT_NE(Json(request), first);
  // The working asked changes nothing of the exercises.
  request.seed = 7;
  request.working = true;
  const Sheet worked = MakeSheet(request);
  std::ostringstream out;
  WriteSheetJson(out, worked);
  EXPECT_EQ(out.str(), first);
  for (const Exercise& e : worked.exercises) EXPECT_FALSE(e.working.empty()) << e.question;
}

TEST(Sheet, SharesTheCountOutAndNumbersThrough) {
  SheetRequest request;
  request.seed = 11;
  request.count = 14;
  request.kinds = {ExerciseKind::Rounded, ExerciseKind::Pure, ExerciseKind::Rounded,
                   ExerciseKind::ToDecimal};
  const Sheet sheet = MakeSheet(request);
  ASSERT_EQ(sheet.status, Status::Answered);
  ASSERT_EQ(sheet.kinds.size(), 3u);  // the kind named twice, once
  std::map<ExerciseKind, int> tally;
  std::set<std::string> questions;
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& e = sheet.exercises[i];
    EXPECT_EQ(e.number, static_cast<int>(i) + 1);
    ++tally[e.kind];
    EXPECT_TRUE(questions.insert(e.question).second) << e.question;
  }
  EXPECT_EQ(tally[ExerciseKind::Rounded], 5);
  EXPECT_EQ(tally[ExerciseKind::Pure], 5);
  EXPECT_EQ(tally[ExerciseKind::ToDecimal], 4);
  EXPECT_EQ(sheet.exercises.front().kind, ExerciseKind::Rounded);  // in the order asked
}

TEST(Sheet, RefusesMoreThanAKindHolds) {
  SheetRequest request;
  request.count = 200;
  request.difficulty = 1;
  request.kinds = {ExerciseKind::ToDecimal};
  const Sheet sheet = MakeSheet(request);
  EXPECT_EQ(sheet.status, Status::Failed);
  EXPECT_TRUE(sheet.exercises.empty());
  EXPECT_NE(sheet.refusal.sentence.find("'to-decimal'"), std::string::npos);
  std::ostringstream out;
  WriteSheetJson(out, sheet);
  EXPECT_NE(out.str().find("\"error\":"), std::string::npos) << out.str();
}

}  // namespace
