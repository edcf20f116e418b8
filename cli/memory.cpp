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

#include "cli/options.h"
#include "cli/quote.h"

namespace quotalis::cli {

namespace {

using words::N_;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = kKiB * 1024;
constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// Bytes per digit, in tenths, measured as said at ReadingNeed below.
constexpr std::uint64_t kReadingTenths = 30;
constexpr std::uint64_t kDecimalTenths = 60;
constexpr std::uint64_t kDecimalDetailTenths = 80;
constexpr std::uint64_t kDecimalJsonTenths = 100;
constexpr std::uint64_t kDecimalExplainTenths = 80;
// A fraction's whole part, with about as many digits as its numerator has
// more than its denominator, is written out beside its terms: 10,000,000
// digits over 7 took 5.6 bytes a digit of the terms above the line read
// (74 MB in all), with --json too.
constexpr std::uint64_t kFractionTenths = 70;
constexpr std::uint64_t kFractionJsonTenths = 80;
constexpr std::uint64_t kExpansionTenths = 30;
constexpr std::uint64_t kExpansionDetailTenths = 30;
constexpr std::uint64_t kExpansionJsonTenths = 40;

std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
  return b != 0 && a > kMax / b ? kMax : a * b;
}
std::uint64_t Plus(std::uint64_t a, std::uint64_t b) { return a > kMax - b ? kMax : a + b; }

// A whole number of bytes for the digits and the characters the estimates
// count: `perDigit` tenths of a byte for each.
std::uint64_t Tenths(std::uint64_t count, std::uint64_t perDigit) {
  return Times(count, perDigit) / 10;
}

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
                              {Shown(text)});
  };
  if (text == "all") {
    budget = {MemoryBudget::Kind::All, 0};
    return std::nullopt;
  }
  std::string ascii;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Full-width digits, U+FF10 to U+FF19.
    if (text.substr(i, 2) == "\xEF\xBC" && i + 2 < text.size()) {
      const auto last = static_cast<unsigned char>(text[i + 2]);
      if (last >= 0x90 && last <= 0x99) {
        ascii += static_cast<char>('0' + (last - 0x90));
        i += 2;
        continue;
      }
    }
    ascii += text[i];
  }
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

// The estimates below are the peaks measured with /usr/bin/time -v on
// 1,000,000- and 10,000,000-digit entries (bench/limits.sh), as bytes per
// digit of the terms or of the text, in tenths, rounded up, with a quarter
// more for what the measurements did not meet; a conversion of small numbers
// takes far less than the 1 MiB counted for any.
std::uint64_t ReadingNeed(std::size_t length) { return Plus(Tenths(length, kReadingTenths), kMiB); }

std::uint64_t DecimalNeed(const exact::Decimal& d, const Options& options) {
  const std::uint64_t written = d.integer.size() + d.fixed.size() + d.period.size();
  const std::uint64_t after = d.fixed.size() + d.period.size();
  // The terms' digits, with the zeros an exponent adds (exact::kMaxTermDigits
  // bounds them once read).
  const std::uint64_t exponent = d.exponent > 0 ? static_cast<std::uint64_t>(d.exponent)
                                 : d.exponent == std::numeric_limits<std::int64_t>::min()
                                     ? kMax
                                     : static_cast<std::uint64_t>(-d.exponent);
  // A term past exact::kMaxTermDigits is refused before memory is taken for
  // it, so no estimate goes beyond two such terms: 1e999999999 is refused for
  // its digits, and 0e999999999 answered, whatever the budget.
  constexpr auto kLongestTerms = static_cast<std::uint64_t>(2 * exact::kMaxTermDigits);
  const std::uint64_t terms = std::min(Plus(Plus(written, after), exponent), kLongestTerms);
  std::uint64_t perDigit = kDecimalTenths;
  if (options.detail) perDigit = kDecimalDetailTenths;
  if (options.json) perDigit = kDecimalJsonTenths;
  if (options.explain) perDigit = std::max(perDigit, kDecimalExplainTenths);
  return Plus(Tenths(terms, perDigit), kMiB);
}

std::uint64_t FractionNeed(const exact::Rational& r, std::uint64_t digits, const Options& options) {
  const std::uint64_t terms =
      mpz_sizeinbase(r.numerator.get_mpz_t(), 10) + mpz_sizeinbase(r.denominator.get_mpz_t(), 10);
  std::uint64_t perTerm = kFractionTenths;
  std::uint64_t perDigit = kExpansionTenths;
  if (options.detail) perDigit = kExpansionDetailTenths;
  if (options.json) {
    perTerm = kFractionJsonTenths;
    perDigit = kExpansionJsonTenths;
  }
  return Plus(Plus(Tenths(terms, perTerm), Tenths(digits, perDigit)), kMiB);
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < kMiB) return std::to_string((bytes + kKiB - 1) / kKiB) + " KiB";
  if (bytes < 10 * kMiB * kKiB) return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
  // Tenths of a GiB, rounded up.
  const std::uint64_t gib = kMiB * kKiB;
  const std::uint64_t tenths = bytes / gib * 10 + ((bytes % gib) * 10 + gib - 1) / gib;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GiB";
}

exact::Problem OverBudget(std::uint64_t need, std::uint64_t allowed) {
  return exact::MakeProblem(exact::ProblemKind::TooLarge,
                            N_("answering it would take about {1} of memory, more than the {2} "
                               "an entry may take (--max-memory)"),
                            {SizeText(need), SizeText(allowed)});
}

}  // namespace quotalis::cli
