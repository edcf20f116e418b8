// A request: an entry as typed and how it is to be answered, filled the same
// way by every front end (the command line from its arguments and lines, the
// page from its JavaScript object) and answered by AnswerEntry
// (answer/answer.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include <quotalis/exact/binary.h>
#include <quotalis/exact/notation.h>

#include "answer/keypad.h"
#include "words/words.h"

namespace quotalis::answer {

// The default digit limit: periods (and non-recurring parts) longer than
// this are cut, and the answer says so.
inline constexpr std::int64_t kDefaultMaxDigits = 1'000'000;

// What the answer is for, so that only what it needs is made: for the
// longest entries the rest would take as much memory again.
enum class Form {
  Value,    // the answer alone: a decimal's fraction, a fraction's decimal
  Detail,   // the fields of --detail (answer/write.h)
  Json,     // every field of --json (answer/write.h)
  Working,  // the working alone, in the formats asked; the value only where
            // it may be refused (the keypad's form)
};

// The renderings of the working asked for; none, no working.
struct Formats {
  bool text = false;
  bool latex = false;
  bool mathml = false;
  bool spoken = false;  // a line of words a step, as it is read aloud
  bool Any() const { return text || latex || mathml || spoken; }
  int Count() const { return int{text} + int{latex} + int{mathml} + int{spoken}; }
};

struct Request {
  // The entry as typed; it outlives the answer, which may quote it.
  std::string_view entry;
  // K: how many trailing digits of a plain decimal recur (ReadPeriod,
  // answer/entry.h, reads it from what was typed).
  std::int32_t period = 0;
  // How answers write decimals: any notation NotationForAnswers accepts
  // (answer/notations.h); Keypad for what to type in the window.
  exact::Notation notation = exact::Notation::Parentheses;
  // Whether `notation` was chosen rather than left as the default: a chosen
  // notation writes the working's decimals too (explain::ChooseStyle), so
  // that the answer and its working read alike.
  bool notationChosen = false;
  bool mixed = false;
  // The base, 2 to 36, of the entry's digits when it is a decimal, and of
  // the expansion answered for a fraction; digits past 9 are letters, read
  // in either case and written in lower case (exact/base.h). A fraction's
  // numerator and denominator are always in base 10. A subscript at the end
  // of the entry, "0.0(0011)₂" or "0.0(0011)_2", names the entry's base too;
  // one that disagrees with a base other than 10 given here is refused.
  //   base 2: "0.0(0011)" -> 1/10   "1/5" -> 0.(0011)
  int base = 10;
  // 2 to 36: the answer is the entry's value, read in base 10 (or in its
  // subscript's base), written as an expansion in this base; 0: not asked.
  //   toBase 2: "0.1" -> 0.0(0011)   toBase 16: "0.1(6)" -> 0.2(a)
  int toBase = 0;
  // The answer is the IEEE 754 number a computer stores for the entry's
  // value (exact/binary.h): its exact value, its error and its bits; none:
  // not asked.
  //   Binary64: "0.1" -> 3602879701896397/36028797018963968, 0x3FB999999999999A
  std::optional<exact::BinaryFormat> binary;
  // The entry is a display rounded at its last digit: answer the simplest
  // fraction it may stand for (exact/rounded.h).
  bool rounded = false;
  // At most this many digits of a period and of a non-recurring part are
  // written; nothing: all of them, up to exact::kMaxExpansionDigits.
  std::optional<std::int64_t> maxDigits = kDefaultMaxDigits;
  Form form = Form::Value;
  Formats working;
  // The most memory, in bytes, that answering may take (nothing: no limit);
  // an entry that would take more is refused before any is taken. Where the
  // limit costs something to find (the command line asks the system what is
  // left), `findMemoryLimit` stands in for it: it is called only for an
  // entry that may take more than kLongWork (answer/memory.h), and a
  // smaller one is never refused.
  std::optional<std::uint64_t> memoryLimit;
  std::function<std::optional<std::uint64_t>()> findMemoryLimit;
  // Called before an entry's long work starts (one that may take more than
  // kLongWork), so that a front end passes on the answers before it first.
  std::function<void()> beforeLongWork;
  // The language of the refusals, of the working and of a cut decimal's
  // note; never of the answers themselves, --detail's fields or --json's keys.
  const words::Words* words = &words::EnglishWords();
  // The window's own reading of a keypad form (answer/keypad.h); none: the
  // exact library's form stands unchecked.
  KeypadCheck keypadCheck;
};

}  // namespace quotalis::answer
