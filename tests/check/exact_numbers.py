"""Exact decimals for the check's tests, independent of the program: a
recurring decimal written in each notation, and read back, with Python's
fractions."""
from fractions import Fraction
import re
import unicodedata

DOT, OVERLINE = "\u0307", "\u0305"


def digits_of(q):
    """(negative, integer, non-recurring, period) of a fraction, canonical."""
    negative = q < 0
    q = abs(q)
    whole, rest = divmod(q.numerator, q.denominator)
    d = q.denominator
    seen, out, r = {}, [], rest
    while r and r not in seen:
        seen[r] = len(out)
        r *= 10
        out.append(str(r // d))
        r %= d
    if not r:
        return negative, str(whole), "".join(out), ""
    start = seen[r]
    return negative, str(whole), "".join(out[:start]), "".join(out[start:])


def write(q, notation="parens"):
    negative, whole, fixed, period = digits_of(q)
    sign = "-" if negative else ""
    if not period:
        return sign + whole + ("." + fixed if fixed else "")
    head = sign + whole + "." + fixed
    if notation == "parens":
        return head + "(" + period + ")"
    if notation == "brackets":
        return head + "[" + period + "]"
    if notation == "quotes":
        return head + "'" + period + "'"
    if notation == "r":
        return head + "r" + period
    if notation == "dots":
        if len(period) == 1:
            return head + period + DOT
        return head + period[0] + DOT + period[1:-1] + period[-1] + DOT
    if notation == "overline":
        return head + "".join(c + OVERLINE for c in period)
    if notation == "ellipsis":
        return head + period * (3 if len(period) == 1 else 2) + "..."
    if notation == "ellipsis-char":
        return head + period * (3 if len(period) == 1 else 2) + "\u2026"
    raise ValueError(notation)


def value(whole, fixed, period, exponent=0):
    whole = whole or "0"
    if period:
        n = int(whole + fixed + period) - int(whole + fixed)
        d = (10 ** len(period) - 1) * 10 ** len(fixed)
    else:
        n, d = int(whole + fixed), 10 ** len(fixed)
    return Fraction(n, d) * Fraction(10) ** exponent


def ascii_form(text):
    """Full-width forms as ASCII, U+2212 as '-'."""
    out = []
    for c in text:
        if "\uff01" <= c <= "\uff5e":
            c = chr(ord(c) - 0xFEE0)
        elif c == "\u2212":
            c = "-"
        elif c == "\u3000":
            c = " "
        out.append(c)
    return "".join(out)


NUMBER = re.compile(
    r"(\d*)(?:\.(\d*))?"
    r"(?:\((\d+)\)|\[(\d+)\]|'(\d+)'|r(\d+))?"
    r"((?:\.\.\.+|\u2026+|\u22ef+|(?:\u30fb){2,}))?"
    r"(?:[eE]([+-]?\d+))?")


def read_number(text):
    """A decimal in any notation the tests write, as a Fraction; None when it is not one."""
    text = ascii_form(text).strip()
    negative = text.startswith("-")
    text = text.lstrip("+-")
    # Dots and overlines: the marked digits recur.
    if DOT in text or OVERLINE in text:
        plain, marks = "", []
        for c in text:
            if c in (DOT, OVERLINE):
                marks.append((len(plain) - 1, c))
            else:
                plain += c
        where = [i for i, _ in marks]
        first, last = min(where), max(where)
        if marks[0][1] == DOT and len(where) == 1:
            first = last
        whole, _, after = plain.partition(".")
        start = first - len(whole) - 1
        end = last - len(whole) - 1
        q = value(whole, after[:start], after[start:end + 1])
        return -q if negative else q
    m = NUMBER.fullmatch(text)
    if not m or not (m.group(1) or m.group(2)):
        return None
    whole, fixed = m.group(1), m.group(2) or ""
    period = next((g for g in m.group(3, 4, 5, 6) if g), "")
    exponent = int(m.group(8) or 0)
    if m.group(7):
        # The ellipsis: the shortest block of two or more digits shown twice
        # at the end, else one digit shown twice.
        found = None
        for size in range(2, len(fixed) // 2 + 1):
            if fixed[-size:] == fixed[-2 * size:-size]:
                found = size
                break
        if found is None:
            found = 1
        period = fixed[-found:]
        fixed = fixed[:-found]
    q = value(whole, fixed, period, exponent)
    return -q if negative else q


def read_entry(text):
    """An entry: a decimal, a fraction or a mixed number."""
    text = ascii_form(text).strip()
    m = re.fullmatch(r"(-?)(?:(\d+) )?(\d+)\s*[/\u00f7]\s*(\d+)", text)
    if m:
        q = int(m.group(2) or 0) + Fraction(int(m.group(3)), int(m.group(4)))
        return -q if m.group(1) else q
    return read_number(text)


def full_width(text):
    return "".join(chr(ord(c) + 0xFEE0) if "!" <= c <= "~" else c for c in text)
