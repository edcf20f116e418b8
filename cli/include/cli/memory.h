// How much memory one entry may take (--max-memory), how much it would
// take, and the refusal of one that would take more, before any of it is
// taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/fraction.h>

#include "words/words.h"

namespace quotalis::cli {

struct Options;

// --max-memory: by default half of what the system has left for the
// program when the entry comes (see MemoryLeft), else a number of bytes, or
// no limit ("all").
struct MemoryBudget {
  enum class Kind { HalfOfWhatIsLeft, Bytes, All } kind = Kind::HalfOfWhatIsLeft;
  std::uint64_t bytes = 0;
  bool operator==(const MemoryBudget&) const = default;
};

// Where the system tells nothing of what is left (no /proc/meminfo and no
// limit set), an entry may take this much by default.
inline constexpr std::uint64_t kFallbackBudget = std::uint64_t{1} << 30;

// Reads SIZE: a whole number of bytes, perhaps followed by K, M, G or T
// (powers of 1024, in either case, "B" or "iB" after them allowed), or
// "all". Digits may be full-width. A size past 64 bits is held as the
// largest one. Gives the problem (kind Argument) when `text` is not one.
//   "512M" -> 536870912   "2G" -> 2147483648   "4096" -> 4096   "all" -> All
//   "0" -> "--max-memory must be more than 0"
std::optional<exact::Problem> ParseMemorySize(std::string_view text, MemoryBudget& budget);

// The bytes the program may still take: the least of the memory the system
// calls available (MemAvailable in /proc/meminfo) and, when they are set
// (ulimit -v, ulimit -d), what the limits of the address space and of the
// data segment leave above what the program holds now. Nothing where none
// of these can be read.
std::optional<std::uint64_t> MemoryLeft();

// The bytes one entry may take now under `budget`; nothing for no limit.
std::optional<std::uint64_t> EntryBudget(const MemoryBudget& budget);

// What answering takes at most, in bytes, estimated before any number is
// built from the sizes alone (see cli/memory.cpp for the measurements
// behind it):
//   reading a line of `length` bytes into an entry;
std::uint64_t ReadingNeed(std::size_t length);
//   a decimal to its fraction, as `options` ask it answered;
std::uint64_t DecimalNeed(const exact::Decimal& d, const Options& options);
//   a fraction to its decimal, whose digits after the point number at most
//   `digits` (both parts written, as far as --max-digits lets them).
std::uint64_t FractionNeed(const exact::Rational& r, std::uint64_t digits, const Options& options);

// A size in the units a person reads: "900 KiB", "215 MiB", "1.5 GiB".
std::string SizeText(std::uint64_t bytes);

// The refusal of an entry that would take `need` bytes where `budget`
// allows `allowed`: kind TooLarge, position 0, its arguments sizes.
exact::Problem OverBudget(std::uint64_t need, std::uint64_t allowed);

}  // namespace quotalis::cli
