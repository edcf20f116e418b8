// The canonical form of a decimal, by operations on its digit strings.
#pragma once

#include <quotalis/exact/decimal.h>

namespace quotalis::exact {

// The same value in canonical form (see Decimal): exponent 0, the integer part
// without leading zeros ("0" when zero), the shortest non-recurring part, then
// the shortest period, no period of nines, no sign on zero. Time and memory are
// linear in the digits of `d` and of the result.
//   0.(9)     -> 1              0.4(9)    -> 0.5            0.1(66)  -> 0.1(6)
//   0.16(6)   -> 0.1(6)         0.(1212)  -> 0.(12)         1.(0)    -> 1
//   1.2(3)e-5 -> 0.000012(3)    0.(123)e1 -> 1.(231)        12e2     -> 1200
//   007.500   -> 7.5            -0.0      -> 0              .5       -> 0.5
//   9.(9)     -> 10             0.0(01)e1 -> 0.(01)         0e999999999 -> 0
// Refused when the numerator or denominator of the result's unreduced fraction
// (see ToFraction) would pass kMaxTermDigits, counted exactly, position 0:
// 0.(1) with 10,000,000 ones is 1...1/9...9 and is accepted, 1e9999999 too,
// 1e10000000 is not; zero never is. An exponent that alone
// makes a term too long is refused before any memory is taken; otherwise the
// work and the memory stay within a small multiple of the digits of `d`:
//   1e999999999  -> {TooLarge, "the numerator would have more than 10,000,000 digits", 0}
//   1e-999999999 -> {TooLarge, "the denominator would have more than 10,000,000 digits", 0}
// and a digit string holding anything but the digits 0 to 9:
//   {false, "1x", "", "", 0} -> {Argument, "the integer part holds a character that is
//                                 not a digit", 0}   (one line)
Result<Decimal> Canonical(const Decimal& d);

}  // namespace quotalis::exact
