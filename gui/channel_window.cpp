// The channel window: the grid of 128 channels with its option boxes, row menu and buttons.
#include "gui/channel_window.h"

#include <QApplication>
#include <algorithm>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "channels/channel_cell_speech.h"
#include "channels/channel_templates.h"
#include "channels/channel_image.h"
#include "channels/image_file.h"
#include "shell/backups.h"
#include "shell/preferences.h"
#include "gui/appearance.h"
#include "gui/qt_transfer_host.h"
#include "gui/widget_names.h"

namespace lumo {
namespace {

// Channel rows the grid shows without scrolling.
constexpr int kVisibleRows = 16;
constexpr int kRowHeight = 21;
constexpr int kComboHeight = 21;
constexpr int kNameColumn = 12;
const std::string kNamesShownKey = kShowChannelNamesKey;

}  // namespace

ChannelWindow::ChannelWindow(AppState& state, QWidget* parent)
    : ChildWindow(state, ChildKind::Channel, parent),
      table_(state.strings),
      editor_(table_, state.session, state.dialogs, state.vocabulary),
      edits_(editor_, state.session, state.dialogs, state.vocabulary),
      document_(editor_, state.session, *state.documents, state.dialogs),
      commands_(std::make_unique<ChannelCommands>(table_, state.session, *state.link,
                                                  state.vocabulary)),
      subject_(table_, *commands_, editor_, state.session, state.vocabulary),
      flow_(subject_, state.channelsOnRadio, *state.link,
            flowFrontEnd([this](const WriteReview& review) { return confirmWrite(review); })) {
    setObjectName(kChannelWindowName);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    gridPanel_ = new QWidget(body);
    gridPanel_->setObjectName(kGridPanelName);
    layout->addWidget(gridPanel_, 0, Qt::AlignHCenter | Qt::AlignTop);
    grid_ = new ChannelGridView(gridPanel_);
    grid_->setObjectName(kGridName);
    grid_->setAccessibleName("Channels");
    grid_->setAccessibleDescription(
        "One row per channel. Arrow keys move between cells; type a frequency or a name, "
        "and pick an option with the list that opens on its cell.");
    grid_->move(3, 3);
    model_ = new ChannelGridModel(editor_, edits_.selection(), this);
    delegate_ = new ChannelCellDelegate(editor_, this);
    grid_->setModel(model_);
    grid_->setItemDelegate(delegate_);
    grid_->selectCell = [this](int column, int row) {
        // While a transfer runs the grid is read-only and its cursor stays, so what
        // leaving the cell does is applied once the transfer is over.
        if (state_.session.Busy) {
            return false;
        }
        const bool allowed = editor_.mayEnterCell(column, row);
        // Once the view has settled on its cursor, the option box follows.
        QMetaObject::invokeMethod(this, &ChannelWindow::showCurrentCell, Qt::QueuedConnection);
        return allowed;
    };

    optionBox_ = new QComboBox(grid_->viewport());
    optionBox_->setObjectName(kOptionBoxName);
    optionBox_->setEditable(true);
    optionBox_->setInsertPolicy(QComboBox::NoInsert);
    optionBox_->setMaxVisibleItems(16);
    optionBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The box and its open list stand on the grid's light cells under any palette.
    optionBox_->setPalette(lightGroundsOf(optionBox_->palette()));
    optionBox_->view()->setPalette(optionBox_->palette());
    optionBox_->view()->window()->setPalette(optionBox_->palette());
    optionBox_->hide();
    optionBox_->installEventFilter(this);
    optionBox_->lineEdit()->installEventFilter(this);

    rowMenu_ = new QMenu(this);
    rowMenu_->setObjectName(kRowMenuName);
    const std::pair<const char*, RowAction> entries[] = {
        {"Copy(&C)", RowAction::Copy}, {"Paste(&V)", RowAction::Paste}, {"Clear(&D)", RowAction::Clear}};
    for (const auto& [caption, action] : entries) {
        QAction* item = rowMenu_->addAction(caption);
        item->setData(static_cast<int>(action));
        connect(item, &QAction::triggered, this, [this, action] { runRowAction(action); });
    }
    rowMenu_->addSeparator();
    namesEntry_ = rowMenu_->addAction("Show channel names");
    namesEntry_->setCheckable(true);
    connect(namesEntry_, &QAction::toggled, this, &ChannelWindow::setNamesShown);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        rowMenu_->popup(grid_->viewport()->mapToGlobal(at));
    });

    editor_.changed = [this] { model_->refresh(); };
    commands_->tableLoaded = [this] {
        model_->refresh();
        selectComboEntryOfCurrentCell();
        grid_->viewport()->repaint();
    };
    connect(grid_, &ChannelGridView::enterPressed, this, &ChannelWindow::onEnter);
    connect(delegate_, &ChannelCellDelegate::enterPressed, this, &ChannelWindow::onEnter);
    connect(grid_, &ChannelGridView::numberClicked, this, &ChannelWindow::pickNumber);
    connect(grid_, &ChannelGridView::numbersDropped, this, &ChannelWindow::dropNumbers);
    connect(grid_, &ChannelGridView::cellClicked, this, [this] {
        if (!edits_.selection().empty()) {
            edits_.selection().clear();
            model_->refreshNumbers();
        }
    });
    grid_->isPicked = [this](int row) { return edits_.selection().contains(row); };
    chooseSort = [this](int picked) { return askSort(this, picked); };
    chooseColumnValue = [this](const std::string& targets) {
        return askColumnValue(this, state_.strings, state_.vocabulary, targets, lastColumnChoice_);
    };
    chooseFindText = [this](const QString& last) { return askFindText(this, last); };
    confirmWrite = [this](const WriteReview& review) {
        return askWriteReview(this, review, "channel table");
    };
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelWindow::placeComboBox);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelWindow::placeComboBox);
    connect(qApp, &QApplication::focusChanged, this, &ChannelWindow::onFocusChanged);

    // Escape during a transfer is the StopKey's; here it drops a pick or the picked
    // channels.
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] {
        if (!state_.session.Busy && optionBox_->isVisible()) {
            dropPendingPick();
            return;
        }
        if (!state_.session.Busy && !edits_.selection().empty()) {
            edits_.selection().clear();
            model_->refreshNumbers();
            return;
        }
        askToStopTransfer();
    });
    stop->setContext(Qt::WidgetWithChildrenShortcut);

    connect(readButton_, &QPushButton::clicked, this, &ChannelWindow::readFromRadio);
    connect(writeButton_, &QPushButton::clicked, this, &ChannelWindow::writeToRadio);
    connect(resetButton_, &QPushButton::clicked, this, &ChannelWindow::newTable);
    connect(saveButton_, &QPushButton::clicked, this, &ChannelWindow::saveTable);
    connect(openButton_, &QPushButton::clicked, this, &ChannelWindow::openTable);
    // The name column is off until the user asks for it, so the window first looks as
    // it always has.
    namesShown_ = state_.store && state_.store->value(kNamesShownKey).value_or("") == "true";
    namesEntry_->setChecked(namesShown_);
    chainFocus({grid_});
    layoutGrid();
}

