#pragma once

#include <filesystem>
#include <string_view>

namespace lumo {

// Replaces `path` with `content` so that the old file stays whole until the new one
// is complete: a temporary file beside it is written, flushed and renamed over it.
// Throws std::system_error naming the file.
void writeFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace lumo
