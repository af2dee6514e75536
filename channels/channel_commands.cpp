#include "channels/channel_commands.h"

#include "channels/channel_image.h"

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

}  // namespace

ChannelCommands::ChannelCommands(ChannelTable& table, Session& session, HexLink& link,
                                 const ChannelVocabulary& vocabulary)
    : table_(table), session_(session), link_(link), vocabulary_(vocabulary) {}

bool ChannelCommands::run(TransferMode mode, TransferHost& host, TransferCancel* cancel) {
    return cancel != nullptr ? transfer_.RunTransfer(mode, host, *cancel)
                             : transfer_.RunTransfer(mode, host);
}

bool ChannelCommands::readFromRadio(TransferHost& host, TransferCancel* cancel) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    table_.setRowCount(ChannelTable::kShownRowCount);
    const bool read = run(TransferMode::Read, host, cancel);
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
        link_.dialogs().showWarning(problems.front().what());
        if (problems.size() > 1) {
            link_.dialogs().showWarning(listWriteProblems(problems));
        }
        return false;
    }
    return writeCheckedTable(host);
}

bool ChannelCommands::writeCheckedTable(TransferHost& host, TransferCancel* cancel) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    StoreGridToImage(table_, image_, vocabulary_);
    return send(host, cancel);
}

bool ChannelCommands::writeImageToRadio(const MemoryImage& image, TransferHost& host,
                                        TransferCancel* cancel) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    image_ = image;
    return send(host, cancel);
}

bool ChannelCommands::readRadioImage(MemoryImage& held, TransferHost& host, TransferCancel* cancel) {
    if (session_.Busy) {
        return false;
    }
    BusyScope busy(session_);
    MemoryImage read = blankMemoryImage();
    ChannelTransfer look(link_, read);
    const bool done = cancel != nullptr ? look.RunTransfer(TransferMode::Read, host, *cancel)
                                        : look.RunTransfer(TransferMode::Read, host);
    if (!done) {
        return false;
    }
    held = read;
    return true;
}

bool ChannelCommands::send(TransferHost& host, TransferCancel* cancel) {
    const bool written = run(TransferMode::Write, host, cancel);
    if (written) {
        link_.dialogs().showMessage(session_.strings().translateComplete);
    }
    host.resetProgress();
    return written;
}

}  // namespace lumo
