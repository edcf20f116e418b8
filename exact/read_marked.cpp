#include "readers.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "characters.h"
#include "cursor.h"

namespace quotalis::exact::parse {

namespace {

// The digits after the point with the marks that follow them, for the dot
// and the overline notations: each digit, and whether a mark stands on it.
struct MarkedDigits {
  std::string digits;
  std::vector<std::size_t> marked;  // indices into digits
  std::vector<std::size_t> marks;   // the character index of each mark
};

Result<MarkedDigits> ReadMarkedDigits(Cursor& c, char mark, std::string_view name) {
  MarkedDigits m;
  while (!c.AtEnd() && (c.IsDigit(c.s[c.i]) || c.s[c.i] == mark)) {
    if (c.s[c.i] == mark) {
      // A mark follows its digit at once; the point stands before the first.
      if (c.s[c.i - 1] == mark) {
        return ProblemAt(c.i, N_("a second {2} at character {1}, on the digit at character {3}"),
                         {std::string(name), Place(c.i - 2)});
      }
      if (m.digits.empty())
        return ProblemAt(c.i, N_("the {2} at character {1} stands on no digit"),
                         {std::string(name)});
      m.marked.push_back(m.digits.size() - 1);
      m.marks.push_back(c.i);
    } else {
      m.digits += c.s[c.i];
    }
    ++c.i;
  }
  return m;
}

// Reads up to the marked digits after the point; refuses a mark before it.
Result<MarkedDigits> ReadMarkedNumber(Cursor& c, Decimal& d, char mark, std::string_view name) {
  d.integer = TakeDigits(c);
  if (c.Peek() == mark) {
    return ProblemAt(c.i,
                     N_("the {2} at character {1} stands before the point: only digits after it "
                        "recur"),
                     {std::string(name)});
  }
  if (c.Peek() != '.') return Unexpected(c);
  ++c.i;
  Result<MarkedDigits> m = ReadMarkedDigits(c, mark, name);
  if (c.Peek() == '.') return SecondPoint(c.i);
  return m;
}

// Marks found after the digits that follow the point, past the exponent:
// the first of them is the character refused.
Problem MarkAfterDigits(Cursor& c, Decimal& d) {
  if (auto problem = ReadTail(c, d, {})) return *problem;
  return MakeProblem(ProblemKind::Syntax, N_("no recurring digit is marked"), {});
}

}  // namespace

Result<Decimal> ReadDots(Cursor& c) {
  Decimal d;
  Result<MarkedDigits> read = ReadMarkedNumber(c, d, kDot, N_("dot"));
  if (auto* problem = std::get_if<Problem>(&read)) return *problem;
  const MarkedDigits& m = std::get<MarkedDigits>(read);
  if (m.marked.empty()) return MarkAfterDigits(c, d);
  const std::size_t last = m.digits.size() - 1;
  if (m.marked.size() > 2) {
    return ProblemAt(m.marks[2], N_("a third dot at character {1}: dots mark only the first and "
                                    "the last digit of the period"));
  }
  if (m.marked.back() != last) {
    if (m.marked.size() == 1) {
      return ProblemAt(m.marks[0],
                       N_("the dot at character {1} stands on one digit of several: a single "
                          "dot marks a one-digit period on the last digit, a longer period needs "
                          "a dot on its last digit too"));
    }
    return ProblemAt(m.marks[1], N_("the second dot, at character {1}, must stand on the last "
                                    "digit after the point"));
  }
  const std::size_t first = m.marked.front();
  d.fixed = m.digits.substr(0, first);
  d.period = m.digits.substr(first);
  if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
  return d;
}

Result<Decimal> ReadOverline(Cursor& c) {
  Decimal d;
  Result<MarkedDigits> read = ReadMarkedNumber(c, d, kBar, N_("overline"));
  if (auto* problem = std::get_if<Problem>(&read)) return *problem;
  const MarkedDigits& m = std::get<MarkedDigits>(read);
  if (m.marked.empty()) return MarkAfterDigits(c, d);
  // The end of the first run of overlined digits: it must be the only run and
  // reach the last digit.
  std::size_t run = 0;
  while (run + 1 < m.marked.size() && m.marked[run + 1] == m.marked[run] + 1) ++run;
  if (run + 1 == m.marked.size() && m.marked.back() == m.digits.size() - 1) {
    const std::size_t first = m.marked.front();
    d.fixed = m.digits.substr(0, first);
    d.period = m.digits.substr(first);
    if (auto problem = ReadTail(c, d, kAfterPeriod)) return *problem;
    return d;
  }
  // The digit after the run, which stands just after the run's last mark.
  const std::size_t gap = m.marks[run];
  return ProblemAt(gap + 1, N_("the digit at character {1} has no overline, but one before it "
                               "has: overline every recurring digit, and only the last digits"));
}

}  // namespace quotalis::exact::parse
