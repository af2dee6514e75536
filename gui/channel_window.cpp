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
    Panel1 = new QWidget(body);
    Panel1->setObjectName(kGridPanelName);
    layout->addWidget(Panel1, 0, Qt::AlignHCenter | Qt::AlignTop);
    StringGrid1 = new ChannelGridView(Panel1);
    StringGrid1->setObjectName(kGridName);
    StringGrid1->setAccessibleName("Channels");
    StringGrid1->setAccessibleDescription(
        "One row per channel. Arrow keys move between cells; type a frequency or a name, "
        "and pick an option with the list that opens on its cell.");
    StringGrid1->move(3, 3);
    model_ = new ChannelGridModel(editor_, edits_.selection(), this);
    delegate_ = new ChannelCellDelegate(editor_, this);
    StringGrid1->setModel(model_);
    StringGrid1->setItemDelegate(delegate_);
    StringGrid1->selectCell = [this](int column, int row) {
        // While a transfer runs the grid is read-only and its cursor stays, so what
        // leaving the cell does is applied once the transfer is over.
        if (state_.session.Busy) {
            return false;
        }
        const bool allowed = editor_.StringGrid1SelectCell(column, row);
        // Once the view has settled on its cursor, the option box follows.
        QMetaObject::invokeMethod(this, &ChannelWindow::showCurrentCell, Qt::QueuedConnection);
        return allowed;
    };

    ComboBox1 = new QComboBox(StringGrid1->viewport());
    ComboBox1->setObjectName(kOptionBoxName);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(16);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The box and its open list stand on the grid's light cells under any palette.
    ComboBox1->setPalette(lightGroundsOf(ComboBox1->palette()));
    ComboBox1->view()->setPalette(ComboBox1->palette());
    ComboBox1->view()->window()->setPalette(ComboBox1->palette());
    ComboBox1->hide();
    ComboBox1->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(kRowMenuName);
    const std::pair<const char*, RowAction> entries[] = {
        {"Copy(&C)", RowAction::Copy}, {"Paste(&V)", RowAction::Paste}, {"Clear(&D)", RowAction::Clear}};
    for (const auto& [caption, action] : entries) {
        QAction* item = PopupMenu1->addAction(caption);
        item->setData(static_cast<int>(action));
        connect(item, &QAction::triggered, this, [this, action] { N1Click(action); });
    }
    PopupMenu1->addSeparator();
    namesEntry_ = PopupMenu1->addAction("Show channel names");
    namesEntry_->setCheckable(true);
    connect(namesEntry_, &QAction::toggled, this, &ChannelWindow::setNamesShown);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at));
    });

    editor_.changed = [this] { model_->refresh(); };
    commands_->tableLoaded = [this] {
        model_->refresh();
        selectComboEntryOfCurrentCell();
        StringGrid1->viewport()->repaint();
    };
    connect(StringGrid1, &ChannelGridView::enterPressed, this, &ChannelWindow::onEnter);
    connect(delegate_, &ChannelCellDelegate::enterPressed, this, &ChannelWindow::onEnter);
    connect(StringGrid1, &ChannelGridView::numberClicked, this, &ChannelWindow::pickNumber);
    connect(StringGrid1, &ChannelGridView::numbersDropped, this, &ChannelWindow::dropNumbers);
    connect(StringGrid1, &ChannelGridView::cellClicked, this, [this] {
        if (!edits_.selection().empty()) {
            edits_.selection().clear();
            model_->refreshNumbers();
        }
    });
    StringGrid1->isPicked = [this](int row) { return edits_.selection().contains(row); };
    chooseSort = [this](int picked) { return askSort(this, picked); };
    chooseColumnValue = [this](const std::string& targets) {
        return askColumnValue(this, state_.strings, state_.vocabulary, targets, lastColumnChoice_);
    };
    chooseFindText = [this](const QString& last) { return askFindText(this, last); };
    confirmWrite = [this](const WriteReview& review) {
        return askWriteReview(this, review, "channel table");
    };
    connect(StringGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelWindow::placeComboBox);
    connect(StringGrid1->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelWindow::placeComboBox);
    connect(qApp, &QApplication::focusChanged, this, &ChannelWindow::onFocusChanged);

    // Escape during a transfer is the StopKey's; here it drops a pick or the picked
    // channels.
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] {
        if (!state_.session.Busy && ComboBox1->isVisible()) {
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

    connect(readButton_, &QPushButton::clicked, this, &ChannelWindow::Button1Click);
    connect(writeButton_, &QPushButton::clicked, this, &ChannelWindow::Button2Click);
    connect(resetButton_, &QPushButton::clicked, this, &ChannelWindow::Button3Click);
    connect(saveButton_, &QPushButton::clicked, this, &ChannelWindow::Button4Click);
    connect(openButton_, &QPushButton::clicked, this, &ChannelWindow::Button5Click);
    // The name column is off until the user asks for it, so the window first looks as
    // it always has.
    namesShown_ = state_.store && state_.store->value(kNamesShownKey).value_or("") == "true";
    namesEntry_->setChecked(namesShown_);
    chainFocus({StringGrid1});
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
    const QFontMetrics metrics(StringGrid1->font());
    int shownWidth = 0;
    for (int column = 0; column < table_.columnCount(); ++column) {
        const bool hidden = isHiddenColumn(column) && !(column == kNameColumn && namesShown_);
        StringGrid1->setColumnHidden(column, hidden);
        if (!hidden) {
            const int width = metrics.horizontalAdvance(QString::fromStdString(table_.cell(column, 0))) + 5;
            StringGrid1->setColumnWidth(column, width);
            shownWidth += width;
        }
    }
    const int frame = 2 * StringGrid1->frameWidth();
    const int gridHeight = kRowHeight * (kVisibleRows + 1) + frame;
    StringGrid1->setFixedSize(shownWidth + 38, gridHeight);
    Panel1->setFixedSize(StringGrid1->width() + 6, gridHeight + 6);
    setFixedSize(shownWidth + 68, gridHeight + 88);
    if (QWidget* outer = ChildWindow::frame(); outer != this) {
        outer->adjustSize();
    }
}

void ChannelWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    if (!formShown_) {
        formShown_ = true;
        FormShow();
    }
}

