// Several radios programmed in a row against the paced simulator: each radio written
// and verified, against the floor of a write and a read-back (12.52 s: 5397 and 4757
// bytes at 960 bytes/s, 515 and 131 pauses of 3 ms). Target: at most 1.05 times the
// floor a radio, plus, when the job polls for the next radio, one second of waiting
// beyond the second the swapped cable stays empty.
#include <benchmark/benchmark.h>

#include <thread>

#include "link/serial_opener.h"
#include "shell/channel_write_subject.h"
#include "shell/fleet_job.h"
#include "sim/simulated_radio.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

constexpr double kFloorSeconds = 5397 / 960.0 + 515 * 0.003 + 4757 / 960.0 + 131 * 0.003;
constexpr int kRadios = 3;

// A fleet on a paced line and the channel window's model writing a full table to it.
struct PacedFleet {
    PacedFleet() : sim({}, true, {.radios = kRadios}) {
        link.PortName = sim.path();
        session.setUp();
        for (int row = 1; row <= lumo::ChannelCount; ++row) {
            table.setCell(1, row, "446.00625");
            table.setCell(2, row, "446.00625");
        }
    }
    tarnsim::SimulatedRadio sim;
    SilentDialogs dialogs;
    lumo::HexLink link{lumo::makeSerialOpener(lumo::PortMap{}), dialogs};
    lumo::LanguageStrings strings;
    lumo::Session session{strings};
    lumo::ChannelTable table{strings};
    lumo::ChannelEditor editor{table, session, dialogs, lumo::defaultVocabulary()};
    lumo::ChannelCommands commands{table, session, link};
    lumo::ChannelWriteSubject subject{table, commands, editor, session, lumo::defaultVocabulary()};
    lumo::FleetJob job{{&subject}, link, {}, std::filesystem::temp_directory_path() / "lumo-fleet-bench"};
};

void addFloor(benchmark::State& state, double extraSeconds) {
    const double floor = kFloorSeconds + extraSeconds;
    state.counters["floor_ms"] = floor * 1000.0;
    state.counters["ratio_to_floor"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * floor,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Enter between radios: each radio's write and verify, the swap left out.
void BM_FleetRadioPaced(benchmark::State& state) {
    PacedFleet fleet;
    lumo::BlockingTransferHost host;
    for (auto _ : state) {
        if (!fleet.job.programRadio(host).done) {
            state.SkipWithError("a radio failed");
            break;
        }
        state.PauseTiming();
        fleet.sim.swapRadio();
        std::this_thread::sleep_for(tarnsim::RadioFleet::kSwapGap + std::chrono::milliseconds(200));
        state.ResumeTiming();
    }
    addFloor(state, 0);
}

// Polling: from the swap, through the empty cable's second and the wait for the next
// radio to answer, to that radio written and verified; against the floor plus the
// empty second.
void BM_FleetRadioPolledPaced(benchmark::State& state) {
    PacedFleet fleet;
    lumo::BlockingTransferHost host;
    fleet.job.awaitRadio(host);
    fleet.job.programRadio(host);
    for (auto _ : state) {
        fleet.sim.swapRadio();
        if (!fleet.job.awaitRadio(host) || !fleet.job.programRadio(host).done) {
            state.SkipWithError("a radio failed");
            break;
        }
    }
    addFloor(state, std::chrono::duration<double>(tarnsim::RadioFleet::kSwapGap).count());
}

BENCHMARK(BM_FleetRadioPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kRadios - 1);
BENCHMARK(BM_FleetRadioPolledPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(kRadios - 1);

}  // namespace

BENCHMARK_MAIN();
