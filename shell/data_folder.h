#pragma once

#include <filesystem>

namespace lumo {

// Where Lumo keeps a user's own data: $XDG_DATA_HOME/Lumo, or ~/.local/share/Lumo
// without it (or with a relative value, which the XDG rules say to ignore).
std::filesystem::path lumoDataFolder();

}  // namespace lumo
