#!/usr/bin/env bash
# Writes po/quotalis.pot from the strings marked N_ in the sources that
# po/POTFILES lists, and merges it into every po/<language>.po, whose new or
# changed entries then wait for a translator (msgfmt --statistics counts them).
#   po/update.sh [OUT.pot]   from the project's root; OUT.pot writes elsewhere
#                            and touches no catalog (the tests compare it)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-po/quotalis.pot}
mapfile -t sources < <(grep -v -E '^(#|$)' po/POTFILES)
xgettext --language=C++ --from-code=UTF-8 --keyword= --keyword=N_ --add-comments=TRANSLATORS: \
    --sort-by-file --add-location=file --no-wrap --package-name=quotalis --msgid-bugs-address="Quotalis maintainers" \
    --copyright-holder="Quotalis maintainers" -o "$out" "${sources[@]}"
# The date changes on every run; the tests compare what matters.
sed -i -e '/^"POT-Creation-Date:/d' -e 's/^"Content-Type: text\/plain; charset=CHARSET/"Content-Type: text\/plain; charset=UTF-8/' "$out"
if (($# == 0)); then
    for po in po/*.po; do
        msgmerge --quiet --update --backup=none --no-wrap "$po" "$out"
    done
fi
