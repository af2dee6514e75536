#!/usr/bin/env bash
# Starts a simulated radio and shows the link to it working.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
fifo=$(mktemp -u)
mkfifo "$fifo"
"$bin/tarn-sim" > "$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r port < "$fifo"
echo "Simulated Tarn radio on $port"
"$bin/lumo-cli" ping --port "$port"
