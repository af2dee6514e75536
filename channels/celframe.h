#pragma once

#include <QTableWidget>
#include <memory>

#include "channels/channel_commands.h"
#include "channels/channel_table.h"
#include "shell/child_window.h"

namespace lumo {

// The channel window. For now it shows the channel table read-only and offers Read
// and Write; editing comes with the grid's own cell rules.
class TForm2 final : public ChildWindow {
    Q_OBJECT
public:
    explicit TForm2(AppState& state, QWidget* parent = nullptr);

    const ChannelTable& table() const { return table_; }
    QTableWidget* grid() const { return StringGrid1; }

protected:
    QString titleText() const override;

private:
    void Button1Click();
    void Button2Click();
    void showTable();

    ChannelTable table_;
    std::unique_ptr<ChannelCommands> commands_;
    QTableWidget* StringGrid1;
};

}  // namespace lumo
