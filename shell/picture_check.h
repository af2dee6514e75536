#pragma once

#include <filesystem>
#include <ostream>

namespace lumo {

// Loads every picture file the window shows from `appDir` with the window's own
// loader and writes one line per file to `out`: its path and size, or what is wrong.
// True when all of them load. An installed program is checked with it, since a
// missing picture only shows as a message box once the window is up.
bool checkPictureFiles(const std::filesystem::path& appDir, std::ostream& out);

}  // namespace lumo
