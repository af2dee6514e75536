#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/languagestr.h"
#include "base/session.h"
#include "channels/channel_reorder.h"
#include "channels/channel_table.h"

namespace lumo::cli {

// An operation of `lumo-cli edit` whose argument cannot be read, or whose column
// does not exist.
class BadEditOperation : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One operation of `lumo-cli edit`, read from its option and argument.
struct EditOperation {
    enum class Kind { Insert, Delete, Move, Sort, Set };

    Kind kind = Kind::Insert;
    std::string asGiven;        // "--set 5-9:power=medium", for messages
    std::vector<int> channels;  // Sort: empty for all channels
    int firstAfterMove = 0;     // Move: the channel the block's first one becomes
    SortKey key = SortKey::RxFrequency;
    int column = 0;     // Set
    std::string value;  // Set
};

// --insert, --delete, --move, --sort or --set.
bool isEditOption(std::string_view option);

// Reads `option`'s argument; throws BadEditOperation when it is malformed or names
// no column. Channel numbers are checked against the table only when applied.
EditOperation parseEditOperation(std::string_view option, std::string_view argument,
                                 const LanguageStrings& strings);

// Applies the operation to channels 1..lastChannel as the channel window's edits do:
// throws ChannelEditRefused, the table untouched, when it would lose a channel,
// names one the table lacks or gives a cell a value the window would refuse.
void applyEditOperation(ChannelTable& table, const EditOperation& operation, int lastChannel,
                        const Session& session);

}  // namespace lumo::cli
