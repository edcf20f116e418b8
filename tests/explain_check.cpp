#include "explain_check.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <variant>

namespace quotalis::testing {

namespace {

using explain::Formula;
using explain::Math;
using Kind = explain::Math::Kind;

mpz_class TenTo(std::int64_t n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(n));
  return p;
}

mpq_class PowerOf(const mpz_class& base, std::int64_t exponent) {
  mpz_class p;
  mpz_pow_ui(p.get_mpz_t(), base.get_mpz_t(), static_cast<unsigned long>(std::abs(exponent)));
  return exponent < 0 ? mpq_class(1, p) : mpq_class(p);
}

mpz_class Digits(const std::string& digits) {
  if (digits.empty()) return 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') throw std::runtime_error("not digits: '" + digits + "'");
  }
  return mpz_class(digits, 10);  // not read as octal after a leading 0
}

bool IsRelation(const Math& m) {
  return m.kind == Kind::Operator && (m.text == "=" || m.text == "<" || m.text == "≤");
}

// Reads one side, pieces [at, end), by the usual precedence: × and ÷ before
// + and -, a minus sign on the factor after it.
class Side {
 public:
  Side(const Formula& f, std::size_t begin, std::size_t end, const Bindings& b)
      : f_(f), at_(begin), end_(end), b_(b) {}

  mpq_class Whole() {
    if (at_ == end_) throw std::runtime_error("an empty side");
    mpq_class v = Sum();
    if (at_ != end_) throw std::runtime_error("a piece left over after a side");
    return v;
  }

 private:
  bool AtOperator(const char* symbol) const {
    return at_ < end_ && f_[at_].kind == Kind::Operator && f_[at_].text == symbol;
  }

  mpq_class Sum() {
    mpq_class v = Product();
    while (AtOperator("+") || AtOperator("-")) {
      const bool plus = f_[at_++].text == "+";
      const mpq_class next = Product();
      v = plus ? mpq_class(v + next) : mpq_class(v - next);
    }
    return v;
  }

  mpq_class Product() {
    mpq_class v = Factor();
    while (AtOperator("×") || AtOperator("÷")) {
      const bool times = f_[at_++].text == "×";
      const mpq_class next = Factor();
      if (!times && next == 0) throw std::runtime_error("a division by 0");
      v = times ? mpq_class(v * next) : mpq_class(v / next);
    }
    return v;
  }

  mpq_class Factor() {
    if (at_ >= end_) throw std::runtime_error("an operator without its operand");
    const Math& m = f_[at_++];
    switch (m.kind) {
      case Kind::Negative: return -Factor();
      case Kind::Open: {
        const mpq_class v = Sum();
        if (at_ >= end_ || f_[at_].kind != Kind::Close) throw std::runtime_error("no ')'");
        ++at_;
        return v;
      }
      case Kind::Number: {
        const mpq_class n = NumberValue(m);
        if (at_ < end_ && f_[at_].kind == Kind::Fraction && !f_[at_].negative) {
          const mpq_class part = FractionValue(f_[at_++]);  // a mixed number
          if (part < 0) throw std::runtime_error("a mixed number's part below 0");
          return n < 0 || m.text.starts_with('-') ? mpq_class(n - part) : mpq_class(n + part);
        }
        return Times(n);
      }
      case Kind::Power: {
        const std::int64_t e = std::stoll(m.exponent);
        return Times(PowerOf(Digits(m.text), e));
      }
      case Kind::Decimal:
        if (m.leftOut.Any()) throw Unknown{"a decimal shown by its ends"};
        return DecimalValue(m.decimal);
      case Kind::Fraction: return FractionValue(m);
      case Kind::Variable:
      case Kind::Indexed: return Bound(m);
      case Kind::Operator: throw std::runtime_error("an operator where a value goes: " + m.text);
      case Kind::Close: throw std::runtime_error("a ')' never opened");
    }
    throw std::runtime_error("a piece of no kind");
  }

  // A number or a power before a variable multiplies it: 90x, 10⁶x.
  mpq_class Times(const mpq_class& v) {
    if (at_ < end_ && (f_[at_].kind == Kind::Variable || f_[at_].kind == Kind::Indexed)) {
      return v * Bound(f_[at_++]);
    }
    return v;
  }

  mpq_class Bound(const Math& m) const {
    const std::string name = m.kind == Kind::Indexed ? m.text + "_" + m.index : m.text;
    const auto it = b_.find(name);
    if (it == b_.end()) throw Unknown{"the variable " + name};
    return it->second;
  }

