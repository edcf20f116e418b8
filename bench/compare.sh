#!/usr/bin/env bash
# Whole-process timings of quotalis-cli beside the references, in one run of
# hyperfine each, so that every figure has its reference measured on the same
# machine at the same time:
#   1. a 1,000,000-digit decimal whose last 100,000 digits recur, to lowest
#      terms, against Python's fractions.Fraction (and the same at 100,000
#      digits with a 10,000-digit period);
#   2. the 9,999,942-digit period of 1/9999943 written out whole to /dev/null,
#      against bc, Python's decimal module and a Python long-division loop,
#      which compute as many digits without finding the period.
# Usage: bench/compare.sh path/to/quotalis-cli [RESULTS_DIR]
# The slow references run once (SLOW_RUNS, default 1); the others 5 times (RUNS).
set -euo pipefail

cli=$(realpath "${1:?usage: bench/compare.sh path/to/quotalis-cli [RESULTS_DIR]}")
out=${2:-$(mktemp -d)}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${RUNS:-5}
slow_runs=${SLOW_RUNS:-1}

# The decimals, from a fixed seed: DIGITS digits after "0.", the last PERIOD
# of them recurring, written with parentheses: 0.FIXED(PERIOD).
make_decimal() {  # file, digits, period
  python3 - "$@" <<'PY'
import random, sys
path, digits, period = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(20261209)
text = "".join(rng.choice("0123456789") for _ in range(digits))
with open(path, "w") as f:
    f.write("0." + text[:digits - period] + "(" + text[digits - period:] + ")\n")
PY
}

# Python's Fraction on the same decimal: the schoolbook fraction, reduced by
# Fraction, and written out as the command line writes it.
cat >"$work/fraction.py" <<'PY'
import sys
from fractions import Fraction
sys.set_int_max_str_digits(0)
fixed, period = open(sys.argv[1]).read().strip()[2:-1].split("(")
a, b = len(fixed), len(period)
x = Fraction(int(fixed + period) - int(fixed or "0"), (10**b - 1) * 10**a)
sys.stdout.write(f"{x.numerator}/{x.denominator}\n")
PY

cat >"$work/decimal_module.py" <<'PY'
import decimal, sys
decimal.getcontext().prec = 9999942
sys.stdout.write(str(decimal.Decimal(1) / decimal.Decimal(9999943)) + "\n")
PY

cat >"$work/long_division.py" <<'PY'
import sys
n, d, digits, out = 1, 9999943, [], []
for _ in range(9999942):
    n *= 10
    out.append(n // d)
    n %= d
sys.stdout.write("0." + "".join(map(str, out)) + "\n")
PY

make_decimal "$work/million.txt" 1000000 100000
make_decimal "$work/hundred-thousand.txt" 100000 10000

# The answers must agree before any time counts.
for f in million hundred-thousand; do
  "$cli" <"$work/$f.txt" >"$work/$f.cli"
  python3 "$work/fraction.py" "$work/$f.txt" >"$work/$f.py"
  cmp -s "$work/$f.cli" "$work/$f.py" || { echo "compare.sh: answers differ for $f" >&2; exit 1; }
done
"$cli" --max-digits all 1/9999943 | awk '{ if (length($0) != 9999946) exit 1 }' ||
  { echo "compare.sh: 1/9999943 did not give 9,999,942 digits in parentheses" >&2; exit 1; }

echo "== 1,000,000 digits, the last 100,000 recurring, to lowest terms"
hyperfine --style basic --runs "$runs" --export-markdown "$out/million-cli.md" \
  -n quotalis-cli "'$cli' <'$work/million.txt' >/dev/null"
hyperfine --style basic --runs "$slow_runs" --export-markdown "$out/million-python.md" \
  -n 'python3 fractions.Fraction' "python3 '$work/fraction.py' '$work/million.txt' >/dev/null"

echo "== 100,000 digits, the last 10,000 recurring, to lowest terms"
hyperfine --style basic --runs "$runs" --export-markdown "$out/hundred-thousand.md" \
  -n quotalis-cli "'$cli' <'$work/hundred-thousand.txt' >/dev/null" \
  -n 'python3 fractions.Fraction' "python3 '$work/fraction.py' '$work/hundred-thousand.txt' >/dev/null"

echo "== 1/9999943: its 9,999,942-digit period written out"
hyperfine --style basic --runs "$runs" --export-markdown "$out/period.md" \
  -n quotalis-cli "'$cli' --max-digits all 1/9999943 >/dev/null" \
  -n 'bc (scale=9999942)' "echo 'scale=9999942; 1/9999943' | BC_LINE_LENGTH=0 bc >/dev/null" \
  -n 'python3 decimal' "python3 '$work/decimal_module.py' >/dev/null"
hyperfine --style basic --runs "$slow_runs" --export-markdown "$out/period-loop.md" \
  -n 'python3 long-division loop' "python3 '$work/long_division.py' >/dev/null"

echo "== results in $out"
cat "$out"/*.md
