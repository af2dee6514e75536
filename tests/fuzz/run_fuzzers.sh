#!/usr/bin/env bash
# Runs every fuzz target in DIR for SECONDS each, starting from its seed corpus.
# New inputs go to a scratch corpus so the committed seeds stay small.
set -euo pipefail
dir=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
out=${FUZZ_OUT:-fuzz-out}
status=0
for target in "$dir"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    mkdir -p "$out/$name/corpus" "$out/$name/artifacts"
    seeds="$here/corpus/$name"
    echo "== $name: ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$out/$name/artifacts/" -print_final_stats=0 \
            "$out/$name/corpus" "$seeds" > "$out/$name/log.txt" 2>&1; then
        echo "!! $name found a fault; the input is in $out/$name/artifacts/"
        tail -n 40 "$out/$name/log.txt"
        status=1
    else
        grep -E '^(#[0-9]+\s+DONE|Done)' "$out/$name/log.txt" | tail -n 1 || true
    fi
done
exit $status
