// The channel window's grid: the table model, the cell editor and the rule-bound cursor.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "channels/channel_editor.h"
#include "channels/channel_selection.h"

namespace lumo {

// The channel table as Qt sees it: view row r is channel row r + 1 (the titles are
// the header). It keeps no cells of its own; typing reaches the table through the
// editor, as every change does.
class ChannelGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ChannelGridModel(ChannelEditor& editor, const ChannelSelection& picked,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Shows the table as it now stands.
    void refresh();
    // Shows which channels are picked, in their number cells.
    void refreshNumbers();

private:
    ChannelEditor& editor_;
    const ChannelSelection& picked_;
    int shownRows_ = 0;
};

// The in-place editor of the frequency and name cells: a line edit whose keys pass
// the cells' filters, and whose text reaches the cell as it is typed.
class ChannelCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ChannelCellDelegate(ChannelEditor& editor, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

signals:
    void enterPressed();

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ChannelEditor& editor_;
    bool forwarding_ = false;
};

// The grid: the cursor moves only where the editor's selection rule lets it.
class ChannelGridView final : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGridView(QWidget* parent = nullptr);

    // Asked before the cursor moves to (column, channel row); false keeps it.
    std::function<bool(int column, int row)> selectCell;
    // Moves the cursor to (column, channel row) as the user would, through the rule.
    bool moveTo(int column, int row);
    // Puts the cursor on the cell the editor already holds as current, without the rule.
    void placeCursor(int column, int row);
    // Closes the in-place editor, if one is open.
    void closeCellEditor();
    // Whether a channel is picked: pressing its number may start a drag of them all.
    std::function<bool(int row)> isPicked;

signals:
    void enterPressed();
    // A channel's number was clicked, with Shift or Ctrl as held.
    void numberClicked(int row, Qt::KeyboardModifiers modifiers);
    // An ordinary cell was clicked without Shift or Ctrl.
    void cellClicked();
    // Picked channels' numbers were dragged and dropped in front of `beforeRow`.
    void numbersDropped(int beforeRow);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Typing in an option cell must not jump the cursor to a matching row.
    void keyboardSearch(const QString&) override {}

private:
    bool mayMoveTo(const QModelIndex& target);
    bool pressNumber(QMouseEvent* event, const QModelIndex& target);
    // The row the dragged channels would go in front of, for a pointer at `y`.
    int dropRowAt(int y) const;
    // 0 hides the line.
    void showDropLine(int beforeRow);
    void drawGridLines();

    // The cell the rule last let the cursor onto: the view's cursor never rests elsewhere.
    QPersistentModelIndex accepted_;
    bool restoring_ = false;
    // A press on a number: its row, where it was, whether a drag has begun, and the
    // click still owed when the press on a picked number turns out not to be a drag.
    int numberPress_ = 0;
    QPoint numberPressAt_;
    bool draggingNumbers_ = false;
    int owedClick_ = 0;
    int dropRow_ = 0;  // where a line shows the dragged channels' landing place
};

}  // namespace lumo
