#pragma once

#include <chrono>
#include <cstddef>
#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "base/transfer_cancel.h"
#include "link/hex_link.h"
#include "settings/settings_bytes.h"
#include "settings/settings_form.h"

namespace lumo {

// Where a transfer stands: position out of maximum. The window moves its progress bar;
// others may ignore it.
using TransferProgress = std::function<void(int position, int maximum)>;

// Both settings transfers count to this.
inline constexpr int kSettingsProgressSteps = 6;

// The value of byte `position` (from 0) of a hex text such as "52 0E 00 40 ". Throws
// HexTextError when the text has no such byte or it is not hexadecimal.
int HexByteAt(std::string_view hexText, std::size_t position);

// The settings bytes 0x0E20..0x0E2E as the radio holds them.
using SettingsBytes = std::array<std::uint8_t, kSettingsBytesRead>;

// Reads 0x0E00..0x0E3F as ReadDuneArea does and returns 0x0E20..0x0E2E untouched;
// nothing when the read failed (the user has been told) or was stopped through
// `cancel` (nothing was said). The settings travel in one block: a stop is taken
// before the handshake or between it and the block.
std::optional<SettingsBytes> ReadDuneBytes(HexLink& link, const TransferProgress& progress,
                                           TransferCancel* cancel = nullptr);

// Reads 0x0E00..0x0E3F over `link` on its PortName and puts 0x0E20..0x0E2E into the
// form's controls; the controls change only when the whole read succeeded. Tells the
// user of a failure through the link's dialogs and returns false; the port is closed
// either way. When the reply does not arrive and the link still ends its handshake
// with an acknowledgement, it reconnects once without one.
bool ReadDuneArea(HexLink& link, SettingsForm& form, const TransferProgress& progress);

// Sends the 16 bytes 0x0E20..0x0E2F that the form's controls stand for. A failure is
// reported as for a read; the radio may then hold some of the bytes. A stop through
// `cancel` is taken as for a read, before anything is sent.
bool WriteDuneArea(HexLink& link, const SettingsForm& form, const TransferProgress& progress,
                   TransferCancel* cancel = nullptr);

}  // namespace lumo
