#include "settings/optw_file.h"

#include "shell/atomic_file.h"
#include "shell/read_file.h"

namespace lumo {

std::vector<std::string> splitOptwLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
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
