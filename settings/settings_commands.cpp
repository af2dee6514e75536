#include "settings/settings_commands.h"

#include <system_error>

#include "settings/optw_file.h"
#include "settings/settings_transfer.h"

namespace lumo {
namespace {

// Holds Busy for a transfer and puts the progress bar back to 0 however it ends.
class TransferScope {
  public:
    TransferScope(Session& session, SettingsForm& form) : session_(session), form_(form) {
        session_.Busy = true;
    }
    ~TransferScope() {
        form_.setProgress(0, kSettingsProgressSteps);
        session_.Busy = false;
    }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

  private:
    Session& session_;
    SettingsForm& form_;
};

}  // namespace

std::optional<std::string> loadSettingsFile(SettingsForm& form, const std::filesystem::path& path) {
    try {
        form.loadLines(readOptwFile(path));
    } catch (const std::system_error& e) {
        return e.what();
    } catch (const ControlTreeLoadError& e) {
        return "\"" + path.string() + "\" does not fit the settings: " + e.what() +
               " Nothing was changed.";
    }
    return std::nullopt;
}

std::optional<std::string> writeSettingsFile(const SettingsForm& form,
                                             const std::filesystem::path& path) {
    try {
        writeOptwFile(path, form.saveLines());
    } catch (const std::system_error& e) {
        return e.what();
    }
    return std::nullopt;
}

bool SettingsCommands::runTransfer(bool reading) {
    if (session_.Busy) {
        return false;
    }
    TransferScope scope(session_, form_);
    const TransferProgress progress = [this](int position, int maximum) {
        form_.setProgress(position, maximum);
    };
    const bool done =
        reading ? ReadDuneArea(link_, form_, progress) : WriteDuneArea(link_, form_, progress);
    if (done) {
        const LanguageStrings& strings = session_.strings();
        link_.dialogs().showMessage(reading ? strings.reciveComplete : strings.translateComplete);
    }
    return done;
}

bool SettingsCommands::runBeside(bool reading, TransferHost& host, TransferCancel* cancel) {
    if (session_.Busy) {
        return false;
    }
    TransferScope scope(session_, form_);
    SettingsForm copy = form_;
    copy.setChangeListener({});
    const TransferProgress progress = [&host](int position, int maximum) {
        host.progress(position, maximum);
    };
    const bool done = runOnWorker(host, [&] {
        try {
            if (!reading) {
                return WriteDuneArea(link_, copy, progress, cancel);
            }
            const std::optional<SettingsBytes> bytes = ReadDuneBytes(link_, progress, cancel);
            if (bytes) {
                copy.applyRadioBytes(*bytes);
            }
            return bytes.has_value();
        } catch (...) {
            link_.CloseLinkPort();
            throw;
        }
    });
    if (done && reading) {
        form_.applyRadioBytes(copy.radioBytes());
    }
    if (done) {
        const LanguageStrings& strings = session_.strings();
        link_.dialogs().showMessage(reading ? strings.reciveComplete : strings.translateComplete);
    }
    host.resetProgress();
    return done;
}

std::optional<SettingsBytes> SettingsCommands::readRadioBytes(TransferHost& host,
                                                             TransferCancel* cancel) {
    if (session_.Busy) {
        return std::nullopt;
    }
    TransferScope scope(session_, form_);
    const TransferProgress progress = [&host](int position, int maximum) {
        host.progress(position, maximum);
    };
    std::optional<SettingsBytes> held;
    runOnWorker(host, [&] {
        try {
            held = ReadDuneBytes(link_, progress, cancel);
        } catch (...) {
            link_.CloseLinkPort();
            throw;
        }
        return held.has_value();
    });
    host.resetProgress();
    return held;
}

bool SettingsCommands::read(TransferHost& host, TransferCancel* cancel) {
    return runBeside(true, host, cancel);
}

bool SettingsCommands::write(TransferHost& host, TransferCancel* cancel) {
    return runBeside(false, host, cancel);
}

bool SettingsCommands::read() {
    return runTransfer(true);
}

bool SettingsCommands::write() {
    return runTransfer(false);
}

bool SettingsCommands::restoreDefaults() {
    if (session_.Busy) {
        return false;
    }
    form_.restoreDefaults();
    return true;
}

bool SettingsCommands::save(const std::filesystem::path& path) {
    if (session_.Busy) {
        return false;
    }
    return report(writeSettingsFile(form_, path));
}

bool SettingsCommands::open(const std::filesystem::path& path) {
    if (session_.Busy) {
        return false;
    }
    return report(loadSettingsFile(form_, path));
}

bool SettingsCommands::report(const std::optional<std::string>& failure) {
    if (failure) {
        link_.dialogs().showWarning(*failure);
    }
    return !failure;
}

}  // namespace lumo
