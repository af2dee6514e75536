#include "settings/optw_file.h"

#include "base/atomic_file.h"
#include "base/read_file.h"
#include "base/text_lines.h"

namespace lumo {

std::vector<std::string> splitOptwLines(std::string_view text) {
    const std::vector<std::string_view> lines = splitTextLines(text);
    return {lines.begin(), lines.end()};
}

std::string joinOptwLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> readOptwFile(const std::filesystem::path& path) {
    return splitOptwLines(readWholeFile(path));
}

void writeOptwFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    writeFileAtomically(path, joinOptwLines(lines));
}

}  // namespace lumo
