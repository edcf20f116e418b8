#!/usr/bin/env bash
# The command line under `ulimit -v`, given entries too big for the memory
# among small ones: every small entry is answered, each big one gets
# "error: ..." on its line (on the command line, a message on standard
# error), the run ends with status 1, and nothing aborts. Each batch is run
# with the default --max-memory, which refuses the big entry before it
# starts, and with --max-memory all, which lets it start and run out.
#   tests/memory_limits_check.sh QUOTALIS_CLI SCRATCH_DIR
# Exits 77 (skipped) for a program built with AddressSanitizer, which
# reserves terabytes of address space and so cannot run under ulimit -v.
set -euo pipefail

cli=$1
scratch=$2
if grep -qa __asan_init "$cli"; then
    echo "skipped: built with AddressSanitizer"
    exit 77
fi
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT  # 74 MB of input

# n digits, not a repetition of a shorter block.
digits() { tr -dc 0-9 </dev/urandom | head -c "$1"; }

# 0.5, a recurring decimal of 10,000,000 digits (the largest the program
# takes), 1/7.
{
    echo 0.5
    echo "0.$(digits 5000000)($(digits 4999999))"
    echo 1/7
} >"$scratch/decimal"
# 0.5, a line of 64 MiB (the longest the program takes: 1.5 after leading
# zeros), 1/7.
{
    echo 0.5
    head -c $((64 * 1024 * 1024 - 3)) /dev/zero | tr '\0' 0
    echo 1.5
    echo 1/7
} >"$scratch/line"

# name | KiB of address space | input file | environment and options |
# expected lines, separated by ';': a pattern ('error: *' matches any
# reason), '-' for a blank line, 'either: A' for A or an error. Of a line
# longer than 200 bytes, its first and last 100 are matched.
while IFS='|' read -r name kib input options expected; do
    [[ -z $name || $name == \#* ]] && continue
    for budget in "" "--max-memory all"; do
        label="$name${budget:+ ($budget)}"
        status=0
        # shellcheck disable=SC2086 # the options are words
        (ulimit -v "$kib" && exec env LC_ALL=C.UTF-8 LANGUAGE= $options $budget) \
            <"$scratch/$input" >"$scratch/out" 2>"$scratch/err" || status=$?
        # 1 when a line failed, as one does unless the memory sufficed
        grep -qE '^(error|エラー): |,"error":' "$scratch/out" && wanted=1 || wanted=0
        [[ $status == "$wanted" ]] || fail "$label: status $status, not $wanted"
        if grep -qE 'GNU MP|bad_alloc|terminate|Aborted|internal error' "$scratch/err"; then
            fail "$label: $(head -c 300 "$scratch/err")"
        fi
        [[ $expected == *either:* ]] || ((wanted == 1)) || fail "$label: no line failed"
        IFS=';' read -ra want <<<"$expected"
        mapfile -t got <"$scratch/out"
        [[ ${#got[@]} == "${#want[@]}" ]] ||
            fail "$label: ${#got[@]} lines, not ${#want[@]}: $(head -c 300 "$scratch/out")"
        for i in "${!want[@]}"; do
            line=${got[i]-}
            ((${#line} <= 200)) || line="${line:0:100}${line: -100}"
            case ${want[i]} in
                -) [[ -z $line ]] ;;
                either:*) [[ $line == "${want[i]#either: }" || $line == "error: "* ]] ;;
                *) [[ $line == ${want[i]} ]] ;;  # a pattern
            esac || fail "$label: line $((i + 1)) is '$line', not '${want[i]}'"
        done
    done
done <<EOF
decimal_in_80_MB|80000|decimal|$cli|1/2;error: *;0.(142857)
decimal_in_80_MB_json|80000|decimal|$cli --json|{"input":"0.5",*;{"input":"0.*","kind":"too-large","position":0};{"input":"1/7",*
decimal_in_80_MB_detail|80000|decimal|$cli --detail|0.5	5/10	1/2;error: *;0.(142857)	0	6
decimal_in_80_MB_explain|80000|decimal|$cli --explain|Let x = 0.5;*;*;*;*;*;*;*;*;So 0.5 = 1/2;-;error: *;-;Work out 1 ÷ 7 by long division:;*;*;*;*;*;*;*;*;1/7 = 0.(142857);*;*;*;*;*;*;*;*;*;*;*;*;*;*;*;*;So 1/7 = 0.(142857);-
decimal_in_80_MB_japanese|80000|decimal|LANGUAGE=ja $cli|1/2;エラー: *;0.(142857)
line_of_64_MiB_in_120_MB|120000|line|$cli|1/2;either: 3/2;0.(142857)
EOF

# One entry on the command line: a message on standard error, status 1.
for budget in "" "--max-memory all"; do
    status=0
    # shellcheck disable=SC2086
    (ulimit -v 40000 && exec "$cli" $budget 1e9999999) >"$scratch/out" 2>"$scratch/err" ||
        status=$?
    [[ $status == 1 ]] || fail "1e9999999 in 40 MB ($budget): status $status, not 1"
    [[ ! -s $scratch/out ]] || fail "1e9999999 in 40 MB ($budget): an answer: $(head -c 200 "$scratch/out")"
    grep -qx "quotalis-cli: '1e9999999': .*memory.*" "$scratch/err" ||
        fail "1e9999999 in 40 MB ($budget): $(head -c 300 "$scratch/err")"
done

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "every small entry answered, every big one refused"
