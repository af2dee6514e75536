// The channel window under random use, offscreen: presses, drags, keys, option-box
// picks, the row menu, New, undo and redo, clicks on channel numbers, the Edit
// menu's commands on many channels, the Edit keys while an editor is open, and a mouse
// press on Save while the option box shows a pick, drawn from a seed. A pick shown at
// the press must reach the saved file; an Edit key in an editor must leave every other
// channel where it was. After every event the
// view and the editor must agree on the current cell, the grid must show the table,
// and every channel but the one being edited must be complete and rounded; at the end
// of each episode, undoing everything must give back the table it started from. A
// failure prints the seed and the shortest list of events that still fails.
//
//   channel_window_random_tests [--seeds 1,2,3] [--episodes N] [--events N] [--seconds S]
//
// With --seconds it draws fresh seeds until the time is up.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "channels/channel_file.h"
#include "gui/channel_window.h"
#include "gui/widget_names.h"
#include "tests/gui/gui_fixture.h"

using lumo::ChannelTable;
using lumo::MainCommand;
using lumo::ChannelWindow;
using lumo::kResetButtonName;
using lumo::kSaveButtonName;
using lumo::test::Fixture;

namespace {

enum class Kind { Press, Drag, Key, Type, Pick, Menu, New, Undo, Redo, Number, Edit, SavePick, EditKey };

// The Edit keys that act on channels from the grid, given while an editor is open.
const std::pair<Qt::Key, Qt::KeyboardModifiers> kEditKeys[] = {
    {Qt::Key_Delete, Qt::NoModifier},  {Qt::Key_Delete, Qt::ControlModifier},
    {Qt::Key_Insert, Qt::NoModifier},  {Qt::Key_Up, Qt::AltModifier},
    {Qt::Key_Down, Qt::AltModifier},   {Qt::Key_V, Qt::ControlModifier},
    {Qt::Key_X, Qt::ControlModifier},  {Qt::Key_A, Qt::ControlModifier}};
constexpr int kEditKeyCount = static_cast<int>(std::size(kEditKeys));

// The Edit menu's commands on many channels that a random user gives.
const lumo::EditCommand kEdits[] = {
    lumo::EditCommand::Cut,           lumo::EditCommand::Copy,
    lumo::EditCommand::Paste,         lumo::EditCommand::Delete,
    lumo::EditCommand::SelectAll,     lumo::EditCommand::InsertChannel,
    lumo::EditCommand::DeleteChannels, lumo::EditCommand::MoveUp,
    lumo::EditCommand::MoveDown,      lumo::EditCommand::Sort,
    lumo::EditCommand::SetColumn,     lumo::EditCommand::Find,
    lumo::EditCommand::FindNext};
const char* const kEditNames[] = {"Cut",         "Copy",     "Paste",     "Delete", "Select All",
                                  "Insert",      "Delete channels",       "Move up", "Move down",
                                  "Sort",        "Set column", "Find",     "Find next"};
constexpr int kEditCount = static_cast<int>(std::size(kEdits));

// What Set column is answered with: a column and a value, some of them refused.
const std::pair<int, const char*> kColumnValues[] = {
    {2, "rx"}, {2, "rx+0.5"}, {2, "rx-5"}, {2, "446.1"}, {5, "low"}, {6, "12.5K"},
    {3, "D023N"}, {11, "Off"}, {12, "ab1"}, {5, "Medium"}, {1, "446.0031"}};
constexpr int kColumnValueCount = static_cast<int>(std::size(kColumnValues));

// One thing the user does; what the numbers mean depends on the kind.
struct Event {
    Kind kind;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
};

const Qt::Key kKeys[] = {Qt::Key_0,      Qt::Key_1,      Qt::Key_4,         Qt::Key_5,
                         Qt::Key_6,      Qt::Key_9,      Qt::Key_Period,    Qt::Key_A,
                         Qt::Key_K,      Qt::Key_Z,      Qt::Key_Backspace, Qt::Key_Delete,
                         Qt::Key_Return, Qt::Key_Tab,    Qt::Key_Backtab,   Qt::Key_Left,
                         Qt::Key_Right,  Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Home,
                         Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown,  Qt::Key_Escape};
constexpr int kKeyCount = static_cast<int>(std::size(kKeys));

// A frequency as a user types one, often in the band, sometimes not quite.
std::string typed(const Event& e) {
    return "4" + std::to_string(e.a % 10 == 0 ? 3 : 4) + std::to_string(e.a / 10 % 10) + "." +
           std::to_string(e.b);
}

std::string describe(const Event& e) {
    char text[96];
    switch (e.kind) {
        case Kind::Press:
            std::snprintf(text, sizeof text, "press at (%d,%d)", e.a, e.b);
            break;
        case Kind::Drag:
            std::snprintf(text, sizeof text, "drag (%d,%d) to (%d,%d)", e.a, e.b, e.c, e.d);
            break;
        case Kind::Key:
            std::snprintf(text, sizeof text, "key %s",
                          QKeySequence(kKeys[e.a]).toString().toStdString().c_str());
            break;
        case Kind::Type:
            std::snprintf(text, sizeof text, "type %s", typed(e).c_str());
            break;
        case Kind::Pick:
            std::snprintf(text, sizeof text, "pick entry %d%s, leave by %s", e.a,
                          e.b ? " (as typed nonsense)" : "", e.c ? "Tab" : "a click on the grid");
            break;
        case Kind::Menu:
            std::snprintf(text, sizeof text, "row menu %s",
                          e.a == 0   ? "Copy"
                          : e.a == 1 ? "Paste"
                                     : "Clear");
            break;
        case Kind::New:
            return "New";
        case Kind::Undo:
            return "Ctrl+Z";
        case Kind::Redo:
            return "Ctrl+Y";
        case Kind::Number:
            std::snprintf(text, sizeof text, "%sclick the number at y %d",
                          e.b == 1 ? "Shift-" : e.b == 2 ? "Ctrl-" : "", e.a);
            break;
        case Kind::Edit:
            std::snprintf(text, sizeof text, "Edit, %s (choice %d, %d)", kEditNames[e.a], e.b, e.c);
            break;
        case Kind::SavePick:
            std::snprintf(text, sizeof text, "pick entry %d, then press Save with the mouse", e.a);
            break;
        case Kind::EditKey:
            std::snprintf(text, sizeof text, "in an editor, key %s",
                          QKeySequence(kEditKeys[e.a].first | kEditKeys[e.a].second)
                              .toString()
                              .toStdString()
                              .c_str());
            break;
    }
    return text;
}

Event draw(std::mt19937& random, QSize viewport) {
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int roll = below(120);
    if (roll >= 116) {
        return {Kind::SavePick, below(60)};
    }
    if (roll >= 112) {
        return {Kind::EditKey, below(kEditKeyCount)};
    }
    if (roll >= 104) {
        return {Kind::Edit, below(kEditCount), below(kColumnValueCount), below(6)};
    }
    if (roll >= 100) {
        return {Kind::Number, below(viewport.height()), below(3)};
    }
    if (roll < 22) {
        return {Kind::Press, below(viewport.width()), below(viewport.height())};
    }
    if (roll < 30) {
        return {Kind::Drag, below(viewport.width()), below(viewport.height()),
                below(viewport.width()), below(viewport.height())};
    }
    if (roll < 40) {
        return {Kind::Type, below(100), below(100000)};
    }
    if (roll < 75) {
        // Digits and the point most often, so that frequencies get typed.
        const int digitOrPoint = below(7);
        return {Kind::Key, below(3) != 0 ? digitOrPoint : below(kKeyCount)};
    }
    if (roll < 85) {
        return {Kind::Pick, below(60), below(8) == 0 ? 1 : 0, below(2)};
    }
    if (roll < 92) {
        return {Kind::Menu, below(3)};
    }
    if (roll < 93) {
        return {Kind::New};
    }
    return {roll < 97 ? Kind::Undo : Kind::Redo};
}

QWidget* focusOr(QWidget* fallback) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : fallback;
}

