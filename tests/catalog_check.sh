#!/usr/bin/env bash
# The command line's language as an installed program has it: the cli
# component installed into a scratch prefix holds its catalog and both manual
# pages; moved elsewhere, the program still finds its catalog beside itself,
# and speaks the language the environment asks for in gettext's order
# (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG; none in the C locale), even
# where the asked locale is not installed; with its catalog gone it speaks
# English.
#   tests/catalog_check.sh BUILD_DIR WORK_DIR
set -euo pipefail

build_dir=$1
work=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work"
cmake --install "$build_dir" --component cli --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
prefix=$work/moved

# What the component holds besides its documents.
for file in bin/quotalis-cli share/locale/ja/LC_MESSAGES/quotalis.mo \
    share/man/man1/quotalis-cli.1.gz share/man/ja/man1/quotalis-cli.1.gz; do
    [[ -f $prefix/$file ]] || fail "not installed: $file"
done

# One refusal, and the language it comes in.
english="quotalis-cli: '1.2.3': a second point at character 4"
japanese="quotalis-cli: 「1.2.3」: 4文字目に2つ目の小数点があります"
said_in() {  # prefix, then the environment
    local program=$1/bin/quotalis-cli said status=0
    shift
    said=$(env -i PATH=/usr/bin:/bin "$@" "$program" 1.2.3 2>&1) || status=$?
    ((status == 2)) || echo "status $status"
    case $said in
        "$english") echo en ;;
        "$japanese") echo ja ;;
        *) echo "neither: $said" ;;
    esac
}

# The environment, and the language it asks for.
while read -r language env; do
    [[ -z $language || $language == \#* ]] && continue
    read -ra vars <<<"$env"
    got=$(said_in "$prefix" "${vars[@]}")
    [[ $got == "$language" ]] || fail "$env: expected $language, got $got"
done <<'ROWS'
ja LC_ALL=C.UTF-8 LANGUAGE=ja
ja LANG=ja_JP.UTF-8
ja LC_MESSAGES=ja_JP.UTF-8 LANG=C.UTF-8
ja LANGUAGE=fr:ja LANG=C.UTF-8
ja LC_ALL=ja_JP.UTF-8 LANG=C.UTF-8
# a locale that is surely not installed still gives its language
ja LANG=ja_JP.ISO-8859-1
en LANG=C.UTF-8
en LC_ALL=C LANGUAGE=ja
en LC_ALL=C.UTF-8 LC_MESSAGES=ja_JP.UTF-8
en LANG=ja_JP.UTF-8 LC_MESSAGES=C
en LANGUAGE=en LANG=ja_JP.UTF-8
en LANG=fr_FR.UTF-8
ROWS

# Without its catalog, English.
cp -a "$prefix" "$work/bare"
rm "$work/bare/share/locale/ja/LC_MESSAGES/quotalis.mo"
got=$(said_in "$work/bare" LC_ALL=C.UTF-8 LANGUAGE=ja)
[[ $got == en ]] || fail "without its catalog: expected en, got $got"

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "catalogs pass"
