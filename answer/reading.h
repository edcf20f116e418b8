// A pupil's line read into its equations, each side evaluated exactly as
// a + b·u, u the working's unknown (internal to the check).
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "words/words.h"

namespace quotalis::answer::check {

// a + b·u.
struct Linear {
  mpq_class a{0};
  mpq_class b{0};
  mpq_class At(const mpq_class& u) const { return a + b * u; }
};

// What a side is as written: a number alone, perhaps signed, or more.
enum class Shape { Integer, Fraction, Mixed, Decimal, Expression };

struct Side {
  Linear value;
  Shape shape = Shape::Expression;
  bool negative = false;
  // As written: Integer n; Fraction n/d; Mixed w n/d.
  mpz_class whole{0}, numerator{0}, denominator{1};
  // Decimal: whether it ends (no recurring digits), and its digits after the point.
  bool terminating = false;
  std::int64_t decimals = 0;
  bool subtracts = false;  // a minus between its terms, at the top
  bool mentionsUnknown = false;
  bool unknownAlone = false;  // the side is the unknown itself
  bool ofUnknown = false;     // it goes on a chain of the unknown: "= 1/6" after "x = 15/90"
  // A division of two numbers at the top ("10 ÷ 7"): its operands.
  std::optional<std::pair<mpq_class, mpq_class>> division;
  std::string text;  // as typed, blanks at its ends taken off
  bool IsNumber() const { return shape != Shape::Expression; }
};

struct Equation {
  std::vector<Side> sides;
  // "10 ÷ 7 = 1 remainder 3": the remainder after the quotient.
  std::optional<mpq_class> remainder;
};

struct ReadLine {
  enum class Kind {
    Words,       // nothing to check
    Equations,   // one or more equations (chains)
    Value,       // a number alone, perhaps after words such as 答え or So
    Unreadable,  // `reason`, at `position`
  } kind = Kind::Words;
  std::vector<Equation> equations;
  Side value;
  std::string reason;
  std::int64_t position = 0;
};

// Reads one line after another: the first letter met is the unknown and
// stands for `value`; a letter first met as "y = ..." stands for that
// value from then on; a line that starts with "=" goes on from the last
// side of the line before.
class LineReader {
 public:
  LineReader(mpq_class value, const words::Words& words)
      : value_(std::move(value)), words_(words) {}
  ReadLine Read(std::string_view line);
  const mpq_class& value() const { return value_; }
  // The unknown's letter as ASCII ("x"), "x" before one is met.
  std::string Letter() const {
    return std::string(1, unknown_ ? static_cast<char>(*unknown_) : 'x');
  }

 private:
  friend class Parser;
  mpq_class value_;
  const words::Words& words_;
  std::optional<char32_t> unknown_;
  std::map<char32_t, mpq_class> letters_;
  std::optional<Side> last_;
  bool lastOfUnknown_ = false;  // the last chain had the unknown alone on a side
};

// The value of a whole line's answer as written: a whole number, fraction,
// mixed number or decimal, perhaps signed, and nothing else; words such as
// 答え or So may stand around it. Used by the marking of an answer alone.
bool IsAnswerWord(std::string_view word);

}  // namespace quotalis::answer::check
