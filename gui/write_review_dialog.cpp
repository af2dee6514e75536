// "Changes to be written": what a write will change on the radio, asked before it is sent.
#include "gui/write_review_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace lumo {

ReviewAnswer askWriteReview(QWidget* parent, const WriteReview& review, const QString& what) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Changes to be written");
    dialog.setMinimumWidth(480);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(&dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(&dialog);
    ReviewAnswer answer = ReviewAnswer::Cancel;
    const auto add = [&](const QString& caption, ReviewAnswer given, bool byDefault) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::AcceptRole);
        button->setDefault(byDefault);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &answer, given] {
            answer = given;
            dialog.accept();
        });
    };
    const QString source = QString::fromStdString(review.source);
    const auto listOf = [&](const std::vector<std::string>& lines, const QString& name) {
        auto* list = new QListWidget(&dialog);
        for (const std::string& line : lines) {
            list->addItem(QString::fromStdString(line));
        }
        list->setAccessibleName(name);
        layout->addWidget(list);
    };
    const auto readFirst = [&] {
        add("&Read first", ReviewAnswer::ReadFirst, true);
        add("Write &without review", ReviewAnswer::Write, false);
    };
    switch (review.kind) {
        case WriteReview::Kind::Changes: {
            label->setText(QString("%1 change(s) to the radio's %2, compared with %3:")
                               .arg(review.changes.size())
                               .arg(what, source));
            listOf(review.changes, "Changes to be written");
            add("&Write", ReviewAnswer::Write, true);
            break;
        }
        case WriteReview::Kind::NoChanges:
            label->setText(QString("The radio already holds this %1 (compared with %2).").arg(what, source));
            add("&Write anyway", ReviewAnswer::Write, false);
            break;
        case WriteReview::Kind::Unknown:
            label->setText(QString("Nothing is known of what the radio holds: there was no read in "
                                   "this session, and no backup of a read tells what it holds now. "
                                   "Read the radio first to see what the write will change? The %1 "
                                   "in the window stays as it is.")
                               .arg(what));
            readFirst();
            break;
        case WriteReview::Kind::Unsettled: {
            QString happened = source;
            if (!happened.isEmpty()) {
                happened[0] = happened[0].toUpper();
            }
            label->setText(QString("%1. Read the radio first to see what the write will change? "
                                   "The %2 in the window stays as it is.")
                               .arg(happened, what));
            readFirst();
            break;
        }
    }
    if (!review.warnings.empty()) {
        // A few lines as they are, wrapped; many in a box of their own that scrolls.
        QStringList lines;
        for (const std::string& line : review.warnings) {
            lines << QString::fromStdString(line);
        }
        auto* note = new QLabel("Written as the radio already holds them:\n" + lines.join("\n"));
        note->setWordWrap(true);
        note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        note->setAccessibleName("Written as the radio already holds them");
        auto* scroll = new QScrollArea(&dialog);
        scroll->setWidget(note);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setMaximumHeight(note->fontMetrics().lineSpacing() * 8);
        layout->addWidget(scroll);
    }
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
    return answer;
}

}  // namespace lumo
