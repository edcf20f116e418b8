// Timings of the exact library at the sizes its documentation promises: a
// million-digit decimal to lowest terms, the ten-million-digit period of
// 1/9999943, the period's length for denominators below 10^18, and keypad
// entries, and small decimals in machine words. Each checks its result once,
// outside the timed loop.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/base.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/keypad.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/word.h>

namespace {

using namespace quotalis::exact;

std::string RandomDigits(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::string s(count, '0');
  for (char& c : s) c = static_cast<char>('0' + rng() % 10);
  return s;
}

// 0.(fixed)(period) to lowest terms, both terms then written out in decimal.
void LongDecimal(benchmark::State& state, std::size_t digits, std::size_t period) {
  const Decimal d{false, "0", RandomDigits(digits - period, 1), RandomDigits(period, 2), 0};
  std::size_t written = 0;
  for (auto _ : state) {
    const Result<Schoolbook> s = ToFraction(d);
    const Rational& r = std::get<Schoolbook>(s).reduced;
    const std::string text = r.numerator.get_str() + "/" + r.denominator.get_str();
    written = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  // The reduced fraction equals the unreduced one and its denominator divides it.
  const Schoolbook s = std::get<Schoolbook>(ToFraction(d));
  if (s.reduced.numerator * s.denominator != s.numerator * s.reduced.denominator ||
      s.denominator % s.reduced.denominator != 0 || written < digits - period) {
    state.SkipWithError("wrong fraction");
  }
}

// The lowest terms alone, the denominator's zeros apart, as quotalis-cli
// writes a long decimal's fraction: the numerator's digits, the digits of
// the denominator without its zeros, and the zeros.
void LongDecimalLowestTerms(benchmark::State& state, std::size_t digits, std::size_t period) {
  const Decimal d{false, "0", RandomDigits(digits - period, 1), RandomDigits(period, 2), 0};
  std::size_t written = 0;
  for (auto _ : state) {
    const Result<LowestTerms> made = ToLowestTerms(d);
    const LowestTerms& l = std::get<LowestTerms>(made);
    const std::string text = l.numerator.get_str() + "/" + l.denominator.get_str() +
                             std::string(static_cast<std::size_t>(l.tens), '0');
    written = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  const Result<Schoolbook> whole = ToFraction(d);
  const Rational& r = std::get<Schoolbook>(whole).reduced;
  if (written != r.numerator.get_str().size() + 1 + r.denominator.get_str().size()) {
    state.SkipWithError("wrong fraction");
  }
}

// 100,000 small decimals, 12.34(567) and the like, read, reduced and
// written in machine words; per decimal.
void SmallDecimals(benchmark::State& state) {
  std::mt19937_64 rng(13);
  std::vector<std::string> texts;
  for (int i = 0; i < 100'000; ++i) {
    texts.push_back(std::to_string(rng() % 100) + "." + RandomDigits(rng() % 4, rng()) + "(" +
                    RandomDigits(rng() % 4 + 1, rng()) + ")");
  }
  char out[kWordFractionChars];
  std::size_t written = 0;
  for (auto _ : state) {
    written = 0;
    for (const std::string& text : texts) {
      const std::optional<DecimalDigits> d = ReadSmall(text);
      const std::optional<WordFraction> f = ToWordFraction(*d);
      written += static_cast<std::size_t>(WriteWordFraction(*f, false, out) - out);
    }
    benchmark::DoNotOptimize(written);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
  if (written < 300'000) state.SkipWithError("too little written");
}

// Period lengths of 2,000 random denominators between 10^17 and 10^18; per
// denominator.
void PeriodsBelowTenToTheEighteen(benchmark::State& state) {
  std::mt19937_64 rng(11);
  std::vector<mpz_class> ds;
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t d = 100'000'000'000'000'000ULL + rng() % 900'000'000'000'000'000ULL;
    ds.emplace_back(std::to_string(d));
  }
  for (auto _ : state) {
    for (const mpz_class& d : ds) benchmark::DoNotOptimize(PeriodLength(d));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ds.size()));
  // 10^t = 1 modulo d without its twos and fives, checked for the first few.
  for (std::size_t i = 0; i < 20; ++i) {
    mpz_class rest = ds[i];
    while (rest % 2 == 0) rest /= 2;
    while (rest % 5 == 0) rest /= 5;
    const mpz_class t = *PeriodLength(ds[i]);
    mpz_class power;
    const mpz_class ten = 10;
    mpz_powm(power.get_mpz_t(), ten.get_mpz_t(), t.get_mpz_t(), rest.get_mpz_t());
    if (rest != 1 && power != 1) state.SkipWithError("wrong period length");
  }
}

// Every digit of the period of 1/d.
void WholePeriod(benchmark::State& state, std::uint64_t d, std::size_t length,
                 std::string_view first) {
  Result<DecimalExpansion> e;
  for (auto _ : state) {
    e = ToDecimal(Rational{1, mpz_class(static_cast<unsigned long>(d))}, std::nullopt);
    benchmark::DoNotOptimize(std::get<DecimalExpansion>(e).value.period.data());
  }
  const DecimalExpansion& x = std::get<DecimalExpansion>(e);
  if (x.cut || x.value.period.size() != length || x.value.period.compare(0, first.size(), first)) {
    state.SkipWithError("wrong period");
  }
}

// 1/d in `base`: the period's length alone (maxDigits 0), then with every digit.
void PeriodInBase(benchmark::State& state, std::uint64_t d, int base, std::int64_t length) {
  std::optional<mpz_class> got;
  for (auto _ : state) {
    got = quotalis::exact::PeriodLengthInBase(mpz_class(static_cast<unsigned long>(d)), base);
    benchmark::DoNotOptimize(got);
  }
  if (!got || *got != length) state.SkipWithError("wrong period length");
}

void WholePeriodInBase(benchmark::State& state, std::uint64_t d, int base, std::size_t length) {
  Result<DecimalExpansion> e;
  for (auto _ : state) {
    e = quotalis::exact::ToBase(Rational{1, mpz_class(static_cast<unsigned long>(d))}, base);
    benchmark::DoNotOptimize(std::get<DecimalExpansion>(e).value.period.data());
  }
  const DecimalExpansion& x = std::get<DecimalExpansion>(e);
  if (x.cut || x.value.period.size() != length) state.SkipWithError("wrong period");
}

// `length` "" for a period longer than kMaxExpansionDigits that is not counted.
void PeriodOf(benchmark::State& state, const mpz_class& denominator, std::string_view length) {
  std::optional<mpz_class> got;
  for (auto _ : state) {
    got = PeriodLength(denominator);
    benchmark::DoNotOptimize(got);
  }
  if (got ? got->get_str() != length : !length.empty()) state.SkipWithError("wrong period length");
}

void Period(benchmark::State& state, const char* d, const char* length) {
  PeriodOf(state, mpz_class(d), length);
}

// 10^k - 1: factoring leaves a long part whole, and the search finds k.
void NinesPeriod(benchmark::State& state, unsigned long k) {
  mpz_class d;
  mpz_ui_pow_ui(d.get_mpz_t(), 10, k);
  PeriodOf(state, d - 1, std::to_string(k));
}

// A random denominator of `digits` digits ending in 1, whose period is far
// longer than the limit: the search runs its whole course.
void LongPeriodPastTheLimit(benchmark::State& state, std::size_t digits) {
  std::string text = RandomDigits(digits, 3);
  text.front() = '7';
  text.back() = '1';
  PeriodOf(state, mpz_class(text), "");
}

void Keypad(benchmark::State& state, std::string_view entry, std::int64_t k,
            std::string_view fraction) {
  std::string text;
  for (auto _ : state) {
    const Result<Decimal> d = FromKeypad(entry, k);
    const Result<Schoolbook> s = ToFraction(std::get<Decimal>(d));
    const Rational& r = std::get<Schoolbook>(s).reduced;
    text = r.numerator.get_str() + "/" + r.denominator.get_str();
    benchmark::DoNotOptimize(text.data());
  }
  if (text != fraction) state.SkipWithError("wrong fraction");
}

// A display of `digits` digits, 3 and then random ones after the point, read
// as rounded at its last digit, to its simplest fraction. Checked once: the answer lies in the
// interval, and its denominator has about half the digits, as the simplest
// fraction of a random display's does.
void RoundedDisplay(benchmark::State& state, std::size_t digits) {
  const Decimal d{false, "3", RandomDigits(digits - 1, 3), "", 0};
  Result<RoundedFraction> f;
  for (auto _ : state) {
    f = FromRounded(d);
    benchmark::DoNotOptimize(std::get<RoundedFraction>(f).fraction.denominator.get_mpz_t());
  }
  const RoundedFraction& r = std::get<RoundedFraction>(f);
  const Rational &x = r.fraction, &low = r.interval.lowValue, &high = r.interval.highValue;
  const std::size_t size = mpz_sizeinbase(x.denominator.get_mpz_t(), 10);
  if (x.numerator * low.denominator < low.numerator * x.denominator ||
      x.numerator * high.denominator > high.numerator * x.denominator || 3 * size < digits ||
      3 * size > 2 * digits) {
    state.SkipWithError("wrong fraction");
  }
}

}  // namespace

// A rounded display to its simplest fraction: the search takes time quadratic
// in the digits; 100,000 is the most kMaxRoundedDigits allows.
BENCHMARK_CAPTURE(RoundedDisplay, digits_1000, 1'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RoundedDisplay, digits_10000, 10'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RoundedDisplay, digits_100000, 100'000)->Unit(benchmark::kMillisecond);

// Decimal to lowest terms; Python's Fraction takes 0.46 s and 45.6 s for these.
BENCHMARK_CAPTURE(LongDecimal, digits_100000_period_10000, 100'000, 10'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongDecimal, digits_1000000_period_100000, 1'000'000, 100'000)
    ->Unit(benchmark::kMillisecond);

// The period found and every digit written.
BENCHMARK_CAPTURE(LongDecimalLowestTerms, digits_1000000_period_100000, 1'000'000, 100'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SmallDecimals)->Unit(benchmark::kMillisecond);
BENCHMARK(PeriodsBelowTenToTheEighteen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholePeriod, one_over_9999943, 9'999'943, 9'999'942, "0000001000005700032")
    ->Unit(benchmark::kMillisecond);
// 1/9999991 beside base 10: its period's length from the order of the base,
// and the whole period written, in bases 2 and 16.
BENCHMARK_CAPTURE(PeriodInBase, one_over_9999991_base_10, 9'999'991, 10, 1'666'665)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PeriodInBase, one_over_9999991_base_2, 9'999'991, 2, 4'999'995)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PeriodInBase, one_over_9999991_base_16, 9'999'991, 16, 4'999'995)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholePeriodInBase, one_over_9999991_base_10, 9'999'991, 10, 1'666'665)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholePeriodInBase, one_over_9999991_base_2, 9'999'991, 2, 4'999'995)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholePeriodInBase, one_over_9999991_base_16, 9'999'991, 16, 4'999'995)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholePeriod, one_over_17, 17, 16, "0588235294117647")
    ->Unit(benchmark::kMicrosecond);

