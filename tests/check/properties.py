#!/usr/bin/env python3
"""Property checks of quotalis-cli --check and --mark over seeded entries:
  - the program's own --explain working, typed back as a pupil's, is right
    in both languages, every line right or words;
  - the same working with one number of a right line changed is wrong at
    that line;
  - --mark on 10,000 seeded answer lines, right and wrong by each slip,
    marks each as it was made and gives the tally they were made with.
    properties.py QUOTALIS_CLI"""
import collections
import json
import os
import random
import re
import subprocess
import sys
from fractions import Fraction

from exact_numbers import digits_of, value, write

RNG = random.Random(20261210)


def run(cli, args, text, language="en"):
    env = dict(os.environ, LANGUAGE=language, LC_ALL="C.UTF-8")
    return subprocess.run([cli] + args, input=text.encode(), capture_output=True, env=env)


def seeded_decimal():
    """A recurring decimal in canonical form, and its value."""
    while True:
        whole = str(RNG.randint(0, 30))
        fixed = "".join(RNG.choice("0123456789") for _ in range(RNG.randint(0, 3)))
        period = "".join(RNG.choice("0123456789") for _ in range(RNG.randint(1, 3)))
        q = value(whole, fixed, period)
        negative, w, f, p = digits_of(q)
        if p and len(f) == len(fixed) and len(p) == len(period):
            return write(q), q, (w, f, p)


def seeded_entries(count):
    entries = []
    for i in range(count):
        kind = i % 6
        if kind < 3:
            entries.append(seeded_decimal()[0])
        elif kind == 3:
            d = RNG.randint(2, 40)
            entries.append("%d/%d" % (RNG.randint(1, 3 * d), d))
        elif kind == 4:
            d = RNG.randint(2, 12)
            entries.append("%d %d/%d" % (RNG.randint(1, 9), RNG.randint(1, d - 1), d))
        else:
            text, q, _ = seeded_decimal()
            entries.append("-" + text if q else text)
    entries += ["1.2(3)e-5", "-2.5e-1", "0.(9)", "1.25", "7", "0.1666...", "0.1\u030742857\u0307"]
    return entries


LABEL = re.compile(r"\s\(\d+\)\s*$")


def changed(line):
    """The line with the last digit of its last number changed, or None."""
    body = LABEL.sub("", line)
    found = [m for m in re.finditer(r"[0-9]", body)]
    if not found:
        return None
    at = found[-1].start()
    digit = int(body[at])
    new = str(digit + 1 if digit < 9 else digit - 1)
    return line[:at] + new + line[at + 1:]


def explain_properties(cli, failures):
    checked = mutated = 0
    for entry in seeded_entries(120):
        for language in ("en", "ja"):
            working = run(cli, ["--explain", entry], "", language).stdout.decode()
            got = json.loads(run(cli, ["--check", entry, "--json"], working, language).stdout)
            checked += 1
            if not got["correct"]:
                failures.append("%s (%s): its own working is not right: %s" % (entry, language, got))
                continue
            lines = working.split("\n")
            if lines and lines[-1] == "":
                lines.pop()
            for number, line in enumerate(got["lines"], 1):
                if line["verdict"] != "right":
                    continue
                other = changed(lines[number - 1])
                if other is None:
                    continue
                typed = "".join(l + "\n" for l in lines[:number - 1] + [other] + lines[number:])
                after = json.loads(run(cli, ["--check", entry, "--json"], typed, language).stdout)
                mutated += 1
                # (a changed ellipsis may no longer read: unreadable, at that line too)
                if after["firstWrong"] != number or after["lines"][number - 1]["verdict"] not in (
                        "wrong", "unreadable"):
                    failures.append("%s (%s): %r changed to %r is not wrong at line %d: %s"
                                    % (entry, language, line["text"], other, number,
                                       after["firstWrong"]))
    return checked, mutated


