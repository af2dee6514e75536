// The channel window's grid: the table model, the cell editor and the rule-bound cursor.
#include "gui/channel_grid.h"

#include <algorithm>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "channels/channel_cell_speech.h"
#include "channels/channel_keys.h"

namespace lumo {
namespace {

const QColor kCellColour(0xF7, 0xFF, 0xF6);
const QColor kCellText(0x00, 0x00, 0xFF);
const QColor kTitleColour(0xF0, 0xF8, 0xFF);
const QColor kLockedText(0x90, 0x90, 0x90);
const QColor kPickedColour(0x33, 0x66, 0xCC);
const QColor kPickedText(Qt::white);
const QColor kDropLineColour(0x33, 0x66, 0xCC);
const QColor kGridLineColour(0xA0, 0xA0, 0xA0);
constexpr int kDropLineWidth = 3;
constexpr int kCurrentFrameWidth = 2;
constexpr int kWithoutColumn = 10;
constexpr int kNameColumn = 12;
constexpr int kScanColumn = 11;

bool takesTyping(int column) {
    return column == 1 || column == 2 || column == kNameColumn;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

ChannelGridModel::ChannelGridModel(ChannelEditor& editor, const ChannelSelection& picked,
                                   QObject* parent)
    : QAbstractTableModel(parent), editor_(editor), picked_(picked),
      shownRows_(editor.table().rowCount() - 1) {}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ChannelTable::kColumns;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const ChannelTable& table = editor_.table();
    const int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return text(table.cell(index.column(), row));
        case Qt::BackgroundRole:
            return index.column() == 0 && picked_.contains(row) ? kPickedColour : kCellColour;
        case Qt::ForegroundRole:
            if (index.column() == 0 && picked_.contains(row)) {
                return kPickedText;
            }
            return index.column() == kWithoutColumn ? QColor(Qt::black) : kCellText;
        case Qt::TextAlignmentRole: return int(Qt::AlignHCenter | Qt::AlignVCenter);
        case Qt::AccessibleTextRole:
            return text(spokenCell(table, index.column(), row, picked_.contains(row)));
        case Qt::ToolTipRole: {
            // The name column stays hidden; the row shows its name here.
            const std::string& name = table.cell(kNameColumn, row);
            return name.empty() ? QVariant() : QVariant(columnName(table, kNameColumn).c_str() +
                                                       QString(": ") + text(name));
        }
        default: return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < ChannelTable::kColumns) {
        switch (role) {
            case Qt::DisplayRole: return text(editor_.table().cell(section, 0));
            case Qt::ForegroundRole:
                return section == kWithoutColumn ? QColor(Qt::black) : kCellText;
            case Qt::BackgroundRole: return kTitleColour;
            default: break;
        }
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.isValid() && takesTyping(index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool ChannelGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const std::string typed = value.toString().toStdString();
    if (typed != editor_.table().cell(index.column(), index.row() + 1)) {
        editor_.typeText(index.column(), index.row() + 1, typed);
    }
    return true;
}

void ChannelGridModel::refresh() {
    const int rows = editor_.table().rowCount() - 1;
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    if (shownRows_ > 0) {
        emit dataChanged(index(0, 0), index(shownRows_ - 1, ChannelTable::kColumns - 1));
    }
}

void ChannelGridModel::refreshNumbers() {
    if (shownRows_ > 0) {
        emit dataChanged(index(0, 0), index(shownRows_ - 1, 0));
    }
}

ChannelCellDelegate::ChannelCellDelegate(ChannelEditor& editor, QObject* parent)
    : QStyledItemDelegate(parent), editor_(editor) {}

QWidget* ChannelCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const {
    auto* line = new QLineEdit(parent);
    line->setFrame(false);
    line->setAlignment(Qt::AlignCenter);
    line->setContextMenuPolicy(Qt::NoContextMenu);
    // Text comes in only as typed keys, through the cell's filter (see eventFilter).
    line->setAcceptDrops(false);
    line->setStyleSheet("QLineEdit { color: #0000FF; background: white; }");
    // The cell follows the editor keystroke by keystroke, so the rules that read it on
    // leaving the cell always see what the user sees.
    const QPersistentModelIndex cell(index);
    connect(line, &QLineEdit::textEdited, this, [this, cell](const QString& typed) {
        if (cell.isValid()) {
            editor_.typeText(cell.column(), cell.row() + 1, typed.toStdString());
        }
    });
    return line;
}

void ChannelCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString cell = index.data(Qt::EditRole).toString();
    if (line->text() != cell) {
        line->setText(cell);
    }
}

void ChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void ChannelCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const {
    QRect rect = option.rect;
    // While the name column is hidden its editor stands over the row's last shown cell.
    if (index.column() == kNameColumn) {
        auto* view = qobject_cast<QTableView*>(editor->parentWidget()->parentWidget());
        if (view != nullptr && view->isColumnHidden(kNameColumn)) {
            rect = view->visualRect(index.siblingAtColumn(kScanColumn));
        }
    }
    editor->setGeometry(rect);
}

void ChannelCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // While a transfer runs the grid is disabled and read-only; grey texts say so.
    if (!(option->state & QStyle::State_Enabled)) {
        option->palette.setBrush(QPalette::Text, kLockedText);
    }
}

// Every cell keeps its own colours; the current cell shows by a frame, not by the
// style's selection colour.
void ChannelCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem plain(option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
    QStyledItemDelegate::paint(painter, plain, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view != nullptr && view->currentIndex() == index) {
        painter->save();
        painter->setPen(QPen(kCellText, kCurrentFrameWidth));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

bool ChannelCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* line = qobject_cast<QLineEdit*>(watched);
    if (line == nullptr) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Undo and redo work on the table, not on the editor's own text.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::InputMethod: {
            // An input method's text is typed key by key, so each character meets the
            // cell's filter; what it is still composing never reaches the cell.
            const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
            for (const QChar character : committed) {
                QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                QString(character));
                QCoreApplication::sendEvent(line, &typed);
            }
            return true;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // The middle button would paste the X selection past the filter.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
                return true;
            }
            return QStyledItemDelegate::eventFilter(watched, event);
        default: break;
    }
    if (event->type() != QEvent::KeyPress || forwarding_) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        emit enterPressed();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        return true;
    }
    const QString typed = key->text();
    const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (typed.size() != 1 || !plain) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    const char16_t unit = typed.front().unicode();
    if (unit == 0x7F) {  // Delete edits the text in place
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    if (unit != '\b' && (unit < 0x20 || unit > 0x7E)) {
        return true;
    }
    const char pressed = static_cast<char>(unit);
    // A typed key replaces the selected text, so the limits count the rest.
    const bool selected = line->hasSelectedText();
    const auto from = static_cast<std::size_t>(selected ? line->selectionStart() : 0);
    const auto length = static_cast<std::size_t>(selected ? line->selectedText().size() : 0);
    const char passed = editor_.filterTypedKey(pressed, from, length);
    if (passed == kNoKey) {
        return true;
    }
    if (passed == pressed) {
        return false;
    }
    QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(passed)));
    forwarding_ = true;
    QCoreApplication::sendEvent(line, &upper);
    forwarding_ = false;
    return true;
}

