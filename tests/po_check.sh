#!/usr/bin/env bash
# The catalogs: each po/<language>.po is whole (no fuzzy or untranslated
# entry, msgfmt --check clean) and covers every sentence the sources mark
# now; po/quotalis.pot is what po/update.sh makes of the sources today; each
# translation keeps exactly the blanks {1}, {2}... of its English; and
# po/POTFILES lists every source that marks a sentence.
#   tests/po_check.sh SOURCE_DIR WORK_DIR
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
rm -rf "$work"
mkdir -p "$work"
cd "$source_dir"

# Every source outside the tests that marks a sentence, N_("...") or
# N_(R"(...)"), is one xgettext reads.
listed=$(grep -v -E '^(#|$)' po/POTFILES | sort)
marking=$(find . \( -path './build*' -o -path ./tests -o -path ./.git \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | xargs grep -l -E 'N_\(R?"' | sed 's|^\./||' | sort)
missing=$(comm -13 <(echo "$listed") <(echo "$marking"))
[[ -z $missing ]] || fail "po/POTFILES does not list: $(echo $missing)"

# The template, made afresh, holds the same entries as the one committed.
po/update.sh "$work/fresh.pot"
entries() { msgattrib --no-location --no-wrap --sort-output "$1"; }
if ! diff <(entries po/quotalis.pot) <(entries "$work/fresh.pot") >"$work/pot.diff"; then
    fail "po/quotalis.pot is not what po/update.sh makes of the sources (run it):"
    cat "$work/pot.diff" >&2
fi

for po in po/*.po; do
    # No fuzzy, no untranslated entry, and msgfmt's checks of formats and header.
    statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1) || fail "$po: msgfmt --check fails"
    echo "$po: $statistics"
    if grep -qE 'fuzzy|untranslated' <<<"$statistics"; then fail "$po is not whole: $statistics"; fi
    # Every sentence the sources mark now has its translation.
    msgcmp "$po" "$work/fresh.pot" 2>"$work/msgcmp.out" ||
        fail "$po lacks sentences of the sources (run po/update.sh): $(head -c 2000 "$work/msgcmp.out")"
    # The blanks of each translation are those of its English.
    blanks=$(msgexec -i "$po" sh -c '
        [ -n "$MSGEXEC_MSGID" ] || exit 0
        english=$(printf "%s" "$MSGEXEC_MSGID" | grep -o "{[1-9]}" | sort -u | tr -d "\n")
        translated=$(grep -o "{[1-9]}" | sort -u | tr -d "\n")
        [ "$english" = "$translated" ] ||
            printf "%s: the English has \"%s\", the translation \"%s\"\n" \
                "$(printf "%s" "$MSGEXEC_MSGID" | head -n 1)" "$english" "$translated"')
    [[ -z $blanks ]] || fail "$po: blanks differ:"$'\n'"$blanks"
done

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "catalogs whole and up to date"
