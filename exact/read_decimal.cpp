#include "readers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "characters.h"
#include "cursor.h"

namespace quotalis::exact::parse {

namespace {

// The digits before the point, and the point with the plain digits after it
// when there is one. A point that begins "..." is left to the ellipsis.
std::optional<Problem> ReadHead(Cursor& c, Decimal& d, std::optional<std::size_t>& point) {
  d.integer = TakeDigits(c);
  if (c.Peek() == '.' && !c.AtEllipsis()) {
    point = c.i++;
    d.fixed = TakeDigits(c);
    if (c.Peek() == '.' && !c.AtEllipsis()) return SecondPoint(c.i);
  }
  return std::nullopt;
}

Problem ExponentTooLarge(std::size_t at) {
  return ProblemAt(at, N_("the exponent at character {1} does not fit in 64 bits"), {},
                   ProblemKind::TooLarge);
}

// A number with no digit at all: say what stands where the digits should.
Problem NoDigits(const Cursor& c, std::optional<std::size_t> point) {
  if (point) return PointWithoutDigits(*point);
  if (c.Peek() == 'e') return ProblemAt(c.i, N_("the exponent at character {1} follows no digits"));
  if (!c.AtEnd()) return Unexpected(c);
  if (c.i > 0 && (c.s[c.i - 1] == '+' || c.s[c.i - 1] == '-'))
    return ProblemAt(c.i - 1, N_("the sign at character {1} is followed by no digits"));
  return NothingToRead();
}

// An optional exponent, e/E [sign] digits, that must fit in 64 bits.
std::optional<Problem> ReadExponent(Cursor& c, Decimal& d) {
  if (c.Peek() != 'e') return std::nullopt;
  const std::size_t at = c.i++;
  bool negative = false;
  if (c.Peek() == '+' || c.Peek() == '-') negative = c.s[c.i++] == '-';
  const std::string digits = TakeDigits(c);
  if (digits.empty()) return ProblemAt(at, N_("the exponent at character {1} has no digits"));
  // Gathered as a negative number, whose range reaches one further.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (const char digit : digits) {
    const int v = digit - '0';
    if (value < (kMin + v) / 10) return ExponentTooLarge(at);
    value = value * 10 - v;
  }
  if (!negative && value == kMin) return ExponentTooLarge(at);
  d.exponent = negative ? value : -value;
  return std::nullopt;
}

// The length of the shortest block that `digits` shows at least twice in a
// row at its end (three times for one digit), or 0: a Z-function over the
// digits read from the end, linear in their number.
std::size_t ShortestTailBlock(std::string_view digits) {
  const std::size_t n = digits.size();
  if (n < 3) return 0;
  const auto back = [&](std::size_t i) { return digits[n - 1 - i]; };
  std::vector<std::uint32_t> z(n, 0);
  std::size_t left = 0, right = 0;  // the box [left, right) matching a prefix
  for (std::size_t i = 1; i < n; ++i) {
    std::size_t length = 0;
    if (i < right) length = std::min<std::size_t>(right - i, z[i - left]);
    while (i + length < n && back(length) == back(i + length)) ++length;
    z[i] = static_cast<std::uint32_t>(length);
    if (i + length > right) left = i, right = i + length;
    const std::size_t needed = i == 1 ? 2 : i;
    if (length >= needed) return i;
  }
  return 0;
}

}  // namespace

std::optional<Problem> ReadTail(Cursor& c, Decimal& d, std::string_view context) {
  if (auto problem = ReadExponent(c, d)) return problem;
  if (!c.AtEnd()) return Unexpected(c, context);
  return std::nullopt;
}

Result<Decimal> ReadPlain(Cursor& c) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (d.integer.empty() && d.fixed.empty()) return NoDigits(c, point);
  if (auto problem = ReadTail(c, d, {})) return *problem;
  return d;
}

Result<Decimal> ReadEnclosed(Cursor& c, const Enclosure& e) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (c.Peek() != e.open) {
    if (c.Peek() == e.close)
      return ProblemAt(c.i, N_("the {2} closed at character {1} was never opened"),
                       {std::string(e.one)});
    return Unexpected(c);
  }
  const std::size_t open = c.i++;
  if (!point) {
    return ProblemAt(open,
                     N_("the recurring part at character {1} must follow a point: write 1.(3), "
                        "not 1(3)"));
  }
  d.period = TakeDigits(c);
  if (c.Peek() != e.close) {
    if (c.s.substr(c.i, c.end - c.i).find(e.close) == std::string_view::npos) {
      return ProblemAt(open, N_("the {2} opened at character {1} is never closed"),
                       {std::string(e.one)});
    }
    return Unexpected(c, e.inside);
  }
  if (d.period.empty())
    return ProblemAt(open, N_("the {2} at character {1} hold no digits"), {std::string(e.both)});
  ++c.i;
  if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
  return d;
}

Result<Decimal> ReadR(Cursor& c) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (c.Peek() != 'r') return Unexpected(c);
  const std::size_t r = c.i++;
  if (!point) return ProblemAt(r, N_("the r at character {1} must follow a point: write 1.r3"));
  d.period = TakeDigits(c);
  if (d.period.empty()) return ProblemAt(r, N_("the r at character {1} is followed by no digits"));
  if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
  return d;
}

Result<Decimal> ReadEllipsis(Cursor& c) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (!c.AtEllipsis()) return Unexpected(c);
  const std::size_t at = c.i;
  c.i += c.s[c.i] == kEllipsis ? std::size_t{1} : std::size_t{3};
  if (!point || d.fixed.empty()) {
    return ProblemAt(at, N_("the ellipsis at character {1} needs digits after a point before it"));
  }
  if (!c.AtEnd()) return Unexpected(c, N_("after the ellipsis"));
  if (d.fixed.size() >= std::numeric_limits<std::uint32_t>::max()) {
    return ProblemAt(at, N_("too many digits before the ellipsis at character {1}"), {},
                     ProblemKind::TooLarge);
  }
  const std::size_t block = ShortestTailBlock(d.fixed);
  if (block == 0) {
    return ProblemAt(at, N_("the digits before the ellipsis at character {1} show no block "
                            "repeated at their end: write the period out twice, or put it in "
                            "parentheses"));
  }
  d.period = d.fixed.substr(d.fixed.size() - block);
  d.fixed.resize(d.fixed.size() - block);
  return d;
}

}  // namespace quotalis::exact::parse
