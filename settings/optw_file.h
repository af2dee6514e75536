#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// The settings file: plain text, one value per line, each line ended by CR LF, no
// header. It holds the values of a control tree in walk order (settings/control_tree.h).
inline constexpr std::string_view kOptwExtension = "optw";
inline constexpr std::string_view kOptwFilter = "optw file(*.optw)|*.optw";

// Splits file text into lines at CR LF, LF or a lone CR; a final line break does not
// start another line.
std::vector<std::string> splitOptwLines(std::string_view text);

// The lines as file text: each followed by CR LF.
std::string joinOptwLines(const std::vector<std::string>& lines);

// Reads a settings file's lines. Throws std::system_error naming the file.
std::vector<std::string> readOptwFile(const std::filesystem::path& path);

// Writes the lines atomically, replacing the file without asking. Throws
// std::system_error naming the file.
void writeOptwFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace lumo
