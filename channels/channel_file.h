#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/languagestr.h"
#include "base/user_dialogs.h"
#include "channels/channel_table.h"

namespace lumo {

// The file type text the channel window writes on line 1 and expects there.
inline constexpr std::string_view kChannelFileType = "tes";

// A channel file that cannot be loaded; the message names the file and the line.
class ChannelFileError : public std::runtime_error {
  public:
    ChannelFileError(int line, const std::string& problem);
    ChannelFileError(const std::filesystem::path& file, const ChannelFileError& inner);
    int line() const { return line_; }

  private:
    int line_;
};

// What a channel file holds: the row count (title row included) and the cells of
// columns 1..12, rows 1..rowCount-1, column by column.
struct ChannelFileContents {
    int rowCount = 0;
    std::vector<std::string> cells;
};

// The lines of a channel file: the file type, the row count, then the cells of the
// shown rows column by column; every line ends in CR LF.
std::string formatChannelFile(const ChannelTable& table, std::string_view fileType);

// Checks a whole file before anything is applied; lines may end in CR LF, CR or LF.
// Returns nothing when line 1 is not the file type. Throws ChannelFileError for an
// empty file, a row count that is not a number from 1 to 129, or a file cut short.
// Lines after the last needed one are ignored.
std::optional<ChannelFileContents> parseChannelFile(std::string_view text,
                                                    std::string_view fileType);

// Sets the row count and the stored cells; rows beyond the count keep their texts.
void applyChannelFile(ChannelTable& table, const ChannelFileContents& contents);

// Writes the table's file, replacing an old one only once the new one is complete.
// Throws std::system_error naming the file.
void SaveChannelFile(const ChannelTable& table, const std::filesystem::path& path,
                     std::string_view fileType = kChannelFileType);

// Loads a file into the table. A wrong file type is told to the user as the window
// tells it and returns false. Throws ChannelFileError for a malformed file and
// std::system_error for one that cannot be read. The table changes only on success.
bool LoadChannelFile(ChannelTable& table, const std::filesystem::path& path, UserDialogs& dialogs,
                     std::string_view fileType = kChannelFileType,
                     const LanguageStrings& strings = defaultStrings());

}  // namespace lumo
