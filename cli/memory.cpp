#include "cli/memory.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#include <unistd.h>

#include <quotalis/exact/decimal.h>
#endif

#include <quotalis/exact/text.h>

#include "answer/quote.h"
#include "words/words.h"

namespace quotalis::cli {

namespace {

using words::N_;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = kKiB * 1024;
constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
  return b != 0 && a > kMax / b ? kMax : a * b;
}
std::uint64_t Plus(std::uint64_t a, std::uint64_t b) { return a > kMax - b ? kMax : a + b; }

#if defined(__linux__)
// A "Name: N kB" line of /proc/meminfo, in bytes.
std::optional<std::uint64_t> MemInfo(std::string_view name) {
  std::ifstream in("/proc/meminfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size() ||
        line[name.size()] != ':') {
      continue;
    }
    std::istringstream fields(line.substr(name.size() + 1));
    std::uint64_t kb = 0;
    if (fields >> kb) return Times(kb, kKiB);
  }
  return std::nullopt;
}

// The program's address space and data segment now, from /proc/self/statm.
struct Held {
  std::uint64_t space = 0;
  std::uint64_t data = 0;
};
std::optional<Held> HeldNow() {
  std::ifstream in("/proc/self/statm");
  std::uint64_t size = 0, resident = 0, shared = 0, text = 0, library = 0, data = 0;
  if (!(in >> size >> resident >> shared >> text >> library >> data)) return std::nullopt;
  const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  return Held{size * page, data * page};
}
#endif

}  // namespace

std::optional<exact::Problem> ParseMemorySize(std::string_view text, MemoryBudget& budget) {
  const auto refused = [text] {
    return exact::MakeProblem(exact::ProblemKind::Argument,
                              N_("--max-memory takes a size such as 512M or 2G, or 'all', not "
                                 "'{1}'"),
                              {answer::Shown(text)});
  };
  if (text == "all") {
    budget = {MemoryBudget::Kind::All, 0};
    return std::nullopt;
  }
  const std::string ascii = exact::AsciiText(text);
  std::size_t digits = 0;
  std::uint64_t value = 0;
  while (digits < ascii.size() && ascii[digits] >= '0' && ascii[digits] <= '9') {
    value = Plus(Times(value, 10), static_cast<std::uint64_t>(ascii[digits] - '0'));
    ++digits;
  }
  if (digits == 0) return refused();
  std::string unit = ascii.substr(digits);
  for (char& c : unit) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (unit.size() > 1 && (unit.substr(1) == "B" || unit.substr(1) == "IB")) unit.resize(1);
  std::uint64_t scale = 1;
  if (unit == "K") {
    scale = kKiB;
  } else if (unit == "M") {
    scale = kMiB;
  } else if (unit == "G") {
    scale = kMiB * kKiB;
  } else if (unit == "T") {
    scale = kMiB * kMiB;
  } else if (!unit.empty() && unit != "B") {
    return refused();
  }
  if (value == 0) {
    return exact::MakeProblem(exact::ProblemKind::Argument, N_("--max-memory must be more than 0"),
                              {});
  }
  budget = {MemoryBudget::Kind::Bytes, Times(value, scale)};
  return std::nullopt;
}

std::optional<std::uint64_t> MemoryLeft() {
  std::optional<std::uint64_t> left;
  const auto least = [&left](std::uint64_t bytes) { left = left ? std::min(*left, bytes) : bytes; };
#if defined(__linux__)
  if (const std::optional<std::uint64_t> available = MemInfo("MemAvailable")) least(*available);
  const std::optional<Held> held = HeldNow();
#endif
#if defined(__unix__) || defined(__APPLE__)
  const auto limit = [](int resource) -> std::optional<std::uint64_t> {
    struct rlimit r {};
    if (getrlimit(resource, &r) != 0 || r.rlim_cur == RLIM_INFINITY) return std::nullopt;
    return static_cast<std::uint64_t>(r.rlim_cur);
  };
  const std::optional<std::uint64_t> space = limit(RLIMIT_AS);
  const std::optional<std::uint64_t> data = limit(RLIMIT_DATA);
#if defined(__linux__)
  if (space) least(held && held->space < *space ? *space - held->space : held ? 0 : *space);
  if (data) least(held && held->data < *data ? *data - held->data : held ? 0 : *data);
#else
  if (space) least(*space);
  if (data) least(*data);
#endif
#endif
  return left;
}

std::optional<std::uint64_t> EntryBudget(const MemoryBudget& budget) {
  switch (budget.kind) {
    case MemoryBudget::Kind::All: return std::nullopt;
    case MemoryBudget::Kind::Bytes: return budget.bytes;
    case MemoryBudget::Kind::HalfOfWhatIsLeft: break;
  }
  const std::optional<std::uint64_t> left = MemoryLeft();
  return left ? *left / 2 : kFallbackBudget;
}

}  // namespace quotalis::cli
