// Timings of whole conversions, typical and worst, and of the factorisation
// alone. The trial division is the cost: it runs to the rounded square root of
// the term plus one, and starts again at 2 after every factor found, so the
// worst term is the square of the largest prime whose square is below 2^31:
// 46337^2 = 2147117569, 139,009 trial divisions (the prime 2147483647 needs
// 46,341; 2147483381 = 46271 * 46411, the largest product of two primes near
// 46341 below 2^31, needs 92,611).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversion.h"
#include "convert/reduction.h"

namespace {

using namespace quotalis;

void Convert(benchmark::State& state, std::string_view entry, std::int32_t k,
             std::string_view fraction) {
  for (auto _ : state) {
    Conversion c = ConvertEntry(entry, k);
    benchmark::DoNotOptimize(c);
  }
  const Conversion c = ConvertEntry(entry, k);
  if (c.reduction.numerator + "/" + c.reduction.denominator != fraction) {
    state.SkipWithError("wrong fraction");
  }
}

void Factorisation(benchmark::State& state, std::string_view term, std::int16_t entries) {
  FactorArray factors{};
  std::int32_t value = 0;
  std::int16_t count = 0;
  std::int32_t divisor = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Factorise(term, value, count, factors, divisor));
    benchmark::DoNotOptimize(factors);
  }
  if (count != entries) state.SkipWithError("wrong number of entries");
}

}  // namespace

// Typical entries.
BENCHMARK_CAPTURE(Convert, half, ".5", 0, "1/2")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, one_sixth_0_1666_k1, "0.1666", 1, "1/6")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, one_seventh_0_142857_k6, "0.142857", 6, "1/7")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, period_two_12_34_k2, "12.34", 2, "1222/99")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, tiny_0_000012_k2, ".000012", 2, "1/82500")
    ->Unit(benchmark::kMicrosecond);

// The longest entries and the worst terms.
BENCHMARK_CAPTURE(Convert, nine_decimals_123456789, ".123456789", 0, "123456789/1000000000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, worst_with_point_999002449, ".999002449", 0, "999002449/1000000000")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, prime_2147483647, "2147483647", 0, "2147483647/1")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, semiprime_2147483381, "2147483381", 0, "2147483381/1")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, prime_square_2147117569, "2147117569", 0, "2147117569/1")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, power_of_two_1073741824, "1073741824", 0, "1073741824/1")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, past_32_bits_9999999999, "9999999999", 0, "9999999999/1")
    ->Unit(benchmark::kMicrosecond);

// The factorisation alone.
BENCHMARK_CAPTURE(Factorisation, prime_2147483647, "2147483647", 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Factorisation, semiprime_2147483381, "2147483381", 2)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Factorisation, prime_square_2147117569, "2147117569", 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Factorisation, power_of_two_1073741824, "1073741824", 31)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Factorisation, power_of_ten_1000000000, "1000000000", 19)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
