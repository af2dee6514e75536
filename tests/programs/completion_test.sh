#!/usr/bin/env bash
# lumo-cli's bash completion against lumo-cli itself: the verbs it offers are the
# verbs --help lists, every option a verb's description shows is offered after that
# verb, and file arguments are completed by the extensions the verb takes.
# usage: completion_test.sh LUMO_CLI COMPLETION_FILE
set -euo pipefail
cli=$1
completion=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion
# shellcheck disable=SC1090
source "$completion"

# What completing the last word offers, one per line, sorted.
offers() {
    COMP_WORDS=(lumo-cli "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _lumo_cli lumo-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

listed=$("$cli" --help | sed -n '/^Verbs:$/,/^$/p' | awk 'NF > 1 { print $1 }' | sort)
[ -n "$listed" ] || fail "no verbs in lumo-cli --help"
offered=$(offers '' | grep -vx help)
[ "$listed" = "$offered" ] || fail "verbs differ: --help lists" $listed "; completion offers" $offered

# Every option on a verb's usage lines (settings: per sub-verb).
for verb in $listed; do
    while read -r _ _ rest; do
        words=("$verb")
        [ "$verb" = settings ] && words+=("${rest%% *}")
        for option in $(grep -oE '(^|[ [])--?[a-z][a-z-]*' <<< "$rest" | tr -d ' ['); do
            offers "${words[@]}" - | grep -qx -- "$option" ||
                fail "'lumo-cli ${words[*]} -' does not offer $option"
        done
    done < <("$cli" help "$verb" | grep "^lumo-cli $verb")
done

cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch a.chnw b.optw c.csv d.txt e.img f.pdf
expect() {
    local want=$1
    shift
    local got
    got=$(offers "$@" | tr '\n' ' ')
    [ "$got" = "$want" ] || fail "'lumo-cli $*' offers '$got', not '$want'"
}
expect 'a.chnw c.csv e.img ' convert ''
expect 'a.chnw c.csv e.img ' --port com2 write ''
expect 'print read show write ' settings ''
expect 'b.optw ' settings write ''
expect 'b.optw ' settings read -o ''
expect 'f.pdf ' print a.chnw -o ''
expect 'a.chnw c.csv e.img ' read -o ''
expect 'a.chnw c.csv e.img ' edit a.chnw -o ''
expect 'name rx tx ' edit a.chnw --sort ''
[ -z "$(offers edit a.chnw --set '' | tr -d '\n')" ] || fail "'lumo-cli edit a.chnw --set' offers files"
expect 'com1 ' --port com1
expect 'show ' --port /dev/ttyUSB0 sh
offers --port '' | grep -qx com9 || fail "--port does not offer com9"
echo "completion: verbs, options and files as lumo-cli takes them"
