#pragma once

#include <filesystem>

#include "channels/channel_codec.h"

namespace lumo {

// A MemoryImage kept as a file of exactly its 8192 bytes. Throws std::system_error
// naming the file, or std::runtime_error for a file of another size.
MemoryImage readImageFile(const std::filesystem::path& path);
void writeImageFile(const std::filesystem::path& path, const MemoryImage& image);

}  // namespace lumo
