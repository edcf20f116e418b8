// The check of a pupil's 6-line working beside the plain answer of the same
// entry, and the working with the program's own working asked: what one
// keystroke of the page's 答え合わせ panel costs.
#include <benchmark/benchmark.h>

#include <string>

#include "answer/answer.h"
#include "answer/check.h"

namespace {

constexpr const char* kEntry = "0.1(6)";
constexpr const char* kWorking =
    "x = 0.1(6) とおく。\n"
    "100x = 16.(6) ①\n"
    "10x = 1.(6) ②\n"
    "① − ② より 90x = 15\n"
    "x = 15/90\n"
    "答え 1/6\n";

void PlainAnswer(benchmark::State& state) {
  quotalis::answer::Request request;
  request.entry = kEntry;
  for (auto _ : state) {
    const quotalis::answer::Answer answer = quotalis::answer::AnswerEntry(request);
    benchmark::DoNotOptimize(answer.lowest.numerator);
  }
}
BENCHMARK(PlainAnswer)->Unit(benchmark::kMicrosecond);

void AnswerWithWorking(benchmark::State& state) {
  quotalis::answer::Request request;
  request.entry = kEntry;
  request.form = quotalis::answer::Form::Working;
  request.working.text = true;
  for (auto _ : state) {
    const quotalis::answer::Answer answer = quotalis::answer::AnswerEntry(request);
    benchmark::DoNotOptimize(answer.working.text.data());
  }
}
BENCHMARK(AnswerWithWorking)->Unit(benchmark::kMicrosecond);

void CheckSixLines(benchmark::State& state) {
  for (auto _ : state) {
    const quotalis::answer::Check check = quotalis::answer::CheckWorking({kEntry, kWorking});
    if (!check.correct) state.SkipWithError("the working should be right");
    benchmark::DoNotOptimize(check.lines.data());
  }
}
BENCHMARK(CheckSixLines)->Unit(benchmark::kMicrosecond);

void CheckSixLinesWrong(benchmark::State& state) {
  const std::string working =
      "x = 0.1(6)\n100x = 16.(6)\n10x = 1.(6)\n100x - 10x = 80x\nx = 15/80\nx = 3/16\n";
  for (auto _ : state) {
    const quotalis::answer::Check check = quotalis::answer::CheckWorking({kEntry, working});
    if (check.firstWrong != 4) state.SkipWithError("line 4 should be the first wrong one");
    benchmark::DoNotOptimize(check.lines.data());
  }
}
BENCHMARK(CheckSixLinesWrong)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
