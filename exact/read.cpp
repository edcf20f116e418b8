#include "exact/read.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace quotalis::exact {

namespace {

// The text is first decoded into one byte per character, so that a byte's
// index is its character's index: ASCII stands for itself (full-width forms
// for their ASCII twins, E and R in lower case), and the few other characters
// that carry meaning for a mark of their own below 0x20, where no decoded
// character can fall.
constexpr char kDot = '\x01';        // U+0307 combining dot above
constexpr char kBar = '\x02';        // U+0305 combining overline, U+0304 macron
constexpr char kEllipsis = '\x03';   // U+2026
constexpr char kLineBreak = '\x04';  // CR or LF, ignored at either end only

std::string At(std::size_t index) { return "character " + std::to_string(index + 1); }

Problem ProblemAt(std::string message, std::size_t index) {
  return Problem{std::move(message), static_cast<std::int64_t>(index + 1)};
}

std::string CodePointName(char32_t c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string name = "U+";
  const int digits = c > 0xFFFF ? 6 : 4;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) name += kHex[(c >> shift) & 0xF];
  return name;
}

std::optional<char> Translate(char32_t c) {
  if (c == '\t' || c == ' ') return ' ';
  if (c == '\r' || c == '\n') return kLineBreak;
  if (c == 'E') return 'e';
  if (c == 'R') return 'r';
  if (c > 0x20 && c < 0x7F) return static_cast<char>(c);
  switch (c) {
    case 0x0307: return kDot;
    case 0x0305:
    case 0x0304: return kBar;
    case 0x2026: return kEllipsis;
    case 0x2212: return '-';
    case 0x3000: return ' ';
    default: break;
  }
  // Full-width forms of ASCII, as a Japanese input method types them.
  if (c >= 0xFF01 && c <= 0xFF5E) {
    const char ascii = static_cast<char>(c - 0xFF01 + 0x21);
    if ((ascii >= '0' && ascii <= '9') || ascii == '.' || ascii == '(' || ascii == ')' ||
        ascii == '[' || ascii == ']' || ascii == '\'' || ascii == '+' || ascii == '-' ||
        ascii == '/' || ascii == 'e' || ascii == 'E' || ascii == 'r' || ascii == 'R') {
      return *Translate(static_cast<char32_t>(ascii));
    }
  }
  return std::nullopt;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
Result<std::string> Decode(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    char32_t c = lead;
    char32_t least = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, c = lead & 0x07, least = 0x10000;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0x80) {
      length = 0;
    }
    bool valid = length > 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    valid = valid && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      constexpr char kHex[] = "0123456789ABCDEF";
      const std::string byte = {'\\', 'x', kHex[lead >> 4], kHex[lead & 0xF]};
      return ProblemAt("the byte " + byte + " at " + At(text.size()) + " is not valid UTF-8",
                       text.size());
    }
    const std::optional<char> ascii = Translate(c);
    if (!ascii) {
      return ProblemAt("unexpected character " + CodePointName(c) + " at " + At(text.size()),
                       text.size());
    }
    text += *ascii;
    i += length;
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The normalised text, the next character to read and the end of what is read.
struct Cursor {
  std::string_view s;
  std::size_t i = 0;
  std::size_t end = 0;
  bool AtEnd() const { return i >= end; }
  char Peek() const { return i < end ? s[i] : '\0'; }
  bool AtEllipsis() const {
    return i < end && (s[i] == kEllipsis || (end - i >= 3 && s.substr(i, 3) == "..."));
  }
};

std::string TakeDigits(Cursor& c) {
  const std::size_t from = c.i;
  while (!c.AtEnd() && IsDigit(c.s[c.i])) ++c.i;
  return std::string(c.s.substr(from, c.i - from));
}

std::string Describe(char c) {
  switch (c) {
    case ' ': return "blank";
    case kLineBreak: return "line break";
    case kDot: return "dot above (U+0307)";
    case kBar: return "overline (U+0305)";
    case kEllipsis: return "ellipsis";
    case '\'': return "quote";
    default: break;
  }
  if (IsDigit(c)) return std::string("digit ") + c;
  return std::string("'") + c + "'";
}

