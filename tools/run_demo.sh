#!/usr/bin/env bash
# `make run`: starts Lumo. With no serial port present it first starts a simulated
# radio holding a demo channel table and pins it as com1 for this run only, in a
# settings folder of its own, so the user's saved settings stay untouched.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/demo_radio.sh
source "$here/tools/demo_radio.sh"

sim=""
scratch=$(mktemp -d)
cleanup() {
    if [ -n "$sim" ]; then
        kill "$sim" 2>/dev/null || true
        wait "$sim" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

real_ports=$(ls -d /sys/class/tty/ttyUSB* /sys/class/tty/ttyACM* 2>/dev/null || true)
if [ -z "$real_ports" ]; then
    # Paced as a real radio is, so a transfer takes its true time.
    start_demo_radio "$bin" "$scratch" --pace
    sim=$demo_radio_pid
    echo "No radio cable found: a simulated Tarn radio answers on $demo_radio_port (as com1)."
    export XDG_CONFIG_HOME="$scratch/config"
    # Backups of the demo radio's reads go with the scratch folder, not among the user's.
    export XDG_DATA_HOME="$scratch/data"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here. On a desktop, 'make run' (or build/bin/lumo) opens the window."
    echo "Meanwhile, the command line against the radio:"
    if "$bin/lumo-cli" help read > /dev/null 2>&1; then
        "$bin/lumo-cli" read --port com1
    else
        "$bin/lumo-cli" ping --port com1
    fi
    exit $?
fi
"$bin/lumo"
