#!/usr/bin/env python3
"""Writes the schoolbook part of tests/check/corpus.txt: for each entry,
right workings in every notation, English and Japanese words and full
width, and wrong ones with each slip at a known line. The expectations come
from the templates, worked with Python's fractions; the hand-written
workings after them in corpus.txt are kept as they stand.
    tests/check/make_corpus.py > tests/check/corpus.txt (then append the hand-written part)"""
from fractions import Fraction
from math import gcd

from exact_numbers import digits_of, full_width, write

ENTRIES = ["0.1(6)", "0.2(3)", "0.4(16)", "1.3(8)", "0.58(3)", "2.3(45)", "0.0(36)",
           "0.8(3)", "0.41(6)", "0.3(42)", "0.12(3)", "3.1(4)"]


def parse(entry):
    head, period = entry[:-1].split("(")
    whole, fixed = head.split(".")
    return whole, fixed, period


def fraction_text(q):
    return str(q.numerator) if q.denominator == 1 else "%d/%d" % (q.numerator, q.denominator)


def mixed_text(q):
    w, r = divmod(q.numerator, q.denominator)
    return "%d %d/%d" % (w, r, q.denominator) if r and w else fraction_text(q)


def workings(entry):
    whole, fixed, period = parse(entry)
    m, p = len(fixed), len(period)
    v = Fraction(int(whole + fixed + period) - int(whole + fixed), (10 ** p - 1) * 10 ** m)
    hi, lo = 10 ** (m + p), 10 ** m
    c = hi - lo
    n = int(whole + fixed + period) - int(whole + fixed)
    d = c
    lowest = fraction_text(v)
    final = mixed_text(v) if v > 1 else lowest
    X = lambda k: "" if k == 1 else str(k)

    def dec(q, notation="parens"):
        return write(q, notation)

    rows = []
    right = lambda lines, note="": rows.append((entry, True, None, None, lines, note))
    wrong = lambda at, slip, lines: rows.append((entry, False, at, slip, lines, ""))

    # Right ones.
    for notation in ["parens", "brackets", "quotes", "r", "dots", "overline", "ellipsis",
                     "ellipsis-char"]:
        right(["Let x = " + dec(v, notation),
               "%sx = %s" % (X(hi), dec(hi * v, notation)),
               "%sx = %s" % (X(lo), dec(lo * v, notation)),
               "Subtract: %dx = %d" % (c, n),
               "So x = %d/%d = %s." % (n, d, lowest)], notation)
    right(["x = %s とおく。" % dec(v), "両辺を %d 倍すると %sx = %s ①" % (hi, X(hi), dec(hi * v)),
           "%sx = %s ②" % (X(lo), dec(lo * v)), "① − ② より", "%dx = %d" % (c, n),
           "x = %d/%d" % (n, d), "  = %s" % lowest, "答え %s" % final], "japanese")
    right([full_width("x=") + full_width(dec(v)) + "とおく",
           full_width("%sx=%s" % (X(hi), dec(hi * v))),
           full_width("%sx=%s" % (X(lo), dec(lo * v))),
           "よって" + full_width("%dx=%d" % (c, n)),
           "ゆえに" + full_width("x=%d/%d=%s" % (n, d, lowest)) + "。"], "full width")
    right(["%sx = %s" % (X(hi), dec(hi * v)), "−) %sx = %s" % (X(lo), dec(lo * v)),
           "%dx = %d" % (c, n), "∴ x = %s" % lowest], "take-away line")
    right(["x = %s" % dec(v), "10^%d x - %sx = %s - %s" % (m + p, X(lo), dec(hi * v), dec(lo * v)),
           "(%d - %d)x = %d" % (hi, lo, n), "x = %d ÷ %d" % (n, d), "A. %s" % final], "powers")
    right(["x = %d/%d = %s" % (n, d, lowest)], "formula")
    if v > 1:
        right(["x = %s" % dec(v), "x = %d/%d = %s = %s" % (n, d, lowest, mixed_text(v))], "mixed")

    # Wrong ones, each slip at a known line.
    school_d = (10 ** p - 1) * 10 ** m
    if m > 0:
        nines = 10 ** (m + p) - 1
        wrong(2, "whole-as-period", ["x = " + dec(v), "x = %d/%d" % (
            int(whole) * nines + int(fixed + period), nines)])
        wrong(1, "non-recurring-dropped", ["x = %d/%d" % (
            int(whole) * (10 ** p - 1) + int(period), 10 ** p - 1)])
        if int(whole + fixed):
            wrong(1, "not-subtracted", ["x = %d/%d" % (int(whole + fixed + period), school_d)])
        # 100x - x lines up only when the period starts right after the point.
        mis = hi * v - v
        if mis.denominator != 1:
            wrong(4, "periods-not-aligned",
                  ["x = " + dec(v), "%sx = %s" % (X(hi), dec(hi * v)),
                   "%sx - x = %s" % (X(hi), dec(mis)), "%dx = %d" % (hi - 1, int(mis))])
    wrong(1, "nines-and-zeros", ["x = %d/%d" % (n, (10 ** (p + 1) - 1) * 10 ** m)])
    wrong(2, "nines-and-zeros", ["x = " + dec(v), "x = %d/%d" % (n, (10 ** p - 1) * 10 ** (m + 1))])
    shown = whole + "." + fixed + period * 3
    q = Fraction(int(whole + fixed + period * 3), 10 ** (m + 3 * p))
    wrong(1, "read-as-terminating", ["x = %s = %s" % (shown, fraction_text(q))])
    wrong(2, "read-as-terminating", ["x = " + dec(v), "x = %d/%d" % (int(whole + fixed + period), 10 ** (m + p))])
    wrong(3, "subtraction", ["%sx = %s" % (X(hi), dec(hi * v)), "%sx = %s" % (X(lo), dec(lo * v)),
                             "%sx - %sx = %dx" % (X(hi), X(lo), c - 10)])
    wrong(3, "subtraction", ["%sx = %s" % (X(hi), dec(hi * v)), "%sx = %s" % (X(lo), dec(lo * v)),
                             "%dx = %s - %s = %s" % (c, dec(hi * v), dec(lo * v), dec(n + Fraction(2, 3)))])
    wrong(4, "subtraction", ["x = " + dec(v), "%sx = %s" % (X(hi), dec(hi * v)),
                             "%sx = %s" % (X(lo), dec(lo * v)), "%dx = %d" % (c + 1, n)])
    g = gcd(n, d)
    if g > 1:
        # The right common factor's first prime, then a different factor for each term.
        prime = next(k for k in range(2, g + 1) if g % k == 0)
        a, b = n // prime, d // prime
        pairs = [(s, t) for s in range(1, a + 1) if a % s == 0 for t in range(1, b + 1)
                 if b % t == 0 and s != t and Fraction(a // s, b // t) != v]
        if pairs:
            s, t = pairs[0]
            wrong(1, "reduction", ["x = %d/%d = %d/%d = %d/%d" % (n, d, a, b, a // s, b // t)])
        wrong(None, "not-lowest", ["x = " + dec(v), "%dx = %d" % (c, n), "x = %d/%d" % (n, d)])
    wrong(2, "sign", ["x = " + dec(v), "x = -%s" % lowest])
    if v > 1:
        w, r = divmod(v.numerator, v.denominator)
        wrong(2, "mixed-number", ["x = %s" % lowest, "  = %d %d/%d" % (w + 1, r, v.denominator)])
    wrong(3, "other", ["x = " + dec(v), "%dx = %d" % (c, n), "%d = %d × %d" % (d, 7, d // 7 + 1)])
    # Right answers reached through a wrong line: the slip cancels out.
    wrong(3, "subtraction", ["%sx = %s" % (X(hi), dec(hi * v)), "%sx = %s" % (X(lo), dec(lo * v)),
                             "%sx - %sx = %dx" % (X(hi), X(lo), c + 1), "x = %s" % lowest])
    return rows


def main():
    print("# Pupils' workings and what the check must say of them.")
    print("# == ENTRY | right or wrong | the first wrong line or - | the slip or -")
    print("# then the working, one step a line, up to the next ==.")
    for entry in ENTRIES:
        for e, ok, at, slip, lines, _ in workings(entry):
            print("== %s | %s | %s | %s" % (e, "right" if ok else "wrong",
                                           "-" if at is None else at, slip or "-"))
            for line in lines:
                print(line)


if __name__ == "__main__":
    main()
