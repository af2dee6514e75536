#include "channels/channel_commands.h"

#include "channels/channel_image.h"
#include "channels/channel_verify.h"

namespace lumo {
namespace {

// Busy for the length of a command, also when it ends by an exception.
class BusyScope {
  public:
    explicit BusyScope(Session& session) : session_(session) { session_.Busy = true; }
    ~BusyScope() { session_.Busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    Session& session_;
};

std::string bandsText(const Session& session) {
    std::string text = shortestDecimal(session.BandLow) + "-" + shortestDecimal(session.BandHigh);
    if (session.Band2Low != session.BandLow || session.Band2High != session.BandHigh) {
        text +=
            " or " + shortestDecimal(session.Band2Low) + "-" + shortestDecimal(session.Band2High);
    }
    return text + " MHz";
}

// The window puts the lower band limit itself into a cell it had to correct, so a
// write takes the limits as well as what lies between them.
bool withinBandsOrAtLimits(const Session& session, long double mhz) {
    return (mhz >= session.BandLow && mhz <= session.BandHigh) ||
           (mhz >= session.Band2Low && mhz <= session.Band2High);
}

}  // namespace

ChannelCommands::ChannelCommands(ChannelTable& table, Session& session, HexLink& link,
                                 const ChannelVocabulary& vocabulary)
    : table_(table), session_(session), link_(link), vocabulary_(vocabulary) {}

bool ChannelCommands::readFromRadio(TransferHost& host) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    table_.setRowCount(ChannelTable::kShownRowCount);
    const bool read = transfer_.RunTransfer(TransferMode::Read, host);
    if (read) {
        LoadGridFromImage(table_, image_, vocabulary_);
        if (tableLoaded) {
            tableLoaded();
        }
        link_.dialogs().showMessage(session_.strings().reciveComplete);
        host.resetProgress();
    }
    table_.setRowCount(ChannelTable::kShownRowCount);
    return read;
}

bool ChannelCommands::writeToRadio(TransferHost& host) {
    if (session_.Busy) {
        return false;
    }
    // Nothing is sent while any cell would not reach the radio as it stands: the first
    // problem is told as always, then all of them.
    const std::vector<ConversionError> problems = writeProblems(table_, session_, vocabulary_);
    if (!problems.empty()) {
        link_.dialogs().showMessage(problems.front().what());
        if (problems.size() > 1) {
            link_.dialogs().showMessage(listWriteProblems(problems));
        }
        return false;
    }
    BusyScope busy(session_);
    StoreGridToImage(table_, image_, vocabulary_);
    return send(host);
}

bool ChannelCommands::writeImageToRadio(const MemoryImage& image, TransferHost& host) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    image_ = image;
    return send(host);
}

bool ChannelCommands::readRadioImage(MemoryImage& held, TransferHost& host) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    MemoryImage read = blankMemoryImage();
    ChannelTransfer look(link_, read);
    if (!look.RunTransfer(TransferMode::Read, host)) {
        return false;
    }
    held = read;
    return true;
}

std::optional<std::vector<ChannelDifference>> ChannelCommands::verifyLastWrite(TransferHost& host) {
    if (session_.Busy) {
        return std::nullopt;
    }
    BusyScope busy(session_);
    return readBackChannels(link_, image_, host, vocabulary_);
}

bool ChannelCommands::send(TransferHost& host) {
    const bool written = transfer_.RunTransfer(TransferMode::Write, host);
    if (written) {
        link_.dialogs().showMessage(session_.strings().translateComplete);
    }
    host.resetProgress();
    return written;
}

void checkTableForWrite(const ChannelTable& table, const Session& session,
                        const ChannelVocabulary& vocabulary) {
    const std::vector<ConversionError> problems = writeProblems(table, session, vocabulary);
    if (!problems.empty()) {
        throw problems.front();
    }
}

std::vector<ConversionError> writeProblems(const ChannelTable& table, const Session& session,
                                           const ChannelVocabulary& vocabulary) {
    std::vector<ConversionError> problems;
    for (int row = 1; row <= ChannelCount; ++row) {
        const auto note = [&](const ConversionError& e, int column) {
            problems.emplace_back(ConversionError(e, column), row, columnName(table, column));
        };
        for (const int column : {1, 2}) {
            const std::string& text = table.cell(column, row);
            if (text.empty()) {
                continue;
            }
            try {
                if (!withinBandsOrAtLimits(session, frequencyValue(text))) {
                    note(ConversionError(text, "is outside " + bandsText(session)), column);
                }
            } catch (const ConversionError& e) {
                note(e, column);
            }
        }
        for (const int column : {3, 4}) {
            try {
                EncodeTone(table.cell(column, row));
            } catch (const ConversionError& e) {
                note(e, column);
            }
        }
    }
    // Whatever else the codec refuses, found as a write would find it.
    if (problems.empty()) {
        MemoryImage image = blankMemoryImage();
        try {
            StoreGridToImage(table, image, vocabulary);
        } catch (const ConversionError& e) {
            problems.push_back(e);
        }
    }
    return problems;
}

std::string listWriteProblems(const std::vector<ConversionError>& problems) {
    std::string text = std::to_string(problems.size()) + " problems stop the write; nothing was sent:";
    for (const ConversionError& problem : problems) {
        text += "\n";
        text += problem.what();
    }
    return text;
}

}  // namespace lumo
