// Entries and answers in a base other than 10: a decimal read in its base
// answered by its fraction, a fraction answered by its expansion in the
// base, or any value written in the base asked (Request::toBase).
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

#include <quotalis/exact/base.h>
#include <quotalis/exact/binary.h>

#include "answer/written.h"
#include "kinds.h"

namespace quotalis::answer {

namespace {

using words::N_;

exact::Problem BaseProblem(std::string_view format, std::vector<std::string> args = {}) {
  return exact::MakeProblem(exact::ProblemKind::Syntax, format, std::move(args));
}

// The entry's value and how it was written, read in `base`; K marks the last
// digits of a plain decimal as recurring, as in base 10.
struct Valued {
  exact::Rational value;
  exact::Schoolbook fraction;  // a decimal's, before and after reduction
  bool decimal = true;
  bool negative = false;  // as written, so that -0 keeps its sign
  exact::Notation notation = exact::Notation::Plain;
};

exact::Result<Valued> ReadValue(std::string_view text, int base, std::int32_t period) {
  Valued v;
  if (base == 10) {
    exact::Result<Entry> read = ReadEntry(text, period);
    if (auto* p = std::get_if<exact::Problem>(&read)) return *p;
    Entry& entry = std::get<Entry>(read);
    v.notation = entry.notation;
    v.negative =
        entry.kind == Entry::Kind::Fraction ? entry.written.negative : entry.decimal.negative;
    if (entry.kind == Entry::Kind::Fraction) {
      v.decimal = false;
      v.value = std::move(entry.fraction);
      return v;
    }
    exact::Result<exact::Schoolbook> f = exact::ToFraction(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&f)) return *p;
    v.fraction = std::get<exact::Schoolbook>(std::move(f));
    v.value = v.fraction.reduced;
    return v;
  }
  exact::Result<exact::Reading> read = exact::ReadInBase(text, base);
  if (auto* p = std::get_if<exact::Problem>(&read)) return *p;
  exact::Reading& reading = std::get<exact::Reading>(read);
  v.notation = reading.notation;
  if (auto* f = std::get_if<exact::FractionText>(&reading.value)) {
    v.negative = f->negative;
    if (period > 0) {
      return BaseProblem(N_("the period K {1} is given only with a plain decimal"),
                         {std::to_string(period)});
    }
    exact::Result<exact::Rational> r = exact::FromText(*f);
    if (auto* p = std::get_if<exact::Problem>(&r)) return *p;
    v.decimal = false;
    v.value = std::get<exact::Rational>(std::move(r));
    return v;
  }
  exact::Decimal& d = std::get<exact::Decimal>(reading.value);
  v.negative = d.negative;
  if (period > 0) {
    if (reading.notation != exact::Notation::Plain) {
      return BaseProblem(N_("the period K {1} is given only with a plain decimal"),
                         {std::to_string(period)});
    }
    // As the window clamps K: to the digits after the point.
    const std::size_t k = std::min(static_cast<std::size_t>(period), d.fixed.size());
    d.period = d.fixed.substr(d.fixed.size() - k);
    d.fixed.resize(d.fixed.size() - k);
  }
  exact::Result<exact::Schoolbook> f = exact::ToFractionInBase(d, base);
  if (auto* p = std::get_if<exact::Problem>(&f)) return *p;
  v.fraction = std::get<exact::Schoolbook>(std::move(f));
  v.value = v.fraction.reduced;
  return v;
}

// Whether `text` starts, blanks aside, with a minus sign: -, U+2212, U+FF0D.
bool TypedMinus(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (text.substr(i, 3) == "\u3000") return TypedMinus(text.substr(i + 3));
  const std::string_view rest = text.substr(i);
  return rest.starts_with('-') || rest.starts_with("\u2212") || rest.starts_with("\uFF0D");
}

std::string Hex(std::uint64_t n) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[n % 16]);
    n /= 16;
  } while (n > 0);
  return "0x" + digits;
}

// The whole number as stored, every hexadecimal digit of its width.
std::string HexBits(std::uint64_t bits, int width) {
  std::string digits = Hex(bits).substr(2);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return "0x" + digits;
}

std::string FractionText(const exact::Rational& r) {
  return r.numerator.get_str() + "/" + r.denominator.get_str();
}

// The number stored for the value read: its fields, each written.
exact::Result<BinaryFields> Stored(const Request& request, const Valued& v) {
  const exact::BinaryFormat format = *request.binary;
  const exact::StoredBinary s = exact::NearestBinary(v.value, format, v.negative);
  BinaryFields f;
  const bool wide = format == exact::BinaryFormat::Binary64;
  f.format = wide ? "binary64" : "binary32";
  f.kind = std::string(exact::BinaryClassName(s.kind));
  f.sign = s.negative ? 1 : 0;
  f.exponentField = s.exponentField;
  f.exponent = s.exponent;
  f.significand = Hex(s.significandField);
  f.bits = HexBits(s.bits, wide ? 16 : 8);
  if (s.kind == exact::BinaryClass::Infinity) {
    f.value = s.negative ? "-infinity" : "infinity";
    return f;
  }
  f.value = s.kind == exact::BinaryClass::Zero ? (s.negative ? "-0" : "0") : FractionText(s.value);
  const auto written = [&](const exact::Rational& r, int base,
                           exact::Notation notation) -> exact::Result<std::string> {
    exact::Result<exact::DecimalExpansion> e = exact::ToBase(r, base, request.maxDigits);
    if (auto* p = std::get_if<exact::Problem>(&e)) return *p;
    const bool forPrograms = request.form == Form::Detail || request.form == Form::Json;
    return ExpansionAnswer(std::get<exact::DecimalExpansion>(e), r, notation,
                           forPrograms ? words::EnglishWords() : *request.words,
                           request.keypadCheck);
  };
  // The stored value ends in both bases; the error's decimal may recur.
  for (const auto& [out, base, notation] : {std::tuple{&f.valueDecimal, 10, exact::Notation::Plain},
                                            std::tuple{&f.valueBinary, 2, exact::Notation::Plain},
                                            std::tuple{&f.errorDecimal, 10, request.notation}}) {
    exact::Result<std::string> text =
        written(out == &f.errorDecimal ? s.error : s.value, base, notation);
    if (auto* p = std::get_if<exact::Problem>(&text)) return *p;
    *out = std::get<std::string>(std::move(text));
  }
  if (s.negative && s.kind == exact::BinaryClass::Zero) {
    f.valueDecimal = "-0";
    f.valueBinary = "-0";
  }
  f.error = FractionText(s.error);
  return f;
}

}  // namespace