// The period's length alone, denominators below 10^18: a prime near the top,
// a product of the two largest primes below 10^9 (the hardest kind for
// n_factor), 10^18 - 1 (many small factors) and a power of a prime.
BENCHMARK_CAPTURE(Period, prime_999999999999999989, "999999999999999989", "999999999999999988")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Period, semiprime_999999937_999999929, "999999866000004473", "41666661000000192")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Period, nines_10_to_18_minus_1, "999999999999999999", "18")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Period, seven_to_the_21, "558545864083284007", "478753597785672006")
    ->Unit(benchmark::kMicrosecond);

// Past what factoring finishes: 10^k - 1 (the search stops at k), a product
// of two 20-digit primes (the quadratic sieve), one of two 25-digit primes and
// random denominators of 1,000 to 1,000,000 digits (the whole search, whose
// answer is "longer than 10,000,000 digits").
BENCHMARK_CAPTURE(NinesPeriod, nines_10_to_70_minus_1, 70)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NinesPeriod, nines_10_to_1000_minus_1, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Period, two_20_digit_primes,  // (3 10^19 + 41)(10^19 + 51)
                  "300000000000000001940000000000000002091",
                  "7500000000000000047500000000000000050")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Period, two_25_digit_primes,  // (7 10^24 + 61)(2 10^24 + 3)
                  "14000000000000000000000143000000000000000000000183", "")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongPeriodPastTheLimit, digits_1000, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongPeriodPastTheLimit, digits_10000, 10'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongPeriodPastTheLimit, digits_100000, 100'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongPeriodPastTheLimit, digits_1000000, 1'000'000)->Unit(benchmark::kMillisecond);

// Keypad entries through the library.
BENCHMARK_CAPTURE(Keypad, one_sixth_0_1666_k1, "0.1666", 1, "1/6")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Keypad, one_seventh_0_142857_k6, "0.142857", 6, "1/7")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Keypad, longest_999002449_k9, ".999002449", 9, "999002449/999999999")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Keypad, ten_digit_integer, "9999999999", 0, "9999999999/1")
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
