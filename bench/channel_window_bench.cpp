// The channel window's edits on a full table of 128 channels, under the offscreen
// platform: leaving a frequency cell (check, round, fill the row, repaint), a paste,
// an undo, Edit menu commands on many channels, and showing the window with all 128
// rows loaded from a file. Each edit should fit in one frame at 60 Hz (16 ms); showing
// the window in 100 ms. Also the whole table printed into a PDF (target: 200 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "channels/channel_file.h"
#include "gui/channel_window.h"
#include "gui/channel_print.h"
#include "link/settings_store.h"
#include "shell/app_state.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
public:
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

// Offers one file every time the window asks.
class FixedFile final : public lumo::DocumentDialogs {
public:
    explicit FixedFile(std::filesystem::path path) : path_(std::move(path)) {}
    std::optional<std::filesystem::path> chooseOpenFile(const lumo::FileDialogKind&) override {
        return path_;
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const lumo::FileDialogKind&, const std::filesystem::path& = {}) override {
        return std::nullopt;
    }
    lumo::SaveChangesAnswer askSaveChanges(const std::string&) override {
        return lumo::SaveChangesAnswer::Discard;
    }

private:
    std::filesystem::path path_;
};

// A channel file whose 128 channels are all set, shown whole (129 rows).
std::filesystem::path fullTableFile() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("lumo-bench-" + std::to_string(getpid()) + ".chnw");
    lumo::ChannelTable table;
    table.setRowCount(lumo::ChannelTable::kRows);
    const char* fields[] = {"", "", "", "67.0", "D023N", "High", "25K", "Off", "Off", "QT", "Off", "On"};
    for (int row = 1; row < lumo::ChannelTable::kRows; ++row) {
        char mhz[16];
        std::snprintf(mhz, sizeof mhz, "446.%05d", row * 625);
        table.setCell(1, row, mhz);
        table.setCell(2, row, mhz);
        for (int column = 3; column <= 11; ++column) {
            table.setCell(column, row, fields[column]);
        }
        table.setCell(12, row, "CH" + std::to_string(row));
    }
    lumo::SaveChannelFile(table, path);
    return path;
}

struct World {
    World() : state(dialogs, std::make_unique<lumo::MemorySettingsStore>()) {
        state.session.setUp();
        state.documents = std::make_unique<FixedFile>(file);
    }
    ~World() { std::filesystem::remove(file); }
    std::filesystem::path file = fullTableFile();
    SilentDialogs dialogs;
    lumo::AppState state;
};

World& world() {
    static World instance;
    return instance;
}

// The window in a workspace as the main window holds it, which owns it.
struct Shown {
    Shown() : window(new lumo::ChannelWindow(world().state)) {
        area.resize(1000, 700);
        area.show();
        area.addSubWindow(window)->show();
        QApplication::processEvents();
    }
    lumo::ChannelWindow* operator->() const { return window; }
    QMdiArea area;
    lumo::ChannelWindow* window;
};

void BM_ShowWindowWith128Rows(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<Shown>();
        (*window)->grid()->viewport()->repaint();
        benchmark::DoNotOptimize((*window)->grid()->model()->rowCount());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowWindowWith128Rows)->Unit(benchmark::kMillisecond);

void BM_LeaveFrequencyCell(benchmark::State& state) {
    Shown window;
    lumo::ChannelEditor& editor = window->editor();
    int row = 1;
    for (auto _ : state) {
        // A new RX frequency in an emptied row: leaving it rounds and fills the row.
        state.PauseTiming();
        window->grid()->moveTo(1, row);
        for (int column = 1; column <= 12; ++column) {
            editor.table().setCell(column, row, column == 1 ? "446.004" : "");
        }
        state.ResumeTiming();
        window->grid()->moveTo(2, row);
        window->grid()->viewport()->repaint();
        row = row % 120 + 1;
    }
}
BENCHMARK(BM_LeaveFrequencyCell)->Unit(benchmark::kMicrosecond);

void BM_PasteRow(benchmark::State& state) {
    Shown window;
    lumo::ChannelEditor& editor = window->editor();
    editor.CurrentRow = 3;
    editor.runRowAction(lumo::RowAction::Copy);
    int row = 81;
    for (auto _ : state) {
        editor.CurrentRow = row;
        editor.runRowAction(lumo::RowAction::Paste);
        window->grid()->viewport()->repaint();
        row = row == 127 ? 81 : row + 1;
    }
}
BENCHMARK(BM_PasteRow)->Unit(benchmark::kMicrosecond);

void BM_UndoPaste(benchmark::State& state) {
    Shown window;
    lumo::ChannelEditor& editor = window->editor();
    editor.CurrentRow = 3;
    editor.runRowAction(lumo::RowAction::Copy);
    editor.CurrentRow = 90;
    for (auto _ : state) {
        state.PauseTiming();
        editor.runRowAction(lumo::RowAction::Clear);
        state.ResumeTiming();
        editor.undo();
        window->grid()->viewport()->repaint();
    }
}
BENCHMARK(BM_UndoPaste)->Unit(benchmark::kMicrosecond);

// Laying out and rendering the whole table (title row and 128 channels) into a PDF.
// An Edit menu command on many channels as the user gives it, the grid repainted; the
// undo that puts the table back between runs is not timed.
void runEditWithRepaint(benchmark::State& state, lumo::EditCommand command,
                        const std::vector<int>& picked) {
    Shown window;
    window->chooseSort = [](int) {
        return std::optional<lumo::SortChoice>(lumo::SortChoice{lumo::SortKey::Name, true});
    };
    window->chooseColumnValue = [](const std::string&) {
        return std::optional<lumo::ColumnChoice>(lumo::ColumnChoice{5, "Low"});
    };
    for (auto _ : state) {
        window->edits().selection().set(picked);
        window->runEdit(command);
        window->grid()->viewport()->repaint();
        state.PauseTiming();
        window->runEdit(lumo::EditCommand::Undo);
        state.ResumeTiming();
    }
}

std::vector<int> channels(int first, int last) {
    std::vector<int> rows;
    for (int row = first; row <= last; ++row) {
        rows.push_back(row);
    }
    return rows;
}

// Sorting by name turns the table round: CH1, CH10, CH11, ... CH2, ...
void BM_SortAllInTheWindow(benchmark::State& state) {
    runEditWithRepaint(state, lumo::EditCommand::Sort, {});
}
BENCHMARK(BM_SortAllInTheWindow)->Unit(benchmark::kMicrosecond);

void BM_MoveFiftyInTheWindow(benchmark::State& state) {
    runEditWithRepaint(state, lumo::EditCommand::MoveDown, channels(1, 50));
}
BENCHMARK(BM_MoveFiftyInTheWindow)->Unit(benchmark::kMicrosecond);

void BM_SetColumnOnAllInTheWindow(benchmark::State& state) {
    runEditWithRepaint(state, lumo::EditCommand::SetColumn, channels(1, 99));
}
BENCHMARK(BM_SetColumnOnAllInTheWindow)->Unit(benchmark::kMicrosecond);

void BM_PrintTableToPdf(benchmark::State& state) {
    lumo::ChannelTable table;
    SilentDialogs quiet;
    lumo::LoadChannelFile(table, world().file, quiet);
    const auto pdf = std::filesystem::temp_directory_path() /
                     ("lumo-bench-" + std::to_string(getpid()) + ".pdf");
    for (auto _ : state) {
        const auto failure = lumo::printToPdf(lumo::channelTableJob(table), pdf.string());
        benchmark::DoNotOptimize(failure);
    }
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_PrintTableToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
