// How much memory answering an entry takes at most, estimated before any
// number is built, from the sizes alone (see answer/memory.cpp for the
// measurements behind it), and the refusal of an entry that would take more
// than it may.
#pragma once

#include <cstdint>
#include <string>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>

#include "answer/request.h"

namespace quotalis::answer {

// An entry that may take more than this is long work: Request::beforeLongWork
// is called first, and Request::findMemoryLimit asked.
inline constexpr std::uint64_t kLongWork = std::uint64_t{4} << 20;

// What answering takes at most, in bytes:
//   reading a line of `length` bytes into an entry;
std::uint64_t ReadingNeed(std::size_t length);
//   a decimal to its fraction, in the request's form and working;
std::uint64_t DecimalNeed(const exact::Decimal& d, const Request& request);
//   a fraction to its decimal, whose digits after the point number at most
//   `digits` (both parts written, as far as the digit limit lets them).
std::uint64_t FractionNeed(const exact::Rational& r, std::uint64_t digits, const Request& request);

// At most how many digits after the point the expansion of `r` writes under
// the request's digit limit.
std::uint64_t ExpansionDigitsBound(const exact::Rational& r, const Request& request);

// A size in the units a person reads, rounded up: "1 B", "900 KiB", "215 MiB",
// "1.5 GiB".
std::string SizeText(std::uint64_t bytes);

// The refusal of an entry that would take `need` bytes where `allowed` are:
// kind TooLarge, position 0, its arguments sizes.
exact::Problem OverBudget(std::uint64_t need, std::uint64_t allowed);

}  // namespace quotalis::answer
