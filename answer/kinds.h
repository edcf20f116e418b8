// Internal to the answer library: the three kinds of answer, each from an
// entry read and its memory checked (answer.cpp), and what they share.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string_view>
#include <utility>

#include <quotalis/exact/decimal.h>

#include "answer/answer.h"
#include "answer/entry.h"
#include "explain/render.h"

namespace quotalis::answer {

Answer DecimalToFraction(const Request& request, Entry entry);
Answer FractionToDecimal(const Request& request, Entry entry);
Answer RoundedToFraction(const Request& request);
// An entry or an answer in another base than 10 (Request::base, toBase, or
// a subscript on the entry), in answer/base.cpp.
bool AsksForBase(const Request& request);
Answer BaseAnswer(const Request& request);

// An answer begun: what the request asked, the input and how it was read.
Answer Begun(const Request& request, Kind kind, exact::Notation reading);

// The refusal of the request's entry for a problem of the library's.
Answer Refuse(const Request& request, Status status, const exact::Problem& problem);

// A number held for writing; `n` is left empty.
Number Hold(mpz_class& n);

// Gives back at once what `value` holds. (Assigning it an empty value would
// not: a string moved from a short one keeps its long buffer.)
template <class T>
void Release(T& value) {
  const T gone = std::move(value);
}

// The style of the working for an entry read in `reading`.
explain::Style WorkingStyle(const Request& request, exact::Notation reading);

// The steps in every format the request asks.
Workings Rendered(const explain::Steps& steps, const Request& request, const explain::Style& style);

}  // namespace quotalis::answer
