// The values the exact library works on, as plain digit strings: what a
// reader makes of a text, what the arithmetic takes and gives back, and what
// a writer puts into a notation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quotalis::exact {

// Marks an English sentence or word for a front end's translators without
// translating it: the catalogs are made from the strings it marks (xgettext
// --keyword=N_). A Problem's `format` and word arguments are such strings.
constexpr std::string_view N_(std::string_view english) { return english; }

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
// For a front end that words messages in another language, the sentence also
// comes as `format` with {1}, {2}... where the `args` go:
//   "the {2} opened at character {1} is never closed", {"4", "parenthesis"}
// It translates `format` and each argument that is a word (the library's
// words are whole nouns such as "parenthesis" or "blank"; the other arguments
// are numbers or the user's own characters), then fills them in with FillIn.
// When `format` is empty, `message` itself is the sentence to translate.
struct Problem {
  Problem() = default;
  // A refusal whose message has no blanks.
  Problem(ProblemKind problemKind, std::string text, std::int64_t at = 0)
      : kind(problemKind), message(std::move(text)), position(at) {}

  ProblemKind kind = ProblemKind::Syntax;
  std::string message;
  std::int64_t position = 0;
  std::string format;
  std::vector<std::string> args;
  // The same refusal: kind, message and position.
  bool operator==(const Problem& other) const {
    return kind == other.kind && message == other.message && position == other.position;
  }
};

// `format` with each {n} (n from 1 to 9) replaced by args[n - 1]; a {n} that
// has no argument is left as it stands.
//   ("the {1} at character {2}", {"dot", "7"}) -> "the dot at character 7"
std::string FillIn(std::string_view format, const std::vector<std::string>& args);

// A Problem with its message filled in from `format` and `args`.
Problem MakeProblem(ProblemKind kind, std::string_view format, std::vector<std::string> args,
                    std::int64_t position = 0);

// A value, or the reason there is none.
template <class T>
using Result = std::variant<T, Problem>;

// The largest term the library will build: a value whose numerator or
// denominator, in the fraction of its canonical decimal (see ToFraction), has
// more decimal digits than this is refused before any memory is taken for it,
// whatever notation it was written in; zero never is. A fraction's terms are
// counted as written, leading zeros aside (see FromText).
// 10,000,000 digits is about 4 MiB of binary; every operation on such a term
// still ends within seconds, while 1e999999999 would need 400 MiB per term.
inline constexpr std::int64_t kMaxTermDigits = 10'000'000;

}  // namespace quotalis::exact
