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
    try {
        writeOptwFile(path, form_.saveLines());
    } catch (const std::system_error& e) {
        link_.dialogs().showMessage(e.what());
        return false;
    }
    return true;
}

bool SettingsCommands::open(const std::filesystem::path& path) {
    if (session_.Busy) {
        return false;
    }
    try {
        form_.loadLines(readOptwFile(path));
    } catch (const OptwFileError& e) {
        link_.dialogs().showMessage(e.what());
        return false;
    } catch (const ControlTreeLoadError& e) {
        link_.dialogs().showMessage("\"" + path.string() + "\" does not fit the settings: " +
                                    e.what() + " Nothing was changed.");
        return false;
    }
    return true;
}

}  // namespace lumo