ChannelWindow::~ChannelWindow() {
    // The widgets die after the members: no focus change may reach a half-gone window.
    disconnect(qApp, nullptr, this, nullptr);
    editor_.changed = nullptr;
}

QString ChannelWindow::titleText() const {
    const Session& s = state_.session;
    return QString::fromStdString(s.modeName() + "[" + shortestDecimal(s.BandLow) + "-" +
                                  shortestDecimal(s.BandHigh) + "Mhz]" +
                                  state_.strings.channelConfig);
}

// Column widths from the titles, hidden columns 8, 9 and 12, and the window sized by
// the grid.
void ChannelWindow::layoutGrid() {
    const QFontMetrics metrics(grid_->font());
    int shownWidth = 0;
    for (int column = 0; column < table_.columnCount(); ++column) {
        const bool hidden = isHiddenColumn(column) && !(column == kNameColumn && namesShown_);
        grid_->setColumnHidden(column, hidden);
        if (!hidden) {
            const int width = metrics.horizontalAdvance(QString::fromStdString(table_.cell(column, 0))) + 5;
            grid_->setColumnWidth(column, width);
            shownWidth += width;
        }
    }
    const int frame = 2 * grid_->frameWidth();
    const int gridHeight = kRowHeight * (kVisibleRows + 1) + frame;
    grid_->setFixedSize(shownWidth + 38, gridHeight);
    gridPanel_->setFixedSize(grid_->width() + 6, gridHeight + 6);
    setFixedSize(shownWidth + 68, gridHeight + 88);
    if (QWidget* outer = ChildWindow::frame(); outer != this) {
        outer->adjustSize();
    }
}

void ChannelWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (!formShown_) {
        formShown_ = true;
        firstShow();
    }
}

void ChannelWindow::firstShow() {
    editor_.beginShow();
    model_->refresh();
    if (state_.session.Busy) {
        return;
    }
    // A channel file is offered every time the window is created; Cancel keeps the
    // empty table.
    document_.loadChosenFile();
    editor_.finishShow();
    editor_.markUnmodified();
    hideComboBox();
    grid_->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
    grid_->setFocus();
}

bool ChannelWindow::mayClose() {
    // A pick still shown in the option box is a change like any other.
    commitPendingPick();
    return document_.confirmClose();
}

void ChannelWindow::commitPendingPick() {
    if (editor_.combo().showing && optionBox_->isVisible()) {
        editor_.leaveOptionBox(optionBox_->currentText().toStdString(), true);
    }
    hideComboBox();
}

// Escape in the box: it closes and the pick is dropped.
void ChannelWindow::dropPendingPick() {
    editor_.hideCombo();
    hideComboBox();
}

// Hiding a widget that has the focus lets Qt pass the focus on as Tab would, which
// would move the grid's cursor; the focus goes back to the grid on its cell first,
// without handing over the box's text.
void ChannelWindow::hideComboBox() {
    QWidget* focus = QApplication::focusWidget();
    if (optionBox_->isVisible() && focus != nullptr &&
        (focus == optionBox_ || optionBox_->isAncestorOf(focus))) {
        leavingCombo_ = true;
        grid_->setFocus();
        leavingCombo_ = false;
    }
    optionBox_->hide();
}