// The character at the cursor, which the notation has no place for.
Problem Unexpected(const Cursor& c, std::string_view context = {}) {
  std::string message = "unexpected " +
                        (c.AtEllipsis() ? std::string("ellipsis") : Describe(c.s[c.i])) + " at " +
                        At(c.i);
  if (!context.empty()) message += " " + std::string(context);
  return ProblemAt(std::move(message), c.i);
}

// The digits before the point, and the point with the plain digits after it
// when there is one. A point that begins "..." is left to the ellipsis.
std::optional<Problem> ReadHead(Cursor& c, Decimal& d, std::optional<std::size_t>& point) {
  d.integer = TakeDigits(c);
  if (c.Peek() == '.' && !c.AtEllipsis()) {
    point = c.i++;
    d.fixed = TakeDigits(c);
    if (c.Peek() == '.' && !c.AtEllipsis()) return ProblemAt("a second point at " + At(c.i), c.i);
  }
  return std::nullopt;
}

// A number with no digit at all: say what stands where the digits should.
Problem NoDigits(const Cursor& c, std::optional<std::size_t> point) {
  if (point)
    return ProblemAt("the point at " + At(*point) + " has no digits on either side", *point);
  if (c.Peek() == 'e') return ProblemAt("the exponent at " + At(c.i) + " follows no digits", c.i);
  if (!c.AtEnd()) return Unexpected(c);
  if (c.i > 0 && (c.s[c.i - 1] == '+' || c.s[c.i - 1] == '-'))
    return ProblemAt("the sign at " + At(c.i - 1) + " is followed by no digits", c.i - 1);
  return Problem{"there is nothing to read", 0};
}

// An optional exponent, e/E [sign] digits, that must fit in 64 bits.
std::optional<Problem> ReadExponent(Cursor& c, Decimal& d) {
  if (c.Peek() != 'e') return std::nullopt;
  const std::size_t at = c.i++;
  bool negative = false;
  if (c.Peek() == '+' || c.Peek() == '-') negative = c.s[c.i++] == '-';
  const std::string digits = TakeDigits(c);
  if (digits.empty()) return ProblemAt("the exponent at " + At(at) + " has no digits", at);
  // Gathered as a negative number, whose range reaches one further.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (const char digit : digits) {
    const int v = digit - '0';
    if (value < (kMin + v) / 10) {
      return ProblemAt("the exponent at " + At(at) + " does not fit in 64 bits", at);
    }
    value = value * 10 - v;
  }
  if (!negative && value == kMin)
    return ProblemAt("the exponent at " + At(at) + " does not fit in 64 bits", at);
  d.exponent = negative ? value : -value;
  return std::nullopt;
}

// The exponent, then nothing more.
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

struct Enclosure {
  char open;
  char close;
  std::string_view one;   // "parenthesis"
  std::string_view both;  // "parentheses"
};

constexpr Enclosure kParentheses{'(', ')', "parenthesis", "parentheses"};
constexpr Enclosure kBrackets{'[', ']', "bracket", "brackets"};
constexpr Enclosure kQuotes{'\'', '\'', "quote", "quotes"};

// 0.1(6), 0.1[6], 0.1'6': the period enclosed after the plain digits.
Result<Decimal> ReadEnclosed(Cursor& c, const Enclosure& e) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (c.Peek() != e.open) {
    if (c.Peek() == e.close)
      return ProblemAt("the " + std::string(e.one) + " closed at " + At(c.i) + " was never opened",
                       c.i);
    return Unexpected(c);
  }
  const std::size_t open = c.i++;
  if (!point) {
    return ProblemAt(
        "the recurring part at " + At(open) + " must follow a point: write 1.(3), not 1(3)", open);
  }
  d.period = TakeDigits(c);
  if (c.Peek() != e.close) {
    if (c.s.substr(c.i, c.end - c.i).find(e.close) == std::string_view::npos) {
      return ProblemAt("the " + std::string(e.one) + " opened at " + At(open) + " is never closed",
                       open);
    }
    return Unexpected(c, "inside the " + std::string(e.both));
  }
  if (d.period.empty())
    return ProblemAt("the " + std::string(e.both) + " at " + At(open) + " hold no digits", open);
  ++c.i;
  if (auto problem = ReadTail(c, d, "after the recurring part")) return *problem;
  return d;
}

