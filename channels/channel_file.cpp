#include "channels/channel_file.h"

#include <charconv>

#include "base/atomic_file.h"
#include "base/read_file.h"
#include "base/text_lines.h"

namespace lumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kFirstCellLine = 3;

int parseRowCount(std::string_view text) {
    int rows = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, rows);
    if (text.empty() || result.ec == std::errc::invalid_argument || result.ptr != end) {
        throw ChannelFileError(2, "the row count \"" + std::string(text) + "\" is not a number");
    }
    if (result.ec != std::errc() || rows < 1 || rows > ChannelTable::kRows) {
        throw ChannelFileError(2, "the row count " + std::string(text) + " is not between 1 and " +
                                      std::to_string(ChannelTable::kRows));
    }
    return rows;
}

int storedColumns() {
    return ChannelTable::kColumns - 1;
}

}  // namespace

ChannelFileError::ChannelFileError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem), line_(line) {}

ChannelFileError::ChannelFileError(const std::filesystem::path& file, const ChannelFileError& inner)
    : std::runtime_error(file.string() + ": " + inner.what()), line_(inner.line_) {}

std::string formatChannelFile(const ChannelTable& table, std::string_view fileType) {
    std::string text;
    text.append(fileType).append(kLineEnd);
    text.append(std::to_string(table.rowCount())).append(kLineEnd);
    for (int column = 1; column < table.columnCount(); ++column) {
        for (int row = 1; row < table.rowCount(); ++row) {
            text.append(table.cell(column, row)).append(kLineEnd);
        }
    }
    return text;
}

std::optional<ChannelFileContents> parseChannelFile(std::string_view text,
                                                    std::string_view fileType) {
    const std::vector<std::string_view> lines = splitTextLines(text);
    if (lines.empty()) {
        throw ChannelFileError(1, "the file is empty");
    }
    if (lines[0] != fileType) {
        return std::nullopt;
    }
    if (lines.size() < 2) {
        throw ChannelFileError(2, "the file ends before the row count");
    }
    ChannelFileContents contents;
    contents.rowCount = parseRowCount(lines[1]);
    const std::size_t cellCount =
        static_cast<std::size_t>(storedColumns()) * static_cast<std::size_t>(contents.rowCount - 1);
    const std::size_t needed = kFirstCellLine - 1 + cellCount;
    if (lines.size() < needed) {
        throw ChannelFileError(static_cast<int>(lines.size()) + 1,
                               "the file ends here, but " + std::to_string(contents.rowCount) +
                                   " rows take " + std::to_string(needed) + " lines");
    }
    contents.cells.assign(lines.begin() + kFirstCellLine - 1,
                          lines.begin() + static_cast<long>(needed));
    return contents;
}

void applyChannelFile(ChannelTable& table, const ChannelFileContents& contents) {
    table.setRowCount(contents.rowCount);
    std::size_t next = 0;
    for (int column = 1; column < table.columnCount(); ++column) {
        for (int row = 1; row < contents.rowCount; ++row) {
            table.setCell(column, row, contents.cells.at(next++));
        }
    }
}

void SaveChannelFile(const ChannelTable& table, const std::filesystem::path& path,
                     std::string_view fileType) {
    writeFileAtomically(path, formatChannelFile(table, fileType));
}

bool LoadChannelFile(ChannelTable& table, const std::filesystem::path& path, UserDialogs& dialogs,
                     std::string_view fileType, const LanguageStrings& strings) {
    std::optional<ChannelFileContents> contents;
    try {
        contents = parseChannelFile(readWholeFile(path), fileType);
    } catch (const ChannelFileError& e) {
        throw ChannelFileError(path, e);
    }
    if (!contents) {
        dialogs.showMessage(strings.badFileType, strings.information);
        return false;
    }
    applyChannelFile(table, *contents);
    return true;
}

}  // namespace lumo
