#pragma once

#include <atomic>
#include <string>

#include "base/transfer_cancel.h"
#include "base/transfer_host.h"
#include "channels/channel_codec.h"
#include "link/hex_link.h"

namespace lumo {

enum class TransferMode { Read = 0, Write = 1 };

// Reads come in 64-byte blocks answered with 4 header bytes, writes go in 16-byte
// blocks; records and name slots alternate.
inline constexpr int kReadBlockLength = 64;
inline constexpr int kReadReplyHeader = 4;
inline constexpr int kWriteBlockLength = 16;

// Connects, reads the records and name slots of `count` channels (0..128) into the
// image and closes the port. On any failure the user has been told, the port is
// closed and false comes back; the image then holds the blocks read so far, and never
// a block whose reply was cut short or unacknowledged.
bool ReadChannels(int count, const std::string& portName, HexLink& link, MemoryImage& image,
                  const TransferProgress& progress, TransferCancel* cancel = nullptr);

// Connects, writes the records and name slots of `count` channels from the image and
// closes the port. Blocks written before a failure stay written in the radio.
bool WriteChannels(int count, const std::string& portName, HexLink& link, const MemoryImage& image,
                   const TransferProgress& progress, TransferCancel* cancel = nullptr);

// Runs one channel transfer at a time on a worker thread, for all 128 channels, over
// the link's port and the image. The link and the image belong to the worker until
// RunTransfer returns.
class ChannelTransfer {
  public:
    ChannelTransfer(HexLink& link, MemoryImage& image) : link_(link), image_(image) {}
    ChannelTransfer(const ChannelTransfer&) = delete;
    ChannelTransfer& operator=(const ChannelTransfer&) = delete;

    // Starts ReadChannels or WriteChannels on a worker, waits through the host and
    // returns the worker's result. An exception in the worker closes the port and is
    // thrown here.
    bool RunTransfer(TransferMode mode, TransferHost& host);
    // The same, stopped through `cancel`, which may serve other sessions too: a stop
    // asked for before this session began stops it before its first block.
    bool RunTransfer(TransferMode mode, TransferHost& host, TransferCancel& cancel);

    TransferMode mode() const { return mode_; }
    bool TransferRunning() const { return running_; }
    bool TransferResult() const { return result_; }
    // Asks the running transfer to stop after the block exchange in progress.
    void requestCancel() { cancel_.requested = true; }
    // How the last transfer of the one-argument RunTransfer ended: stopped on request,
    // and how far it came.
    const TransferCancel& cancelState() const { return cancel_; }

  private:
    HexLink& link_;
    MemoryImage& image_;
    TransferMode mode_ = TransferMode::Read;
    std::atomic<bool> running_{false};
    std::atomic<bool> result_{false};
    TransferCancel cancel_;
};

}  // namespace lumo
