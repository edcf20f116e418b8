"""A pupil's lines evaluated with Python's fractions, apart from the
program: every equation of a line that should be right is checked to hold,
with the unknown standing for the entry's value."""
from fractions import Fraction
import re

from exact_numbers import ascii_form, read_number

SUPERSCRIPTS = str.maketrans("⁰¹²³⁴⁵⁶⁷⁸⁹⁻", "0123456789-")
REMAINDER = re.compile(r"(\d+)\s*[÷/]\s*(\d+)\s*=\s*(\d+)\s*(?:remainder|あまり|余り)\s*(\d+)")
TOKEN = re.compile(
    r"\s*(?:(?P<mixed>\d+ +\d+/\d+)(?![\d.(])"
    r"|(?P<num>\.?\d[\d.\u0307\u0305]*(?:\(\d+\)|\[\d+\]|'\d+'|r\d+)?"
    r"(?:\.\.\.+|\u2026+|\u22ef+|(?:\u30fb){2,})?(?:e[+-]?\d+)?)"
    r"|(?P<letter>[a-z])|(?P<op>[-+*/()=^]))")


def prepare(line):
    line = ascii_form(line).strip()
    line = re.sub(r"(\d+)分の(\d+)", r"\2/\1", line)  # 6分の1 is 1/6
    line = line.replace("\u0304", "\u0305")  # a macron over a digit, as an overline
    line = re.sub(r"[\u2460-\u2473]", "|", line)
    line = re.sub(r"^-\)", "", line).strip()
    line = re.sub(r"\s\(\d+\)$", "", line)
    if line.endswith("。") or (line.endswith(".") and not line.endswith("..")):
        line = line[:-1]
    line = re.sub(r"^[A-Z][.:]\s", "|", line)
    line = re.sub("([⁻⁰¹²³⁴⁵⁶⁷⁸⁹]+)", lambda m: "^(" + m.group(1).translate(SUPERSCRIPTS) + ")",
                  line)
    line = line.replace("×", "*").replace("·", "*").replace("÷", "/")
    line = re.sub(r"[A-Za-z]{2,}", "|", line)
    line = re.sub(r"[:;,、。∴]", "|", line)
    line = re.sub(r"(?<!\.)\.(\s|$)", r"|\1", line)
    line = re.sub(r"[^\x00-\x7f\u0307\u0305\u2026\u22ef\u30fb]", "|", line)
    return line


def evaluate(side, letters):
    """A side as a Fraction; raises ValueError when it cannot be read."""
    out, pos, previous = [], 0, None
    side = side.strip()
    while pos < len(side):
        m = TOKEN.match(side, pos)
        if not m or m.end() == pos:
            raise ValueError("cannot read %r at %d" % (side, pos))
        pos = m.end()
        if m.group("mixed"):
            whole, rest = m.group("mixed").split(None, 1)
            n, d = rest.split("/")
            piece, kind = "(Fraction(%s) + Fraction(%s, %s))" % (whole, n, d), "value"
        elif m.group("num"):
            q = read_number(m.group("num"))
            if q is None:
                raise ValueError(m.group("num"))
            piece, kind = "Fraction(%d, %d)" % (q.numerator, q.denominator), "value"
        elif m.group("letter"):
            letter = m.group("letter")
            if letter not in letters:
                raise ValueError("letter " + letter)
            q = letters[letter]
            piece, kind = "Fraction(%d, %d)" % (q.numerator, q.denominator), "value"
        else:
            op = m.group("op")
            piece, kind = {"^": "**"}.get(op, op), op
        if previous in ("value", ")") and (kind == "value" or kind == "("):
            out.append("*")
        out.append(piece)
        previous = kind
    return eval("".join(out), {"Fraction": Fraction})


def check_lines(entry_value, lines):
    """The lines that do not hold, as (number, why); and the last value given."""
    faults, letters, unknown, last, answer = [], {}, None, None, None
    for number, raw in enumerate(lines, 1):
        line = prepare(raw)
        m = REMAINDER.search(ascii_form(raw))
        if m:
            a, b, q, r = map(int, m.groups())
            if a != b * q + r or not 0 <= r < b:
                faults.append((number, "remainder"))
            continue
        for segment in line.split("|"):
            if "=" not in segment:
                continue
            if unknown is None:
                found = re.search(r"(?<![a-z])[a-z](?![a-z])", segment)
                if found:
                    unknown = found.group(0)
                    letters[unknown] = entry_value
            sides = segment.split("=")
            if not sides[0].strip():
                sides[0] = None
            first = sides[0].strip() if sides[0] else ""
            if re.fullmatch(r"[a-z]", first) and first not in letters:
                letters[first] = evaluate(sides[1], letters)
            try:
                values = [last if s is None else evaluate(s, letters) for s in sides]
            except (ValueError, SyntaxError, ZeroDivisionError) as e:
                faults.append((number, str(e)))
                continue
            if any(v != values[0] for v in values):
                faults.append((number, "%s: %s" % (segment, values)))
            last = values[-1]
            answer = values[-1]
    return faults
