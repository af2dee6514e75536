#!/usr/bin/env bash
# `make run`: starts Lumo. With no serial port present it first starts a simulated
# radio holding a demo channel table and pins it as com1 for this run only, in a
# settings folder of its own, so the user's saved settings stay untouched.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
here=$(cd "$(dirname "$0")/.." && pwd)

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
    # The demo radio: our demo channel table at the channel area, the factory
    # function settings at 0x0E20.
    "$bin/lumo-cli" convert "$here/assets/demo/tarn-demo.chnw" "$scratch/channels.img" > /dev/null
    "$bin/tarn-sim" --load "0x0010:$scratch/channels.img" \
        --load "0x0E20:$here/assets/demo/tarn-demo-settings.bin" --pace > "$scratch/sim.out" &
    sim=$!
    for _ in $(seq 50); do
        [ -s "$scratch/sim.out" ] && break
        sleep 0.1
    done
    port=$(head -n 1 "$scratch/sim.out")
    echo "No radio cable found: a simulated Tarn radio answers on $port (as com1)."
    mkdir -p "$scratch/config/Vantor"
    printf '[PortMap]\ncom1=%s\n\n[PortSet]\nportitm=0\n' "$port" > "$scratch/config/Vantor/Lumo.conf"
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
