// How much memory one entry may take (--max-memory): a size given, or half
// of what the system has left when the entry comes. What an entry would
// take is estimated by the answer library (answer/memory.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <quotalis/exact/decimal.h>

namespace quotalis::cli {

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

}  // namespace quotalis::cli
