#pragma once

#include <filesystem>
#include <string>

namespace lumo {

// The whole content of a file. Throws std::system_error naming the file.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace lumo
