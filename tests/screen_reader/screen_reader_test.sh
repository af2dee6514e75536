#!/usr/bin/env bash
# Lumo as a screen reader meets it: the program runs on a virtual display with a D-Bus
# session and the AT-SPI bus, against a simulated radio holding the demo channels, and
# screen_reader_test.py works it through the accessibility tree alone.
# usage: screen_reader_test.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$2" && pwd)

if [ -z "${LUMO_SCREEN_READER_INNER:-}" ]; then
    # A display and a session bus of the test's own; the AT-SPI bus is started on
    # demand by the session bus.
    export LUMO_SCREEN_READER_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x900x24" dbus-run-session -- bash "$0" "$@"
fi

scratch=$(mktemp -d)
sim=""
lumo=""
cleanup() {
    for pid in $lumo $sim; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=tools/demo_radio.sh
source "$here/tools/demo_radio.sh"
start_demo_radio "$bin" "$scratch"
sim=$demo_radio_pid
demo="$here/assets/demo/tarn-demo.chnw"
export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Channel 1's receive frequency, as the radio holds it.
rx=$("$bin/lumo-cli" show "$demo" | awk 'NR == 2 { print $2 }')

# The AT-SPI bus and its registry first: a program that finds no bus at start-up stays
# silent for good, and on a loaded machine the bus takes a while to come up.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
# On the X display whatever the caller chose: the offscreen platform has no AT-SPI bridge.
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin/lumo" > "$scratch/lumo.log" 2>&1 &
lumo=$!
if ! /usr/bin/python3 "$here/tests/screen_reader/screen_reader_test.py" "$rx"; then
    if kill -0 "$lumo" 2>/dev/null; then
        echo "--- lumo is still running"
    else
        wait "$lumo" && status=0 || status=$?
        echo "--- lumo ended with status $status"
    fi
    echo "--- lumo's output:"
    cat "$scratch/lumo.log"
    exit 1
fi
