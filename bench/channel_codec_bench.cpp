// The codec over a whole table: all 128 channels encoded into the image and decoded
// back into the table, as a write followed by a read does.
#include <benchmark/benchmark.h>

#include "channels/channel_image.h"

namespace {

lumo::ChannelTable fullTable() {
    const lumo::ChannelVocabulary& words = lumo::defaultVocabulary();
    lumo::ChannelTable table;
    for (int row = 1; row <= lumo::ChannelCount; ++row) {
        const std::string frequency = "44" + std::to_string(row % 10) + ".00625";
        const std::string texts[] = {frequency,
                                     frequency,
                                     words.toneList[static_cast<std::size_t>(row)],
                                     words.toneList[static_cast<std::size_t>(260 - row)],
                                     row % 2 ? "High" : "Low",
                                     "25K",
                                     "Off",
                                     "DTMF",
                                     "QT+DTMF",
                                     "Off",
                                     "On",
                                     "CH" + std::to_string(row)};
        for (int column = 1; column <= 12; ++column) {
            table.setCell(column, row, texts[column - 1]);
        }
    }
    return table;
}

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