// Escape leaves the box as it was; Enter, Tab and Shift+Tab give the focus back to the
// grid, which takes the box's text.
bool ChannelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && optionBox_->isVisible() &&
        (watched == optionBox_ || watched == optionBox_->lineEdit())) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !state_.session.Busy) {
            dropPendingPick();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
            key == Qt::Key_Backtab) {
            grid_->setFocus();
            return true;
        }
        // Across a row without Enter between columns: the shown entry goes to the cell
        // as with Tab, then the grid moves on as its own arrow keys move it.
        const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
        if ((key == Qt::Key_Right || key == Qt::Key_Left) && modifiers == Qt::NoModifier) {
            grid_->setFocus();
            QKeyEvent move(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(grid_, &move);
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void ChannelWindow::showCurrentCell() {
    editor_.placeCurrentCell();
    const ComboState& combo = editor_.combo();
    if (!combo.showing) {
        hideComboBox();
        return;
    }
    if (combo.entries != comboEntries_) {
        comboEntries_ = combo.entries;
        QStringList items;
        items.reserve(static_cast<qsizetype>(comboEntries_.size()));
        for (const std::string& entry : comboEntries_) {
            items << QString::fromStdString(entry);
        }
        optionBox_->clear();
        optionBox_->addItems(items);
    }
    optionBox_->setCurrentIndex(combo.selected);
    // The box stands in for its cell, so it says where it is. Linux screen readers take
    // a combo box's name from its value, and read the description after it.
    const QString place =
        QString::fromStdString(spokenCellPlace(table_, editor_.CurrentCol, editor_.CurrentRow));
    optionBox_->setAccessibleName(place);
    optionBox_->setAccessibleDescription(place);
    placeComboBox();
    optionBox_->show();
    optionBox_->raise();
    optionBox_->setFocus();
}

void ChannelWindow::placeComboBox() {
    if (!editor_.combo().showing) {
        return;
    }
    const QRect cell = grid_->visualRect(model_->index(editor_.CurrentRow - 1, editor_.CurrentCol));
    // A column as narrow as its title would cut "12.5K": the box may reach over the next
    // cell so that its longest entry shows whole.
    const int width = std::max(cell.width(), optionBox_->sizeHint().width());
    optionBox_->setGeometry(cell.x(), cell.y(), width, kComboHeight);
}

void ChannelWindow::selectComboEntryOfCurrentCell() {
    if (!optionBox_->isVisible() || editor_.CurrentRow < 1 || editor_.CurrentRow >= ChannelTable::kRows ||
        editor_.CurrentCol < 0 || editor_.CurrentCol >= ChannelTable::kColumns) {
        return;
    }
    const QString cell = QString::fromStdString(table_.cell(editor_.CurrentCol, editor_.CurrentRow));
    optionBox_->setCurrentIndex(editor_.comboEntryFor(cell.toUpper().toStdString()));
}

void ChannelWindow::onFocusChanged(QWidget* old, QWidget* now) {
    if (leavingCombo_ || !optionBox_->isVisible() || now == nullptr) {
        return;
    }
    const auto inCombo = [this](QWidget* w) {
        if (w == nullptr) {
            return false;
        }
        QWidget* popup = optionBox_->view() != nullptr ? optionBox_->view()->window() : nullptr;
        return w == optionBox_ || optionBox_->isAncestorOf(w) || (popup != nullptr && w->window() == popup);
    };
    if (!inCombo(old) || inCombo(now)) {
        return;
    }
    // Wherever the focus goes (the grid, a button pressed with the mouse, another
    // window), the entry the box shows is the user's pick and reaches the cell; only
    // Escape drops it, and that never comes here.
    leavingCombo_ = true;
    editor_.leaveOptionBox(optionBox_->currentText().toStdString(), true);
    optionBox_->hide();
    leavingCombo_ = false;
}

void ChannelWindow::onEnter() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const int column = current.column();
    const int row = current.row() + 1;
    const auto [toColumn, toRow] = editor_.enterTarget(column, row);
    if (toColumn == column && toRow == row) {
        return;
    }
    grid_->closeCellEditor();
    grid_->moveTo(toColumn, toRow);
    grid_->setFocus();
}

void ChannelWindow::runRowAction(RowAction action) {
    if (action != RowAction::Copy) {
        grid_->closeCellEditor();
    }
    editor_.runRowAction(action);
    showCurrentCell();
}

void ChannelWindow::undoStep(bool redo) {
    grid_->closeCellEditor();
    if (redo ? editor_.redo() : editor_.undo()) {
        grid_->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
        showCurrentCell();
    }
}

void ChannelWindow::readFromRadio() {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    QtTransferHost host(progressBar);
    flow_.read(host);
}

void ChannelWindow::stopTransfer() {
    flow_.requestStop();
}

void ChannelWindow::writeToRadio() {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    const Preferences preferences = loadPreferences(*state_.store);
    QtTransferHost host(progressBar);
    flow_.write(host, {preferences.reviewBeforeWrite, preferences.verifyAfterWrite});
}

void ChannelWindow::newTable() {
    commitPendingPick();
    grid_->closeCellEditor();
    document_.newTable();
    showCurrentCell();
}

void ChannelWindow::saveTable() {
    commitPendingPick();
    grid_->closeCellEditor();
    document_.saveTable();
    showCurrentCell();
}

void ChannelWindow::openTable() {
    commitPendingPick();
    grid_->closeCellEditor();
    document_.openTable();
    showCurrentCell();
}

}  // namespace lumo

