#!/usr/bin/env bash
# The manual pages: man reads them without a warning in a plain and a UTF-8
# locale, they have the sections a reader looks for, and the options of
# quotalis-cli's page are exactly those of its --help, each notation the page
# lists is one the program takes, and the exit statuses the page gives are
# those the program ends with, and its examples are what the program answers.
#   tests/manpage_check.sh QUOTALIS_CLI MAN_DIR
set -euo pipefail

cli=$1
man_dir=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for page in "$man_dir"/quotalis.1 "$man_dir"/quotalis-cli.1; do
    for locale in C C.UTF-8; do
        warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "${page##*/} ($locale): $warnings"
    done
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS '"EXIT STATUS"' EXAMPLES '"SEE ALSO"'; do
        grep -qx "\.SH $section" "$page" || fail "${page##*/} has no $section section"
    done
done

# The options of a usage text: the first words of the lines that begin, a
# little indented, with a dash, up to the first gap of two blanks.
option_words() {
    sed -E 's/ {2,}.*//; s/[,|]/ /g' | tr ' ' '\n' | sed -E 's/[=[].*//' | grep -E '^-' | sort -u
}
help_options=$("$cli" --help | grep -E '^ {1,6}-' | sed -E 's/^ +//' | option_words)

# Those of the page: the tag lines of its OPTIONS section, without fonts.
page=$man_dir/quotalis-cli.1
roff_plain() { sed -E 's/\\f[BIRP]//g; s/\\-/-/g; s/^\.[A-Z]+ //; s/"//g; s/ +/ /g'; }
page_options=$(awk '/^\.SH /{in_options = ($0 == ".SH OPTIONS")} in_options' "$page" |
    awk '/^\.RS/{nested++} /^\.RE/{nested--} !nested && tag {print; tag = 0} /^\.TP/{tag = 1}' |
    roff_plain | option_words)
if [[ -z $help_options ]]; then fail "--help lists no options"; fi
if [[ $help_options != "$page_options" ]]; then
    fail "the options of --help (<) and of the manual page (>) differ:"
    diff <(echo "$help_options") <(echo "$page_options") >&2 || true
else
    echo "options in --help and the manual page:" $help_options
fi

# The notations the page lists under --notation: each one taken by the
# program and named in --help, and together all that the program names when
# it refuses an unknown one.
notations=$(awk '/^\.BI \\-\\-notation/{seen = 1} seen && /^\.RE/{exit}
    seen && tag {print; tag = 0} seen && /^\.TP/{tag = 1}' "$page" | roff_plain | awk '{print $1}')
(($(wc -w <<<"$notations") >= 2)) || fail "the page lists no notations: '$notations'"
for notation in $notations; do
    "$cli" --notation "$notation" .5 >/dev/null 2>&1 || fail "the program refuses --notation $notation"
    grep -qw -- "$notation" <("$cli" --help) || fail "--help does not name the notation $notation"
done
refusal=$("$cli" --notation no-such-notation .5 2>&1 >/dev/null) && fail "an unknown notation is taken"
# "... give parens, brackets, ... or keypad (see ...)"
named=$(sed -nE 's/.*give ([a-z, ]+)( \(.*)?$/\1/p' <<<"$refusal" | sed 's/ or /, /' | tr ',' '\n' |
    tr -d ' ' | sed '/^$/d' | sort)
if [[ $named != "$(sort <<<"$notations")" ]]; then
    fail "the notations the program names ($(echo $named)) are not those of the page ($(echo $notations)): $refusal"
fi

# The exit statuses under EXIT STATUS are 0, 1 and 2, and the program ends
# with each where the page says.
statuses=$(awk '/^\.SH /{in_status = ($0 == ".SH \"EXIT STATUS\"")} in_status && tag {print; tag = 0}
    in_status && /^\.TP/{tag = 1}' "$page" | roff_plain | tr '\n' ' ')
[[ $statuses == "0 1 2 " ]] || fail "the page gives the exit statuses '$statuses', not 0 1 2"
status_of() {
    local status=0
    "$@" >/dev/null 2>&1 || status=$?
    echo "$status"
}
[[ $(status_of "$cli" 0.5) == 0 ]] || fail "a converted entry does not end with 0"
[[ $(status_of sh -c 'printf "0.5\n\n" | "$1"' sh "$cli") == 1 ]] ||
    fail "a failed line of standard input does not end with 1"
[[ $(status_of "$cli" --no-such-option 0.5) == 2 ]] || fail "a bad option does not end with 2"

# The examples of the page are what the program answers: each ".EX" block of
# EXAMPLES is run as one shell session, every "$ " line a command, and its
# output must be the lines that follow it.
roff_text() {
    sed -E 's/\\&//g; s/\\\|//g; s/\\-/-/g; s/\\\(aq/'"'"'/g; s/\\\(dq/"/g; s/\\\(mu/×/g; s/\\\(di/÷/g; s/\\e/\\/g'
}
examples=$(awk '/^\.SH /{in_examples = ($0 == ".SH EXAMPLES")} in_examples && /^\.EE/{inside = 0}
    in_examples && inside {print} in_examples && /^\.EX/{inside = 1}' "$page" | roff_text)
[[ -n $examples ]] || fail "the page has no examples"
session=$(awk 'BEGIN {print "status=0"}
    /^\$ / {command = substr($0, 3); gsub(/\047/, "\047\\\047\047", $0)
        print "printf \"%s\\n\" \047" $0 "\047; (exit $status); " command " 2>&1; status=$?"}' <<<"$examples")
answered=$(cd "$(dirname "$cli")" && PATH=$PWD:$PATH LC_ALL=C.UTF-8 sh -c "$session" 2>&1) || true
if [[ $answered != "$examples" ]]; then
    fail "the page's examples (<) are not what the program answers (>):"
    diff <(echo "$examples") <(echo "$answered") >&2 || true
fi

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "manual pages pass"
