// A request answered: how the entry was read, its value with every field the
// answer's form needs, and the working in the formats asked; or why there
// is none. Every front end answers through AnswerEntry and writes the answer
// with the writers of answer/write.h.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>
#include <quotalis/exact/notation.h>

#include "answer/request.h"

namespace quotalis::answer {

enum class Status {
  Answered,  // the value (and the working asked) are given
  BadInput,  // the entry, its K or its line is at fault: `refusal` says how
  Failed,    // the answer asked for cannot be given (the keypad cannot type
             // it, too little memory): `refusal` says why
};

enum class Kind {
  Fraction,  // a decimal answered by its fraction
  Decimal,   // a fraction answered by its decimal
  Rounded,   // a rounded display answered by its simplest fraction
};

// A whole number held in binary; its digits are made as it is written, one
// number at a time, and a number that stands twice in an answer is held once.
using Number = std::shared_ptr<const mpz_class>;

// numerator / (denominator × 10^tens), the sign on the numerator: the power
// of ten a long decimal's denominator ends in is written as zeros, not made.
struct Terms {
  Number numerator;
  Number denominator;
  std::int64_t tens = 0;
};

// Why there is no answer: the kind of fault and the character it concerns
// (exact::Problem's), and the sentence in the request's words, the entry or
// line quoted first when the fault is in it.
struct Refusal {
  exact::ProblemKind kind = exact::ProblemKind::Syntax;
  std::int64_t position = 0;
  std::string sentence;
};

// The working's lines in each format asked (explain::Render), all rendered
// from one build of its steps.
struct Workings {
  std::vector<std::string> text, latex, mathml, spoken;
};

// The number stored for an entry (Request::binary), as the writers give it.
struct BinaryFields {
  std::string format;  // "binary64", "binary32"
  std::string kind;    // exact::BinaryClassName: "normal", "subnormal", "zero", "infinity"
  std::string value;   // the stored value in lowest terms: "1/2", "-0"; "infinity", "-infinity"
  std::string valueDecimal;         // exactly, as a decimal that ends: "0.5"; empty for an infinity
  std::string valueBinary;          // exactly, in base 2: "0.1"; empty for an infinity
  std::string error;                // stored minus entry in lowest terms; empty for an infinity
  std::string errorDecimal;         // the same as a decimal in the request's notation
  int sign = 0;                     // the sign bit
  std::uint32_t exponentField = 0;  // the biased exponent as stored
  std::int32_t exponent = 0;        // the exponent it stands for (0 for zeros, infinities)
  std::string significand;          // the significand field in hexadecimal: "0x999999999999A"
  std::string bits;                 // the whole number in hexadecimal: "0x3FB999999999999A"
};

struct Answer {
  Status status = Status::Answered;
  // What --json reports as the input: the request's entry (a view of it), or
  // nothing for a line that was not kept or an argument vector refused.
  std::optional<std::string_view> input;
  Refusal refusal;  // when not Answered

  // What the request asked for, which says what is filled in below.
  Form form = Form::Value;
  Formats asked;
  exact::Notation notation = exact::Notation::Parentheses;  // the request's
  bool mixed = false;

  Kind kind = Kind::Fraction;
  exact::Notation reading = exact::Notation::Plain;  // how the entry was written
  // Kind Fraction: the entry as the window writes it back (a plain decimal
  // without K), else its canonical decimal in the request's notation. Kind
  // Decimal: the fraction's decimal in that notation, cut or whole (a cut
  // one with its note: in English in the Detail and Json forms).
  std::string decimal;
  // The base `decimal` is written in, and its lengths below counted in.
  int base = 10;
  Terms unreduced;  // Kind Fraction: the schoolbook fraction (not in the Value form)
  Terms lowest;     // the answer in lowest terms (not for kind Decimal in the Value form)
  // The digits of the non-recurring part and of the period (Json; Decimal
  // in the Detail form); `period` nothing when it is longer than
  // exact::kMaxExpansionDigits and not counted.
  std::int64_t nonRecurring = 0;
  std::optional<mpz_class> period = mpz_class(0);
  bool cut = false;
  // Kind Rounded: the ends of the interval, as decimals (Detail, Json).
  std::string low, high;
  Workings working;
  // Request::binary: the number stored, which is then the answer.
  std::optional<BinaryFields> binary;
};

// Answers the request's entry, as plain decimal with K, decimal in any
// notation, fraction or mixed number, or (Request::rounded) rounded display:
//   "0.1666", K 1 -> 1/6        "1/7" -> 0.(142857)     "0.1(6)" -> 1/6
//   ".5", Detail  -> "0.5", 5/10, 1/2
//   "3.14159", rounded -> 355/113 in 3.141585 to 3.141595
//   "0.1(6" -> BadInput "'0.1(6': the parenthesis opened at character 4 is never closed"
// An entry that would take more memory than the request allows is refused
// (Failed) before any is taken; one that runs out of memory all the same
// throws std::bad_alloc, which the caller answers with AnswerOutOfMemory.
Answer AnswerEntry(const Request& request);

// A refusal: `sentence` already in the reader's words, `input` what --json
// reports as the input.
Answer Refused(Status status, const exact::Problem& problem, std::string sentence,
               std::optional<std::string_view> input);

// The sentence of a refusal of the library's (whose word arguments are
// translated, words::ProblemText), `quoted` first when the fault is in it:
// "'0.1(6': the parenthesis opened at character 4 is never closed".
std::string RefusalSentence(const exact::Problem& problem, std::optional<std::string_view> quoted,
                            const words::Words& words);

// The answer for an entry, or a line, whose work ran out of memory: `entry`
// is quoted, and it is the input --json reports (none for a line not kept).
Answer AnswerOutOfMemory(std::optional<std::string_view> entry, const Request& request);

}  // namespace quotalis::answer
