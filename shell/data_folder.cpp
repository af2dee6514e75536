#include "shell/data_folder.h"

#include <cstdlib>

namespace lumo {

std::filesystem::path lumoDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (data != nullptr && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return base / "Lumo";
}

}  // namespace lumo
