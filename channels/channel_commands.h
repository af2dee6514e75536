#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/session.h"
#include "channels/channel_compare.h"
#include "channels/channel_table.h"
#include "channels/channel_transfer.h"

namespace lumo {

// The channel window's Read and Write commands on its table, without the window: the
// window presses them from its buttons, the command line from its verbs. Messages go
// to the user through the link's dialogs.
class ChannelCommands {
  public:
    ChannelCommands(ChannelTable& table, Session& session, HexLink& link,
                    const ChannelVocabulary& vocabulary = defaultVocabulary());

    // Reads the radio; only a complete read reaches the table. The table shows
    // channels 1..99 before and after. Does nothing while the session is Busy.
    bool readFromRadio(TransferHost& host);
    // Encodes the whole table and writes it. A cell that cannot be converted is told
    // to the user and stops the write before anything is sent. Does nothing while Busy.
    bool writeToRadio(TransferHost& host);
    // Writes an image as it stands, without the table.
    bool writeImageToRadio(const MemoryImage& image, TransferHost& host);
    // Reads what the radio holds into `held`, leaving the table as it is: for a look
    // at what a write would change. Does nothing while Busy.
    bool readRadioImage(MemoryImage& held, TransferHost& host);
    // Reads the channel area back after a write, in a session of its own, and compares
    // it with what was sent: the channels that differ. Nothing when the read-back
    // failed, and while Busy.
    std::optional<std::vector<ChannelDifference>> verifyLastWrite(TransferHost& host);

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
    bool send(TransferHost& host);

    ChannelTable& table_;
    Session& session_;
    HexLink& link_;
    const ChannelVocabulary& vocabulary_;
    MemoryImage image_ = blankMemoryImage();
    ChannelTransfer transfer_{link_, image_};
};

// What a write must pass before anything is sent: every frequency inside the
// session's bands or at their limits and every cell convertible, in all 128 rows. Throws ConversionError
// naming channel, column and text.
void checkTableForWrite(const ChannelTable& table, const Session& session,
                        const ChannelVocabulary& vocabulary = defaultVocabulary());

// Every problem that stops a write, not only the first: each frequency outside the
// bands or not a number, each tone the codec cannot take, in channel and column order,
// each naming channel, column and text. Empty when the table can be written.
std::vector<ConversionError> writeProblems(const ChannelTable& table, const Session& session,
                                           const ChannelVocabulary& vocabulary = defaultVocabulary());

// The problems one to a line, for a message after the first problem's own.
std::string listWriteProblems(const std::vector<ConversionError>& problems);

}  // namespace lumo
