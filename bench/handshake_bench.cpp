// The handshake against a radio paced like the real 9600 baud wire. Its floor is
// 21 bytes on the wire at 960 bytes/s plus three 3 ms pauses.
#include <benchmark/benchmark.h>

#include "link/hex_link.h"
#include "link/serial_opener.h"
#include "sim/simulated_radio.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

constexpr double kFloorSeconds = 21.0 / 960.0 + 3 * 0.003;

void BM_HandshakePaced(benchmark::State& state) {
    tarnsim::SimulatedRadio radio({}, /*pace=*/true);
    SilentDialogs dialogs;
    lumo::HexLink link(lumo::makeSerialOpener(lumo::PortMap{}), dialogs);
    for (auto _ : state) {
        if (!link.ConnectRadio(radio.path())) {
            state.SkipWithError("handshake failed");
            break;
        }
        link.CloseLinkPort();
    }
    state.counters["floor_ms"] = kFloorSeconds * 1000.0;
    state.counters["ratio_to_floor"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kFloorSeconds,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HandshakePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
