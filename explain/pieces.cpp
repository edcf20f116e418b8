#include "pieces.h"

#include <cstddef>

namespace quotalis::explain {

namespace {

Math Piece(Math::Kind kind, std::string text = {}) {
  Math m;
  m.kind = kind;
  m.text = std::move(text);
  return m;
}

// A part of a decimal, whole or by its ends; `hidden` how many digits are left out.
std::string Ends(const std::string& part, std::int64_t& hidden) {
  hidden = 0;
  if (part.size() <= kLongestNumberShown) return part;
  hidden = static_cast<std::int64_t>(part.size() - 2 * kShownEnds);
  return part.substr(0, kShownEnds) + part.substr(part.size() - kShownEnds);
}

}  // namespace

Math Number(std::string digits) {
  Math m = Piece(Math::Kind::Number, std::move(digits));
  const std::size_t sign = m.text.starts_with('-') ? 1 : 0;
  if (m.text.size() - sign > kLongestNumberShown) {
    m.hidden = static_cast<std::int64_t>(m.text.size() - sign - 2 * kShownEnds);
    m.tail = m.text.substr(m.text.size() - kShownEnds);
    m.text.resize(sign + kShownEnds);
  }
  return m;
}

Math Number(const mpz_class& n) {
  const std::size_t most = mpz_sizeinbase(n.get_mpz_t(), 10);  // exact, or one more
  if (most <= kLongestNumberShown + 1) return Number(n.get_str());
  // Its ends without writing out the middle: the last digits are n's rest
  // by 10^kShownEnds, the first those of n over a power of ten.
  const mpz_class magnitude = abs(n);
  mpz_class power, first, last;
  mpz_ui_pow_ui(power.get_mpz_t(), 10, kShownEnds);
  mpz_tdiv_r(last.get_mpz_t(), magnitude.get_mpz_t(), power.get_mpz_t());
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(most - kShownEnds - 1));
  mpz_tdiv_q(first.get_mpz_t(), magnitude.get_mpz_t(), power.get_mpz_t());
  std::string head = first.get_str();  // kShownEnds + 1 digits, or kShownEnds
  const std::size_t digits = head.size() > kShownEnds ? most : most - 1;
  head.resize(kShownEnds);
  std::string tail = last.get_str();
  tail.insert(0, kShownEnds - tail.size(), '0');
  Math m = Piece(Math::Kind::Number, (n < 0 ? "-" : "") + head);
  m.tail = std::move(tail);
  m.hidden = static_cast<std::int64_t>(digits - 2 * kShownEnds);
  return m;
}

bool ShownByEnds(const mpz_class& n) {
  const std::size_t most = mpz_sizeinbase(n.get_mpz_t(), 10);  // exact, or one more
  if (most <= kLongestNumberShown) return false;
  if (most > kLongestNumberShown + 1) return true;
  mpz_class power;  // the smallest number of most digits
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(kLongestNumberShown));
  return mpz_cmpabs(n.get_mpz_t(), power.get_mpz_t()) >= 0;
}

Math Variable(std::string name) { return Piece(Math::Kind::Variable, std::move(name)); }

Math Operator(std::string symbol) { return Piece(Math::Kind::Operator, std::move(symbol)); }

Math Negative() { return Piece(Math::Kind::Negative); }

Math DecimalOf(const exact::Decimal& d) {
  Math m = Piece(Math::Kind::Decimal);
  m.decimal.negative = d.negative;
  m.decimal.exponent = d.exponent;
  m.decimal.integer = Ends(d.integer, m.leftOut.integer);
  m.decimal.fixed = Ends(d.fixed, m.leftOut.fixed);
  m.decimal.period = Ends(d.period, m.leftOut.period);
  return m;
}

Math FractionOf(Formula numerator, Formula denominator, bool negative) {
  Math m = Piece(Math::Kind::Fraction);
  m.negative = negative;
  m.numerator = std::move(numerator);
  m.denominator = std::move(denominator);
  return m;
}

Math PowerOf(std::string base, std::string exponent) {
  Math m = Piece(Math::Kind::Power, std::move(base));
  m.exponent = std::move(exponent);
  return m;
}

Math IndexedOf(std::string name, std::string index) {
  Math m = Piece(Math::Kind::Indexed, std::move(name));
  m.index = std::move(index);
  return m;
}

Formula Of(const mpz_class& n) { return {Number(n)}; }
Formula Of(std::int64_t n) { return {Number(std::to_string(n))}; }
Formula Of(const exact::Decimal& d) { return {DecimalOf(d)}; }

Math Fraction(const mpz_class& n, const mpz_class& d) {
  return FractionOf(Of(mpz_class(abs(n))), Of(d), n < 0);
}

Formula Value(const exact::Rational& r) {
  if (r.denominator == 1) return Of(r.numerator);
  return {Fraction(r.numerator, r.denominator)};
}

Formula Mixed(const exact::MixedNumber& m) {
  return {Number(m.negative ? mpz_class(-m.whole) : m.whole),
          FractionOf(Of(m.numerator), Of(m.denominator))};
}

Formula Negated(Formula f) {
  f.insert(f.begin(), Negative());
  return f;
}

Formula Joined(std::initializer_list<Formula> pieces, const std::vector<std::string>& operators) {
  Formula f;
  std::size_t i = 0;
  for (const Formula& piece : pieces) {
    if (!f.empty()) f.push_back(Operator(operators[i++ % operators.size()]));
    f.insert(f.end(), piece.begin(), piece.end());
  }
  return f;
}

Formula Equals(std::initializer_list<Formula> sides) { return Joined(sides, {"="}); }

}  // namespace quotalis::explain
