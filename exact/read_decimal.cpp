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
  if (c.base != 10) {
    return ProblemAt(c.i, N_("the exponent at character {1}: only a decimal in base 10 takes one"));
  }
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

// The length of the block that recurs at the end of `digits`, the digits
// after the point before an ellipsis (the rule of Read in exact/read.h), or 0:
// the shortest block of two or more digits shown twice in a row at their end
// (one digit when that block is one digit twice), else one digit shown twice
// at their end. A Z-function over the digits read from the end, linear in
// their number: z[i] >= i when the last i digits repeat just before.
std::size_t RecurringBlock(std::string_view digits) {
  const std::size_t n = digits.size();
  if (n < 2) return 0;
  const auto back = [&](std::size_t i) { return digits[n - 1 - i]; };
  std::vector<std::uint32_t> z(n, 0);
  std::size_t left = 0, right = 0;  // the box [left, right) matching a prefix
  bool lastTwoEqual = false;
  // A block of i digits shown twice needs 2i of them.
  for (std::size_t i = 1; 2 * i <= n; ++i) {
    std::size_t length = 0;
    if (i < right) length = std::min<std::size_t>(right - i, z[i - left]);
    while (i + length < n && back(length) == back(i + length)) ++length;
    z[i] = static_cast<std::uint32_t>(length);
    if (i + length > right) left = i, right = i + length;
    if (i == 1) {
      lastTwoEqual = length >= 1;
    } else if (length >= i) {
      return i == 2 && lastTwoEqual ? 1 : i;
    }
  }
  return lastTwoEqual ? 1 : 0;
}

// Advice writes the user's digits out again; past this many, as in a pasted
// number, it is left out rather than drown the message.
constexpr std::size_t kAdviceDigits = 32;

// The sign typed before the number that begins at `start`, if any.
std::string SignBefore(const Cursor& c, std::size_t start) {
  if (start > 0 && (c.s[start - 1] == '-' || c.s[start - 1] == '+')) {
    return std::string(1, c.s[start - 1]);
  }
  return {};
}

// A period marked at `at` ("(3)", "r3": `marked`) after digits with no point,
// refused with the point put where it may belong among the user's digits:
// "12(3)" -> "write 12.(3) or 1.2(3)", "0(3)" -> "write 0.(3)". `none`, `one`
// and `two` are the formats with no way, one way and two ways of writing it.
struct PointFormats {
  std::string_view none, one, two;
};

Problem PeriodWithoutPoint(std::size_t at, const PointFormats& formats, const std::string& sign,
                           const std::string& integer, const std::string& marked) {
  if (integer.size() + marked.size() > kAdviceDigits) return ProblemAt(at, formats.none);
  const std::string whole = sign + (integer.empty() ? "0" : integer) + "." + marked;
  if (integer.find_first_not_of('0') == std::string::npos)
    return ProblemAt(at, formats.one, {whole});
  const std::string before = integer.size() > 1 ? integer.substr(0, integer.size() - 1) : "0";
  return ProblemAt(at, formats.two, {whole, sign + before + "." + integer.back() + marked});
}

// From this many digits after the point, digits before an ellipsis read as a
// calculator's display (ten digits, 0.6666666667) rather than as a period
// the user meant to write out.
constexpr std::size_t kDisplayDigits = 10;

// Whether digits after the point that show no recurring block look like a
// display rounded at its last digit: the digits before it recur (0.1667,
// 0.6666666667), or there are as many as a calculator shows (0.1428571429).
bool LooksRounded(std::string_view fixed) {
  return fixed.size() >= kDisplayDigits || RecurringBlock(fixed.substr(0, fixed.size() - 1)) > 0;
}

