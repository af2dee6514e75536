#include "channels/celframe.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "shell/qt_transfer_host.h"

namespace lumo {

TForm2::TForm2(AppState& state, QWidget* parent)
    : ChildWindow(state, ChildKind::Channel, parent),
      table_(state.strings),
      commands_(std::make_unique<ChannelCommands>(table_, state.session, *state.link,
                                                  state.vocabulary)),
      StringGrid1(new QTableWidget(body)) {
    setObjectName("TForm2");
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    showTable();
    resize(800, 460);
}

QString TForm2::titleText() const {
    const Session& s = state_.session;
    return QString::fromStdString(s.modeName() + "[" + shortestDecimal(s.BandLow) + "-" +
                                  shortestDecimal(s.BandHigh) + "Mhz]" +
                                  state_.strings.channelConfig);
}

void TForm2::showTable() {
    StringGrid1->clear();
    StringGrid1->setColumnCount(table_.columnCount());
    StringGrid1->setRowCount(table_.rowCount() - 1);
    QStringList titles;
    for (int column = 0; column < table_.columnCount(); ++column) {
        titles << QString::fromStdString(table_.cell(column, 0));
        StringGrid1->setColumnHidden(column, isHiddenColumn(column));
    }
    StringGrid1->setHorizontalHeaderLabels(titles);
    for (int row = 1; row < table_.rowCount(); ++row) {
        for (int column = 0; column < table_.columnCount(); ++column) {
            StringGrid1->setItem(row - 1, column,
                                 new QTableWidgetItem(QString::fromStdString(table_.cell(column, row))));
        }
    }
    StringGrid1->resizeColumnsToContents();
}

void TForm2::Button1Click() {
    if (state_.session.Busy) {
        return;
    }
    QtTransferHost host(progressBar);
    commands_->readFromRadio(host);
    showTable();
}

void TForm2::Button2Click() {
    if (state_.session.Busy) {
        return;
    }
    QtTransferHost host(progressBar);
    commands_->writeToRadio(host);
}

}  // namespace lumo
