#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/session.h"
#include "base/transfer_host.h"
#include "link/hex_link.h"
#include "settings/settings_form.h"
#include "settings/settings_transfer.h"

namespace lumo {

// Loads a settings file into the form, all or nothing. Returns what to tell the user
// when the file cannot be used; the form is then unchanged.
std::optional<std::string> loadSettingsFile(SettingsForm& form, const std::filesystem::path& path);

// Writes the form's settings file, replacing any file there. Returns what to tell the
// user when that fails.
std::optional<std::string> writeSettingsFile(const SettingsForm& form,
                                             const std::filesystem::path& path);

// The settings window's buttons without the window: Read, Write, Default, Save and Open.
// Each does nothing while the session is Busy. The user hears of results and failures
// through the link's dialogs; file choice is the caller's (a dialog or a path).
class SettingsCommands {
  public:
    SettingsCommands(SettingsForm& form, Session& session, HexLink& link)
        : form_(form), session_(session), link_(link) {}

    // Reads the radio's settings into the form and says "Recive data complete!".
    bool read();
    // Writes the form to the radio and says "Translate data complete!".
    bool write();
    // The same on a worker thread, waiting through `host` (a window's local event
    // loop): the transfer works on a copy of the form, and the values read reach the
    // form only once the whole read succeeded, on the calling thread.
    // `cancel`, when given, stops the session before its block.
    bool read(TransferHost& host, TransferCancel* cancel = nullptr);
    bool write(TransferHost& host, TransferCancel* cancel = nullptr);
    // Reads the radio's settings bytes on a worker, leaving the form as it is: for a
    // look at what a write would change, or to verify one. Nothing when the read
    // failed (the link has told the user), was stopped, or while Busy.
    std::optional<SettingsBytes> readRadioBytes(TransferHost& host, TransferCancel* cancel = nullptr);
    // Default.
    bool restoreDefaults();
    // Writes the form's settings file; an existing file is replaced.
    bool save(const std::filesystem::path& path);
    // Loads a settings file into the form; a file that does not fit changes nothing.
    bool open(const std::filesystem::path& path);

  private:
    bool runTransfer(bool reading);
    bool runBeside(bool reading, TransferHost& host, TransferCancel* cancel);
    // Shows a file failure, if any; true when there was none.
    bool report(const std::optional<std::string>& failure);

    SettingsForm& form_;
    Session& session_;
    HexLink& link_;
};

}  // namespace lumo