// The refusal of digits after the point that show no recurring block before
// the ellipsis at `at` (`typed` as the user wrote it, though "⋯" and "･" come
// back as "…" and "・"), with the advice for their last digit recurring:
// "0.16..." -> "if 6 recurs, write 0.1666... or 0.1(6)", the digit written
// three times as the ellipsis writer writes it, or four times where three
// would show a longer block. Digits that look like a rounded display get the
// advice to read them as one instead: "0.6666666667..." -> "write
// 0.6666666667 and read it as rounded".
Problem NoRecurringBlock(std::size_t at, const std::string& sign, const Decimal& d,
                         const std::string& typed) {
  if (LooksRounded(d.fixed)) {
    if (d.integer.size() + d.fixed.size() + 2 > kAdviceDigits) {
      return ProblemAt(at, N_("the ellipsis at character {1} must follow the recurring digits "
                              "written out at least twice after the point: for a display rounded "
                              "at its last digit, leave the ellipsis out and read it as rounded"));
    }
    return ProblemAt(at,
                     N_("the ellipsis at character {1} must follow the recurring digits written "
                        "out at least twice after the point: for a display rounded at its last "
                        "digit, write {2} and read it as rounded"),
                     {sign + d.integer + "." + d.fixed});
  }
  if (d.integer.size() + d.fixed.size() + 2 > kAdviceDigits) {
    return ProblemAt(at, N_("the ellipsis at character {1} must follow the recurring digits "
                            "written out at least twice after the point"));
  }
  const char last = d.fixed.back();
  std::string digits = d.fixed + std::string(2, last);
  if (RecurringBlock(digits) != 1) digits += last;
  const std::string head = sign + d.integer + ".";
  return ProblemAt(at,
                   N_("the ellipsis at character {1} must follow the recurring digits written "
                      "out at least twice after the point: if {2} recurs, write {3} or {4}"),
                   {std::string(1, last), head + digits + typed,
                    head + d.fixed.substr(0, d.fixed.size() - 1) + "(" + last + ")"});
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
  const std::size_t start = c.i;
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
  if (!point) {
    constexpr PointFormats kFormats{
        N_("the recurring part at character {1} must follow a point"),
        N_("the recurring part at character {1} must follow a point: write {2}"),
        N_("the recurring part at character {1} must follow a point: write {2} or {3}")};
    return PeriodWithoutPoint(open, kFormats, SignBefore(c, start), d.integer,
                              e.open + d.period + e.close);
  }
  ++c.i;
  if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
  return d;
}

Result<Decimal> ReadR(Cursor& c) {
  const std::size_t start = c.i;
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (c.Peek() != 'r') return Unexpected(c);
  const std::size_t r = c.i++;
  d.period = TakeDigits(c);
  if (d.period.empty()) return ProblemAt(r, N_("the r at character {1} is followed by no digits"));
  if (!point) {
    constexpr PointFormats kFormats{
        N_("the r at character {1} must follow a point"),
        N_("the r at character {1} must follow a point: write {2}"),
        N_("the r at character {1} must follow a point: write {2} or {3}")};
    return PeriodWithoutPoint(r, kFormats, SignBefore(c, start), d.integer, "r" + d.period);
  }
  if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
  return d;
}

Result<Decimal> ReadEllipsis(Cursor& c) {
  const std::size_t start = c.i;
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  const std::size_t length = c.EllipsisLength();
  if (length == 0) return Unexpected(c);
  const std::size_t at = c.i;
  c.i += length;
  if (!point || d.fixed.empty()) {
    return ProblemAt(at, N_("the ellipsis at character {1} needs digits after a point before it"));
  }
  // An exponent may follow, as it may every other decimal notation.
  if (auto problem = ReadExponent(c, d)) return *problem;
  if (!c.AtEnd()) return Unexpected(c, N_("after the ellipsis"));
  if (d.fixed.size() >= std::numeric_limits<std::uint32_t>::max()) {
    return ProblemAt(at, N_("too many digits before the ellipsis at character {1}"), {},
                     ProblemKind::TooLarge);
  }
  const std::size_t block = RecurringBlock(d.fixed);
  if (block == 0) {
    // The ellipsis as typed, for the advice.
    std::string typed = "...";
    if (c.s[at] == kEllipsis || c.s[at] == kMiddleDot) {
      typed.clear();
      for (std::size_t i = 0; i < length; ++i) typed += c.s[at] == kEllipsis ? "\u2026" : "\u30FB";
    }
    return NoRecurringBlock(at, SignBefore(c, start), d, typed);
  }
  d.period = d.fixed.substr(d.fixed.size() - block);
  d.fixed.resize(d.fixed.size() - block);
  return d;
}

}  // namespace quotalis::exact::parse
