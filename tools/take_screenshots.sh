#!/usr/bin/env bash
# The README's screenshots: the main window with the channel window (after a read from
# a simulated radio) and the settings window on top,
#   scale-2.png       at twice the pixels (QT_SCALE_FACTOR=2),
#   dpi-192.png       on an X server whose Xft.dpi says 192,
#   dark.png          in the dark palette, chosen in the preferences,
#   dark-dialogs.png  the Preferences dialog in the dark palette.
#
#   tools/take_screenshots.sh BUILD_DIR OUT_DIR     (e.g. build docs)
#
# Each picture gets an X server of its own (Xvfb on a free display, with openbox), a
# simulated radio pinned as com1 and a scratch settings folder, as tools/run_demo.sh
# does, so neither the desktop nor the user's settings are touched. Besides the build
# it needs tools a person installs once, not the test suite:
#   apt-get install xvfb openbox xdotool imagemagick x11-xserver-utils x11-utils
set -euo pipefail
usage="usage: $0 BUILD_DIR OUT_DIR"
build=$(cd "${1:?$usage}" && pwd)
mkdir -p "${2:?$usage}"
out=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/demo_radio.sh
source "$here/tools/demo_radio.sh"
bin="$build/bin"

for tool in Xvfb openbox xdotool xwininfo import xrdb; do
    command -v "$tool" > /dev/null || { echo "$0: $tool is missing (see the header)" >&2; exit 1; }
done

# The tool bar's Read button, in the main window's own pixels from its top left corner
# (the menu bar and tool bar above the child windows have fixed sizes in those pixels).
read_button_x=192
read_button_y=33

scratch=$(mktemp -d)
pids=()
stop_all() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2> /dev/null || true
        wait "$pid" 2> /dev/null || true
    done
    pids=()
}
cleanup() {
    stop_all
    rm -rf "$scratch"
}
trap cleanup EXIT

free_display() {
    local n
    for n in $(seq 90 199); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

# geometry WINDOW: "WIDTHxHEIGHT+X+Y" of the window's inside, where it is on the screen
# (xwininfo, as xdotool's own answer counts the window manager's frame twice).
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^  Width/ {w = $NF} /^  Height/ {h = $NF} END {print w "x" h "+" x "+" y}'
}

wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
    local tries=$(($1 * 10))
    shift
    until "$@" 2> /dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { echo "$0: gave up waiting for: $*" >&2; return 1; }
        sleep 0.1
    done
}

# shot NAME SCALE DPI APPEARANCE [dialog]: one screenshot into OUT_DIR/NAME.png.
shot() {
    local name=$1 scale=$2 dpi=$3 appearance=$4 dialog=${5:-}
    local dir="$scratch/$name"
    mkdir -p "$dir/config/Vantor" "$dir/data"
    local display
    display=$(free_display)
    # -noreset: the resources xrdb leaves must outlive its connection.
    # The window opens maximized: the screen is its size, 1000 x 750 in its own pixels.
    local ratio=$((dpi * ${scale%.*} / 96))
    Xvfb ":$display" -screen 0 $((1000 * ratio))x$((750 * ratio))x24 -nolisten tcp -noreset \
        > "$dir/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 10 test -e "/tmp/.X11-unix/X$display"
    export DISPLAY=":$display"
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
    openbox > "$dir/openbox.log" 2>&1 &
    pids+=($!)

    start_demo_radio "$bin" "$dir" --pace
    pids+=("$demo_radio_pid")
    printf '\n[Preferences]\nappearance=%s\n' "$appearance" >> "$dir/config/Vantor/Lumo.conf"
    XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" QT_SCALE_FACTOR="$scale" \
        "$bin/lumo" > "$dir/lumo.log" 2>&1 &
    pids+=($!)

    local main
    main=$(xdotool search --sync --onlyvisible --name 'digital control' | head -n 1)
    xdotool windowactivate --sync "$main"
    sleep 1
    # The channel window, without a file: Escape the Open dialog it offers.
    xdotool key --clearmodifiers alt+e c
    xdotool search --sync --onlyvisible --name '^Open' > /dev/null
    xdotool key Escape
    sleep 0.5
    # Read the radio through the tool bar; the end is told by a message box.
    local at
    at=$(geometry "$main")
    at=${at#*+}
    xdotool mousemove --sync $((${at%+*} + read_button_x * ratio)) $((${at#*+} + read_button_y * ratio)) click 1
    xdotool search --sync --onlyvisible --name '^lumo$' > /dev/null
    xdotool key Return
    sleep 0.5
    # The settings window on top.
    xdotool windowactivate --sync "$main"
    xdotool key --clearmodifiers alt+e o
    sleep 1
    if [ -n "$dialog" ]; then
        xdotool key --clearmodifiers alt+e e
        xdotool search --sync --onlyvisible --name '^Preferences$' > /dev/null
        sleep 0.5
    fi
    xdotool mousemove 0 0
    sleep 0.5
    import -window root -crop "$(geometry "$main")" +repage +dither -strip "PNG8:$out/$name.png"
    echo "$out/$name.png"
    stop_all
    unset DISPLAY
}

shot scale-2 2 96 desktop
shot dpi-192 1 192 desktop
shot dark 1 96 dark
shot dark-dialogs 1 96 dark dialog
