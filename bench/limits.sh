#!/usr/bin/env bash
# Time and peak memory of quotalis-cli at the limits its documentation
# states, each measured by /usr/bin/time -v over one whole run:
#   - a recurring decimal of 10,000,000 digits (5,000,000 not recurring, then
#     a period of 4,999,999; the largest the program takes) in every mode;
#   - a fraction whose numerator has 10,000,000 digits, in every mode;
#   - 1/9999943, whose period of 9,999,942 digits is written out whole;
#   - 1e9999999, a value of 10,000,000 digits from a short entry;
#   - a line of 64 MiB (the longest standard input takes: leading zeros,
#     then 1.5).
# Prints a Markdown table: the row, the seconds, the peak resident memory,
# and that peak over the size it is measured against (the entry's bytes, or
# the terms' 10,000,000 digits where the entry is short).
# Usage: bench/limits.sh path/to/quotalis-cli
set -euo pipefail

cli=$(realpath "${1:?usage: bench/limits.sh path/to/quotalis-cli}")
[[ -x /usr/bin/time ]] || { echo "bench/limits.sh needs /usr/bin/time (Debian: time)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The entries, from a fixed seed.
python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
rng = random.Random(20261209)
def digits(n, first="123456789"):
    return rng.choice(first) + "".join(rng.choice("0123456789") for _ in range(n - 1))
with open(f"{work}/decimal", "w") as f:
    f.write("0." + digits(5_000_000) + "(" + digits(4_999_999) + ")\n")
with open(f"{work}/fraction", "w") as f:
    f.write(digits(10_000_000) + "/7\n")
with open(f"{work}/line", "w") as f:
    f.write("0" * (64 * 1024 * 1024 - 3) + "1.5\n")
PY
printf '1/9999943\n' >"$work/period"
printf '1e9999999\n' >"$work/power"

echo "| entry | options | time | peak memory | peak ÷ size |"
echo "|---|---|---|---|---|"
# label | input | options | size in bytes the peak is compared with
while IFS='|' read -r label input options size; do
    [[ -z $label ]] && continue
    status=0
    # shellcheck disable=SC2086 # the options are words
    /usr/bin/time -v -o "$work/time" "$cli" $options <"$work/$input" >/dev/null 2>"$work/err" ||
        status=$?
    if ((status != 0)); then
        echo "| $label | \`$options\` | failed ($status): $(head -c 200 "$work/err") | | |"
        continue
    fi
    kib=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
    seconds=$(awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.1f s", s }' <<<"$wall")
    shown="(none)"
    [[ -z $options ]] || shown="\`$options\`"
    awk -v label="$label" -v options="$shown" -v seconds="$seconds" -v kib="$kib" \
        -v size="$size" 'BEGIN {
            printf "| %s | %s | %s | %.0f MB | %.1f |\n", label, options, seconds,
                kib * 1024 / 1e6, kib * 1024 / size
        }'
done <<EOF
10,000,000-digit recurring decimal|decimal||10000004
10,000,000-digit recurring decimal|decimal|--detail|10000004
10,000,000-digit recurring decimal|decimal|--json|10000004
10,000,000-digit recurring decimal|decimal|--explain|10000004
10,000,000-digit recurring decimal|decimal|--explain --notation latex|10000004
10,000,000-digit recurring decimal|decimal|--explain --json|10000004
10,000,000-digit recurring decimal|decimal|--notation latex|10000004
10,000,000-digit numerator over 7|fraction||10000003
10,000,000-digit numerator over 7|fraction|--detail|10000003
10,000,000-digit numerator over 7|fraction|--json|10000003
10,000,000-digit numerator over 7|fraction|--explain|10000003
10,000,000-digit numerator over 7|fraction|--notation latex|10000003
1/9999943, period of 9,999,942 digits|period|--max-digits all|10000000
1/9999943, period of 9,999,942 digits|period|--max-digits all --json|10000000
1/9999943, period of 9,999,942 digits|period|--explain|10000000
1e9999999|power||10000000
1e9999999|power|--json|10000000
line of 64 MiB|line||67108864
line of 64 MiB|line|--json|67108864
EOF
