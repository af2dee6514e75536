// Printing: the channel table and the settings window as pages on a printer or a PDF.
#include "gui/channel_print.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include "gui/title_strip.h"

namespace lumo {
namespace {

QColor fromBgr(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QRect toQRect(const PageRect& area) {
    return QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
}

}  // namespace

void paintPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<PrintedPage>& pages,
                const QFont& font) {
    painter.setFont(font);
    // A hair line at printer resolution is too fine to see; about 0.15 mm instead.
    const int penWidth = std::max(1, device.logicalDpiX() / 170);
    for (std::size_t number = 0; number < pages.size(); ++number) {
        if (number > 0) {
            device.newPage();
        }
        for (const PageItem& item : pages[number]) {
            switch (item.kind) {
                case PageItem::Kind::Fill:
                    painter.fillRect(toQRect(item.area), fromBgr(item.colour));
                    break;
                case PageItem::Kind::Line:
                    painter.setPen(QPen(Qt::black, penWidth));
                    painter.drawLine(item.area.left, item.area.top, item.area.right, item.area.bottom);
                    break;
                case PageItem::Kind::Text: {
                    painter.setPen(Qt::black);
                    QRect box = toQRect(item.area);
                    box.setTop(box.top() + item.textOffset);
                    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop,
                                     QString::fromStdString(item.text));
                    break;
                }
            }
        }
    }
}

PrintJob channelTableJob(const ChannelTable& table) {
    return {"test", QPageLayout::Landscape, [table](QPagedPaintDevice& device) {
                QPainter painter;
                if (!painter.begin(&device)) {
                    return false;
                }
                const QFont font(childWindowFont(), &device);
                const QFontMetrics metrics(font, &device);
                const PrintMetrics measure{
                    [&metrics](const std::string& text) {
                        return metrics.horizontalAdvance(QString::fromStdString(text));
                    },
                    metrics.height()};
                const int pageHeight = device.height();
                paintPages(painter, device, layoutChannelTable(table, measure, pageHeight), font);
                return painter.end();
            }};
}

PrintJob windowJob(QWidget& window) {
    return {"print option", QPageLayout::Portrait, [shown = QPointer<QWidget>(&window)](
                                                       QPagedPaintDevice& device) {
                QPainter painter;
                if (shown.isNull() || shown->width() <= 0 || shown->height() <= 0 ||
                    !painter.begin(&device)) {
                    return false;
                }
                // The window's own painting, scaled onto the area its picture would fill.
                const QRect area = toQRect(windowImageArea(device.width(), device.height()));
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.translate(area.topLeft());
                painter.scale(static_cast<qreal>(area.width()) / shown->width(),
                              static_cast<qreal>(area.height()) / shown->height());
                shown->render(&painter, QPoint(), QRegion(),
                              QWidget::DrawWindowBackground | QWidget::DrawChildren);
                return painter.end();
            }};
}

std::optional<std::string> DefaultPrinter::print(const PrintJob& job) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        return "No printer is installed: there is no default printer to print to.";
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(job.title);
    printer.setPageOrientation(job.orientation);
    if (!job.render(printer) || printer.printerState() == QPrinter::Error) {
        return "The printer \"" + printer.printerName().toStdString() + "\" did not take the job.";
    }
    return std::nullopt;
}

std::optional<std::string> printToPdf(const PrintJob& job, const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return "cannot write \"" + path + "\": " + file.errorString().toStdString();
    }
    QPdfWriter writer(&file);
    writer.setTitle(job.title);
    writer.setCreator("Lumo");
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(job.orientation);
    // A printer keeps to its printable area; a PDF gets margins a printer could keep.
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    if (!job.render(writer)) {
        return "cannot write \"" + path + "\"";
    }
    return std::nullopt;
}

}  // namespace lumo
