#pragma once

#include <string>
#include <vector>

#include "base/session.h"
#include "channels/channel_codec.h"
#include "channels/channel_table.h"

namespace lumo {

// What a write must pass before anything is sent: every frequency inside the
// session's bands or at their limits and every cell convertible, in all 128 rows. Throws ConversionError
// naming channel, column and text.
void checkTableForWrite(const ChannelTable& table, const Session& session,
                        const ChannelVocabulary& vocabulary = defaultVocabulary());

// Every problem that stops a write, not only the first: each frequency outside the
// bands or not a number, each tone the codec cannot take, in channel and column order,
// each naming channel, column and text. Empty when the table can be written.
// With `radio`, what the radio is known to hold, a frequency outside the bands that
// the radio already holds in the same channel and column is no problem: writing it
// back changes nothing, and a table read from a radio can always go back to it.
std::vector<ConversionError> writeProblems(const ChannelTable& table, const Session& session,
                                           const ChannelVocabulary& vocabulary = defaultVocabulary(),
                                           const MemoryImage* radio = nullptr);

// The frequencies outside the bands that a write sends only because `radio` already
// holds them, one line per channel and frequency: "channel 120: 435.00000 MHz is
// outside 440-451 MHz; the radio already holds it".
std::vector<std::string> outOfBandHeld(const ChannelTable& table, const Session& session,
                                       const MemoryImage& radio);

// The problems one to a line, for a message after the first problem's own.
std::string listWriteProblems(const std::vector<ConversionError>& problems);

// Whether any channel above 99, which the window keeps but does not show, holds
// anything.
bool usesChannelsAbove99(const ChannelTable& table);

// Channels 100..128 of `table` as `radio` holds them, for a table whose file held
// channels 1..99 only, so that a write leaves them as they are.
void takeChannelsAbove99(ChannelTable& table, const MemoryImage& radio,
                         const ChannelVocabulary& vocabulary = defaultVocabulary());

}  // namespace lumo
