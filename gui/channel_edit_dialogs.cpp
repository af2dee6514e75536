// The channel window's Sort, Set column and Find dialogs.
#include "gui/channel_edit_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "channels/column_entries.h"
#include "link/hex_text.h"

namespace lumo {
namespace {

constexpr int kTx = 2;
constexpr int kName = 12;
// The columns Set column offers: TX, the option columns the grid shows, and the name.
constexpr int kSettable[] = {2, 3, 4, 5, 6, 7, 11, 12};

QString title(const LanguageStrings& strings, int column) {
    return QString::fromStdString(std::string(trimBlanks(strings.columnTitles[static_cast<std::size_t>(column)])));
}

QDialogButtonBox* okCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

std::optional<SortChoice> askSort(QWidget* parent, int picked) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Sort channels");
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* key = new QComboBox(&dialog);
    key->addItems({"RX frequency", "TX frequency", "Name"});
    form->addRow("&Sort by:", key);
    layout->addLayout(form);
    auto* pickedOnly = new QRadioButton(QString("&Picked channels (%1)").arg(picked), &dialog);
    auto* all = new QRadioButton("&All channels", &dialog);
    pickedOnly->setEnabled(picked >= 2);
    (picked >= 2 ? pickedOnly : all)->setChecked(true);
    layout->addWidget(pickedOnly);
    layout->addWidget(all);
    layout->addWidget(new QLabel("Empty channels go last; equal keys keep their order.", &dialog));
    layout->addWidget(okCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    static constexpr SortKey kKeys[] = {SortKey::RxFrequency, SortKey::TxFrequency, SortKey::Name};
    return SortChoice{kKeys[key->currentIndex()], all->isChecked()};
}

std::optional<ColumnChoice> askColumnValue(QWidget* parent, const LanguageStrings& strings,
                                           const ChannelVocabulary& vocabulary,
                                           const std::string& targets, ColumnChoice& last) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Set column");
    dialog.setMinimumWidth(360);
    auto* layout = new QVBoxLayout(&dialog);
    // "Channel 9", "Channels 9-12": the label stands alone, as a heading.
    QString heading = QString::fromStdString(channelsNamed(targets));
    heading[0] = heading[0].toUpper();
    layout->addWidget(new QLabel(heading, &dialog));
    auto* form = new QFormLayout;
    auto* column = new QComboBox(&dialog);
    for (const int c : kSettable) {
        column->addItem(title(strings, c), c);
    }
    form->addRow("&Column:", column);

    // One page of value widgets per kind of column.
    auto* pages = new QStackedWidget(&dialog);
    // A label names only the widgets beside it, not those inside the pages: each value
    // widget names itself for a screen reader.
    auto* entries = new QComboBox(pages);
    entries->setAccessibleName("Value");
    pages->addWidget(entries);
    auto* txPage = new QWidget(pages);
    auto* txRow = new QHBoxLayout(txPage);
    txRow->setContentsMargins(0, 0, 0, 0);
    auto* txWay = new QComboBox(txPage);
    txWay->addItems({"Same as RX", "RX + offset", "RX - offset", "This frequency"});
    txWay->setAccessibleName("TX frequency");
    auto* megahertz = new QLineEdit(txPage);
    megahertz->setPlaceholderText("MHz");
    megahertz->setAccessibleName("MHz");
    megahertz->setValidator(new QRegularExpressionValidator(
        QRegularExpression("[0-9]{0,3}(\\.[0-9]{0,5})?"), megahertz));
    txRow->addWidget(txWay);
    txRow->addWidget(megahertz);
    pages->addWidget(txPage);
    auto* name = new QLineEdit(pages);
    name->setAccessibleName("Name");
    name->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9]{0,6}"), name));
    pages->addWidget(name);
    auto* valueLabel = new QLabel("&Value:", &dialog);
    form->addRow(valueLabel, pages);
    layout->addLayout(form);
    layout->addWidget(okCancel(dialog));

    const auto showPage = [&] {
        const int c = column->currentData().toInt();
        // The label's key goes to the widget the page shows first.
        if (c == kTx) {
            pages->setCurrentIndex(1);
            valueLabel->setBuddy(txWay);
        } else if (c == kName) {
            pages->setCurrentIndex(2);
            valueLabel->setBuddy(name);
        } else {
            valueLabel->setBuddy(entries);
            entries->clear();
            for (const std::string& entry : optionEntries(c, strings, vocabulary)) {
                entries->addItem(QString::fromStdString(entry));
            }
            pages->setCurrentIndex(0);
        }
    };
    QObject::connect(column, &QComboBox::currentIndexChanged, &dialog, showPage);
    QObject::connect(txWay, &QComboBox::currentIndexChanged, &dialog, [&](int way) {
        megahertz->setEnabled(static_cast<TxWay>(way) != TxWay::SameAsRx);
    });
    // The last answer again, as the same value often goes to one group after another;
    // else TX Power, the column most often set for many.
    const int lastColumn = column->findData(last.column);
    column->setCurrentIndex(lastColumn >= 0 ? lastColumn : 3);
    showPage();
    if (lastColumn >= 0) {
        const QString value = QString::fromStdString(last.value);
        if (last.column == kTx) {
            const TxEntry tx = txEntryOf(last.value);
            txWay->setCurrentIndex(static_cast<int>(tx.way));
            megahertz->setText(QString::fromStdString(tx.megahertz));
        } else if (last.column == kName) {
            name->setText(value);
        } else {
            entries->setCurrentIndex(std::max(0, entries->findText(value)));
        }
    }
    megahertz->setEnabled(static_cast<TxWay>(txWay->currentIndex()) != TxWay::SameAsRx);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const int c = column->currentData().toInt();
    std::string value;
    if (c == kTx) {
        value = txValue({static_cast<TxWay>(txWay->currentIndex()), megahertz->text().toStdString()});
    } else if (c == kName) {
        value = name->text().toStdString();
    } else {
        value = entries->currentText().toStdString();
    }
    last = ColumnChoice{c, value};
    return last;
}

std::optional<QString> askFindText(QWidget* parent, const QString& last) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, "Find channel",
                                               "Frequency (or its first digits) or name:",
                                               QLineEdit::Normal, last, &ok);
    if (!ok || text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return text.trimmed();
}

}  // namespace lumo
