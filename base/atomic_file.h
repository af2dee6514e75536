#pragma once

#include <filesystem>
#include <string_view>

namespace lumo {

// Replaces the file at `path` with `content` so that a crash or a full disk never
// leaves a half-written file in its place: the content goes to a temporary file
// beside it, is flushed to disk, and is then renamed over the old one (whose
// permissions it keeps). Throws std::system_error naming the file.
void writeFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace lumo
