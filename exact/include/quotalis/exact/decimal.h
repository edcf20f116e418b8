// The values the exact library works on, as plain digit strings: what a
// reader makes of a text, what the arithmetic takes and gives back, and what
// a writer puts into a notation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quotalis::exact {

// A decimal as its digits stand: the sign, the digits before the point, the
// digits after it that do not recur, then the digits that recur for ever, the
// whole times ten to `exponent`.
//   0.1(6)      -> {false, "0", "1", "6", 0}
//   -1.2(3)e-5  -> {true, "1", "2", "3", -5}
//   12          -> {false, "12", "", "", 0}
//   .5          -> {false, "", "5", "", 0}
// Every digit string holds '0' to '9' only, and any of them may be empty.
// The canonical form of a value has exponent 0, no leading zero before the
// point ("0" when the integer part is zero), the shortest non-recurring part,
// then the shortest period, never a period of nines, and no sign on zero.
struct Decimal {
  bool negative = false;
  std::string integer;
  std::string fixed;
  std::string period;
  std::int64_t exponent = 0;
  bool operator==(const Decimal&) const = default;
};

// A fraction or mixed number as written: [-] [whole] numerator / denominator.
//   "-3/4"  -> {true, "", "3", "4"}     "1 1/6" -> {false, "1", "1", "6"}
struct FractionText {
  bool negative = false;
  std::string whole;
  std::string numerator;
  std::string denominator;
  bool operator==(const FractionText&) const = default;
};

// What kind of fault a Problem reports, for a program to act on without
// reading the message.
enum class ProblemKind {
  Empty,            // nothing to read: "", blanks only
  Encoding,         // bytes that are not UTF-8
  Character,        // a character that no notation uses: "1,5", "abc"
  Syntax,           // a notation misused: "1.2.3", "0.1(6", "0.5...", "1/"
  ZeroDenominator,  // "1/0"
  TooLarge,         // a term past kMaxTermDigits, an exponent past 64 bits
  Argument,         // a value that breaks a function's contract: a digit string
                    // holding something else, a negative number of digits
  Unwritable,       // a value that the notation asked for cannot write
};

// The kind's name in lower case with hyphens, for machine-readable output:
// "empty", "encoding", "character", "syntax", "zero-denominator", "too-large",
// "argument", "unwritable".
std::string_view ProblemKindName(ProblemKind kind);

// Why a text or a value was refused: its kind, one sentence naming what is
// wrong, in English without a final full stop, and the 1-based character of
// the text it concerns (counted in Unicode characters; 0 when it concerns no
// one place).
//   "0.1(6" -> {Syntax, "the parenthesis opened at character 4 is never closed", 4}
struct Problem {
  ProblemKind kind = ProblemKind::Syntax;
  std::string message;
  std::int64_t position = 0;
  bool operator==(const Problem&) const = default;
};

// A value, or the reason there is none.
template <class T>
using Result = std::variant<T, Problem>;

// The largest term the library will build: a numerator or denominator of more
// decimal digits than this is refused before any memory is taken for it.
// 10,000,000 digits is about 4 MiB of binary; every operation on such a term
// still ends within seconds, while 1e999999999 would need 400 MiB per term.
inline constexpr std::int64_t kMaxTermDigits = 10'000'000;

}  // namespace quotalis::exact
