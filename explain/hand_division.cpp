#include "hand_division.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "pieces.h"

namespace quotalis::explain {

namespace {

// A long division of more digit columns or steps than these is shown as its
// rows ("30 ÷ 7 = 4 remainder 2") in a table rather than drawn by hand.
constexpr std::size_t kWidestDivision = 60;
constexpr std::size_t kLongestDivision = 60;

// The long division drawn as by hand, one digit a cell:
//         0.1 4 2 8 5 7          the quotient, its period marked
//     7 ) 1.0 0 0 0 0 0          the divisor, the bracket, the dividend
//           7                    each product, ruled under
//           3 0                  each remainder with the next digit brought down
//           2 8
//           ...
//               1                the remainder that comes again
// A quotient digit 0 brings the next digit down at once, as a hand does; so
// does the dividend itself when the whole part is 0.
class HandDivision {
 public:
  HandDivision(const std::vector<const DivisionRow*>& rows, const Mathml& m)
      : rows_(rows), m_(m), dividend_(rows.front()->dividend.get_str()) {
    length_ = dividend_.size();
    steps_ = rows.size() - 1;
  }

  std::string Write() {
    const std::size_t k = steps_;
    const mpz_class& last = rows_.back()->remainder;
    // The period: from the digit after the first remainder equal to the last.
    std::optional<std::size_t> periodFrom;
    if (last != 0) {
      for (std::size_t j = 0; j < k; ++j) {
        if (rows_[j]->remainder == last) {
          periodFrom = j + 1;
          break;
        }
      }
    }
    const DivisionRow& front = *rows_.front();
    const std::string whole = front.quotient.get_str();

    // The quotient.
    Row quotient = Blank();
    Place(quotient, whole, length_ - 1, "quotalis-quotient");
    if (k > 0) quotient[length_ + 1].content = Mn(std::string(1, whole.back()) + ".");
    for (std::size_t i = 1; i <= k; ++i) {
      const char digit = rows_[i]->quotient.get_str().front();
      Cell& cell = quotient[length_ + 1 + i];
      cell.cls = "quotalis-quotient";
      if (periodFrom && i >= *periodFrom) {
        cell.content = m_.PeriodDigit(digit, i == *periodFrom, i == k);
      } else {
        cell.content = Mn(std::string(1, digit));
      }
    }
    table_.push_back(quotient);

    // The divisor, the bracket and the dividend with a zero for each digit after the point.
    Row dividend = Blank();
    dividend[0] = {Mn(front.divisor->get_str()), "quotalis-divisor"};
    dividend[1] = {Mo(")"), "quotalis-bracket-open"};
    for (std::size_t c = 0; c < length_; ++c) {
      std::string digit(1, dividend_[c]);
      if (c + 1 == length_ && k > 0) digit += ".";
      dividend[2 + c] = {Mn(digit), "quotalis-bracket"};
    }
    for (std::size_t i = 1; i <= k; ++i) dividend[length_ + 1 + i] = {Mn("0"), "quotalis-bracket"};
    table_.push_back(dividend);
    const std::size_t dividendRow = table_.size() - 1;

    // The whole part's product, then each digit's.
    bool fromDividend = front.quotient == 0;
    if (!fromDividend) Product(front.dividend - front.remainder, length_ - 1);
    std::optional<std::size_t> firstSeen;  // the row where the period's remainder first stands
    if (periodFrom && *periodFrom == 1 && fromDividend) firstSeen = dividendRow;
    bool endsOnBrought = false;
    for (std::size_t i = 1; i <= k; ++i) {
      const DivisionRow& r = *rows_[i];
      const bool zero = r.quotient == 0;
      if (zero && i < k) continue;  // the next digit is brought down at once
      const std::size_t column = length_ - 1 + i;
      if (!fromDividend) {
        Row brought = Blank();
        Place(brought, r.dividend.get_str(), column, "");
        table_.push_back(brought);
        if (periodFrom && *periodFrom == i) firstSeen = table_.size() - 1;
      }
      fromDividend = false;
      if (zero) {  // the last digit is 0: what was brought down comes again
        endsOnBrought = true;
        break;
      }
      Product(r.dividend - r.remainder, column);
    }

    // The last remainder, marked when it comes again, and where it first stood.
    if (periodFrom && firstSeen) {
      Row& first = table_[*firstSeen];
      // Its digits stand left of the digit brought down after it.
      const std::string seen = rows_[*periodFrom - 1]->remainder.get_str();
      std::size_t end = length_ - 1 + *periodFrom - 1;
      if (*firstSeen == dividendRow) end = length_ - 1;
      for (std::size_t c = end + 1 - std::min(seen.size(), end + 1); c <= end; ++c) {
        first[2 + c].cls += first[2 + c].cls.empty() ? "quotalis-repeat" : " quotalis-repeat";
      }
    }
    if (endsOnBrought) {
      for (Cell& cell : table_.back()) {
        if (!cell.content.empty()) cell.cls = "quotalis-repeat";
      }
    } else {
      Row remainder = Blank();
      Place(remainder, rows_.back()->remainder.get_str(), length_ - 1 + k,
            periodFrom ? "quotalis-repeat" : "");
      table_.push_back(remainder);
    }

    std::string out;
    for (const Row& row : table_) {
      std::string cells;
      for (const Cell& cell : row) cells += Element("mtd", cell.content, Class(cell.cls));
      out += Element("mtr", cells);
    }
    return Element("mtable", out, "class=\"quotalis-ldiv\"");
  }

 private:
  struct Cell {
    std::string content;
    std::string cls;
  };
  using Row = std::vector<Cell>;

  static std::string Class(const std::string& cls) {
    return cls.empty() ? std::string() : "class=\"" + cls + "\"";
  }

  Row Blank() const { return Row(length_ + steps_ + 2); }

  // `digits` one a cell, the last in digit column `end`.
  void Place(Row& row, std::string_view digits, std::size_t end, const std::string& cls) const {
    const std::size_t size = std::min(digits.size(), end + 1);
    digits = digits.substr(digits.size() - size);
    for (std::size_t i = 0; i < size; ++i) {
      row[2 + end + 1 - size + i] = {Mn(std::string(1, digits[i])), cls};
    }
  }

  void Product(const mpz_class& product, std::size_t end) {
    Row row = Blank();
    Place(row, product.get_str(), end, "quotalis-rule");
    table_.push_back(row);
  }

  const std::vector<const DivisionRow*>& rows_;
  const Mathml& m_;
  const std::string dividend_;  // the first row's, in digits
  std::size_t length_ = 0;
  std::size_t steps_ = 0;
  std::vector<Row> table_;
};

}  // namespace

bool FitsByHand(const std::vector<const DivisionRow*>& rows) {
  for (const DivisionRow* r : rows) {
    for (const mpz_class* n : {&r->dividend, r->divisor.get(), &r->quotient, &r->remainder}) {
      if (ShownByEnds(*n)) return false;
    }
  }
  return rows.size() - 1 <= kLongestDivision &&
         rows.front()->dividend.get_str().size() + rows.size() - 1 <= kWidestDivision &&
         rows.front()->place == 0;
}

std::string ByHand(const std::vector<const DivisionRow*>& rows, const Mathml& m) {
  return HandDivision(rows, m).Write();
}

}  // namespace quotalis::explain
