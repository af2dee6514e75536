// The settings read and write against a radio paced like the real 9600 baud wire, as a
// ratio to their floor: the bytes on the wire at 960 bytes/s plus the pauses the
// protocol asks for (3 ms after each write, 16 ms before the read command).
#include <benchmark/benchmark.h>

#include "link/hex_link.h"
#include "link/serial_opener.h"
#include "settings/settings_transfer.h"
#include "sim/simulated_radio.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

// The handshake: 21 bytes and three writes.
constexpr double kHandshakeBytes = 21;
constexpr double kHandshakeWrites = 3;
// Read: command 4, reply 68, acknowledgement each way; two more writes, the 16 ms pause.
constexpr double kReadFloorSeconds =
    (kHandshakeBytes + 4 + 68 + 2) / 960.0 + (kHandshakeWrites + 2) * 0.003 + 0.016;
// Write: a 20-byte frame and its acknowledgement; one more write.
constexpr double kWriteFloorSeconds =
    (kHandshakeBytes + 20 + 1) / 960.0 + (kHandshakeWrites + 1) * 0.003;

template <bool Reading>
void BM_SettingsPaced(benchmark::State& state) {
    tarnsim::SimulatedRadio radio({}, /*pace=*/true);
    SilentDialogs dialogs;
    lumo::HexLink link(lumo::makeSerialOpener(lumo::PortMap{}), dialogs);
    link.PortName = radio.path();
    lumo::SettingsForm form;
    for (auto _ : state) {
        const bool done = Reading ? ReadDuneArea(link, form, {}) : WriteDuneArea(link, form, {});
        if (!done) {
            state.SkipWithError("settings transfer failed");
            break;
        }
    }
    const double floor = Reading ? kReadFloorSeconds : kWriteFloorSeconds;
    state.counters["floor_ms"] = floor * 1000.0;
    state.counters["ratio_to_floor"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * floor,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK_TEMPLATE(BM_SettingsPaced, true)
    ->Name("BM_SettingsReadPaced")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);
BENCHMARK_TEMPLATE(BM_SettingsPaced, false)
    ->Name("BM_SettingsWritePaced")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
