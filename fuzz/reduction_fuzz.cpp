// The reduction: trial bounds, factor lists and the reduced fraction, against
// trial division by plain arithmetic, std::gcd and cross-multiplication. A
// text with a "/" is a fraction, split at the first one; any other text is a
// numerator over 1.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>

#include "check.h"
#include "convert/reading.h"
#include "convert/reduction.h"
#include "convert/writing.h"
#include "reference/integers.h"

namespace {

using namespace quotalis;
using fuzz::Require;

constexpr std::int32_t kStale = -12345;

void CheckFactorise(std::string_view text) {
  FactorArray factors;
  factors.fill(kStale);
  std::int32_t term = kStale;
  std::int16_t count = -1;
  std::int32_t divisor = 0;
  const bool ok = Factorise(text, term, count, factors, divisor);
  const std::optional<std::int32_t> start = RoundToLong(LeadingValue(text));
  Require(ok == (start && *start >= 0), "Factorise takes non-negative 32-bit values", text);
  if (!ok) {
    Require(count == 0 && term == kStale, "a refused term leaves count 0, term unchanged", text);
    Require(std::all_of(factors.begin(), factors.end(), [](auto f) { return f == kStale; }),
            "a refused term leaves the list alone", text);
    return;
  }
  Require(count >= 1 && count <= 31, "1 to 31 entries", text);
  const auto used = static_cast<std::size_t>(count);
  Require(factors[0] == kStale, "index 0 never used", text);
  for (std::size_t i = used + 1; i < factors.size(); ++i) {
    Require(factors[i] == kStale, "entries past the count untouched", text);
  }
  const std::int32_t bound = *TrialBound(*start);
  Require(divisor == bound + 1, "the search ends past the bound", text);
  std::int64_t product = 1;
  for (std::size_t i = 1; i < used; ++i) {
    Require(testing::IsPrime(factors[i]) && factors[i] <= bound, "primes within the bound", text);
    Require(i == 1 || factors[i - 1] <= factors[i], "ascending", text);
    product *= factors[i];
  }
  const std::int32_t last = factors[used];
  Require(term == last, "the term ends as the last remainder", text);
  Require(*start == 0 ? last == 0 : last == 1 || (testing::IsPrime(last) && last > bound),
          "remainder 1, or a prime above the bound, or 0 for 0", text);
  product *= last;
  Require(product == *start, "the entries multiply back to the term", text);
}

std::int64_t Product(const FactorArray& factors, std::int16_t count) {
  std::int64_t p = 1;
  for (std::int16_t i = 1; i <= count; ++i) p *= factors[static_cast<std::size_t>(i)];
  return p;
}

void CheckReduce(std::string_view text) {
  const std::size_t slash = std::min(text.find('/'), text.size());
  const std::string_view n = text.substr(0, slash);
  const std::string_view d = slash < text.size() ? text.substr(slash + 1) : std::string_view("1");
  const std::optional<Reduction> r = Reduce(n, d);
  if (!r) return;
  Require(testing::AllDigits(r->numerator) && testing::AllDigits(r->denominator),
          "reduced terms are digits", text);
  const auto nv = RoundToLong(LeadingValue(n));
  const auto dv = RoundToLong(LeadingValue(d));
  Require(dv.has_value() && *dv > 0, "a positive 32-bit denominator", text);
  if (!nv || *nv < 0) {
    Require(r->numerator == n && d == "1" && r->denominator == "1", "a wide integer over 1", text);
    return;
  }
  const auto rn = testing::DigitsValue(r->numerator);
  const auto rd = testing::DigitsValue(r->denominator);
  Require(rn && rd && *rd > 0, "reduced terms fit", text);
  Require(std::gcd(*rn, *rd) == 1 || *rn == 0, "lowest terms", text);
  Require(static_cast<__int128>(*rn) * *dv == static_cast<__int128>(*rd) * *nv,
          "the reduced fraction equals the unreduced one", text);
  Require(Product(r->Nfactor, r->Nnterm) == static_cast<std::int64_t>(*rn) &&
              Product(r->Dfactor, r->Dnterm) == static_cast<std::int64_t>(*rd),
          "the lists after pairing multiply to the reduced terms", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in;
  if (!fuzz::Split(data, size, in)) return 0;
  CheckFactorise(in.text);
  CheckReduce(in.text);
  return 0;
}
