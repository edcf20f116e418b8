#!/usr/bin/env python3
"""quotalis-cli --double and --float against an exact reference of this
script's own, in Python's fractions: the nearest binary64 and binary32
(ties to even, subnormals, overflow), their bits, value and error, on seeded
decimals in several notations, halfway points, subnormals, the largest
finite values and beyond. For binary64 Python's own float() (correctly
rounded) is checked too, through struct.

    tests/binary_check.py QUOTALIS_CLI
"""
import json
import random
import struct
import subprocess
import sys
from fractions import Fraction

FORMATS = {
    "--double": (53, -1022, 1023, 11),
    "--float": (24, -126, 127, 8),
}


def nearest(x, precision, emin, emax, exponent_bits):
    """The bits, class and exact value of the binary number nearest to x."""
    sign = 1 if x < 0 else 0
    a = abs(x)
    width = precision - 1 + exponent_bits  # the sign bit
    infinity = (sign << width) | (((1 << exponent_bits) - 1) << (precision - 1))
    if a == 0:
        return sign << width, "zero", Fraction(0)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** e > a:
        e -= 1
    if e > emax:
        return infinity, "infinity", None
    e = max(e, emin)
    scaled = a * Fraction(2) ** (precision - 1 - e)
    m = scaled.numerator // scaled.denominator
    rest = scaled - m
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and m % 2 == 1):
        m += 1
    if m == 1 << precision:
        m >>= 1
        e += 1
        if e > emax:
            return infinity, "infinity", None
    value = Fraction(m) * Fraction(2) ** (e - precision + 1)
    if sign:
        value = -value
    if m == 0:
        return sign << width, "zero", Fraction(0)
    if m < 1 << (precision - 1):
        return (sign << width) | m, "subnormal", value
    field = e + emax
    bits = (sign << width) | (field << (precision - 1)) | (m - (1 << (precision - 1)))
    return bits, "normal", value


def entries(rng):
    """Seeded decimals: plain, with exponents, recurring, fractions, and the edges."""
    out = ["0.1", "0.2", "0.3", "-0.1", "1", "0.5", "1e23", "9007199254740993",
           "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
           "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308",
           "1e309", "-1e309", "3.4028234663852886e38", "3.4028235677973366e38", "3.5e38",
           "1.4e-45", "7.006492321624085e-46", "1e-50", "0.(3)", "1/3", "-2/7", "0.1(6)",
           "1.2(34)e-5", "16777217", "0.000001"]
    for _ in range(600):
        digits = str(rng.randrange(1, 10 ** rng.randrange(1, 20)))
        out.append(f"{digits}e{rng.randrange(-340, 320)}")
    for _ in range(150):
        out.append(f"{rng.randrange(1, 10**6)}/{rng.randrange(1, 10**6)}")
    # Halfway between neighbouring doubles and floats, written out exactly.
    for precision, emin, emax, exponent_bits in FORMATS.values():
        for _ in range(150):
            e = rng.randrange(emin - precision + 1, emax - precision + 1)
            m = rng.randrange(1 << (precision - 1), 1 << precision)
            half = (Fraction(2 * m + 1) * Fraction(2) ** (e - 1))
            den = half.denominator
            twos = den.bit_length() - 1
            out.append(f"{half.numerator * 5 ** twos}e-{twos}" if twos else str(half.numerator))
    return out


def value_of(entry):
    if "/" in entry:
        return Fraction(entry)
    if "(" in entry:
        # a(b)eK: the schoolbook rule.
        body, _, exponent = entry.partition("e")
        head, _, period = body.partition("(")
        period = period.rstrip(")")
        whole, _, fixed = head.partition(".")
        value = Fraction(whole + fixed) / 10 ** len(fixed)
        value += Fraction(int(period), (10 ** len(period) - 1) * 10 ** len(fixed))
        return value * Fraction(10) ** int(exponent or 0)
    return Fraction(entry)


def main():
    cli = sys.argv[1]
    rng = random.Random(20261210)
    lines = entries(rng)
    failures = 0
    for option, layout in FORMATS.items():
        run = subprocess.run([cli, option, "--json", "--max-digits", "all"],
                             input="\n".join(lines) + "\n", capture_output=True, text=True,
                             check=False)
        answers = run.stdout.splitlines()
        if run.returncode != 0 or len(answers) != len(lines):
            print(f"FAIL {option}: status {run.returncode}, {len(answers)} answers for "
                  f"{len(lines)} lines: {run.stderr[:300]}")
            return 1
        for entry, line in zip(lines, answers):
            got = json.loads(line)
            x = value_of(entry)
            bits, kind, value = nearest(x, *layout)
            width = 16 if option == "--double" else 8
            want = {"bits": f"0x{bits:0{width}X}", "class": kind}
            if value is not None:
                want["stored"] = "0" if value == 0 else f"{value.numerator}/{value.denominator}"
                error = value - x
                want["storedError"] = f"{error.numerator}/{error.denominator}"
            else:
                want["stored"] = "-infinity" if x < 0 else "infinity"
            if option == "--double" and "/" not in entry and "(" not in entry:
                machine = struct.unpack("<Q", struct.pack("<d", float(entry)))[0]
                if machine != bits:
                    print(f"FAIL reference disagrees with float() on {entry}")
                    failures += 1
            for key, wanted in want.items():
                if got.get(key) != wanted:
                    failures += 1
                    if failures < 20:
                        print(f"FAIL {option} {entry}: {key} {got.get(key)!r}, want {wanted!r}")
    if failures:
        print(f"{failures} checks failed")
        return 1
    print(f"--double and --float agree on {len(lines)} entries each")
    return 0


if __name__ == "__main__":
    sys.exit(main())
