// A full channel read and write against the simulated radio. Paced like the real
// 9600 baud wire, each is compared with its floor: the bytes on the wire at 960
// bytes/s (read 4757, write 5397, handshake included), and that plus the 3 ms pause
// after each of our writes (read 131, write 515), which a pty may overlap with the
// wire. Unpaced, the time shows our own overhead on top of the wire time the serial
// layer always waits out for what it sends.
#include <benchmark/benchmark.h>

#include "channels/channel_compare.h"
#include "channels/channel_transfer.h"
#include "link/serial_opener.h"
#include "sim/simulated_radio.h"
#include "channels/channel_verify.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

struct Floor {
    int wireBytes;
    int pauses;
    double wireSeconds() const { return wireBytes / 960.0; }
    double withPausesSeconds() const { return wireSeconds() + pauses * 0.003; }
};

constexpr Floor kReadFloor{4757, 131};
constexpr Floor kWriteFloor{5397, 515};

void addRatios(benchmark::State& state, const Floor& floor) {
    const double iterations = static_cast<double>(state.iterations());
    state.counters["wire_ms"] = floor.wireSeconds() * 1000.0;
    state.counters["floor_ms"] = floor.withPausesSeconds() * 1000.0;
    state.counters["ratio_to_wire"] =
        benchmark::Counter(iterations * floor.wireSeconds(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ratio_to_floor"] =
        benchmark::Counter(iterations * floor.withPausesSeconds(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void runTransfer(benchmark::State& state, lumo::TransferMode mode, bool pace) {
    tarnsim::SimulatedRadio radio({}, pace);
    SilentDialogs dialogs;
    lumo::HexLink link(lumo::makeSerialOpener(lumo::PortMap{}), dialogs);
    lumo::MemoryImage image = lumo::blankMemoryImage();
    for (auto _ : state) {
        const bool done =
            mode == lumo::TransferMode::Read
                ? lumo::ReadChannels(lumo::ChannelCount, radio.path(), link, image, {})
                : lumo::WriteChannels(lumo::ChannelCount, radio.path(), link, image, {});
        if (!done) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
    addRatios(state, mode == lumo::TransferMode::Read ? kReadFloor : kWriteFloor);
}

void BM_ReadPaced(benchmark::State& state) {
    runTransfer(state, lumo::TransferMode::Read, true);
}
void BM_WritePaced(benchmark::State& state) {
    runTransfer(state, lumo::TransferMode::Write, true);
}
void BM_ReadUnpaced(benchmark::State& state) {
    runTransfer(state, lumo::TransferMode::Read, false);
}
void BM_WriteUnpaced(benchmark::State& state) {
    runTransfer(state, lumo::TransferMode::Write, false);
}

// A verified write: the write, then the whole channel area read back in a session of
// its own and compared; against the sum of both floors.
void BM_VerifiedWritePaced(benchmark::State& state) {
    tarnsim::SimulatedRadio radio({}, true);
    SilentDialogs dialogs;
    lumo::HexLink link(lumo::makeSerialOpener(lumo::PortMap{}), dialogs);
    const lumo::MemoryImage sent = lumo::blankMemoryImage();
    for (auto _ : state) {
        lumo::MemoryImage held = lumo::blankMemoryImage();
        if (!lumo::WriteChannels(lumo::ChannelCount, radio.path(), link, sent, {}) ||
            !lumo::ReadChannels(lumo::ChannelCount, radio.path(), link, held, {}) ||
            !lumo::compareWrittenChannels(sent, held).empty()) {
            state.SkipWithError("verified write failed");
            break;
        }
    }
    const double floor = kWriteFloor.withPausesSeconds() + kReadFloor.withPausesSeconds();
    state.counters["floor_ms"] = floor * 1000.0;
    state.counters["ratio_to_floor"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * floor,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// What verifying adds to a write in the window and in lumo-cli: the read-back in a
// session of its own and the comparison (readBackChannels); against the read floor
// (target 1.05).
void BM_VerifyReadBackPaced(benchmark::State& state) {
    tarnsim::SimulatedRadio radio({}, true);
    SilentDialogs dialogs;
    lumo::HexLink link(lumo::makeSerialOpener(lumo::PortMap{}), dialogs);
    link.PortName = radio.path();
    const lumo::MemoryImage sent = lumo::blankMemoryImage();
    lumo::BlockingTransferHost host;
    for (auto _ : state) {
        const auto differences = lumo::readBackChannels(link, sent, host);
        if (!differences || !differences->empty()) {
            state.SkipWithError("read-back failed");
            break;
        }
    }
    addRatios(state, kReadFloor);
}

BENCHMARK(BM_VerifyReadBackPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_VerifiedWritePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ReadPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WritePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReadUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WriteUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
