// Arbitrary channel images: decoding never fails; encoding what was decoded either
// names a cell it cannot convert or gives an image that, after one more pass (a name
// with a character the alphabet lacks ends there), decodes and encodes to itself.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "channels/channel_image.h"

namespace {

lumo::MemoryImage throughTable(const lumo::MemoryImage& image) {
    lumo::ChannelTable table;
    lumo::LoadGridFromImage(table, image);
    lumo::MemoryImage stored = lumo::blankMemoryImage();
    lumo::StoreGridToImage(table, stored);
    return stored;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumo::MemoryImage image = lumo::blankMemoryImage();
    std::copy_n(data, std::min(size, image.size()), image.begin());

    lumo::MemoryImage once;
    try {
        once = throughTable(image);
    } catch (const lumo::ConversionError& e) {
        if (e.channel() < 1 || e.channel() > lumo::ChannelCount || e.column() < 1 ||
            e.column() > 4) {
            std::abort();
        }
        return 0;
    }
    const lumo::MemoryImage twice = throughTable(once);
    if (throughTable(twice) != twice) {
        std::abort();
    }
    return 0;
}
