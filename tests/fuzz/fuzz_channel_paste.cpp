// Channels pasted from the clipboard: any text either is refused, with the table left
// as it was, or fills consecutive channels from the current row with complete
// channels, which copied and pasted again give the same cells.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "channels/channel_clipboard.h"
#include "channels/channel_reorder.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

constexpr int kLastChannel = 99;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lumo::LanguageStrings strings;
    lumo::Session session(strings);
    session.setUp();
    lumo::ChannelTable table;
    table.setCell(1, 50, "446.00625");
    const lumo::ChannelTable before = table;
    const int first = 1 + static_cast<int>(size % kLastChannel);
    lumo::holdsChannelText(text);

    std::vector<lumo::CsvLineNote> warnings;
    std::vector<int> rows;
    try {
        rows = lumo::pasteChannelText(table, text, first, kLastChannel, session, warnings);
    } catch (const lumo::ChirpCsvError& e) {
        check(!e.problems().empty() && table == before);
        return 0;
    } catch (const lumo::ChannelEditRefused&) {
        check(table == before);
        return 0;
    }
    check(!rows.empty() && rows.front() == first && rows.back() <= kLastChannel);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        check(rows[i] == first + static_cast<int>(i));
        for (int column = 1; column <= 11; ++column) {
            check(column == 2 || !table.cell(column, rows[i]).empty());
        }
    }
    const std::string copied = lumo::channelsAsClipboardText(table, rows);
    check(lumo::holdsChannelText(copied));
    lumo::ChannelTable again;
    std::vector<lumo::CsvLineNote> none;
    const std::vector<int> pastedAgain =
        lumo::pasteChannelText(again, copied, first, kLastChannel, session, none);
    check(pastedAgain == rows && none.empty());
    for (const int row : rows) {
        check(again.rowFields(row) == table.rowFields(row));
    }
    return 0;
}
