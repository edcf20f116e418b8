#!/usr/bin/env python3
"""Exercise sheets of quotalis-cli --sheet, checked with the test's own
arithmetic (Python's fractions and a long division of its own):
  - the same seed, kinds, count and difficulty give the same bytes; another
    seed another sheet;
  - every answer and fraction of --json is exact for its question, and of
    the form its kind asks; every kind asked appears, shared out evenly; no
    question twice; no trivial one; each keeps to its difficulty;
  - the LaTeX sheet holds every question and answer, dotted;
  - refusals name what is wrong, in English and Japanese, exit status 2.
    sheet_check.py QUOTALIS_CLI"""
import json
import os
import re
import subprocess
import sys
from fractions import Fraction

KINDS = ["pure", "pre-period", "whole", "to-decimal", "mixed-number", "rounded"]
# difficulty: (most period digits of a decimal, most digits before it,
#              largest denominator, most period digits of a fraction)
LIMITS = {1: (2, 1, 20, 2), 2: (3, 2, 50, 6), 3: (6, 3, 99, 16)}
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message, file=sys.stderr)


def run(cli, args, language="en"):
    env = dict(os.environ, LANGUAGE=language, LC_ALL="C.UTF-8")
    return subprocess.run([cli] + args, capture_output=True, env=env)


def recurring_value(text):
    """W.F(P) as a Fraction, and its parts."""
    m = re.fullmatch(r"(\d+)\.(\d*)\((\d+)\)", text)
    if not m:
        return None
    whole, fixed, period = m.groups()
    head = Fraction(int(whole + fixed), 10 ** len(fixed))
    return head + Fraction(int(period), (10 ** len(period) - 1) * 10 ** len(fixed)), m.groups()


