// The channel window: the grid of 128 channels with its option boxes, row menu and buttons.
#pragma once

#include <QComboBox>
#include <QMenu>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "channels/channel_commands.h"
#include "channels/channel_document.h"
#include "channels/channel_editor.h"
#include "channels/channel_table.h"
#include "channels/channel_table_edits.h"
#include "gui/channel_edit_dialogs.h"
#include "gui/write_review_dialog.h"
#include "gui/channel_grid.h"
#include "gui/child_window.h"
#include "shell/channel_write_subject.h"
#include "shell/write_flow.h"

namespace lumo {

class QtTransferHost;

// The Edit menu's commands on the channel window.
enum class EditCommand {
    Undo, Redo, Cut, Copy, Paste, Delete, SelectAll, Find, FindNext,
    InsertChannel, DeleteChannels, MoveUp, MoveDown, Sort, SetColumn
};

// The channel window: the channel table as an editable grid, with the option box over
// option cells, the row popup menu, and the Read, Write, New, Save, Open and Close
// buttons. The rules live in ChannelEditor and ChannelDocument; this class shows the
// table and forwards what the user does.
class ChannelWindow final : public ChildWindow {
    Q_OBJECT
public:
    explicit ChannelWindow(AppState& state, QWidget* parent = nullptr);
    ~ChannelWindow() override;

    const ChannelTable& table() const { return table_; }
    ChannelEditor& editor() { return editor_; }
    ChannelGridView* grid() const { return grid_; }
    QComboBox* comboBox() const { return optionBox_; }
    QMenu* rowMenu() const { return rowMenu_; }
    void commitPendingPick() override;

    // An Edit menu command; nothing while a transfer runs.
    void runEdit(EditCommand command);
    ChannelTableEdits& edits() { return edits_; }
    // Whether the grid shows the name column.
    bool namesShown() const { return namesShown_; }
    void setNamesShown(bool shown);
    // Starts the table afresh from a template: one undo step, no file behind it; Save
    // then proposes `proposedName`.
    void newFromTable(const ChannelTable& table, const std::string& proposedName = kNewChannelsName);
    void newFromTemplateFile(const std::filesystem::path& file);
    // A backup's channels into the table, as one undo step, to write or undo.
    void openBackup(const std::filesystem::path& image);

    // The dialogs the Edit commands ask through; tests answer them.
    std::function<std::optional<SortChoice>(int picked)> chooseSort;
    std::function<std::optional<ColumnChoice>(const std::string& targets)> chooseColumnValue;
    std::function<std::optional<QString>(const QString& last)> chooseFindText;
    // The review before a write.
    std::function<ReviewAnswer(const WriteReview& review)> confirmWrite;

signals:
    void namesShownChanged(bool shown);

protected:
    QString titleText() const override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool mayClose() override;
    void stopTransfer() override;

private:
    // The window's first show: the table is made ready and a channel file offered.
    void firstShow();
    void layoutGrid();
    void readFromRadio();
    void writeToRadio();
    void newTable();
    void saveTable();
    void openTable();
    void runRowAction(RowAction action);
    void onEnter();
    void undoStep(bool redo);
    void findNext();
    void pickNumber(int row, Qt::KeyboardModifiers modifiers);
    void dropNumbers(int beforeRow);
    // Shows the table, the cursor and the option box after an edit.
    void afterEdit();
    // Shows the option box over the current cell, or hides it, as the editor says.
    void showCurrentCell();
    void placeComboBox();
    void dropPendingPick();
    void hideComboBox();
    void onFocusChanged(QWidget* old, QWidget* now);
    void selectComboEntryOfCurrentCell();

    ChannelTable table_;
    ChannelEditor editor_;
    ChannelTableEdits edits_;
    ChannelDocument document_;
    std::unique_ptr<ChannelCommands> commands_;
    ChannelWriteSubject subject_;
    WriteFlow flow_;
    QWidget* gridPanel_;  // the panel around the grid
    ChannelGridView* grid_;
    ChannelGridModel* model_;
    ChannelCellDelegate* delegate_;
    QComboBox* optionBox_;
    QMenu* rowMenu_;
    std::vector<std::string> comboEntries_;
    QAction* namesEntry_ = nullptr;
    bool namesShown_ = false;
    QString lastFind_;
    ColumnChoice lastColumnChoice_;
    bool formShown_ = false;
    bool leavingCombo_ = false;
};

}  // namespace lumo
