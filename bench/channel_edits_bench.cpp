// The channel window's edits of many channels on a full table (99 shown channels,
// all in use), run as the window runs them: through ChannelTableEdits, so the undo
// step each one records is included. Each should fit in one frame at 60 Hz (16 ms)
// with the window's repaint; this measures the part without the window. The edit is
// undone, untimed, before the next run, so every run starts from the same table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "bench/full_table.h"
#include "channels/channel_image.h"
#include "channels/channel_table_edits.h"
#include "channels/channel_write_review.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

std::vector<int> channels(int first, int last) {
    std::vector<int> numbers(static_cast<std::size_t>(last - first + 1));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

struct FullWindow {
    FullWindow() { session.setUp(); }

    lumo::LanguageStrings strings;
    lumo::Session session{strings};
    lumo::ChannelTable table = lumo::bench::fullTable();
    SilentDialogs dialogs;
    lumo::ChannelEditor editor{table, session, dialogs, lumo::defaultVocabulary()};
    lumo::ChannelTableEdits edits{editor, session, dialogs};
};

// Runs `edit` once per iteration with `picked` the picked channels, undoing it untimed.
template <typename Edit>
void measure(benchmark::State& state, const std::vector<int>& picked, Edit&& edit) {
    FullWindow window;
    window.edits.selection().set(picked);
    for (auto _ : state) {
        if (!edit(window.edits)) {
            state.SkipWithError("the edit was refused");
            break;
        }
        state.PauseTiming();
        if (!window.editor.undo()) {
            state.SkipWithError("the edit left no step to undo");
            break;
        }
        window.edits.selection().set(picked);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(picked.size()));
}

void BM_SortAllChannelsByRx(benchmark::State& state) {
    measure(state, channels(1, 99), [](lumo::ChannelTableEdits& edits) {
        return edits.sort(lumo::SortKey::RxFrequency, true);
    });
}
BENCHMARK(BM_SortAllChannelsByRx)->Unit(benchmark::kMicrosecond);

void BM_Move50ChannelsToTheEnd(benchmark::State& state) {
    measure(state, channels(1, 50), [](lumo::ChannelTableEdits& edits) {
        return edits.moveBefore(edits.lastChannel() + 1);
    });
}
BENCHMARK(BM_Move50ChannelsToTheEnd)->Unit(benchmark::kMicrosecond);

void BM_SetPowerOn99Channels(benchmark::State& state) {
    measure(state, channels(1, 99),
            [](lumo::ChannelTableEdits& edits) { return edits.setColumn(5, "Low"); });
}
BENCHMARK(BM_SetPowerOn99Channels)->Unit(benchmark::kMicrosecond);


// The change list Write shows first, for a full table against a radio that holds
// every channel differently (target 5 ms).
void BM_ChangeListOfAFullTable(benchmark::State& state) {
    const lumo::ChannelTable table = lumo::bench::fullTable();
    lumo::ChannelTable other = table;
    for (int row = 1; row <= lumo::ChannelCount; ++row) {
        other.setCell(12, row, "OLD");
    }
    lumo::KnownRadioChannels radio{lumo::blankMemoryImage(), "bench"};
    lumo::StoreGridToImage(other, radio.image);
    for (auto _ : state) {
        const lumo::WriteReview review = lumo::reviewChannelWrite(table, radio);
        benchmark::DoNotOptimize(review.changes.size());
    }
}
BENCHMARK(BM_ChangeListOfAFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