// Whether a cell's editor or the option box has the focus.
bool editorOpen(ChannelWindow* window) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && focus != window->grid() && window->grid()->isAncestorOf(focus);
}

// Plays one event; what it alone must keep to, if that broke.
std::optional<std::string> apply(Fixture& f, ChannelWindow* window, const Event& e) {
    QWidget* viewport = window->grid()->viewport();
    std::optional<std::string> broke;
    switch (e.kind) {
        case Kind::Press:
            QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(e.a, e.b));
            break;
        case Kind::Drag: {
            QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(e.a, e.b));
            // Through a point halfway, as a hand passes over the cells between.
            for (const QPoint at : {QPoint((e.a + e.c) / 2, (e.b + e.d) / 2), QPoint(e.c, e.d)}) {
                QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                                 Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(viewport, &move);
            }
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(e.c, e.d));
            break;
        }
        case Kind::Key: {
            const Qt::Key key = kKeys[e.a];
            QTest::keyClick(focusOr(window->grid()), key);
            break;
        }
        case Kind::Type:
            for (const char character : typed(e)) {
                QTest::keyClick(focusOr(window->grid()), character);
            }
            break;
        case Kind::Pick: {
            QComboBox* box = window->comboBox();
            if (!box->isVisible() || box->count() == 0) {
                break;
            }
            box->setEditText(e.b ? QString("X%1").arg(e.a) : box->itemText(e.a % box->count()));
            if (e.c) {
                QTest::keyClick(focusOr(box), Qt::Key_Tab);
            } else {
                window->grid()->setFocus();
            }
            break;
        }
        case Kind::Menu:
            window->rowMenu()->actions()[e.a]->trigger();
            break;
        case Kind::New:
            window->findChild<QPushButton*>(kResetButtonName)->click();
            break;
        case Kind::Undo:
            QTest::keyClick(focusOr(window->grid()), Qt::Key_Z, Qt::ControlModifier);
            break;
        case Kind::Redo:
            QTest::keyClick(focusOr(window->grid()), Qt::Key_Y, Qt::ControlModifier);
            break;
        case Kind::Number: {
            const int x = window->grid()->columnViewportPosition(0) + 5;
            const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                       Qt::ControlModifier};
            QTest::mouseClick(viewport, Qt::LeftButton, modifiers[e.b], QPoint(x, e.a));
            break;
        }
        case Kind::Edit: {
            const auto [column, value] = kColumnValues[e.b];
            window->chooseSort = [&e](int) {
                const lumo::SortKey keys[] = {lumo::SortKey::RxFrequency, lumo::SortKey::TxFrequency,
                                              lumo::SortKey::Name};
                return std::optional<lumo::SortChoice>({keys[e.c % 3], e.c >= 3});
            };
            window->chooseColumnValue = [column, value](const std::string&) {
                return std::optional<lumo::ColumnChoice>({column, value});
            };
            window->chooseFindText = [&e](const QString&) {
                return std::optional<QString>(e.c % 2 ? "446" : "A");
            };
            window->runEdit(kEdits[e.a]);
            break;
        }
        case Kind::SavePick: {
            QComboBox* box = window->comboBox();
            if (!box->isVisible() || box->count() == 0) {
                break;
            }
            const std::string entry = box->itemText(e.a % box->count()).toStdString();
            box->setCurrentIndex(e.a % box->count());
            const int column = window->editor().CurrentCol;
            const int row = window->editor().CurrentRow;
            const auto file = std::filesystem::path(f.dir.filePath("random.chnw").toStdString());
            f.documents->saveAnswers = {file};
            QTest::mouseClick(window->findChild<QPushButton*>(kSaveButtonName), Qt::LeftButton);
            ChannelTable saved;
            lumo::test::ScriptedDialogs quiet;
            if (!lumo::LoadChannelFile(saved, file, quiet) || saved.cell(column, row) != entry) {
                broke = "the pick \"" + entry + "\" shown at the press on Save is not in the file";
            }
            window->grid()->setFocus();
            break;
        }
        case Kind::EditKey: {
            if (!editorOpen(window)) {
                break;
            }
            const ChannelTable before = window->table();
            const int editing = window->editor().CurrentRow;
            const auto [key, modifiers] = kEditKeys[e.a];
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            for (int row = 1; row < ChannelTable::kRows; ++row) {
                for (int column = 1; column < ChannelTable::kColumns && row != editing; ++column) {
                    if (window->table().cell(column, row) != before.cell(column, row)) {
                        broke = "an Edit key in an editor changed channel " + std::to_string(row);
                    }
                }
            }
            break;
        }
    }
    QCoreApplication::processEvents();
    return broke;
}