// 1.234r56: the digits after the r recur.
Result<Decimal> ReadR(Cursor& c) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (c.Peek() != 'r') return Unexpected(c);
  const std::size_t r = c.i++;
  if (!point) return ProblemAt("the r at " + At(r) + " must follow a point: write 1.r3", r);
  d.period = TakeDigits(c);
  if (d.period.empty()) return ProblemAt("the r at " + At(r) + " is followed by no digits", r);
  if (auto problem = ReadTail(c, d, "after the recurring part")) return *problem;
  return d;
}

// The digits after the point with the marks that follow them, for the dot
// and the overline notations: each digit, and whether a mark stands on it.
struct MarkedDigits {
  std::string digits;
  std::vector<std::size_t> marked;  // indices into digits
  std::vector<std::size_t> marks;   // the character index of each mark
};

Result<MarkedDigits> ReadMarkedDigits(Cursor& c, char mark, std::string_view name) {
  MarkedDigits m;
  while (!c.AtEnd() && (IsDigit(c.s[c.i]) || c.s[c.i] == mark)) {
    if (c.s[c.i] == mark) {
      // A mark follows its digit at once; the point stands before the first.
      if (c.s[c.i - 1] == mark) {
        return ProblemAt("a second " + std::string(name) + " on the digit at " + At(c.i - 2), c.i);
      }
      if (m.digits.empty())
        return ProblemAt("the " + std::string(name) + " at " + At(c.i) + " stands on no digit",
                         c.i);
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
    return ProblemAt("the " + std::string(name) + " at " + At(c.i) +
                         " stands before the point: only digits after it recur",
                     c.i);
  }
  if (c.Peek() != '.') return Unexpected(c);
  ++c.i;
  Result<MarkedDigits> m = ReadMarkedDigits(c, mark, name);
  if (c.Peek() == '.') return ProblemAt("a second point at " + At(c.i), c.i);
  return m;
}

// Marks found after the digits that follow the point, past the exponent:
// the first of them is the character refused.
Problem MarkAfterDigits(Cursor& c, Decimal& d) {
  if (auto problem = ReadTail(c, d, {})) return *problem;
  return Problem{"no recurring digit is marked", 0};
}

// 0.16̇, 0.1̇42857̇: a dot on the first and on the last digit of the period,
// or one dot for a period of one digit.
Result<Decimal> ReadDots(Cursor& c) {
  Decimal d;
  Result<MarkedDigits> read = ReadMarkedNumber(c, d, kDot, "dot");
  if (auto* problem = std::get_if<Problem>(&read)) return *problem;
  const MarkedDigits& m = std::get<MarkedDigits>(read);
  if (m.marked.empty()) return MarkAfterDigits(c, d);
  const std::size_t last = m.digits.size() - 1;
  if (m.marked.size() > 2) {
    return ProblemAt("a third dot at " + At(m.marks[2]) +
                         ": dots mark only the first and the last digit of the period",
                     m.marks[2]);
  }
  if (m.marked.back() != last) {
    if (m.marked.size() == 1) {
      return ProblemAt("the dot at " + At(m.marks[0]) +
                           " stands on one digit of several: a single dot marks a one-digit "
                           "period on the last digit, a longer period needs a dot on its last "
                           "digit too",
                       m.marks[0]);
    }
    return ProblemAt(
        "the second dot, at " + At(m.marks[1]) + ", must stand on the last digit after the point",
        m.marks[1]);
  }
  const std::size_t first = m.marked.front();
  d.fixed = m.digits.substr(0, first);
  d.period = m.digits.substr(first);
  if (auto problem = ReadTail(c, d, "after the recurring part")) return *problem;
  return d;
}

// 0.16̅: an overline after every recurring digit, which are the last ones.
Result<Decimal> ReadOverline(Cursor& c) {
  Decimal d;
  Result<MarkedDigits> read = ReadMarkedNumber(c, d, kBar, "overline");
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
    if (auto problem = ReadTail(c, d, "after the recurring part")) return *problem;
    return d;
  }
  // The digit after the run, which stands just after the run's last mark.
  const std::size_t gap = m.marks[run];
  return ProblemAt("the digit at " + At(gap + 1) +
                       " has no overline, but one before it has: overline every recurring "
                       "digit, and only the last digits",
                   gap + 1);
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

// 0.1666..., 0.142857142857…: the repeated block at the end recurs.
Result<Decimal> ReadEllipsis(Cursor& c) {
  Decimal d;
  std::optional<std::size_t> point;
  if (auto problem = ReadHead(c, d, point)) return *problem;
  if (!c.AtEllipsis()) return Unexpected(c);
  const std::size_t at = c.i;
  c.i += c.s[c.i] == kEllipsis ? std::size_t{1} : std::size_t{3};
  if (!point || d.fixed.empty()) {
    return ProblemAt("the ellipsis at " + At(at) + " needs digits after a point before it", at);
  }
  if (!c.AtEnd()) return Unexpected(c, "after the ellipsis");
  if (d.fixed.size() >= std::numeric_limits<std::uint32_t>::max()) {
    return ProblemAt("too many digits before the ellipsis at " + At(at), at);
  }
  const std::size_t block = ShortestTailBlock(d.fixed);
  if (block == 0) {
    return ProblemAt("the digits before the ellipsis at " + At(at) +
                         " show no block repeated at their end: write the period out twice, "
                         "or put it in parentheses",
                     at);
  }
  d.period = d.fixed.substr(d.fixed.size() - block);
  d.fixed.resize(d.fixed.size() - block);
  return d;
}

// N/D and W N/D, blanks allowed around the slash.
Result<Reading> ReadFraction(Cursor& c, bool negative) {
  FractionText f;
  f.negative = negative;
  const auto skip_blanks = [&] {
    const std::size_t from = c.i;
    while (c.Peek() == ' ') ++c.i;
    return c.i > from;
  };
  const auto refuse_point = [&]() -> std::optional<Problem> {
    if (c.Peek() == '.')
      return ProblemAt("a point at " + At(c.i) + ": the terms of a fraction are whole numbers",
                       c.i);
    return std::nullopt;
  };
  std::string first = TakeDigits(c);
  if (auto problem = refuse_point()) return *problem;
  const std::size_t after_first = c.i;
  const bool blank = skip_blanks();
  if (c.Peek() != '/') {
    if (first.empty() || !blank || !IsDigit(c.Peek())) {
      if (first.empty()) c.i = after_first;
      return Unexpected(c);
    }
    f.whole = std::move(first);
    first = TakeDigits(c);
    if (auto problem = refuse_point()) return *problem;
    skip_blanks();
    if (c.Peek() != '/') return Unexpected(c);
  }
  const std::size_t slash = c.i;
  if (first.empty())
    return ProblemAt("the slash at " + At(slash) + " has no numerator before it", slash);
  f.numerator = std::move(first);
  ++c.i;
  skip_blanks();
  const std::size_t denominator = c.i;
  f.denominator = TakeDigits(c);
  if (auto problem = refuse_point()) return *problem;
  if (f.denominator.empty()) {
    if (!c.AtEnd()) return Unexpected(c);
    return ProblemAt("the slash at " + At(slash) + " has no denominator after it", slash);
  }
  if (!c.AtEnd()) return Unexpected(c);
  if (f.denominator.find_first_not_of('0') == std::string::npos)
    return ProblemAt("the denominator at " + At(denominator) + " is zero", denominator);
  const Notation notation = f.whole.empty() ? Notation::Fraction : Notation::Mixed;
  return Reading{std::move(f), notation};
}

struct Mark {
  Notation notation;
  std::size_t index;
  std::string_view name;
};

// The first character that marks a notation, and refusal of a second notation.
Result<std::optional<Mark>> DetectNotation(const Cursor& c) {
  std::optional<Mark> found;
  for (std::size_t i = c.i; i < c.end; ++i) {
    std::optional<Mark> mark;
    switch (c.s[i]) {
      case '(':
      case ')': mark = Mark{Notation::Parentheses, i, "parenthesis"}; break;
      case '[':
      case ']': mark = Mark{Notation::Brackets, i, "bracket"}; break;
      case '\'': mark = Mark{Notation::Quotes, i, "quote"}; break;
      case kDot: mark = Mark{Notation::Dots, i, "dot"}; break;
      case kBar: mark = Mark{Notation::Overline, i, "overline"}; break;
      case 'r': mark = Mark{Notation::R, i, "r"}; break;
      case kEllipsis: mark = Mark{Notation::Ellipsis, i, "ellipsis"}; break;
      case '/': mark = Mark{Notation::Fraction, i, "slash"}; break;
      case '.':
        if (c.end - i >= 3 && c.s.substr(i, 3) == "...") {
          mark = Mark{Notation::Ellipsis, i, "ellipsis"};
          i += 2;
        }
        break;
      default: break;
    }
    if (!mark) continue;
    if (!found) {
      found = mark;
    } else if (found->notation != mark->notation) {
      return ProblemAt("the " + std::string(mark->name) + " at " + At(mark->index) +
                           " cannot be used together with the " + std::string(found->name) +
                           " at " + At(found->index),
                       mark->index);
    }
  }
  return found;
}

Result<Reading> AsReading(Result<Decimal> read, Notation notation) {
  if (auto* problem = std::get_if<Problem>(&read)) return *problem;
  return Reading{std::move(std::get<Decimal>(read)), notation};
}

}  // namespace

