#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/session.h"
#include "channels/channel_table.h"
#include "channels/channel_vocabulary.h"

namespace lumo {

// Sets one column of many channels to one value, each result as typing or picking it
// in that cell would leave it:
// - RX (1): a frequency, rounded to the channel grid; an empty row becomes a new
//   channel with the defaults, and an empty TX takes the RX.
// - TX (2): a frequency, or "rx", "rx+OFFSET", "rx-OFFSET" in MHz from each channel's
//   own RX, rounded the same way; empty switches the transmit tone off.
// - Options (3..11): one of the column's entries, in any case, stored in its own spelling.
// - Name (12): up to six letters and digits, upper-cased.
// Channels without an RX frequency are passed over, except by RX. Throws
// ChannelEditRefused, naming the channel, for a result outside the bands, a value the
// column does not take, or no channel to set; the table is then left as it was.
void setChannelColumn(ChannelTable& table, const std::vector<int>& rows, int column,
                      std::string_view value, int lastChannel, const Session& session,
                      const ChannelVocabulary& vocabulary = defaultVocabulary());

// A column and the value to give it, as setChannelColumn takes them; column 0 for none.
// The Set column dialog answers with one and, kept by the window, opens on it again.
struct ColumnChoice {
    int column = 0;
    std::string value;

    friend bool operator==(const ColumnChoice&, const ColumnChoice&) = default;
};

// The ways the Set column dialog offers to give TX, in the order it lists them, each
// with the megahertz typed beside it (none for SameAsRx).
enum class TxWay { SameAsRx, RxPlus, RxMinus, Frequency };
struct TxEntry {
    TxWay way = TxWay::SameAsRx;
    std::string megahertz;

    friend bool operator==(const TxEntry&, const TxEntry&) = default;
};

// "rx", "rx+0.6", "rx-5" or "446.1": the TX value setChannelColumn takes for `entry`.
std::string txValue(const TxEntry& entry);
// The entry txValue made `value` from, for showing a TX value in the dialog again.
TxEntry txEntryOf(std::string_view value);

// The column a name means, in any case: the grid's title ("TX Power"), the CSV
// file's ("Power", "Frequency", "BusyLock") or a short one (rx, tx, rxtone, txtone,
// power, wn, busylock, optsignal, spunmute, without, scanadd, name).
std::optional<int> columnNamed(std::string_view name, const LanguageStrings& strings);

}  // namespace lumo
