// Printing: the channel table and the settings window as pages on a printer or a PDF.
#pragma once

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "channels/channel_table.h"
#include "channels/print_layout.h"

namespace lumo {

// A print job: the document title, the page orientation and what to draw on a device
// that is ready for painting. `render` returns false when the device would not paint.
struct PrintJob {
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::function<bool(QPagedPaintDevice&)> render;
};

// The channel table as a ruled grid, titled "test", on landscape pages: thirteen
// columns in the printing font are wider than a portrait page.
PrintJob channelTableJob(const ChannelTable& table);
// A window as it shows on the upper half of one page, titled "print option". The
// window is drawn at the device's resolution, so its texts print sharp; it must outlive
// the job's use.
PrintJob windowJob(QWidget& window);

// Draws `pages` with `font` on a painter that is active on `device`.
void paintPages(QPainter& painter, QPagedPaintDevice& device, const std::vector<PrintedPage>& pages,
                const QFont& font);

// Where print jobs go: the default printer in the program, a recorder in tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Prints without a dialog. Returns what went wrong, in the platform's words.
    virtual std::optional<std::string> print(const PrintJob& job) = 0;
};

class DefaultPrinter final : public PrintTarget {
public:
    std::optional<std::string> print(const PrintJob& job) override;
};

// Writes the job's pages as a PDF file (A4). Returns what went wrong.
std::optional<std::string> printToPdf(const PrintJob& job, const std::string& path);

}  // namespace lumo
