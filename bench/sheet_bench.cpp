// A sheet of 200 exercises of every kind with the LaTeX working of each,
// made and written as --sheet --explain writes it, at each difficulty: what
// a teacher waits for at the command line or in the page.
#include <benchmark/benchmark.h>

#include <sstream>

#include "answer/sheet.h"

namespace {

void SheetWithWorking(benchmark::State& state) {
  quotalis::answer::SheetRequest request;
  request.count = quotalis::answer::kMostExercises;
  request.difficulty = static_cast<int>(state.range(0));
  request.working = true;
  std::uint64_t seed = 0;
  for (auto _ : state) {
    request.seed = seed++;
    const quotalis::answer::Sheet sheet = quotalis::answer::MakeSheet(request);
    std::ostringstream out;
    quotalis::answer::WriteSheetLatex(out, sheet, quotalis::words::EnglishWords());
    if (sheet.exercises.size() != quotalis::answer::kMostExercises || out.str().empty()) {
      state.SkipWithError("the sheet is not whole");
      break;
    }
    benchmark::DoNotOptimize(out.str().data());
  }
}
BENCHMARK(SheetWithWorking)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
