#pragma once

#include "channels/channel_codec.h"
#include "channels/channel_table.h"

namespace lumo {

// Decodes all 128 channels of the image into the table and shows all rows. A row whose
// frequencies are both empty keeps its name cell.
void LoadGridFromImage(ChannelTable& table, const MemoryImage& image,
                       const ChannelVocabulary& vocabulary = defaultVocabulary());

// Encodes all 128 rows of the table, shown or hidden, into an image that is 0xFF
// wherever no field lies. A cell the codec cannot convert throws ConversionError
// naming channel, column and text, and leaves `image` as it was.
void StoreGridToImage(const ChannelTable& table, MemoryImage& image,
                      const ChannelVocabulary& vocabulary = defaultVocabulary());

}  // namespace lumo