  static mpq_class NumberValue(const Math& m) {
    if (m.hidden > 0) throw Unknown{"a number shown by its ends"};
    const bool minus = m.text.starts_with('-');
    const mpz_class n = Digits(minus ? m.text.substr(1) : m.text);
    return minus ? mpq_class(-n) : mpq_class(n);
  }

  mpq_class FractionValue(const Math& m) const {
    const mpq_class n = Single(m.numerator), d = Single(m.denominator);
    if (d == 0) throw std::runtime_error("a fraction over 0");
    const mpq_class v = n / d;
    return m.negative ? mpq_class(-v) : v;
  }

  mpq_class Single(const Formula& f) const {
    Chain c = Evaluate(f, b_);
    if (c.sides.size() != 1) throw std::runtime_error("a relation inside a fraction");
    return c.sides.front();
  }

  const Formula& f_;
  std::size_t at_, end_;
  const Bindings& b_;
};

}  // namespace

mpq_class DecimalValue(const exact::Decimal& d) {
  const auto f = static_cast<std::int64_t>(d.fixed.size());
  const auto p = static_cast<std::int64_t>(d.period.size());
  // GMP's arithmetic wants its rationals in lowest terms.
  mpq_class v(Digits(d.integer + d.fixed), TenTo(f));
  v.canonicalize();
  if (p > 0) {
    mpq_class recurring(Digits(d.period), TenTo(f) * (TenTo(p) - 1));
    recurring.canonicalize();
    v += recurring;
  }
  v *= PowerOf(10, d.exponent);
  return d.negative ? mpq_class(-v) : v;
}

Chain Evaluate(const Formula& f, const Bindings& bindings) {
  Chain c;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= f.size(); ++i) {
    if (i < f.size() && !IsRelation(f[i])) continue;
    c.sides.push_back(Side(f, from, i, bindings).Whole());
    if (i < f.size()) c.relations.push_back(f[i].text);
    from = i + 1;
  }
  return c;
}

bool Holds(const Chain& chain, std::string* what) {
  for (std::size_t i = 0; i < chain.relations.size(); ++i) {
    const mpq_class &a = chain.sides[i], &b = chain.sides[i + 1];
    const std::string& r = chain.relations[i];
    const bool ok = r == "=" ? a == b : r == "<" ? a < b : r == "≤" ? a <= b : false;
    if (!ok) {
      *what =
          a.get_str() + " " + r + " " + b.get_str() + " (relation " + std::to_string(i + 1) + ")";
      return false;
    }
  }
  return true;
}

std::vector<const explain::DivisionRow*> RowsOf(const explain::Steps& steps) {
  std::vector<const explain::DivisionRow*> rows;
  for (const explain::Step& s : steps.steps) {
    if (const auto* r = std::get_if<explain::DivisionRow>(&s)) rows.push_back(r);
  }
  return rows;
}

Checked CheckSteps(const explain::Steps& steps, const Bindings& bindings,
                   const std::string& label) {
  Checked done;
  const auto check = [&](const Chain& c, const std::string& where) {
    if (c.relations.empty()) return;
    ++done.relations;
    std::string what;
    EXPECT_TRUE(Holds(c, &what)) << label << ", " << where << ": " << what;
  };
  // Each formula on its own: one that cannot be evaluated leaves out no other.
  const auto guarded = [&](const std::string& where, const auto& body) {
    try {
      body();
    } catch (const Unknown& u) {
      ++done.unknown;
      done.unknownWhy.push_back(u.why);
    } catch (const std::exception& x) {
      ADD_FAILURE() << label << ", " << where << ": " << x.what();
    }
  };
  for (std::size_t i = 0; i < steps.steps.size(); ++i) {
    const explain::Step& step = steps.steps[i];
    const std::string where = "step " + std::to_string(i + 1);
    if (const auto* s = std::get_if<explain::Sentence>(&step)) {
      for (const Formula& arg : s->args) {
        const std::string about = where + " (" + std::string(s->format) + ")";
        guarded(about, [&] { check(Evaluate(arg, bindings), about); });
      }
    } else if (const auto* e = std::get_if<explain::Equation>(&step)) {
      EXPECT_TRUE(e->relations.empty() || e->relations.size() + 1 == e->sides.size())
          << label << ", " << where << ": relations do not fit the sides";
      EXPECT_GE(e->sides.size(), 2u) << label << ", " << where << ": an equation of one side";
      guarded(where, [&] {
        Chain c;
        for (const Formula& side : e->sides) {
          const Chain one = Evaluate(side, bindings);
          if (one.sides.size() != 1) throw std::runtime_error("a relation inside a side");
          c.sides.push_back(one.sides.front());
        }
        for (std::size_t j = 0; j + 1 < e->sides.size(); ++j) {
          c.relations.push_back(j < e->relations.size() ? e->relations[j] : "=");
        }
        check(c, where);
      });
    }
  }
  const std::vector<const explain::DivisionRow*> rows = RowsOf(steps);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const explain::DivisionRow& r = *rows[i];
    const std::string where = label + ", division row " + std::to_string(i);
    ++done.rows;
    if (!r.divisor) {
      ADD_FAILURE() << where << ": no divisor";
      continue;
    }
    const mpz_class& d = *r.divisor;
    EXPECT_EQ(r.divisor, rows.front()->divisor) << where << ": a divisor of its own";
    EXPECT_EQ(r.place, static_cast<std::int64_t>(i)) << where;
    EXPECT_EQ(r.dividend, d * r.quotient + r.remainder) << where;
    EXPECT_TRUE(r.remainder >= 0 && r.remainder < d) << where << ": remainder " << r.remainder;
    if (i > 0) {
      EXPECT_TRUE(r.quotient >= 0 && r.quotient <= 9) << where << ": digit " << r.quotient;
      EXPECT_EQ(r.dividend, 10 * rows[i - 1]->remainder) << where;
    }
  }
  return done;
}