def decimal_of(q):
    """The recurring decimal of a Fraction 0 < q, by long division: W.F(P)."""
    whole, rest = divmod(q.numerator, q.denominator)
    seen, digits = {}, []
    while rest and rest not in seen:
        seen[rest] = len(digits)
        rest *= 10
        digits.append(str(rest // q.denominator))
        rest %= q.denominator
    if not rest:
        return None  # it ends
    start = seen[rest]
    return "%d.%s(%s)" % (whole, "".join(digits[:start]), "".join(digits[start:]))


def fraction_text(text):
    m = re.fullmatch(r"(?:(\d+) )?(\d+)/(\d+)", text)
    if not m:
        return None
    whole, n, d = m.groups()
    return Fraction(int(whole or 0) * int(d) + int(n), int(d))


def rounds_to(q, display):
    """Whether q rounded half up at the display's last digit shows as it."""
    places = len(display.split(".")[1])
    scaled = q * 10 ** places
    shown = scaled.numerator // scaled.denominator
    if 2 * (scaled - shown) >= 1:
        shown += 1
    return Fraction(shown, 10 ** places) == Fraction(display)


def simplest_for(display):
    """The fraction of smallest denominator, then numerator, that rounds to the display."""
    places = len(display.split(".")[1])
    low = Fraction(display) - Fraction(1, 2 * 10 ** places)
    high = Fraction(display) + Fraction(1, 2 * 10 ** places)
    d = 1
    while True:
        n = -((-low.numerator * d) // low.denominator)  # ceil(low * d)
        if Fraction(n, d) < high:
            return Fraction(n, d)
        d += 1


def check_exercise(e, difficulty):
    kind, question, answer = e["kind"], e["question"], e["answer"]
    fraction = fraction_text(e["fraction"])
    where = "%s (%s %s)" % (question, kind, difficulty)
    if fraction is None or "/" not in e["fraction"] or " " in e["fraction"]:
        return fail("%s: fraction %r is not N/D" % (where, e["fraction"]))
    if fraction.denominator != int(e["fraction"].split("/")[1]):
        return fail("%s: fraction %s is not in lowest terms" % (where, e["fraction"]))
    most_period, most_before, largest, most_fraction_period = LIMITS[difficulty]
    if kind in ("pure", "pre-period", "whole", "mixed-number"):
        read = recurring_value(question)
        if read is None:
            return fail("%s: not a recurring decimal" % where)
        q, (whole, fixed, period) = read
        if decimal_of(q) != question:
            fail("%s: not the canonical form of %s" % (where, q))
        if set(period) <= {"0"} or set(period) <= {"9"}:
            fail("%s: a trivial period" % where)
        if len(period) > most_period or len(fixed) > most_before:
            fail("%s: longer than its difficulty allows" % where)
        if kind == "pure" and (whole != "0" or fixed):
            fail("%s: not pure" % where)
        if kind == "pre-period" and (whole != "0" or not fixed):
            fail("%s: no digits before the period" % where)
        if kind in ("whole", "mixed-number") and whole == "0":
            fail("%s: no whole part" % where)
        if q != fraction:
            fail("%s: fraction %s, not %s" % (where, e["fraction"], q))
        if kind == "mixed-number":
            w, rest = divmod(q.numerator, q.denominator)
            want = "%d %d/%d" % (w, rest, q.denominator)
        else:
            want = "%d/%d" % (q.numerator, q.denominator)
        if answer != want:
            fail("%s: answers %s, not %s" % (where, answer, want))
    elif kind == "to-decimal":
        q = fraction_text(question)
        if q is None or q != fraction or not 0 < q < 1:
            return fail("%s: not a proper fraction of value %s" % (where, e["fraction"]))
        if q.denominator > largest:
            fail("%s: denominator past its difficulty" % where)
        want = decimal_of(q)
        if want is None:
            return fail("%s: its decimal ends" % where)
        if answer != want:
            fail("%s: answers %s, not %s" % (where, answer, want))
        if len(recurring_value(want)[1][2]) > most_fraction_period:
            fail("%s: period past its difficulty" % where)
    elif kind == "rounded":
        if not re.fullmatch(r"0\.\d+", question):
            return fail("%s: not a display" % where)
        simplest = simplest_for(question)
        if not rounds_to(fraction, question) or simplest != fraction:
            fail("%s: the simplest fraction is %s, not %s" % (where, simplest, e["fraction"]))
        if answer != e["fraction"]:
            fail("%s: answers %s, not %s" % (where, answer, e["fraction"]))
        if fraction.denominator > largest or decimal_of(fraction) is None:
            fail("%s: denominator past its difficulty, or a decimal that ends" % where)
    else:
        fail("%s: unknown kind" % where)


def check_sheet(cli, seed, count, kinds, difficulty):
    args = ["--sheet", "--json", "--seed", str(seed), "--count", str(count),
            "--difficulty", str(difficulty)]
    for k in kinds:
        args += ["--kind", k]
    r = run(cli, args)
    name = " ".join(args)
    if r.returncode != 0:
        return fail("%s: exit status %d: %s" % (name, r.returncode, r.stderr.decode()))
    sheet = json.loads(r.stdout)
    if sheet["seed"] != seed:
        fail("%s: seed %s" % (name, sheet["seed"]))
    exercises = sheet["exercises"]
    if [e["number"] for e in exercises] != list(range(1, count + 1)):
        fail("%s: numbered %s" % (name, [e["number"] for e in exercises]))
    asked = kinds or KINDS
    tally = {k: sum(e["kind"] == k for e in exercises) for k in asked}
    if set(e["kind"] for e in exercises) - set(asked):
        fail("%s: a kind not asked" % name)
    if count >= len(asked) and min(tally.values()) == 0:
        fail("%s: a kind asked is missing: %s" % (name, tally))
    if max(tally.values()) - min(tally.values()) > 1:
        fail("%s: not shared out evenly: %s" % (name, tally))
    questions = [e["question"] for e in exercises]
    if len(set(questions)) != len(questions):
        fail("%s: a question twice" % name)
    for e in exercises:
        check_exercise(e, difficulty)
    return exercises


def dotted(value):
    """The LaTeX the sheet writes for a question or answer."""
    m = re.fullmatch(r"(\d+\.\d*)\((\d+)\)", value)
    if m:
        head, p = m.groups()
        if len(p) == 1:
            return "%s\\dot{%s}" % (head, p)
        return "%s\\dot{%s}%s\\dot{%s}" % (head, p[0], p[1:-1], p[-1])
    m = re.fullmatch(r"(?:(\d+) )?(\d+)/(\d+)", value)
    if m:
        return "%s\\frac{%s}{%s}" % (m.group(1) or "", m.group(2), m.group(3))
    return value


def main():
    cli = sys.argv[1]
    # The same bytes twice; another seed another sheet.
    first = run(cli, ["--sheet", "--seed", "7", "--count", "30"]).stdout
    if first != run(cli, ["--sheet", "--seed", "7", "--count", "30"]).stdout or not first:
        fail("--sheet --seed 7 --count 30 differs from one run to the next")
    if first == run(cli, ["--sheet", "--seed", "8", "--count", "30"]).stdout:
        fail("seeds 7 and 8 give the same sheet")
    # A seed left out is chosen and printed on the sheet: that seed makes it again.
    chosen = run(cli, ["--sheet", "--count", "12"]).stdout.decode()
    m = re.search(r"seed (\d+)", chosen)
    if not m:
        fail("a sheet without --seed does not print its seed")
    elif run(cli, ["--sheet", "--count", "12", "--seed", m.group(1)]).stdout.decode() != chosen:
        fail("the seed printed on a sheet does not make it again")

    for seed in range(0, 12):
        for difficulty in (1, 2, 3):
            check_sheet(cli, seed, 60 if difficulty == 1 else 200, [], difficulty)
    for kind in KINDS:
        check_sheet(cli, 3, 30, [kind], 2)
    check_sheet(cli, 5, 7, ["rounded", "pure"], 3)
    check_sheet(cli, 9, 1, [], 2)
    # A kind named twice counts once.
    once = run(cli, ["--sheet", "--json", "--seed", "4", "--count", "6", "--kind", "pure"]).stdout
    twice = run(cli, ["--sheet", "--json", "--seed", "4", "--count", "6", "--kind", "pure",
                      "--kind", "pure"]).stdout
    if once != twice:
        fail("a kind named twice changes the sheet")

    # The LaTeX sheet: every question, then the answer key on a new page with every answer.
    for language in ("en", "ja"):
        r = run(cli, ["--sheet", "--seed", "7", "--count", "30", "--explain"], language)
        tex = r.stdout.decode()
        exercises = json.loads(run(cli, ["--sheet", "--json", "--seed", "7", "--count", "30"]).stdout)
        key = tex.find("\\newpage")
        if key < 0 or not tex.startswith("\\documentclass") or not tex.endswith("\\end{document}\n"):
            fail("%s: the sheet is not a whole document with an answer key" % language)
            continue
        if ("\\usepackage{luatexja}" in tex) != (language == "ja"):
            fail("%s: luatexja where it is not wanted, or not where it is" % language)
        for e in exercises["exercises"]:
            item = "(%d)\\quad $\\displaystyle %s$" % (e["number"], dotted(e["question"]))
            if item not in tex[:key]:
                fail("%s: exercise %s missing before the key" % (language, item))
            if "(%d)\\quad $\\displaystyle %s$" % (e["number"], dotted(e["answer"])) not in tex[key:]:
                fail("%s: answer of (%d) %s missing" % (language, e["number"], e["answer"]))
        if tex.count("\\begin{align*}") != 30:
            fail("%s: --explain does not give every exercise its working" % language)
    ja = run(cli, ["--sheet", "--seed", "7", "--count", "6"], "ja").stdout.decode()
    for word in ("組", "番", "名前", "解答"):
        if word not in ja:
            fail("the Japanese sheet has no %s" % word)

    # Refusals: exit status 2, what is wrong named, in the user's language.
    refusals = [
        (["--sheet", "--count", "0"], "'0'", "0"),
        (["--sheet", "--count", "201"], "'201'", "201"),
        (["--sheet", "--kind", "cubes"], "unknown kind 'cubes'", "cubes"),
        (["--sheet", "--seed", "-1"], "--seed", "--seed"),
        (["--sheet", "--difficulty", "4"], "--difficulty", "--difficulty"),
        (["--count", "5"], "--count is given only with --sheet", "--count"),
        (["--sheet", "0.5"], "--sheet takes no ENTRY", "--sheet"),
        (["--sheet", "--mixed"], "--sheet and --mixed", "--sheet"),
        (["--document", "0.5"], "--document is given only with", "--document"),
    ]
    for args, english, japanese in refusals:
        for language, word in (("en", english), ("ja", japanese)):
            r = run(cli, args, language)
            message = r.stderr.decode()
            if r.returncode != 2 or word not in message or r.stdout:
                fail("%s (%s): status %d, %r" % (args, language, r.returncode, message))
        if run(cli, args).stderr == run(cli, args, "ja").stderr:
            fail("%s: the refusal is not translated" % args)
    r = run(cli, ["--sheet", "--json", "--kind", "nope"])
    if r.returncode != 2 or json.loads(r.stdout).get("kind") != "argument":
        fail("--json: a refused --kind is not a JSON refusal")
    # Too many for what a kind holds at a difficulty: said, status 1.
    r = run(cli, ["--sheet", "--kind", "to-decimal", "--difficulty", "1", "--count", "200"])
    if r.returncode != 1 or "to-decimal" not in r.stderr.decode() or r.stdout:
        fail("too many to-decimal exercises at difficulty 1: %r" % r.stderr)

    # --document: the workings of standard input's lines in one document, a
    # refused line a paragraph of escaped text (its '#' would stop TeX).
    env = dict(os.environ, LANGUAGE="en", LC_ALL="C.UTF-8")
    r = subprocess.run([cli, "--explain", "--notation", "latex", "--document"],
                       input=b"1/7\n0.5#\n0.1(6)\n", capture_output=True, env=env)
    doc = r.stdout.decode()
    if (r.returncode != 1 or not doc.startswith("\\documentclass") or
            not doc.endswith("\\end{document}\n") or doc.count("\\begin{align*}") != 2 or
            "\\par error: '0.5\\#'" not in doc):
        fail("--document over standard input: status %d, %r" % (r.returncode, doc[-400:]))
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
