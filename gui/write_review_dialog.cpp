// "Changes to be written": what a write will change on the radio, asked before it is sent.
#include "gui/write_review_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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
    switch (review.kind) {
        case WriteReview::Kind::Changes: {
            label->setText(QString("%1 change(s) to the radio's %2, compared with %3:")
                               .arg(review.changes.size())
                               .arg(what, source));
            auto* list = new QListWidget(&dialog);
            for (const std::string& line : review.changes) {
                list->addItem(QString::fromStdString(line));
            }
            list->setAccessibleName("Changes to be written");
            layout->addWidget(list);
            add("&Write", ReviewAnswer::Write, true);
            break;
        }
        case WriteReview::Kind::NoChanges:
            label->setText(QString("The radio already holds this %1 (compared with %2).").arg(what, source));
            add("&Write anyway", ReviewAnswer::Write, false);
            break;
        case WriteReview::Kind::Unknown:
            label->setText(QString("Nothing is known of what the radio holds: there was no read in "
                                   "this session and there is no backup. Read the radio first to "
                                   "see what the write will change? The %1 in the window stays as "
                                   "it is.")
                               .arg(what));
            add("&Read first", ReviewAnswer::ReadFirst, true);
            add("Write &without review", ReviewAnswer::Write, false);
            break;
    }
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
    return answer;
}

}  // namespace lumo
