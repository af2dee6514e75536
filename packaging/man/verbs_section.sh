#!/usr/bin/env bash
# Writes a help2man include file with a VERBS section: every verb that
# `lumo-cli --help` lists, described by `lumo-cli help VERB`, so the man page says
# what the program says.
# usage: verbs_section.sh LUMO_CLI OUT.h2m
set -euo pipefail
cli=$1
out=$2

# roff: backslashes kept, a leading dot or quote kept as text, option dashes as
# minus signs.
escape() {
    sed -E -e 's/\\/\\e/g' -e "s/^([.'])/\\\\\&\1/" \
        -e 's/(^|[ [(|])--([a-zA-Z])/\1\\-\\-\2/g' -e 's/(^|[ [(|])-([a-zA-Z])/\1\\-\2/g'
}

verbs=$("$cli" --help | sed -n '/^Verbs:$/,/^$/p' | awk 'NF > 1 { print $1 }')
[ -n "$verbs" ] || { echo "verbs_section.sh: no verbs in '$cli --help'" >&2; exit 1; }

{
    echo "[VERBS]"
    for verb in $verbs; do
        "$cli" help "$verb" | while IFS= read -r line; do
            if [[ $line == "lumo-cli "* ]]; then
                printf '.TP\n.B %s\n' "$(escape <<< "$line")"
            else
                escape <<< "${line#"${line%%[! ]*}"}"
            fi
        done
    done
} > "$out.tmp"
mv "$out.tmp" "$out"
