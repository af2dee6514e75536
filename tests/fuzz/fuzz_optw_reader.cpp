// Settings files opened in the settings window: a file either loads whole or changes
// nothing, what loads saves back to lines that load the same again, and the loaded
// controls always give a valid settings block.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/control_tree.h"
#include "settings/optw_file.h"
#include "settings/settings_form.h"
#include "settings/settings_listing.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = lumo::splitOptwLines(text);
    check(lumo::splitOptwLines(lumo::joinOptwLines(lines)) == lines);

    const lumo::SettingsForm fresh;
    lumo::SettingsForm form;
    try {
        form.loadLines(lines);
    } catch (const lumo::ControlTreeLoadError& e) {
        check(form.body() == fresh.body());
        check(e.lineNumber() >= 1 && e.lineNumber() <= lines.size() + 1);
        return 0;
    }
    const std::vector<std::string> saved = form.saveLines();
    lumo::SettingsForm again;
    again.loadLines(saved);
    check(again.saveLines() == saved);
    check(form.radioBytes().size() == 16);
    check(lumo::settingsListing(form).size() == 14);
    return 0;
}
