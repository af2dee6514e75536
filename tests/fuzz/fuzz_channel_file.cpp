// Channel files: the reader never reads or writes out of bounds, accepts a file only
// whole, and what it accepts is written back into a file that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "channels/channel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<lumo::ChannelFileContents> contents;
    try {
        contents = lumo::parseChannelFile(text, lumo::kChannelFileType);
    } catch (const lumo::ChannelFileError&) {
        return 0;
    }
    if (!contents) {
        return 0;
    }
    lumo::ChannelTable table;
    lumo::applyChannelFile(table, *contents);
    const auto again = lumo::parseChannelFile(
        lumo::formatChannelFile(table, lumo::kChannelFileType), lumo::kChannelFileType);
    if (!again || again->rowCount != contents->rowCount || again->cells != contents->cells) {
        std::abort();
    }
    return 0;
}
