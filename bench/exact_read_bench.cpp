// Timings of the notations at the size the command line takes by default: a
// decimal of 1,000,000 digits whose last 100,000 recur. Reading, the canonical
// form and writing are each linear in the digits.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>
#include <variant>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/write.h>

namespace {

using namespace quotalis::exact;

constexpr std::size_t kFixed = 900'000;
constexpr std::size_t kPeriod = 100'000;

std::string Digits(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::string s;
  s.reserve(n);
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('0' + random() % 10);
  return s;
}

const std::string& FixedDigits() {
  static const std::string s = std::string("5").append(Digits(kFixed - 1, 1));
  return s;
}

const std::string& PeriodDigits() {
  static const std::string s = Digits(kPeriod - 1, 2) + "4";
  return s;
}

void Check(benchmark::State& state, const Result<Reading>& read) {
  const auto* reading = std::get_if<Reading>(&read);
  const auto* d = reading ? std::get_if<Decimal>(&reading->value) : nullptr;
  if (d == nullptr || d->period.size() != kPeriod) state.SkipWithError("wrong reading");
}

void ReadParentheses(benchmark::State& state) {
  const std::string text = "0." + FixedDigits() + "(" + PeriodDigits() + ")";
  for (auto _ : state) {
    Result<Reading> read = Read(text);
    benchmark::DoNotOptimize(read);
  }
  Check(state, Read(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void ReadEllipsis(benchmark::State& state) {
  const std::string text = "0." + FixedDigits() + PeriodDigits() + PeriodDigits() + "...";
  for (auto _ : state) {
    Result<Reading> read = Read(text);
    benchmark::DoNotOptimize(read);
  }
  Check(state, Read(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void CanonicalForm(benchmark::State& state) {
  // Written with its period doubled and an exponent, so that every step runs.
  const Decimal d{false, "0", FixedDigits(), PeriodDigits() + PeriodDigits(), 3};
  for (auto _ : state) {
    Result<Decimal> c = Canonical(d);
    benchmark::DoNotOptimize(c);
  }
  const Result<Decimal> c = Canonical(d);
  if (!std::holds_alternative<Decimal>(c) || std::get<Decimal>(c).period.size() != kPeriod) {
    state.SkipWithError("wrong canonical form");
  }
}

void WriteNotation(benchmark::State& state, Notation notation) {
  const Decimal d{false, "0", FixedDigits(), PeriodDigits(), 0};
  for (auto _ : state) {
    Result<std::string> text = Write(d, notation);
    benchmark::DoNotOptimize(text);
  }
  if (!std::holds_alternative<std::string>(Write(d, notation))) state.SkipWithError("not written");
}

}  // namespace

BENCHMARK(ReadParentheses)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadEllipsis)->Unit(benchmark::kMillisecond);
BENCHMARK(CanonicalForm)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteNotation, parentheses, Notation::Parentheses)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteNotation, dots, Notation::Dots)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteNotation, ellipsis, Notation::Ellipsis)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
