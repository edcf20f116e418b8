#!/usr/bin/env bash
# The manual pages: man reads them without a warning in a plain and a UTF-8
# locale (the Japanese one in UTF-8 alone, the only one it can be shown in),
# they have the sections a reader looks for, and for each of quotalis-cli's
# pages, the English and the Japanese: its options are exactly those of
# --help in its language, each notation it lists is one the program takes,
# the exit statuses it gives are those the program ends with, and its
# examples are what the program answers in its language.
#   tests/manpage_check.sh QUOTALIS_CLI MAN_DIR
set -euo pipefail

cli=$1
man_dir=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# page, then the locales to read it in, then its sections in order.
check_page() {
    local page=$1 locales=$2 section warnings
    shift 2
    for locale in $locales; do
        warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "${page#"$man_dir"/} ($locale): $warnings"
    done
    for section in "$@"; do
        grep -qx "\.SH $section" "$page" || fail "${page#"$man_dir"/} has no $section section"
    done
}
english_sections=(NAME SYNOPSIS DESCRIPTION OPTIONS '"EXIT STATUS"' ENVIRONMENT EXAMPLES '"SEE ALSO"')
japanese_sections=(名前 書式 説明 オプション 終了ステータス 環境変数 例 関連項目)
check_page "$man_dir"/quotalis.1 "C C.UTF-8" NAME SYNOPSIS DESCRIPTION OPTIONS '"EXIT STATUS"' \
    EXAMPLES '"SEE ALSO"'
check_page "$man_dir"/quotalis-cli.1 "C C.UTF-8" "${english_sections[@]}"
check_page "$man_dir"/ja/quotalis-cli.1 "C.UTF-8" "${japanese_sections[@]}"

# The options of a usage text: the first words of the lines that begin, a
# little indented, with a dash, up to the first gap of two blanks.
option_words() {
    sed -E 's/ {2,}.*//; s/[,|]/ /g' | tr ' ' '\n' | sed -E 's/[=[].*//' | grep -E '^-'
}
roff_plain() { sed -E 's/\\f[BIRP]//g; s/\\-/-/g; s/\\[:c]//g; s/^\.[A-Z]+ //; s/"//g; s/ +/ /g'; }
roff_text() {
    sed -E 's/\\&//g; s/\\\|//g; s/\\-/-/g; s/\\\(aq/'"'"'/g; s/\\\(dq/"/g; s/\\\(mu/×/g; s/\\\(di/÷/g; s/\\e/\\/g'
}
status_of() {
    local status=0
    "$@" >/dev/null 2>&1 || status=$?
    echo "$status"
}
# The section of a page named $2, its lines.
section_of() {
    awk -v name="$2" '/^\.SH /{inside = ($0 == ".SH " name)} inside' "$1"
}

# The program's own checks, once: the exit statuses where the pages say.
[[ $(status_of "$cli" 0.5) == 0 ]] || fail "a converted entry does not end with 0"
[[ $(status_of sh -c 'printf "0.5\n\n" | "$1"' sh "$cli") == 1 ]] ||
    fail "a failed line of standard input does not end with 1"
[[ $(status_of "$cli" --no-such-option 0.5) == 2 ]] || fail "a bad option does not end with 2"
# "... give parens, brackets, ... or keypad (see ...)", in English.
refusal=$(LC_ALL=C "$cli" --notation no-such-notation .5 2>&1 >/dev/null) && fail "an unknown notation is taken"
named=$(sed -nE 's/.*give ([a-z, ]+)( \(.*)?$/\1/p' <<<"$refusal" | sed 's/ or /, /' | tr ',' '\n' |
    tr -d ' ' | sed '/^$/d' | sort)

# page, the LANGUAGE it is in, then its sections OPTIONS, EXIT STATUS and
# EXAMPLES by their names there.
check_cli_page() {
    local page=$1 language=$2 options_name=$3 status_name=$4 examples_name=$5
    local name=${page#"$man_dir"/}
    local help help_options page_options notations notation statuses examples session answered
    help=$(LC_ALL=C.UTF-8 LANGUAGE=$language "$cli" --help)
    help_options=$(grep -E '^ {1,6}-' <<<"$help" | sed -E 's/^ +//' | option_words | sort -u)
    # Those of the page: the tag lines of its options section, without fonts.
    page_options=$(section_of "$page" "$options_name" |
        awk '/^\.RS/{nested++} /^\.RE/{nested--} !nested && tag {print; tag = 0} /^\.TP/{tag = 1}' |
        roff_plain | option_words | sort -u)
    if [[ -z $help_options ]]; then fail "--help ($language) lists no options"; fi
    if [[ $help_options != "$page_options" ]]; then
        fail "the options of --help ($language, <) and of $name (>) differ:"
        diff <(echo "$help_options") <(echo "$page_options") >&2 || true
    else
        echo "options in --help ($language) and $name:" $help_options
    fi

    # The notations the page lists under --notation: each one taken by the
    # program and named in --help, and together all that the program names
    # when it refuses an unknown one.
    notations=$(awk '/^\.BI \\-\\-notation/{seen = 1} seen && /^\.RE/{exit}
        seen && tag {print; tag = 0} seen && /^\.TP/{tag = 1}' "$page" | roff_plain | awk '{print $1}')
    (($(wc -w <<<"$notations") >= 2)) || fail "$name lists no notations: '$notations'"
    for notation in $notations; do
        "$cli" --notation "$notation" .5 >/dev/null 2>&1 || fail "the program refuses --notation $notation"
        grep -qw -- "$notation" <<<"$help" || fail "--help ($language) does not name the notation $notation"
    done
    if [[ $named != "$(sort <<<"$notations")" ]]; then
        fail "the notations the program names ($(echo $named)) are not those of $name ($(echo $notations)): $refusal"
    fi

    # The exit statuses of its exit status section are 0, 1 and 2.
    statuses=$(section_of "$page" "$status_name" | awk 'tag {print; tag = 0} /^\.TP/{tag = 1}' |
        roff_plain | tr '\n' ' ')
    [[ $statuses == "0 1 2 " ]] || fail "$name gives the exit statuses '$statuses', not 0 1 2"

    # The examples of the page are what the program answers: each ".EX"
    # block of its examples section is run as one shell session, every "$ "
    # line a command, and its output must be the lines that follow it.
    examples=$(section_of "$page" "$examples_name" |
        awk '/^\.EE/{inside = 0} inside {print} /^\.EX/{inside = 1}' | roff_text)
    [[ -n $examples ]] || fail "$name has no examples"
    session=$(awk 'BEGIN {print "status=0"}
        /^\$ / {command = substr($0, 3); gsub(/\047/, "\047\\\047\047", $0)
            print "printf \"%s\\n\" \047" $0 "\047; (exit $status); " command " 2>&1; status=$?"}' <<<"$examples")
    answered=$(cd "$(dirname "$cli")" && PATH=$PWD:$PATH LC_ALL=C.UTF-8 LANGUAGE=$language sh -c "$session" 2>&1) || true
    if [[ $answered != "$examples" ]]; then
        fail "the examples of $name (<) are not what the program answers (>):"
        diff <(echo "$examples") <(echo "$answered") >&2 || true
    fi
}

check_cli_page "$man_dir"/quotalis-cli.1 en OPTIONS '"EXIT STATUS"' EXAMPLES
check_cli_page "$man_dir"/ja/quotalis-cli.1 ja オプション 終了ステータス 例

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "manual pages pass"
