// CHIRP CSV exchange of a full table: all 128 channels written as CSV text, and that
// text checked and read back into a table, as Save and Open of a .csv do without the
// disk.
#include <benchmark/benchmark.h>

#include "bench/full_table.h"
#include "channels/chirp_csv.h"

namespace {

using lumo::bench::fullTable;

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
