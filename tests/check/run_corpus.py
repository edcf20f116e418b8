#!/usr/bin/env python3
"""Checks every working of corpus.txt through quotalis-cli --check --json:
"correct", "firstWrong" and "slip" as the corpus expects them; and, apart
from the program, every line of each right working evaluated with Python's
fractions.
    run_corpus.py QUOTALIS_CLI CORPUS..."""
import collections
import json
import os
import subprocess
import sys

from exact_lines import check_lines
from exact_numbers import read_entry


def workings(path):
    current = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("#") and current is None:
                continue
            if line.startswith("== "):
                if current:
                    yield current
                entry, verdict, at, slip = [field.strip() for field in line[3:].split(" | ")]
                current = {"entry": entry, "correct": verdict == "right",
                           "firstWrong": None if at == "-" else int(at),
                           "slip": None if slip == "-" else slip, "lines": []}
            elif current is not None:
                current["lines"].append(line)
    if current:
        yield current


def main():
    cli, corpora = sys.argv[1], sys.argv[2:]
    env = dict(os.environ, LANGUAGE="en", LC_ALL="C.UTF-8")
    failures, by_slip, count = [], collections.Counter(), 0
    for w in (w for corpus in corpora for w in workings(corpus)):
        count += 1
        while w["lines"] and not w["lines"][-1].strip():
            w["lines"].pop()
        text = "".join(line + "\n" for line in w["lines"])
        run = subprocess.run([cli, "--check", w["entry"], "--json"], input=text.encode(),
                             capture_output=True, env=env)
        name = "%s: %s" % (w["entry"], " / ".join(w["lines"]))
        try:
            got = json.loads(run.stdout)
        except ValueError:
            failures.append("%s: no JSON (%r)" % (name, run.stderr))
            continue
        for key in ("correct", "firstWrong", "slip"):
            if got.get(key) != w[key]:
                failures.append("%s: %s is %r, not %r" % (name, key, got.get(key), w[key]))
        if run.returncode != (0 if w["correct"] else 1):
            failures.append("%s: exit status %d" % (name, run.returncode))
        by_slip[w["slip"] or ("right" if w["correct"] else "no slip")] += 1
        if w["correct"]:
            value = read_entry(w["entry"])
            for number, why in check_lines(value, w["lines"]):
                failures.append("%s: line %d does not hold in Python's arithmetic: %s"
                                % (name, number, why))
            if got.get("answer") is None:
                failures.append("%s: no answer" % name)
    for failure in failures:
        print(failure)
    print("%d workings: %s" % (count, ", ".join("%s %d" % kv for kv in sorted(by_slip.items()))))
    return 1 if failures or count < 150 else 0


if __name__ == "__main__":
    sys.exit(main())
