#pragma once

#include <filesystem>
#include <vector>

namespace lumo {

// The folder whose .csv and .chnw files New from template offers.
std::filesystem::path templateFolder();

// The template files in `folder` (a .csv or .chnw in any case, regular files only),
// sorted by file name; none when the folder is missing or unreadable.
std::vector<std::filesystem::path> listTemplateFiles(const std::filesystem::path& folder);

}  // namespace lumo
