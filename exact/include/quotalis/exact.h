// The exact library in one include: recurring decimals and fractions of any
// length, exactly.
//
//   Read(text)           a number in any common notation, or a fraction    exact/read.h
//   FromKeypad(entry, K) a plain decimal whose last K digits recur          exact/keypad.h
//   Canonical(decimal)   the shortest way to write the same value           exact/canonical.h
//   ToFraction(decimal)  decimal to fraction, unreduced and in lowest terms exact/fraction.h
//   FromText(fraction)   a fraction or mixed number as read, in lowest terms
//   ToDecimal(rational)  fraction to its recurring decimal                  exact/expansion.h
//   PeriodLength(d)      how many digits recur in n/d
//   ReadSmall, ToWordFraction, WriteWordFraction: the same for small
//                        decimals in machine words                    exact/word.h
//   Write(decimal, how)  a decimal in any notation                          exact/write.h
//   ReadInBase, FromBase, ToBase, PeriodLengthInBase, WriteInBase: the same
//                        in any base from 2 to 36                     exact/base.h
//   NearestBinary(value, format) the double or float stored for a value   exact/binary.h
//   ExplainDecimal, ExplainFraction: the working of both ways, as data      exact/working.h
//   FromRounded(decimal) a rounded display's simplest fraction, in the
//                        half-open interval rounding half up gives        exact/rounded.h
//   Simplest(a, b[, ends]) the simplest fraction between two values, each
//                        end in the range or not (Ends)
//   Grouped(n), AsciiText(text): counts as messages write them, full-width
//                        input in ASCII                               exact/text.h
//   ThrowWhenMemoryRunsOut()  GMP's exhausted memory as std::bad_alloc      exact/memory.h
//
// Every function that can fail returns Result<T>, a T or a Problem with its
// kind, message and position (exact/decimal.h), never an exception; running
// out of memory is the one failure not reported this way.
#pragma once

#include <quotalis/exact/base.h>
#include <quotalis/exact/binary.h>
#include <quotalis/exact/canonical.h>
#include <quotalis/exact/decimal.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/fraction.h>
#include <quotalis/exact/keypad.h>
#include <quotalis/exact/memory.h>
#include <quotalis/exact/notation.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/rounded.h>
#include <quotalis/exact/text.h>
#include <quotalis/exact/utf8.h>
#include <quotalis/exact/version.h>
#include <quotalis/exact/word.h>
#include <quotalis/exact/working.h>
#include <quotalis/exact/write.h>
