#include "settings/optw_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "shell/atomic_file.h"

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
    const std::string name = "\"" + path.string() + "\"";
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw OptwFileError("Cannot open " + name + ": it is a folder.");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int why = errno;
        throw OptwFileError("Cannot open " + name +
                            (why != 0 ? ": " + std::string(std::strerror(why)) : "") + ".");
    }
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kOptwMaxBytes) {
            throw OptwFileError(name + " is not a settings file: it is far too large.");
        }
    }
    if (in.bad()) {
        throw OptwFileError("Cannot read " + name + ".");
    }
    return splitOptwLines(text);
}

void writeOptwFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    writeFileAtomically(path, joinOptwLines(lines));
}

}  // namespace lumo
