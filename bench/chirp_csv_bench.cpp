// CHIRP CSV exchange of a full table: all 128 channels written as CSV text, and that
// text checked and read back into a table, as Save and Open of a .csv do without the
// disk.
#include <benchmark/benchmark.h>

#include "channels/chirp_csv.h"

namespace {

lumo::ChannelTable fullTable() {
    const lumo::ChannelVocabulary& words = lumo::defaultVocabulary();
    lumo::ChannelTable table;
    for (int row = 1; row <= lumo::ChannelCount; ++row) {
        const std::string frequency = "44" + std::to_string(row % 10) + ".00625";
        const std::string texts[] = {frequency,
                                     row % 3 ? frequency : "445.50000",
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

void BM_ExportFullTable(benchmark::State& state) {
    const lumo::ChannelTable table = fullTable();
    for (auto _ : state) {
        std::string text = lumo::formatChirpCsv(table);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * lumo::ChannelCount);
}
BENCHMARK(BM_ExportFullTable)->Unit(benchmark::kMicrosecond);

void BM_ImportFullTable(benchmark::State& state) {
    const std::string text = lumo::formatChirpCsv(fullTable());
    lumo::LanguageStrings strings;
    lumo::Session session(strings);
    session.setUp();
    lumo::ChannelTable table;
    for (auto _ : state) {
        lumo::applyChirpCsv(table, lumo::parseChirpCsv(text, session));
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * lumo::ChannelCount);
}
BENCHMARK(BM_ImportFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
