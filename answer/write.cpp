#include "answer/write.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>
#include <string>
#include <utility>

#include <quotalis/exact/expansion.h>

#include "answer/json.h"

namespace quotalis::answer {

namespace {

// Numbers of more digits than this are written only once the memory their
// digits take has been found.
constexpr std::size_t kProbedDigits = 100'000;
// Making a number's digits takes their string and GMP's room to work in,
// about 4 bytes a digit in all (measured on numbers of 10^6 and 10^7 digits).
constexpr std::size_t kBytesToWriteADigit = 5;

// The bits of the largest whole number that JavaScript's numbers and jq hold
// exactly, 2^53 - 1.
constexpr std::size_t kExactDoubleBits = 53;

// Asks the system once, before anything is written, for the memory the
// longest number's digits take.
void MakeRoom(const Answer& a) {
  std::size_t longest = 0;
  for (const Number* n : {&a.unreduced.numerator, &a.unreduced.denominator, &a.lowest.numerator,
                          &a.lowest.denominator}) {
    if (*n) longest = std::max(longest, mpz_sizeinbase((*n)->get_mpz_t(), 10));
  }
  if (longest > kProbedDigits) {
    void* room = std::malloc(longest * kBytesToWriteADigit);
    if (room == nullptr) throw std::bad_alloc();
    std::free(room);
  }
}

// The decimal digits of `n`, its sign first, written straight into the
// string (mpz_class::get_str would copy them once more).
void WriteNumber(std::ostream& out, const mpz_class& n) {
  std::string digits(mpz_sizeinbase(n.get_mpz_t(), 10) + 2, '\0');
  mpz_get_str(digits.data(), 10, n.get_mpz_t());
  digits.resize(std::strlen(digits.c_str()));
  out << digits;
}

// `count` zeros, from one block of them kept for the whole run: a long
// denominator's power of ten is written without being made.
void WriteZeros(std::ostream& out, std::int64_t count) {
  static const std::string zeros(std::size_t{64} << 10, '0');
  while (count > 0) {
    const auto now = std::min(static_cast<std::size_t>(count), zeros.size());
    out.write(zeros.data(), static_cast<std::streamsize>(now));
    count -= static_cast<std::int64_t>(now);
  }
}

// N/D, the denominator always written.
void WriteFraction(std::ostream& out, const Terms& t) {
  WriteNumber(out, *t.numerator);
  out << '/';
  WriteNumber(out, *t.denominator);
  WriteZeros(out, t.tens);
}

// A fraction in lowest terms as a mixed number: 7/6 -> "1 1/6", -7/6 ->
// "-1 1/6", 7/1 -> "7", 1/6 -> "1/6", 0/1 -> "0".
void WriteMixed(std::ostream& out, const Terms& lowest) {
  const mpz_class* d = lowest.denominator.get();
  mpz_class scaled;
  if (lowest.tens > 0) {
    mpz_ui_pow_ui(scaled.get_mpz_t(), 10, static_cast<unsigned long>(lowest.tens));
    scaled *= *d;
    d = &scaled;
  }
  const mpz_class& n = *lowest.numerator;
  const mpz_class magnitude = abs(n);
  mpz_class whole, rest;
  mpz_tdiv_qr(whole.get_mpz_t(), rest.get_mpz_t(), magnitude.get_mpz_t(), d->get_mpz_t());
  if (n < 0) out << '-';
  if (whole != 0 || rest == 0) WriteNumber(out, whole);
  if (rest != 0) {
    if (whole != 0) out << ' ';
    WriteNumber(out, rest);
    out << '/';
    WriteNumber(out, *d);
  }
}

void WriteAnswerFraction(std::ostream& out, const Answer& a) {
  if (a.mixed) {
    WriteMixed(out, a.lowest);
  } else {
    WriteFraction(out, a.lowest);
  }
}

// The lines of the working as --explain prints them, and as "working" holds them.
const std::vector<std::string>& WorkingLines(const Answer& a) {
  if (a.asked.spoken && !a.asked.text && !a.asked.latex) return a.working.spoken;
  const bool latex = (a.notation == exact::Notation::Latex && a.asked.latex) || !a.asked.text;
  return latex ? a.working.latex : a.working.text;
}

void WriteJoined(std::ostream& out, const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out << '\n';
    out << lines[i];
  }
}

// One JSON object's fields, written in order as they come.
class JsonFields {
 public:
  explicit JsonFields(std::ostream& out) : out_(out) { out_ << '{'; }
  JsonFields(const JsonFields&) = delete;
  JsonFields& operator=(const JsonFields&) = delete;

  // The stream, after the key and its colon.
  std::ostream& Key(std::string_view key) {
    if (!first_) out_ << ',';
    first_ = false;
    out_ << '"' << key << "\":";
    return out_;
  }
  void String(std::string_view key, std::string_view text) { WriteJsonString(Key(key), text); }
  void Number(std::string_view key, std::int64_t n) { Key(key) << n; }
  void Literal(std::string_view key, std::string_view value) { Key(key) << value; }
  // A string that `write` writes, which needs no escaping: digits and signs.
  template <class Write>
  void Quoted(std::string_view key, Write write) {
    Key(key) << '"';
    write(out_);
    out_ << '"';
  }
  void Lines(std::string_view key, const std::vector<std::string>& lines) {
    Key(key) << '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out_ << ',';
      WriteJsonString(out_, lines[i]);
    }
    out_ << ']';
  }
  void Close() { out_ << '}'; }
  void Joined(std::string_view key, const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) joined += '\n';
      joined += lines[i];
    }
    String(key, joined);
  }

 private:
  std::ostream& out_;
  bool first_ = true;
};

}  // namespace