bool isEntry(const std::vector<std::string>& entries, const std::string& text) {
    return std::find(entries.begin(), entries.end(), text) != entries.end();
}

// What the window must always hold to; the first broken rule, or nothing.
std::optional<std::string> broken(ChannelWindow* window, const lumo::AppState& state) {
    const ChannelTable& table = window->table();
    const lumo::ChannelEditor& editor = window->editor();
    const QModelIndex current = window->grid()->currentIndex();
    if (current.column() != editor.CurrentCol || current.row() + 1 != editor.CurrentRow) {
        return "the view's current cell (" + std::to_string(current.column()) + "," +
               std::to_string(current.row() + 1) + ") is not the editor's (" +
               std::to_string(editor.CurrentCol) + "," + std::to_string(editor.CurrentRow) + ")";
    }
    if (editor.CurrentCol == 0 || editor.CurrentCol == 10) {
        return "column " + std::to_string(editor.CurrentCol) + " is current";
    }
    const QAbstractItemModel* model = window->grid()->model();
    if (model->rowCount() != table.rowCount() - 1) {
        return "the grid shows " + std::to_string(model->rowCount()) + " channels, the table has " +
               std::to_string(table.rowCount() - 1);
    }
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int column = 0; column < ChannelTable::kColumns; ++column) {
            if (model->index(row - 1, column).data().toString().toStdString() !=
                table.cell(column, row)) {
                return "cell (" + std::to_string(column) + "," + std::to_string(row) +
                       ") is shown wrong";
            }
        }
    }
    for (auto* line :
         window->grid()->viewport()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (line->isVisible() &&
            line->text().toStdString() != table.cell(editor.CurrentCol, editor.CurrentRow)) {
            return "the cell editor shows \"" + line->text().toStdString() +
                   "\", the cell holds \"" + table.cell(editor.CurrentCol, editor.CurrentRow) +
                   "\"";
        }
    }
    if (window->comboBox()->isVisible() && !editor.combo().showing) {
        return "the option box shows though the editor has hidden it";
    }

    static const QRegularExpression frequency("^4[45][0-9]\\.[0-9]{5}$");
    const auto inBand = [](const std::string& text) {
        const double mhz = std::stod(text);
        return mhz >= 440.0 && mhz <= 451.0;
    };
    const lumo::LanguageStrings& s = state.strings;
    const std::vector<std::vector<std::string>> entries{{},
                                                        {},
                                                        {},
                                                        state.vocabulary.toneList,
                                                        state.vocabulary.toneList,
                                                        {s.wordHigh, s.wordLow},
                                                        {s.word25K, s.word12_5K},
                                                        {s.wordOff, s.wordOn},
                                                        {s.wordOff, "DTMF"},
                                                        {"QT", "QT+DTMF", "QT*DTMF"},
                                                        {s.wordOff, s.wordOn},
                                                        {s.wordOff, s.wordOn}};
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string& rx = table.cell(1, row);
        if (row == editor.CurrentRow || rx.empty()) {
            continue;
        }
        const std::string where = "channel " + std::to_string(row) + ": ";
        const std::string& tx = table.cell(2, row);
        if (!frequency.match(QString::fromStdString(rx)).hasMatch() || !inBand(rx)) {
            return where + "RX \"" + rx + "\" is not a rounded frequency in the band";
        }
        if (!tx.empty() &&
            (!frequency.match(QString::fromStdString(tx)).hasMatch() || !inBand(tx))) {
            return where + "TX \"" + tx + "\" is not a rounded frequency in the band";
        }
        for (int column = 3; column <= 11; ++column) {
            if (!isEntry(entries[static_cast<std::size_t>(column)], table.cell(column, row))) {
                return where + "column " + std::to_string(column) + " holds \"" +
                       table.cell(column, row) + "\"";
            }
        }
    }
    return std::nullopt;
}

