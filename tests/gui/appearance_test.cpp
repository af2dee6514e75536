// The dark palette: every text the windows show stands out from the ground it is painted on.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "gui/appearance.h"
#include "gui/channel_window.h"
#include "gui/channel_grid.h"
#include "tests/gui/gui_fixture.h"

using lumo::test::Fixture;

namespace {

// WCAG 2 contrast ratio, 1 (none) to 21 (black on white).
double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Readable text; a greyed text need only be told apart from its ground.
constexpr double kEnabledContrast = 4.5;
constexpr double kDisabledContrast = 3.0;

// Which palette colours each kind of widget paints its text and its ground with.
struct Kind {
    const char* className;
    QPalette::ColorRole text;
    QPalette::ColorRole ground;
};
// The first that fits counts: check boxes before the other buttons.
const Kind kKinds[] = {
    {"QCheckBox", QPalette::WindowText, QPalette::Window},
    {"QToolButton", QPalette::ButtonText, QPalette::Window},
    {"QAbstractButton", QPalette::ButtonText, QPalette::Button},
    {"QComboBox", QPalette::Text, QPalette::Button},
    {"QLineEdit", QPalette::Text, QPalette::Base},
    {"QLabel", QPalette::WindowText, QPalette::Window},
    {"QMenuBar", QPalette::ButtonText, QPalette::Window},
};

QString shownText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->pixmap().isNull() ? label->text() : QString();
    }
    if (const auto* tool = qobject_cast<const QToolButton*>(widget)) {
        return tool->toolButtonStyle() == Qt::ToolButtonIconOnly ? QString() : tool->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
        return box->currentText();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        return line->text().isEmpty() ? line->placeholderText() : line->text();
    }
    return qobject_cast<const QMenuBar*>(widget) != nullptr ? QString("menus") : QString();
}

QColor colourOr(const QVariant& role, const QColor& otherwise) {
    return role.canConvert<QColor>() ? role.value<QColor>() : otherwise;
}

}  // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextStandsOutFromItsGroundInTheDarkPalette() {
        lumo::applyAppearance(lumo::Appearance::Dark);
        QCOMPARE(QApplication::style()->name().toLower(), QString("fusion"));
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 128);
        Fixture f;
        auto* channels = qobject_cast<lumo::ChannelWindow*>(f.open(lumo::MainCommand::Channel));
        QVERIFY(channels != nullptr);
        QVERIFY(f.open(lumo::MainCommand::Param) != nullptr);
        QCoreApplication::processEvents();

        int checked = 0;
        for (QWidget* widget : f.window->findChildren<QWidget*>()) {
            const QString text = shownText(widget);
            if (!widget->isVisible() || text.isEmpty()) {
                continue;
            }
            for (const Kind& kind : kKinds) {
                if (!widget->inherits(kind.className)) {
                    continue;
                }
                const bool enabled = widget->isEnabled();
                const auto group = enabled ? QPalette::Active : QPalette::Disabled;
                const double ratio = contrast(widget->palette().color(group, kind.text),
                                              widget->palette().color(group, kind.ground));
                QVERIFY2(ratio >= (enabled ? kEnabledContrast : kDisabledContrast),
                         qPrintable(QString("%1 %2 \"%3\": contrast %4")
                                        .arg(kind.className, widget->objectName(), text)
                                        .arg(ratio, 0, 'f', 2)));
                ++checked;
                break;
            }
        }
        QVERIFY2(checked > 40, qPrintable(QString("only %1 texts seen").arg(checked)));

        // The grid's titles and cells: their own colours where they give them, and what
        // the header and the view really paint as ground, read off the screen.
        lumo::ChannelGridView* grid = channels->grid();
        const QAbstractItemModel* model = grid->model();
        const QImage header = grid->horizontalHeader()->grab().toImage();
        const QImage cells = grid->viewport()->grab().toImage();
        const QPalette palette = grid->palette();
        const int row = 1;  // clear of the current cell's frame
        for (int column = 0; column < model->columnCount(); ++column) {
            if (grid->isColumnHidden(column)) {
                continue;
            }
            const int x = grid->columnViewportPosition(column) + grid->columnWidth(column) / 2;
            const QColor titleGround = header.pixelColor(QPoint(x, 2) * header.devicePixelRatio());
            const QColor titleText = colourOr(
                model->headerData(column, Qt::Horizontal, Qt::ForegroundRole), palette.color(QPalette::ButtonText));
            QVERIFY2(contrast(titleText, titleGround) >= kEnabledContrast, qPrintable(QString("title %1").arg(column)));

            const QModelIndex cell = model->index(row, column);
            const QColor ground = cells.pixelColor(
                QPoint(x, grid->rowViewportPosition(row) + 2) * cells.devicePixelRatio());
            QCOMPARE(ground, colourOr(cell.data(Qt::BackgroundRole), palette.color(QPalette::Base)));
            const QColor text = colourOr(cell.data(Qt::ForegroundRole), palette.color(QPalette::Text));
            QVERIFY2(contrast(text, ground) >= kEnabledContrast, qPrintable(QString("cell %1").arg(column)));
        }

        // The lines between the cells are mid-grey, and the option box and its open list
        // stand light on the grid as the cells do.
        const int lineX = grid->columnViewportPosition(1) + grid->columnWidth(1) - 1;
        const int lightness = cells.pixelColor(QPoint(lineX, grid->rowViewportPosition(row) + 5) *
                                               cells.devicePixelRatio())
                                  .lightness();
        QVERIFY2(lightness > 120 && lightness < 200, qPrintable(QString("grid line %1").arg(lightness)));
        QComboBox* box = channels->comboBox();
        for (const QWidget* part : {static_cast<const QWidget*>(box), static_cast<const QWidget*>(box->view())}) {
            QVERIFY(part->palette().color(QPalette::Base).lightness() > 200);
            QVERIFY(contrast(part->palette().color(QPalette::Text), part->palette().color(QPalette::Base)) >=
                    kEnabledContrast);
        }

        // Back to the desktop's own look at once: here a light one.
        lumo::applyAppearance(lumo::Appearance::FollowDesktop);
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() >= 128);
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<AppearanceTest>(argc, argv);
}

#include "appearance_test.moc"
