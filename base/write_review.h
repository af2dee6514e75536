#pragma once

#include <string>
#include <vector>

namespace lumo {

// What the user is shown before a write: what would change on the radio.
struct WriteReview {
    enum class Kind {
        Changes,    // what differs from what the radio holds
        NoChanges,  // the radio already holds it
        Unknown,    // nothing is known of what the radio holds
    };
    Kind kind = Kind::Unknown;
    std::string source;  // what it was compared with, and when
    // One change a line, old -> new: "channel 12, TX Power: High -> Low".
    std::vector<std::string> changes;
};

}  // namespace lumo
