# bash completion for quotalis-cli                          -*- shell-script -*-
# Completes the options, and the values of --notation, --max-digits,
# --max-memory, --kind and --difficulty, in both the "--option value" and the "--option=value" forms.
# Entries are numbers, so nothing else is offered.

_quotalis_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash splits "--notation=pa" into "--notation", "=" and "pa".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == --*=* ]]; then
        prev=${cur%%=*}
        cur=${cur#*=}
    fi
    COMPREPLY=()

    case $prev in
        --notation)
            mapfile -t COMPREPLY < <(compgen -W 'parentheses brackets quotes r dots overline ellipsis latex keypad' -- "$cur")
            return
            ;;
        --max-digits)
            mapfile -t COMPREPLY < <(compgen -W 'all' -- "$cur")
            return
            ;;
        --max-memory)
            # a size, such as 512M or 2G, or no limit
            mapfile -t COMPREPLY < <(compgen -W 'all' -- "$cur")
            return
            ;;
        --period)
            return  # a number of digits
            ;;
        --kind)
            mapfile -t COMPREPLY < <(compgen -W 'pure pre-period whole to-decimal mixed-number rounded' -- "$cur")
            return
            ;;
        --difficulty)
            mapfile -t COMPREPLY < <(compgen -W '1 2 3' -- "$cur")
            return
            ;;
        --count)
            return  # a number of exercises
            ;;
        --seed)
            return  # a number
            ;;
        --base)
            return  # a base from 2 to 36
            ;;
        --to-base)
            return  # a base from 2 to 36
            ;;
    esac

    # After "--" every word is an entry.
    local i
    for ((i = 1; i < COMP_CWORD; i++)); do
        [[ ${COMP_WORDS[i]} == -- ]] && return
    done

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--period --detail --json --explain --notation --mixed
            --max-digits --max-memory --rounded --check --mark --spoken --sheet --count --seed --kind
            --difficulty --document --base --to-base --double --float --help -h --version --' -- "$cur")
    fi
}
complete -F _quotalis_cli quotalis-cli
