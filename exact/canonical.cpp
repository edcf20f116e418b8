#include <quotalis/exact/canonical.h>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "numbers.h"

namespace quotalis::exact {

namespace {

using Size = std::int64_t;

bool AllOf(std::string_view s, char c) { return s.find_first_not_of(c) == std::string_view::npos; }

// The length of the shortest block whose repetitions make up `s` (prefix
// function), so "1212" -> 2, "123" -> 3, "" -> 0. Index is the width of the
// table's entries: 32 bits keep it at four bytes a digit.
template <class Index>
std::size_t PrimitiveLength(std::string_view s) {
  const std::size_t n = s.size();
  if (n == 0) return 0;
  std::vector<Index> border(n, 0);
  for (std::size_t i = 1; i < n; ++i) {
    std::size_t k = border[i - 1];
    while (k > 0 && s[i] != s[k]) k = border[k - 1];
    if (s[i] == s[k]) ++k;
    border[i] = static_cast<Index>(k);
  }
  const std::size_t q = n - border[n - 1];
  return n % q == 0 ? q : n;
}

std::size_t PrimitiveLength(std::string_view s) {
  return s.size() <= std::numeric_limits<std::uint32_t>::max() ? PrimitiveLength<std::uint32_t>(s)
                                                               : PrimitiveLength<std::size_t>(s);
}

// Adds one unit in the last place of integer.fixed, which stands for the
// period of nines that follows it: 0.4 -> 0.5, 9.99 -> 10.00.
void AddUnitInLastPlace(std::string& integer, std::string& fixed) {
  for (std::size_t i = fixed.size(); i-- > 0;) {
    if (fixed[i] != '9') {
      ++fixed[i];
      return;
    }
    fixed[i] = '0';
  }
  for (std::size_t i = integer.size(); i-- > 0;) {
    if (integer[i] != '9') {
      ++integer[i];
      return;
    }
    integer[i] = '0';
  }
  integer.insert(integer.begin(), '1');
}

}  // namespace

Result<Decimal> Canonical(const Decimal& d) {
  if (std::optional<Problem> problem = CheckDigits(d)) return *problem;

  const auto intDigits = static_cast<Size>(d.integer.size());
  const auto fixedDigits = static_cast<Size>(d.fixed.size());
  const Size finiteDigits = intDigits + fixedDigits;

  // The first nonzero digit of integer, fixed, then period: none means zero,
  // whatever the exponent.
  Size first = -1;
  if (const auto i = d.integer.find_first_not_of('0'); i != std::string::npos) {
    first = static_cast<Size>(i);
  } else if (const auto f = d.fixed.find_first_not_of('0'); f != std::string::npos) {
    first = intDigits + static_cast<Size>(f);
  } else if (const auto p = d.period.find_first_not_of('0'); p != std::string::npos) {
    first = finiteDigits + static_cast<Size>(p);
  }
  if (first < 0) return Decimal{false, "0", "", "", 0};

  // Where the point falls among the digits once the exponent is applied. The
  // integer part then has point - first digits (one more after a carry), and
  // a point before every digit leaves -point zeros after it that no shortening
  // removes: both are refused here, before anything is built, the second first
  // so that point - first stays in range for the smallest exponent.
  const std::optional<Size> point = CheckedAdd(intDigits, d.exponent);
  if (!point) return TooManyDigits(d.exponent > 0 ? Term::Numerator : Term::Denominator);
  if (*point < -kMaxTermDigits) return TooManyDigits(Term::Denominator);
  if (*point - first > kMaxTermDigits) return TooManyDigits(Term::Numerator);

  Decimal c;
  c.negative = d.negative;
  std::string period = d.period;
  if (*point <= 0) {
    c.integer = "0";
    c.fixed.reserve(static_cast<std::size_t>(-*point + finiteDigits));
    c.fixed.assign(static_cast<std::size_t>(-*point), '0');
    c.fixed += d.integer;
    c.fixed += d.fixed;
  } else if (*point <= finiteDigits) {
    const auto at = static_cast<std::size_t>(*point);
    if (at <= d.integer.size()) {
      c.integer = d.integer.substr(0, at);
      c.fixed = d.integer.substr(at) + d.fixed;
    } else {
      c.integer = d.integer + d.fixed.substr(0, at - d.integer.size());
      c.fixed = d.fixed.substr(at - d.integer.size());
    }
  } else {
    // The point moves past the written digits: period digits (or zeros)
    // follow into the integer part, and the period starts where they stop.
    const auto more = static_cast<std::size_t>(*point - finiteDigits);
    c.integer.reserve(static_cast<std::size_t>(finiteDigits) + more);
    c.integer = d.integer + d.fixed;
    if (period.empty()) {
      c.integer.append(more, '0');
    } else {
      for (std::size_t j = 0; j < more; ++j) c.integer += period[j % period.size()];
      std::rotate(period.begin(),
                  period.begin() + static_cast<std::ptrdiff_t>(more % period.size()), period.end());
    }
  }

  // The shortest period, then the shortest non-recurring part: trailing
  // fixed digits that continue the period backwards join it.
  period.resize(PrimitiveLength(period));
  if (!period.empty() && !AllOf(period, '0')) {
    const std::size_t k = period.size();
    std::size_t taken = 0;
    while (taken < c.fixed.size() &&
           c.fixed[c.fixed.size() - 1 - taken] == period[k - 1 - taken % k]) {
      ++taken;
    }
    c.fixed.resize(c.fixed.size() - taken);
    std::rotate(period.begin(), period.begin() + static_cast<std::ptrdiff_t>(k - taken % k),
                period.end());
  }
  if (period == "9") {
    AddUnitInLastPlace(c.integer, c.fixed);
    period.clear();
  }
  if (period == "0") period.clear();
  if (period.empty()) c.fixed.erase(c.fixed.find_last_not_of('0') + 1);
  c.period = std::move(period);

  const auto lead = c.integer.find_first_not_of('0');
  c.integer.erase(0, lead == std::string::npos ? c.integer.size() : lead);
  if (c.integer.empty()) c.integer = "0";
  if (c.integer == "0" && c.fixed.empty() && c.period.empty()) c.negative = false;

  if (std::optional<Problem> problem = CanonicalOverLimit(c)) return *problem;
  return c;
}

}  // namespace quotalis::exact
