#!/usr/bin/env bash
# The bash completion of quotalis-cli as bash-completion finds it: installed
# into a scratch prefix, loaded on demand from there, and asked to complete
# command lines. Its options are those of --help, and every notation it
# offers is one the program takes; those are all that the program names when
# it refuses an unknown one.
#   tests/completion_check.sh BUILD_DIR PREFIX QUOTALIS_CLI
set -euo pipefail

build_dir=$1
prefix=$2
cli=$3
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

loader=/usr/share/bash-completion/bash_completion
[[ -r $loader ]] || { echo "FAIL: bash-completion is not installed ($loader)" >&2; exit 1; }
rm -rf "$prefix"
cmake --install "$build_dir" --component cli --prefix "$prefix" >/dev/null
[[ -f $prefix/share/bash-completion/completions/quotalis-cli ]] ||
    { echo "FAIL: not installed as share/bash-completion/completions/quotalis-cli" >&2; exit 1; }

# What bash offers for the words of a command line, the last being the one
# completed (bash breaks words at '=' too, as COMP_WORDBREAKS says). One
# offer a line, sorted.
complete_words() {
    XDG_DATA_DIRS=$prefix/share bash --norc --noprofile -c '
        source "$1"; shift
        _completion_loader quotalis-cli
        registered=$(complete -p quotalis-cli) || exit 3
        function=${registered##* -F }; function=${function%% *}
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        "$function" quotalis-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' bash "$loader" quotalis-cli "$@" | sed '/^$/d' | sort
}

notations="brackets dots ellipsis keypad latex overline parentheses quotes r"
args=()
# name | words after quotalis-cli | expected offers, blank-separated
while IFS='|' read -r name words expected; do
    [[ -z $name || $name == \#* ]] && continue
    eval "args=($words)"
    got=$(complete_words "${args[@]}" | tr '\n' ' ' | sed 's/ $//')
    want=$(tr ' ' '\n' <<<"$expected" | sed '/^$/d' | sort | tr '\n' ' ' | sed 's/ $//')
    [[ $got == "$want" ]] || fail "$name: offers '$got', not '$want'"
done <<EOF
# options
option_prefix_not|--not|--notation
option_prefix_max|--max|--max-digits --max-memory
option_prefix_max_m|--max-m|--max-memory
option_prefix_de|--de|--detail
option_prefix_unknown|--zz|
# values
notation_values_after_space|--notation ''|$notations
notation_values_prefix|--notation o|overline
notation_values_prefix_shared|--notation e|ellipsis
notation_values_one_letter|--notation r|r
notation_values_after_equals|--notation = ''|$notations
notation_values_after_equals_prefix|--notation = l|latex
notation_values_after_other_options|--detail --notation pa|parentheses
notation_values_after_equals_other_options|--json --notation = q|quotes
max_digits_values|--max-digits ''|all
max_memory_values|--max-memory ''|all
max_memory_values_after_equals|--max-memory = a|all
max_memory_size_not_completed|--max-memory 5|
period_takes_a_number|--period ''|
# entries
entry_is_not_completed|0.|
after_double_dash_nothing_is_an_option|-- --|
EOF

# Every option of --help, and no other, is offered for a lone dash.
offered=$(complete_words - | sort -u)
from_help=$("$cli" --help | grep -E '^ {1,6}-' | sed -E 's/^ +//; s/ {2,}.*//; s/[,|]/ /g' |
    tr ' ' '\n' | sed -E 's/[=[].*//' | grep -E '^-' | sort -u)
if [[ $offered != "$from_help" ]]; then
    fail "the options offered (>) are not those of --help (<):"
    diff <(echo "$from_help") <(echo "$offered") >&2 || true
fi
for notation in $notations; do
    "$cli" --notation "$notation" .5 >/dev/null 2>&1 || fail "the program refuses --notation $notation"
done
refusal=$("$cli" --notation no-such-notation .5 2>&1 >/dev/null) && fail "an unknown notation is taken"
for notation in $notations; do
    [[ $refusal == *" $notation"[,\ ]* ]] || fail "the program does not name $notation among its notations: $refusal"
done

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "completion passes"