void WriteValue(std::ostream& out, const Answer& a, bool& started) {
  MakeRoom(a);
  started = true;
  if (a.binary) {
    out << a.binary->value;
  } else if (a.kind == Kind::Decimal) {
    out << a.decimal;
  } else {
    WriteAnswerFraction(out, a);
  }
}

void WriteDetail(std::ostream& out, const Answer& a, bool& started) {
  MakeRoom(a);
  started = true;
  if (a.binary) {
    // The value, its decimal and binary forms, the error as a fraction and a
    // decimal, the bits: the infinity's three in the middle are empty.
    const BinaryFields& b = *a.binary;
    out << b.value << '\t' << b.valueDecimal << '\t' << b.valueBinary << '\t' << b.error << '\t'
        << b.errorDecimal << '\t' << b.bits;
    return;
  }
  switch (a.kind) {
    case Kind::Fraction:
      out << a.decimal << '\t';
      WriteFraction(out, a.unreduced);
      out << '\t';
      WriteAnswerFraction(out, a);
      break;
    case Kind::Decimal:
      out << a.decimal << '\t' << a.nonRecurring << '\t';
      if (a.period) {
        WriteNumber(out, *a.period);
      } else {
        out << '>' << exact::kMaxExpansionDigits;
      }
      break;
    case Kind::Rounded:
      out << a.low << '\t' << a.high << '\t';
      WriteAnswerFraction(out, a);
      break;
  }
}

void WriteJson(std::ostream& out, const Answer& a, bool& started) {
  MakeRoom(a);
  started = true;
  JsonFields json(out);
  if (a.input) {
    json.String("input", *a.input);
  } else {
    json.Literal("input", "null");
  }
  if (a.status != Status::Answered) {
    json.String("error", a.refusal.sentence);
    json.String("kind", exact::ProblemKindName(a.refusal.kind));
    json.Number("position", a.refusal.position);
    json.Close();
    return;
  }
  json.String("reading", exact::NotationName(a.reading));
  if (a.binary) {
    const BinaryFields& b = *a.binary;
    json.String("format", b.format);
    json.String("class", b.kind);
    json.String("stored", b.value);
    const bool finite = b.kind != "infinity";
    for (const auto& [key, text] :
         {std::pair{"storedDecimal", &b.valueDecimal}, std::pair{"storedBinary", &b.valueBinary},
          std::pair{"storedError", &b.error}, std::pair{"storedErrorDecimal", &b.errorDecimal}}) {
      if (finite) {
        json.String(key, *text);
      } else {
        json.Literal(key, "null");
      }
    }
    json.Number("sign", b.sign);
    json.Number("exponentField", b.exponentField);
    json.Number("exponent", b.exponent);
    json.String("significand", b.significand);
    json.String("bits", b.bits);
    json.Quoted("fraction", [&](std::ostream& o) { WriteFraction(o, a.lowest); });
    json.Close();
    return;
  }
  // Only an answer in another base names it: base 10 answers keep their fields.
  if (a.base != 10) json.Number("base", a.base);
  if (a.kind == Kind::Rounded) {
    json.String("low", a.low);
    json.String("high", a.high);
  } else {
    json.String("decimal", a.decimal);
  }
  if (a.kind == Kind::Fraction) {
    json.Quoted("unreduced", [&](std::ostream& o) { WriteFraction(o, a.unreduced); });
  }
  json.Quoted("fraction", [&](std::ostream& o) { WriteFraction(o, a.lowest); });
  json.Quoted("numerator", [&](std::ostream& o) { WriteNumber(o, *a.lowest.numerator); });
  json.Quoted("denominator", [&](std::ostream& o) {
    WriteNumber(o, *a.lowest.denominator);
    WriteZeros(o, a.lowest.tens);
  });
  if (a.mixed) json.Quoted("mixed", [&](std::ostream& o) { WriteMixed(o, a.lowest); });
  if (a.kind != Kind::Rounded) {
    json.Number("nonRecurring", a.nonRecurring);
    if (!a.period) {
      // Longer than the digits written at most, and not counted.
      json.Literal("period", "null");
      json.Number("periodAbove", exact::kMaxExpansionDigits);
    } else if (mpz_sizeinbase(a.period->get_mpz_t(), 2) <= kExactDoubleBits) {
      json.Literal("period", a.period->get_str());
    } else {
      json.Quoted("period", [&](std::ostream& o) { WriteNumber(o, *a.period); });
    }
    json.Literal("cut", a.cut ? "true" : "false");
  }
  if (a.asked.text || a.asked.latex || a.asked.spoken) json.Lines("working", WorkingLines(a));
  if (a.asked.Count() > 1) {
    if (a.asked.mathml) json.Joined("workingMathml", a.working.mathml);
    if (a.asked.text) json.Joined("workingText", a.working.text);
    if (a.asked.latex) json.Joined("workingLatex", a.working.latex);
    if (a.asked.spoken) json.Joined("workingSpoken", a.working.spoken);
  }
  json.Close();
}

void WriteWorking(std::ostream& out, const Answer& a) { WriteJoined(out, WorkingLines(a)); }

}  // namespace quotalis::answer
