// The codec over a whole table: all 128 channels encoded into the image and decoded
// back into the table, as a write followed by a read does.
#include <benchmark/benchmark.h>

#include "bench/full_table.h"
#include "channels/channel_image.h"

namespace {

using lumo::bench::fullTable;

void BM_StoreThenLoadFullTable(benchmark::State& state) {
    lumo::ChannelTable table = fullTable();
    lumo::MemoryImage image = lumo::blankMemoryImage();
    for (auto _ : state) {
        lumo::StoreGridToImage(table, image);
        lumo::LoadGridFromImage(table, image);
        benchmark::DoNotOptimize(image);
    }
    state.SetItemsProcessed(state.iterations() * lumo::ChannelCount);
}
BENCHMARK(BM_StoreThenLoadFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