def answers_of(text, q, digits):
    """The wrong answers of each slip for a decimal whose canonical digits
    are `digits`, worked from the schoolbook rule alone."""
    w, f, p = digits
    m, n = len(f), len(p)
    num = int(w + f + p) - int(w + f)
    den = (10 ** n - 1) * 10 ** m
    out = {}
    if m:
        out["whole-as-period"] = int(w) + Fraction(int(f + p), 10 ** (m + n) - 1)
        out["non-recurring-dropped"] = int(w) + Fraction(int(p), 10 ** n - 1)
        if int(w + f):
            out["not-subtracted"] = Fraction(int(w + f + p), den)
    out["nines-and-zeros"] = Fraction(num, (10 ** (n + 1) - 1) * 10 ** m)
    out["read-as-terminating"] = Fraction(int(w + f + p * 3), 10 ** (m + 3 * n))
    out["sign"] = -q
    # Numerator and denominator divided by different numbers.
    divisors = lambda k: [s for s in range(2, min(k, 200) + 1) if k % s == 0]
    for s in divisors(num)[:3]:
        for t in divisors(den)[:3]:
            if s != t and Fraction(num // s, den // t) != q:
                out["reduction"] = Fraction(num // s, den // t)
                break
        if "reduction" in out:
            break
    # A value no slip makes: its terms divide neither of the schoolbook's.
    other = q + Fraction(1, 7)
    if num % other.numerator and den % other.denominator:
        out["other"] = other
    return out, num, den


def fraction_text(q):
    return str(q.numerator) if q.denominator == 1 else "%d/%d" % (q.numerator, q.denominator)


def mark_property(cli, failures):
    lines, expected, tally = [], [], collections.Counter()
    rows = 0
    while rows < 10000:
        if rows % 10 == 9:
            # A fraction's answer is its decimal: a mixed number read wrongly.
            d = RNG.randint(2, 9)
            whole, n = RNG.randint(1, 9), RNG.randint(1, d - 1)
            entry = "%d %d/%d" % (whole, n, d)
            q = whole + Fraction(n, d)
            if RNG.random() < 0.5:
                answer, slip = write(q), None
            else:
                answer, slip = write(Fraction(int("%d%d" % (whole, n)), d)), "mixed-number"
        else:
            entry, q, digits = seeded_decimal()
            wrong, num, den = answers_of(entry, q, digits)
            choice = RNG.randrange(len(wrong) + 3)
            if choice == 0:
                answer, slip = fraction_text(q), None
            elif choice == 1:
                w, r = divmod(q.numerator, q.denominator)
                answer, slip = ("%d %d/%d" % (w, r, q.denominator) if w and r else fraction_text(q)), None
            elif choice == 2:
                g = Fraction(num, den)
                if (num, den) == (g.numerator, g.denominator):
                    continue
                answer, slip = "%d/%d" % (num, den), "not-lowest"
            else:
                slip = sorted(wrong)[choice - 3]
                a = wrong[slip]
                # Only a value that no other slip makes names its slip alone.
                if a == q or any(b == a for s, b in wrong.items() if s != slip):
                    continue
                answer = fraction_text(a)
        form = rows % 4
        if form == 0:
            line = "%s = %s" % (entry, answer)
        elif form == 1:
            line = "%s\t%s" % (entry, answer)
        elif form == 2:
            line = "pupil %d,%s,%s" % (rows, entry, answer)
        else:
            line = '"%s","%s"' % (entry, answer)
        lines.append(line)
        expected.append(slip)
        tally[slip or "right"] += 1
        rows += 1
    text = "name,question,answer\n" + "\n".join(lines) + "\n"
    got = run(cli, ["--mark", "--json"], text)
    objects = [json.loads(l) for l in got.stdout.decode().splitlines()]
    marks, total = objects[:-1], objects[-1]
    if len(marks) != len(expected):
        failures.append("--mark gave %d lines for %d" % (len(marks), len(expected)))
        return
    for line, mark, slip in zip(lines, marks, expected):
        if mark["slip"] != slip or mark["correct"] != (slip is None):
            failures.append("--mark %r: %s, %s; made as %s" % (line, mark["correct"], mark["slip"], slip))
    made = {s: c for s, c in tally.items() if s != "right"}
    if total != {"right": tally["right"], "wrong": sum(made.values()), "refused": 0,
                 "slips": dict(sorted(made.items()))}:
        failures.append("--mark tally %s, made with %s" % (total, dict(tally)))
    return tally


def main():
    cli = sys.argv[1]
    failures = []
    checked, mutated = explain_properties(cli, failures)
    tally = mark_property(cli, failures)
    for failure in failures[:50]:
        print(failure)
    print("%d workings typed back, %d changed by one number; --mark: %s"
          % (checked, mutated, dict(sorted((tally or {}).items()))))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
