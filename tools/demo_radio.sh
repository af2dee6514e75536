# Sourced by the scripts that run Lumo against the demo radio (make run, the screen
# reader test, the screenshots).
#
# start_demo_radio BIN_DIR SCRATCH [TARN-SIM OPTIONS...]
#   Starts the simulated radio holding the demo channel table and the factory function
#   settings, waits until it answers, and pins it as com1 in SCRATCH/config/Vantor/Lumo.conf
#   (a settings folder of the caller's, so the user's saved settings stay untouched).
#   Sets demo_radio_pid and demo_radio_port; the caller stops the radio.
start_demo_radio() {
    local bin=$1 scratch=$2
    shift 2
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    "$bin/lumo-cli" convert "$here/assets/demo/tarn-demo.chnw" "$scratch/channels.img" > /dev/null
    "$bin/tarn-sim" --load "0x0010:$scratch/channels.img" \
        --load "0x0E20:$here/assets/demo/tarn-demo-settings.bin" "$@" > "$scratch/sim.out" &
    demo_radio_pid=$!
    for _ in $(seq 50); do
        [ -s "$scratch/sim.out" ] && break
        sleep 0.1
    done
    demo_radio_port=$(head -n 1 "$scratch/sim.out")
    [ -n "$demo_radio_port" ] || { echo "the simulated radio did not start" >&2; return 1; }
    mkdir -p "$scratch/config/Vantor"
    printf '[PortMap]\ncom1=%s\n\n[PortSet]\nportitm=0\n' "$demo_radio_port" \
        > "$scratch/config/Vantor/Lumo.conf"
}