struct Failure {
    std::size_t eventCount;  // events applied when it failed
    std::string what;
};

// Plays `events` in a fresh window; the first rule broken, after which event.
std::optional<Failure> play(const std::vector<Event>& events) {
    Fixture f;
    f.window->activateWindow();
    auto* window = static_cast<ChannelWindow*>(f.open(MainCommand::Channel));
    QApplication::setActiveWindow(f.window.get());
    window->grid()->setFocus();
    QCoreApplication::processEvents();
    const ChannelTable start = window->table();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (auto what = apply(f, window, events[i])) {
            return Failure{i + 1, *what};
        }
        if (auto what = broken(window, *f.state)) {
            return Failure{i + 1, *what};
        }
    }
    // Undoing everything gives back the table the episode started from.
    window->grid()->setFocus();
    QTest::keyClick(window->grid(), Qt::Key_Escape);
    lumo::ChannelEditor& editor = window->editor();
    while (editor.undo()) {
    }
    if (!(window->table() == start)) {
        return Failure{events.size(), "undoing every step does not give back the starting table"};
    }
    return std::nullopt;
}

// The shortest list found by dropping ever smaller runs of events while it still fails.
std::vector<Event> shrink(std::vector<Event> events) {
    for (std::size_t run = events.size() / 2; run >= 1; run /= 2) {
        for (std::size_t from = 0; from + run <= events.size();) {
            std::vector<Event> fewer(events.begin(),
                                     events.begin() + static_cast<std::ptrdiff_t>(from));
            fewer.insert(fewer.end(), events.begin() + static_cast<std::ptrdiff_t>(from + run),
                         events.end());
            if (play(fewer)) {
                events = std::move(fewer);
            } else {
                from += run;
            }
        }
    }
    return events;
}