ChannelGridView::ChannelGridView(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab leaves the grid for the buttons below it, or a keyboard user could never get
    // out; the arrow keys and Enter move between the cells.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(21);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(21);
    // The titles keep their light ground under any palette, as their own dark texts
    // (the model's ForegroundRole) need it.
    horizontalHeader()->setStyleSheet(
        QString("QHeaderView::section { background-color: %1;"
                " border: 0px; border-right: 1px solid #c0c8d0; border-bottom: 1px solid #c0c8d0; }")
            .arg(kTitleColour.name()));
}

bool ChannelGridView::mayMoveTo(const QModelIndex& target) {
    if (!target.isValid() || target == accepted_) {
        return true;
    }
    closeCellEditor();
    if (selectCell && !selectCell(target.column(), target.row() + 1)) {
        return false;
    }
    accepted_ = target;
    return true;
}

void ChannelGridView::placeCursor(int column, int row) {
    accepted_ = model()->index(row - 1, column);
    setCurrentIndex(accepted_);
}

// Whatever moved the cursor, Qt's own focus and selection handling included, the rule
// is asked; a refused move puts the cursor back at once.
void ChannelGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!restoring_ && current.isValid() && current != accepted_ && !mayMoveTo(current) &&
        accepted_.isValid()) {
        restoring_ = true;
        selectionModel()->setCurrentIndex(accepted_, QItemSelectionModel::ClearAndSelect);
        restoring_ = false;
        return;
    }
    QTableView::currentChanged(current, previous);
}

void ChannelGridView::closeCellEditor() {
    if (state() != QAbstractItemView::EditingState) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (QWidget* editor = indexWidget(current); editor != nullptr) {
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
    for (auto* line : viewport()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        closeEditor(line, QAbstractItemDelegate::NoHint);
    }
}

bool ChannelGridView::moveTo(int column, int row) {
    const QModelIndex target = model()->index(row - 1, column);
    if (!mayMoveTo(target)) {
        return false;
    }
    setCurrentIndex(target);
    return true;
}

QModelIndex ChannelGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    return mayMoveTo(next) ? next : currentIndex();
}

void ChannelGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex target = indexAt(event->position().toPoint());
    if (target.isValid() && target.column() == 0 && pressNumber(event, target)) {
        return;
    }
    if (target.isValid() && event->button() == Qt::LeftButton &&
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) == 0) {
        emit cellClicked();
    }
    if (target.isValid() && !mayMoveTo(target)) {
        setFocus();
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

// Channel numbers are never the current cell: a press on one picks channels, and a
// press on a picked one may begin dragging them all.
bool ChannelGridView::pressNumber(QMouseEvent* event, const QModelIndex& target) {
    if (event->button() != Qt::LeftButton) {
        return event->button() != Qt::RightButton;
    }
    setFocus();
    event->accept();
    const int row = target.row() + 1;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    numberPress_ = row;
    numberPressAt_ = event->position().toPoint();
    draggingNumbers_ = false;
    owedClick_ = 0;
    if (modifiers == Qt::NoModifier && isPicked && isPicked(row)) {
        owedClick_ = row;  // the others stay picked in case this is a drag
    } else {
        emit numberClicked(row, modifiers);
    }
    return true;
}

int ChannelGridView::dropRowAt(int y) const {
    const int rows = model()->rowCount();
    const QModelIndex under = indexAt(QPoint(columnViewportPosition(0) + 1, y));
    if (!under.isValid()) {
        return y < 0 ? 1 : rows + 1;
    }
    const QRect cell = visualRect(under);
    return under.row() + 1 + (y > cell.center().y() ? 1 : 0);
}

void ChannelGridView::showDropLine(int beforeRow) {
    dropRow_ = beforeRow;
    viewport()->update();
}

void ChannelGridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    drawGridLines();
    if (dropRow_ == 0) {
        return;
    }
    const int rows = model()->rowCount();
    const int y = dropRow_ <= rows ? rowViewportPosition(dropRow_ - 1)
                                   : rowViewportPosition(rows - 1) + rowHeight(rows - 1);
    QPainter painter(viewport());
    painter.fillRect(0, y - kDropLineWidth / 2, viewport()->width(), kDropLineWidth, kDropLineColour);
}

// The lines between the light cells in one mid-grey under any palette, over those the
// style drew: it takes them from the window's colour, nearly black on a dark desktop.
void ChannelGridView::drawGridLines() {
    const int rows = model()->rowCount();
    const int columns = model()->columnCount();
    if (rows == 0 || columns == 0) {
        return;
    }
    const int firstRow = std::max(rowAt(0), 0);
    int lastRow = rowAt(viewport()->height() - 1);
    lastRow = lastRow < 0 ? rows - 1 : lastRow;
    const int bottom = rowViewportPosition(lastRow) + rowHeight(lastRow) - 1;
    int right = 0;
    QPainter painter(viewport());
    painter.setPen(kGridLineColour);
    for (int column = 0; column < columns; ++column) {
        if (!isColumnHidden(column)) {
            right = columnViewportPosition(column) + columnWidth(column) - 1;
            painter.drawLine(right, 0, right, bottom);
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = rowViewportPosition(row) + rowHeight(row) - 1;
        painter.drawLine(0, y, right, y);
    }
}

// A drag moves the cursor cell by cell, each step through the rule, as keys do; it
// selects no range. A drag that began on a picked channel's number moves the picked
// channels instead.
void ChannelGridView::mouseMoveEvent(QMouseEvent* event) {
    if (numberPress_ > 0 && (event->buttons() & Qt::LeftButton)) {
        const QPoint at = event->position().toPoint();
        if (!draggingNumbers_ &&
            (at - numberPressAt_).manhattanLength() >= QApplication::startDragDistance() &&
            isPicked && isPicked(numberPress_)) {
            draggingNumbers_ = true;
            owedClick_ = 0;
        }
        if (draggingNumbers_) {
            // Near the edges the grid scrolls, so any row can be reached.
            if (at.y() < rowHeight(0)) {
                verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
            } else if (at.y() > viewport()->height() - rowHeight(0)) {
                verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
            }
            showDropLine(dropRowAt(at.y()));
        }
        event->accept();
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QModelIndex target = indexAt(event->position().toPoint());
    if (target.isValid() && target != accepted_ && mayMoveTo(target)) {
        setCurrentIndex(target);
    }
    event->accept();
}

void ChannelGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (numberPress_ > 0 && event->button() == Qt::LeftButton) {
        if (draggingNumbers_) {
            showDropLine(0);
            emit numbersDropped(dropRowAt(event->position().toPoint().y()));
        } else if (owedClick_ > 0) {
            emit numberClicked(owedClick_, Qt::NoModifier);
        }
        numberPress_ = 0;
        draggingNumbers_ = false;
        owedClick_ = 0;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    // Copy, Paste and Delete are the window's Edit commands; the view's own copy of a
    // cell's text must not take them first.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace lumo