std::string Described(const Formula& f) {
  std::string out;
  for (const Math& m : f) {
    if (!out.empty()) out += ' ';
    switch (m.kind) {
      case Kind::Number: out += Shown(m); break;
      case Kind::Decimal: {
        const exact::Decimal& d = m.decimal;
        out += "dec(" + std::string(d.negative ? "-" : "") + d.integer;
        if (!d.fixed.empty() || !d.period.empty()) out += "." + d.fixed;
        if (!d.period.empty()) out += "(" + d.period + ")";
        if (d.exponent != 0) out += "e" + std::to_string(d.exponent);
        out += ")";
        if (m.writtenOut > 0) out += "x" + std::to_string(m.writtenOut) + "...";
        if (m.leftOut.Any()) {
          out += "[left out " + std::to_string(m.leftOut.integer) + "," +
                 std::to_string(m.leftOut.fixed) + "," + std::to_string(m.leftOut.period) + "]";
        }
        break;
      }
      case Kind::Variable: out += m.text; break;
      case Kind::Indexed: out += m.text + "_" + m.index; break;
      case Kind::Operator: out += m.text; break;
      case Kind::Negative: out += "neg"; break;
      case Kind::Fraction:
        out += std::string(m.negative ? "-" : "") + "frac(" + Described(m.numerator) + " | " +
               Described(m.denominator) + ")";
        break;
      case Kind::Power: out += m.text + "^" + m.exponent; break;
      case Kind::Open: out += "("; break;
      case Kind::Close: out += ")"; break;
    }
    if (!m.common.empty()) out += "{c" + m.common + "}";
  }
  return out;
}

std::string Described(const explain::Step& step) {
  if (const auto* s = std::get_if<explain::Sentence>(&step)) {
    std::string out = "say \"" + std::string(s->format) + "\"";
    for (const Formula& arg : s->args) out += " [" + Described(arg) + "]";
    return out;
  }
  if (const auto* e = std::get_if<explain::Equation>(&step)) {
    std::string out = "eq g" + std::to_string(e->group);
    if (e->number > 0) out += " (" + std::to_string(e->number) + ")";
    if (e->subtracted) out += " -)";
    out += ":";
    for (std::size_t i = 0; i < e->sides.size(); ++i) {
      if (i > 0) out += " " + (i - 1 < e->relations.size() ? e->relations[i - 1] : "=");
      out += " " + Described(e->sides[i]);
    }
    return out;
  }
  const auto& r = std::get<explain::DivisionRow>(step);
  return "row " + std::to_string(r.place) + " g" + std::to_string(r.group) + ": " +
         r.dividend.get_str() + " ÷ " + (r.divisor ? r.divisor->get_str() : "null") + " = " +
         r.quotient.get_str() + " r " + r.remainder.get_str();
}

std::string Shown(const explain::Math& number) {
  if (number.hidden == 0) return number.text;
  return number.text + "[" + std::to_string(number.hidden) + "]" + number.tail;
}

std::string ExpectedShown(const mpz_class& n) {
  const std::string digits = mpz_class(abs(n)).get_str();
  const std::string sign = n < 0 ? "-" : "";
  if (digits.size() <= explain::kLongestNumberShown) return sign + digits;
  const std::size_t ends = explain::kShownEnds;
  return sign + digits.substr(0, ends) + "[" + std::to_string(digits.size() - 2 * ends) + "]" +
         digits.substr(digits.size() - ends);
}

}  // namespace quotalis::testing