bool AsksForBase(const Request& request) {
  if (request.base != 10 || request.toBase != 0 || request.binary) return true;
  // A subscript: U+2080 to U+2089 (E2 82 8x) or an underscore.
  const std::string_view e = request.entry;
  return e.find('_') != std::string_view::npos || e.find("\xE2\x82") != std::string_view::npos;
}

Answer BaseAnswer(const Request& request) {
  const auto refuse = [&](Status status, const exact::Problem& p) {
    return Refuse(request, status, p);
  };
  exact::Result<exact::Subscripted> split = exact::SplitSubscript(request.entry);
  if (auto* p = std::get_if<exact::Problem>(&split)) return refuse(Status::BadInput, *p);
  const exact::Subscripted& entry = std::get<exact::Subscripted>(split);
  int base = request.base;
  if (entry.base) {
    if (request.base != 10 && *entry.base != request.base) {
      return refuse(
          Status::BadInput,
          BaseProblem(N_("the subscript names base {1}, but the entry is read in base {2}"),
                      {std::to_string(*entry.base), std::to_string(request.base)}));
    }
    base = *entry.base;
  }
  exact::Result<Valued> read = ReadValue(entry.text, base, request.period);
  if (auto* p = std::get_if<exact::Problem>(&read)) return refuse(Status::BadInput, *p);
  Valued& v = std::get<Valued>(read);
  // The working is that of an expansion in the base: a decimal's fraction in
  // another base has none yet.
  const bool expands = request.toBase != 0 || !v.decimal;
  if (request.working.Any() && !request.binary && !expands) {
    return refuse(Status::Failed,
                  exact::MakeProblem(exact::ProblemKind::Unwritable,
                                     N_("the working is written for base 10 only"), {}));
  }
  if (request.binary) {
    // A plain decimal's zero is read without its sign, as the window writes
    // it back; the number stored keeps the sign typed.
    if (v.value.numerator == 0) v.negative = TypedMinus(entry.text);
    exact::Result<BinaryFields> stored = Stored(request, v);
    if (auto* p = std::get_if<exact::Problem>(&stored)) return refuse(Status::Failed, *p);
    Answer a = Begun(request, Kind::Fraction, v.notation);
    a.binary = std::get<BinaryFields>(std::move(stored));
    if (request.working.Any()) {
      const explain::Style style = WorkingStyle(request, v.notation);
      const exact::StoredBinary s = exact::NearestBinary(v.value, *request.binary, v.negative);
      a.working =
          Rendered(explain::BinarySteps(v.value, s, *request.binary, v.decimal), request, style);
    }
    a.lowest = {Hold(v.value.numerator), Hold(v.value.denominator), 0};
    return a;
  }

  // A fraction's expansion, or any value's with toBase, in that base; else a
  // decimal's fraction, its canonical form written in its own base.
  const bool expansion = request.toBase != 0 || !v.decimal;
  const int out = request.toBase != 0 ? request.toBase : base;
  Answer a = Begun(request, expansion ? Kind::Decimal : Kind::Fraction, v.notation);
  a.base = out;
  const bool needsDecimal = expansion || request.form != Form::Value;
  if (needsDecimal) {
    if (out != 10) {
      // The keypad types base 10 only, and r is a digit from base 28 on.
      exact::Result<std::string> writable =
          exact::WriteInBase(exact::Decimal{false, "0", "", "1", 0}, request.notation, out);
      if (auto* p = std::get_if<exact::Problem>(&writable)) return refuse(Status::Failed, *p);
    }
    const std::optional<std::int64_t> most =
        expansion ? request.maxDigits : std::optional<std::int64_t>();
    exact::Result<exact::DecimalExpansion> expanded = exact::ToBase(v.value, out, most);
    if (auto* p = std::get_if<exact::Problem>(&expanded)) return refuse(Status::BadInput, *p);
    auto& e = std::get<exact::DecimalExpansion>(expanded);
    const bool forPrograms = request.form == Form::Detail || request.form == Form::Json;
    const words::Words& noteWords = forPrograms ? words::EnglishWords() : *request.words;
    exact::Result<std::string> written =
        ExpansionAnswer(e, v.value, request.notation, noteWords, request.keypadCheck);
    if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Status::Failed, *p);
    a.decimal = std::get<std::string>(std::move(written));
    a.nonRecurring = e.fixedLength;
    a.period = std::move(e.periodLength);
    a.cut = e.cut;
  }
  if (request.working.Any()) {
    const explain::Style style = WorkingStyle(request, v.notation);
    a.working = Rendered(explain::BaseSteps(v.value, out, v.decimal), request, style);
  }
  if (!expansion) a.unreduced = {Hold(v.fraction.numerator), Hold(v.fraction.denominator), 0};
  a.lowest = {Hold(v.value.numerator), Hold(v.value.denominator), 0};
  return a;
}

}  // namespace quotalis::answer
