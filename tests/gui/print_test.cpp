// Printing under the offscreen platform: the Print command's routing with a recording
// printer, and real PDFs read back with Poppler's tools, from the window library and
// from lumo-cli.
#include <QtTest>
#include <cstdio>
#include <deque>

#include "channels/channel_file.h"
#include "gui/channel_window.h"
#include "gui/channel_print.h"
#include "gui/settings_window.h"
#include "tests/gui/gui_fixture.h"

using namespace lumo;
using lumo::test::Fixture;

namespace {

// Takes jobs instead of printing them, failing on request.
class RecordingPrinter final : public PrintTarget {
public:
    std::optional<std::string> print(const PrintJob& job) override {
        jobs.push_back(job);
        if (failures.empty()) {
            return std::nullopt;
        }
        auto failure = failures.front();
        failures.pop_front();
        return failure;
    }
    std::vector<PrintJob> jobs;
    std::deque<std::string> failures;
};

// What a command printed on its standard output.
QString commandOutput(const QString& command) {
    QString output;
    if (FILE* pipe = popen(command.toLocal8Bit().constData(), "r")) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
            output += QString::fromUtf8(buffer, static_cast<qsizetype>(n));
        }
        pclose(pipe);
    }
    return output;
}

int pdfPages(const QString& pdf) {
    const QString info = commandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    const qsizetype at = info.indexOf("Pages:");
    return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

QString pdfText(const QString& pdf) {
    // The printing font joins "ff" into one glyph; read it back as two letters.
    return commandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null").replace(QChar(0xFB00), "ff");
}

const QString kDemoTable = LUMO_SOURCE_DIR "/assets/demo/tarn-demo.chnw";

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (commandOutput("command -v pdftotext; command -v pdfinfo").count('\n') < 2) {
            QFAIL("pdftotext and pdfinfo (Debian's poppler-utils) are needed: make install-deps");
        }
    }

    void printGoesToTheActiveChildAndWaitsWhileBusy() {
        Fixture f;
        auto recording = std::make_unique<RecordingPrinter>();
        RecordingPrinter* printer = recording.get();
        f.window->setPrintTarget(std::move(recording));

        f.window->runCommand(MainCommand::Print);  // no child window
        QVERIFY(printer->jobs.empty());
        f.open(MainCommand::Channel);
        f.state->session.Busy = true;
        f.window->runCommand(MainCommand::Print);
        QVERIFY(printer->jobs.empty());
        f.state->session.Busy = false;
        f.window->runCommand(MainCommand::Print);
        QCOMPARE(printer->jobs.size(), 1u);
        QCOMPARE(printer->jobs[0].title, QString("test"));
        QCOMPARE(printer->jobs[0].orientation, QPageLayout::Landscape);

        f.open(MainCommand::Param);
        printer->failures = {"The printer \"office\" did not take the job."};
        f.window->runCommand(MainCommand::Print);
        QCOMPARE(printer->jobs.size(), 2u);
        QCOMPARE(printer->jobs[1].title, QString("print option"));
        QCOMPARE(f.dialogs.messages().back(), std::string("The printer \"office\" did not take the job."));
    }

    void exportPdfWritesWhatPrintWouldPrint() {
        Fixture f;
        f.documents->openAnswers = {kDemoTable.toStdString()};
        f.open(MainCommand::Channel);
        const QString pdf = f.dir.filePath("table.pdf");
        f.documents->saveAnswers = {pdf.toStdString()};
        f.window->exportPdf();
        QCOMPARE(f.documents->saved.back().defaultExtension, std::string("pdf"));
        QVERIFY(pdfPages(pdf) >= 2);
        const QString text = pdfText(pdf);
        for (const char* expected : {"RX Frequency(MHZ)", "OptSingal", "SPUnmute", "CH-Name", "PMR1",
                                     "446.00625", "Off", "99"}) {
            QVERIFY2(text.contains(expected), expected);
        }
        QVERIFY(commandOutput("pdfinfo '" + pdf + "'").contains(QRegularExpression("Title:\\s+test")));
    }

    void lumoCliPrintsTablesAndSettingsWithoutADisplay() {
        QTemporaryDir dir;
        const QString cli = LUMO_BINARY_DIR "/bin/lumo-cli";
        const QString table = dir.filePath("t.pdf");
        QCOMPARE(std::system(("env -u DISPLAY QT_QPA_PLATFORM= '" + cli + "' print '" + kDemoTable +
                              "' -o '" + table + "' 2>/dev/null").toLocal8Bit().constData()),
                 0);
        QVERIFY(pdfText(table).contains("SPUnmute"));

        // The whole table of a file whose row count shows all 128 channels.
        ChannelTable whole;
        whole.setRowCount(ChannelTable::kRows);
        whole.setCell(1, 128, "450.00000");
        whole.setCell(12, 128, "LAST");
        const QString chnw = dir.filePath("whole.chnw");
        SaveChannelFile(whole, chnw.toStdString());
        const QString wholePdf = dir.filePath("whole.pdf");
        QCOMPARE(std::system(("'" + cli + "' print '" + chnw + "' -o '" + wholePdf + "' 2>/dev/null")
                                 .toLocal8Bit()
                                 .constData()),
                 0);
        QVERIFY(pdfText(wholePdf).contains("LAST"));
        QVERIFY(pdfPages(wholePdf) > pdfPages(table));

        const QString optw = dir.filePath("s.optw");
        QFile file(optw);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0\r\n0\r\n1\r\n5\r\n12\r\n5\r\n0\r\n12\r\n12\r\n4\r\n0\r\n1\r\n0\r\n0\r\n");
        file.close();
        const QString settings = dir.filePath("s.pdf");
        QCOMPARE(std::system(("'" + cli + "' settings print '" + optw + "' -o '" + settings +
                              "' 2>/dev/null").toLocal8Bit().constData()),
                 0);
        QCOMPARE(pdfPages(settings), 1);
        // The window is drawn, not pasted as a picture: its texts are the PDF's own.
        QVERIFY(pdfText(settings).contains("Volumecon"));
        QVERIFY(commandOutput("pdfinfo '" + settings + "'").contains(QRegularExpression("Title:\\s+print option")));
        // A file that does not fit is refused, and no PDF appears.
        const QString cut = dir.filePath("cut.optw");
        QFile cutFile(cut);
        QVERIFY(cutFile.open(QIODevice::WriteOnly));
        cutFile.write("0\r\n");
        cutFile.close();
        QVERIFY(std::system(("'" + cli + "' settings print '" + cut + "' -o '" + dir.filePath("no.pdf") +
                             "' 2>/dev/null").toLocal8Bit().constData()) != 0);
        QVERIFY(!QFile::exists(dir.filePath("no.pdf")));
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<PrintTest>(argc, argv);
}

#include "print_test.moc"