std::vector<Event> episodeEvents(std::mt19937& random, int count) {
    // The grid's viewport as the window lays it out; events far outside it press nothing.
    const QSize viewport(560, 340);
    std::vector<Event> events;
    for (int i = 0; i < count; ++i) {
        events.push_back(draw(random, viewport));
    }
    return events;
}

// Runs `episodes` episodes of `count` events from `seed`. Prints and returns false on
// the first failure.
bool runSeed(unsigned seed, int episodes, int count) {
    std::mt19937 random(seed);
    for (int episode = 0; episode < episodes; ++episode) {
        std::vector<Event> events = episodeEvents(random, count);
        const auto failure = play(events);
        if (!failure) {
            continue;
        }
        events.resize(failure->eventCount);
        const std::vector<Event> shortest = shrink(events);
        const auto again = play(shortest);
        std::printf("FAIL seed %u, episode %d: %s\n", seed, episode + 1,
                    (again ? again->what : failure->what).c_str());
        std::printf("shortest list of events that still fails (%zu):\n", shortest.size());
        for (const Event& e : shortest) {
            std::printf("  %s\n", describe(e).c_str());
        }
        return false;
    }
    std::printf("seed %u: %d episodes of %d events, every rule kept\n", seed, episodes, count);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<unsigned> seeds{1, 2, 3};
    int episodes = 6;
    int count = 250;
    int seconds = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--seeds") {
            seeds.clear();
            for (const QString& part : QString::fromStdString(value).split(',')) {
                seeds.push_back(part.toUInt());
            }
        } else if (option == "--episodes") {
            episodes = std::stoi(value);
        } else if (option == "--events") {
            count = std::stoi(value);
        } else if (option == "--seconds") {
            seconds = std::stoi(value);
        }
    }
    // The window tests' own setting: a settings and data folder apart, Qt started.
    return lumo::test::runWithApplication(argc, argv, [&] {
        if (seconds > 0) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            std::random_device fresh;
            while (std::chrono::steady_clock::now() < end) {
                if (!runSeed(fresh(), episodes, count)) {
                    return 1;
                }
            }
            return 0;
        }
        for (const unsigned seed : seeds) {
            if (!runSeed(seed, episodes, count)) {
                return 1;
            }
        }
        return 0;
    });
}
