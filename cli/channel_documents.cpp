#include "cli/channel_documents.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "channels/channel_file.h"
#include "channels/channel_image.h"
#include "channels/chirp_csv.h"
#include "channels/image_file.h"

namespace lumo::cli {
namespace {

constexpr int kColumnGap = 2;
constexpr int kNameColumn = 12;

std::string lowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return extension;
}

}  // namespace

ChannelDocument channelDocumentOf(const std::filesystem::path& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".img") {
        return ChannelDocument::Image;
    }
    if (extension == ".chnw") {
        return ChannelDocument::TableFile;
    }
    if (isChirpCsvPath(path)) {
        return ChannelDocument::Csv;
    }
    throw std::invalid_argument(path.string() + ": not a .img, .chnw or .csv file");
}

std::optional<ChannelTable> openChannelDocument(const std::filesystem::path& path,
                                                UserDialogs& dialogs, OpenOptions options) {
    ChannelTable table;
    switch (channelDocumentOf(path)) {
        case ChannelDocument::Image:
            LoadGridFromImage(table, readImageFile(path));
            break;
        case ChannelDocument::TableFile:
            if (!LoadChannelFile(table, path, dialogs)) {
                return std::nullopt;
            }
            break;
        case ChannelDocument::Csv: {
            // A CSV file holds the whole channel list, so its own row count stands.
            LanguageStrings strings;
            Session session(strings);
            session.setUp();
            LoadChirpCsv(table, path, session, dialogs, {.skipInvalid = options.skipInvalid});
            return table;
        }
    }
    if (!options.keepFileRowCount) {
        table.setRowCount(ChannelTable::kShownRowCount);
    }
    return table;
}

void saveChannelDocument(const ChannelTable& table, const std::filesystem::path& path) {
    switch (channelDocumentOf(path)) {
        case ChannelDocument::Image: {
            MemoryImage image = blankMemoryImage();
            StoreGridToImage(table, image);
            writeImageFile(path, image);
            break;
        }
        case ChannelDocument::TableFile:
            SaveChannelFile(table, path);
            break;
        case ChannelDocument::Csv:
            SaveChirpCsv(table, path);
            break;
    }
}

std::string formatChannelListing(const ChannelTable& table, bool allColumns) {
    std::vector<int> columns;
    for (int column = 0; column < table.columnCount(); ++column) {
        // The grid shows a name when the pointer rests on its row; a listing cannot.
        if (allColumns || !isHiddenColumn(column) || column == kNameColumn) {
            columns.push_back(column);
        }
    }
    std::vector<int> rows{0};
    for (int row = 1; row < ChannelTable::kRows; ++row) {
        if (!table.rowIsEmpty(row)) {
            rows.push_back(row);
        }
    }
    auto text = [&](int column, int row) {
        return row == 0 ? columnName(table, column) : table.cell(column, row);
    };
    std::vector<std::size_t> widths;
    for (const int column : columns) {
        std::size_t width = 0;
        for (const int row : rows) {
            width = std::max(width, text(column, row).size());
        }
        widths.push_back(width);
    }
    std::string listing;
    for (const int row : rows) {
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string cell = text(columns[i], row);
            line += cell;
            if (i + 1 < columns.size()) {
                line += std::string(widths[i] - cell.size() + kColumnGap, ' ');
            }
        }
        line.erase(line.find_last_not_of(' ') + 1);
        listing += line + "\n";
    }
    if (rows.size() == 1) {
        listing += "(no channels)\n";
    }
    return listing;
}

}  // namespace lumo::cli
