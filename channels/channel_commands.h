#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/session.h"
#include "channels/channel_compare.h"
#include "channels/channel_table.h"
#include "channels/channel_transfer.h"
#include "channels/channel_write_check.h"

namespace lumo {

// The channel window's Read and Write commands on its table, without the window: the
// window presses them from its buttons, the command line from its verbs. Messages go
// to the user through the link's dialogs.
class ChannelCommands {
  public:
    ChannelCommands(ChannelTable& table, Session& session, HexLink& link,
                    const ChannelVocabulary& vocabulary = defaultVocabulary());

    // Each command below does nothing while the session is Busy. With `cancel` it is
    // stopped through that (which may serve other sessions too), else through
    // requestCancel(), and cancelState() tells how it ended.

    // Reads the radio; only a complete read reaches the table. The table shows
    // channels 1..99 before and after.
    bool readFromRadio(TransferHost& host, TransferCancel* cancel = nullptr);
    // Encodes the whole table and writes it. A cell that cannot be converted is told
    // to the user and stops the write before anything is sent.
    bool writeToRadio(TransferHost& host);
    // Encodes the whole table and writes it, for a caller that has checked the table
    // itself.
    bool writeCheckedTable(TransferHost& host, TransferCancel* cancel = nullptr);
    // Writes an image as it stands, without the table.
    bool writeImageToRadio(const MemoryImage& image, TransferHost& host,
                           TransferCancel* cancel = nullptr);
    // Reads what the radio holds into `held`, leaving the table as it is: for a look
    // at what a write would change, or to verify one.
    bool readRadioImage(MemoryImage& held, TransferHost& host, TransferCancel* cancel = nullptr);

    // Called once a read has reached the table, before the user is told it is
    // complete, so a window can show the new channels first.
    std::function<void()> tableLoaded;

    // Asks a running transfer to stop after the block exchange in progress; safe from
    // any thread. How the last transfer ended, and how far it came.
    void requestCancel() { transfer_.requestCancel(); }
    const TransferCancel& cancelState() const { return transfer_.cancelState(); }

    // The image of the last transfer: bytes no read block covered are 0xFF.
    const MemoryImage& image() const { return image_; }

  private:
    bool run(TransferMode mode, TransferHost& host, TransferCancel* cancel);
    bool send(TransferHost& host, TransferCancel* cancel);

    ChannelTable& table_;
    Session& session_;
    HexLink& link_;
    const ChannelVocabulary& vocabulary_;
    MemoryImage image_ = blankMemoryImage();
    ChannelTransfer transfer_{link_, image_};
};

}  // namespace lumo