namespace lumo {

void ChannelWindow::setNamesShown(bool shown) {
    if (shown == namesShown_) {
        return;
    }
    namesShown_ = shown;
    if (state_.store) {
        state_.store->setValue(kNamesShownKey, shown ? "true" : "false");
    }
    namesEntry_->setChecked(shown);
    layoutGrid();
    placeComboBox();
    emit namesShownChanged(shown);
}

void ChannelWindow::afterEdit() {
    model_->refresh();
    grid_->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
    grid_->scrollTo(grid_->currentIndex());
    editor_.PlaceCombo = true;
    showCurrentCell();
}

void ChannelWindow::runEdit(EditCommand command) {
    if (state_.session.Busy) {
        return;
    }
    // Undo steps back over what the table holds; a pick not yet taken is dropped.
    if (command == EditCommand::Undo || command == EditCommand::Redo) {
        undoStep(command == EditCommand::Redo);
        return;
    }
    commitPendingPick();
    grid_->closeCellEditor();
    switch (command) {
        case EditCommand::Undo:
        case EditCommand::Redo: break;
        case EditCommand::Copy:
        case EditCommand::Cut:
            if (const auto text = edits_.copy()) {
                QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
                if (command == EditCommand::Cut) {
                    edits_.clearChannels();
                }
            }
            break;
        case EditCommand::Paste:
            edits_.paste(QGuiApplication::clipboard()->text().toStdString());
            break;
        case EditCommand::Delete: edits_.clearChannels(); break;
        case EditCommand::SelectAll: edits_.selection().selectAll(edits_.lastChannel()); break;
        case EditCommand::Find:
            if (const auto query = chooseFindText(lastFind_)) {
                lastFind_ = *query;
                findNext();
            }
            break;
        case EditCommand::FindNext:
            if (lastFind_.isEmpty()) {
                runEdit(EditCommand::Find);
                return;
            }
            findNext();
            break;
        case EditCommand::InsertChannel: edits_.insertChannel(); break;
        case EditCommand::DeleteChannels: edits_.deleteChannels(); break;
        case EditCommand::MoveUp: edits_.moveBy(-1); break;
        case EditCommand::MoveDown: edits_.moveBy(1); break;
        case EditCommand::Sort:
            if (const auto choice = chooseSort(static_cast<int>(edits_.selection().channels().size()))) {
                edits_.sort(choice->key, choice->all);
            }
            break;
        case EditCommand::SetColumn: {
            const std::vector<int> targets = edits_.targets();
            if (targets.empty()) {
                break;
            }
            if (const auto choice = chooseColumnValue(channelNumbersText(targets))) {
                edits_.setColumn(choice->column, choice->value);
            }
            break;
        }
    }
    afterEdit();
}

void ChannelWindow::findNext() {
    const auto row = edits_.find(lastFind_.toStdString());
    if (!row) {
        state_.dialogs.showMessage("No channel matches \"" + lastFind_.toStdString() + "\".");
        return;
    }
    grid_->moveTo(1, *row);
}

void ChannelWindow::pickNumber(int row, Qt::KeyboardModifiers modifiers) {
    if (state_.session.Busy) {
        return;
    }
    ChannelSelection& picked = edits_.selection();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if (shift) {
        picked.extendTo(row, control);
    } else if (control) {
        picked.toggle(row);
    } else {
        picked.click(row);
    }
    model_->refreshNumbers();
}

void ChannelWindow::dropNumbers(int beforeRow) {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    grid_->closeCellEditor();
    edits_.moveBefore(beforeRow);
    afterEdit();
}

void ChannelWindow::newFromTable(const ChannelTable& table, const std::string& proposedName) {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    grid_->closeCellEditor();
    if (edits_.replaceTable(table)) {
        document_.startUnnamed(proposedName);
    }
    afterEdit();
}

void ChannelWindow::newFromTemplateFile(const std::filesystem::path& file) {
    if (state_.session.Busy) {
        return;
    }
    try {
        if (const auto table = readTemplateFile(file, state_.session, state_.dialogs)) {
            newFromTable(*table);
        }
    } catch (const std::exception& e) {
        state_.dialogs.showWarning(e.what());
    }
}

void ChannelWindow::openBackup(const std::filesystem::path& image) {
    if (state_.session.Busy) {
        return;
    }
    try {
        ChannelTable table(state_.strings);
        LoadGridFromImage(table, readImageFile(image), state_.vocabulary);
        table.setRowCount(ChannelTable::kShownRowCount);
        newFromTable(table, kRestoredChannelsName);
    } catch (const std::exception& e) {
        state_.dialogs.showWarning(e.what());
    }
}

}  // namespace lumo