void ChannelWindow::FormShow() {
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
    StringGrid1->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
    StringGrid1->setFocus();
}

bool ChannelWindow::mayClose() {
    // A pick still shown in the option box is a change like any other.
    commitPendingPick();
    return document_.confirmClose();
}

void ChannelWindow::commitPendingPick() {
    if (editor_.combo().showing && ComboBox1->isVisible()) {
        editor_.ComboBox1Exit(ComboBox1->currentText().toStdString(), true);
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
    if (ComboBox1->isVisible() && focus != nullptr &&
        (focus == ComboBox1 || ComboBox1->isAncestorOf(focus))) {
        leavingCombo_ = true;
        StringGrid1->setFocus();
        leavingCombo_ = false;
    }
    ComboBox1->hide();
}

// Escape leaves the box as it was; Enter, Tab and Shift+Tab give the focus back to the
// grid, which takes the box's text.
bool ChannelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && ComboBox1->isVisible() &&
        (watched == ComboBox1 || watched == ComboBox1->lineEdit())) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !state_.session.Busy) {
            dropPendingPick();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
            key == Qt::Key_Backtab) {
            StringGrid1->setFocus();
            return true;
        }
        // Across a row without Enter between columns: the shown entry goes to the cell
        // as with Tab, then the grid moves on as its own arrow keys move it.
        const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
        if ((key == Qt::Key_Right || key == Qt::Key_Left) && modifiers == Qt::NoModifier) {
            StringGrid1->setFocus();
            QKeyEvent move(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(StringGrid1, &move);
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
        ComboBox1->clear();
        ComboBox1->addItems(items);
    }
    ComboBox1->setCurrentIndex(combo.selected);
    // The box stands in for its cell, so it says where it is. Linux screen readers take
    // a combo box's name from its value, and read the description after it.
    const QString place =
        QString::fromStdString(spokenCellPlace(table_, editor_.CurrentCol, editor_.CurrentRow));
    ComboBox1->setAccessibleName(place);
    ComboBox1->setAccessibleDescription(place);
    placeComboBox();
    ComboBox1->show();
    ComboBox1->raise();
    ComboBox1->setFocus();
}