std::string_view NotationName(Notation notation) {
  constexpr std::string_view kNames[] = {"plain",    "parentheses", "brackets", "quotes",
                                         "dots",     "overline",    "r",        "ellipsis",
                                         "fraction", "mixed"};
  return kNames[static_cast<int>(notation)];
}

Result<Reading> Read(std::string_view utf8) {
  Result<std::string> decoded = Decode(utf8);
  if (auto* problem = std::get_if<Problem>(&decoded)) return *problem;
  const std::string& text = std::get<std::string>(decoded);

  Cursor c{text, 0, text.size()};
  const auto blank = [](char ch) { return ch == ' ' || ch == kLineBreak; };
  while (c.i < c.end && blank(text[c.i])) ++c.i;
  while (c.end > c.i && blank(text[c.end - 1])) --c.end;
  if (c.AtEnd()) return Problem{"there is nothing to read", 0};

  bool negative = false;
  if (c.Peek() == '+' || c.Peek() == '-') negative = text[c.i++] == '-';

  Result<std::optional<Mark>> detected = DetectNotation(c);
  if (auto* problem = std::get_if<Problem>(&detected)) return *problem;
  const std::optional<Mark>& mark = std::get<std::optional<Mark>>(detected);
  const Notation notation = mark ? mark->notation : Notation::Plain;

  Result<Reading> reading = Problem{};
  switch (notation) {
    case Notation::Plain: reading = AsReading(ReadPlain(c), notation); break;
    case Notation::Parentheses: reading = AsReading(ReadEnclosed(c, kParentheses), notation); break;
    case Notation::Brackets: reading = AsReading(ReadEnclosed(c, kBrackets), notation); break;
    case Notation::Quotes: reading = AsReading(ReadEnclosed(c, kQuotes), notation); break;
    case Notation::Dots: reading = AsReading(ReadDots(c), notation); break;
    case Notation::Overline: reading = AsReading(ReadOverline(c), notation); break;
    case Notation::R: reading = AsReading(ReadR(c), notation); break;
    case Notation::Ellipsis: reading = AsReading(ReadEllipsis(c), notation); break;
    case Notation::Fraction:
    case Notation::Mixed: reading = ReadFraction(c, negative); break;
  }
  if (auto* r = std::get_if<Reading>(&reading)) {
    if (auto* d = std::get_if<Decimal>(&r->value)) d->negative = negative;
  }
  return reading;
}

}  // namespace quotalis::exact
