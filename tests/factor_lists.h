// Factor lists written as plain vectors, for the reduction's tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "convert/reduction.h"

namespace quotalis::testing {

using List = std::vector<std::int32_t>;

// factors[1..count], the part of a list that is in use.
inline List Used(const FactorArray& factors, std::int16_t count) {
  return List(factors.begin() + 1, factors.begin() + 1 + count);
}

// `times` copies of `value`, then `tail`.
inline List Repeat(std::int32_t value, std::size_t times, List tail = {}) {
  List list(times, value);
  list.insert(list.end(), tail.begin(), tail.end());
  return list;
}

// A factor array holding `entries` from index 1.
inline FactorArray Array(const List& entries) {
  FactorArray a{};
  for (std::size_t i = 0; i < entries.size(); ++i) a[i + 1] = entries[i];
  return a;
}

}  // namespace quotalis::testing
