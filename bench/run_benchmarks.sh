#!/usr/bin/env bash
# Runs every benchmark of a build.
set -euo pipefail
build=${1:-build}
for bench in "$build"/bench/bench_*; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" --benchmark_counters_tabular=true
done