void ChannelWindow::placeComboBox() {
    if (!editor_.combo().showing) {
        return;
    }
    const QRect cell = StringGrid1->visualRect(model_->index(editor_.CurrentRow - 1, editor_.CurrentCol));
    // A column as narrow as its title would cut "12.5K": the box may reach over the next
    // cell so that its longest entry shows whole.
    const int width = std::max(cell.width(), ComboBox1->sizeHint().width());
    ComboBox1->setGeometry(cell.x(), cell.y(), width, kComboHeight);
}

void ChannelWindow::selectComboEntryOfCurrentCell() {
    if (!ComboBox1->isVisible() || editor_.CurrentRow < 1 || editor_.CurrentRow >= ChannelTable::kRows ||
        editor_.CurrentCol < 0 || editor_.CurrentCol >= ChannelTable::kColumns) {
        return;
    }
    const QString cell = QString::fromStdString(table_.cell(editor_.CurrentCol, editor_.CurrentRow));
    ComboBox1->setCurrentIndex(editor_.comboEntryFor(cell.toUpper().toStdString()));
}

void ChannelWindow::onFocusChanged(QWidget* old, QWidget* now) {
    if (leavingCombo_ || !ComboBox1->isVisible() || now == nullptr) {
        return;
    }
    const auto inCombo = [this](QWidget* w) {
        if (w == nullptr) {
            return false;
        }
        QWidget* popup = ComboBox1->view() != nullptr ? ComboBox1->view()->window() : nullptr;
        return w == ComboBox1 || ComboBox1->isAncestorOf(w) || (popup != nullptr && w->window() == popup);
    };
    if (!inCombo(old) || inCombo(now)) {
        return;
    }
    // Wherever the focus goes (the grid, a button pressed with the mouse, another
    // window), the entry the box shows is the user's pick and reaches the cell; only
    // Escape drops it, and that never comes here.
    leavingCombo_ = true;
    editor_.ComboBox1Exit(ComboBox1->currentText().toStdString(), true);
    ComboBox1->hide();
    leavingCombo_ = false;
}

void ChannelWindow::onEnter() {
    const QModelIndex current = StringGrid1->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const int column = current.column();
    const int row = current.row() + 1;
    const auto [toColumn, toRow] = editor_.enterTarget(column, row);
    if (toColumn == column && toRow == row) {
        return;
    }
    StringGrid1->closeCellEditor();
    StringGrid1->moveTo(toColumn, toRow);
    StringGrid1->setFocus();
}

void ChannelWindow::N1Click(RowAction action) {
    if (action != RowAction::Copy) {
        StringGrid1->closeCellEditor();
    }
    editor_.N1Click(action);
    showCurrentCell();
}

void ChannelWindow::undoStep(bool redo) {
    StringGrid1->closeCellEditor();
    if (redo ? editor_.redo() : editor_.undo()) {
        StringGrid1->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
        showCurrentCell();
    }
}

void ChannelWindow::Button1Click() {
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

void ChannelWindow::Button2Click() {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    const Preferences preferences = loadPreferences(*state_.store);
    QtTransferHost host(progressBar);
    flow_.write(host, {preferences.reviewBeforeWrite, preferences.verifyAfterWrite});
}

void ChannelWindow::Button3Click() {
    commitPendingPick();
    StringGrid1->closeCellEditor();
    document_.Button3Click();
    showCurrentCell();
}

void ChannelWindow::Button4Click() {
    commitPendingPick();
    StringGrid1->closeCellEditor();
    document_.Button4Click();
    showCurrentCell();
}

void ChannelWindow::Button5Click() {
    commitPendingPick();
    StringGrid1->closeCellEditor();
    document_.Button5Click();
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
    StringGrid1->placeCursor(editor_.CurrentCol, editor_.CurrentRow);
    StringGrid1->scrollTo(StringGrid1->currentIndex());
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
    StringGrid1->closeCellEditor();
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
    StringGrid1->moveTo(1, *row);
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
    StringGrid1->closeCellEditor();
    edits_.moveBefore(beforeRow);
    afterEdit();
}

void ChannelWindow::newFromTable(const ChannelTable& table, const std::string& proposedName) {
    if (state_.session.Busy) {
        return;
    }
    commitPendingPick();
    StringGrid1->closeCellEditor();
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
