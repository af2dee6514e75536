#pragma once

#include <filesystem>
#include <string_view>

namespace lumo {

// Replaces the file at `path` with `content` so that a reader sees either the old file
// or the whole new one, never a part: the bytes go to a temporary file beside it, are
// flushed to disk, and the temporary file is renamed over the target. An existing
// target keeps its permissions. Throws std::system_error naming the file; the target
// is then untouched and no temporary file is left behind.
void writeFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace lumo
