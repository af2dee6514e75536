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
        Unsettled,  // a write was cut short: what the radio holds now is not known
    };
    Kind kind = Kind::Unknown;
    std::string source;  // what it was compared with, and when; for Unsettled, what happened
    // One change a line, old -> new: "channel 12, TX Power: High -> Low".
    std::vector<std::string> changes;
    // What goes to the radio as it is though it would be refused as new: "channel 120:
    // 435.00000 MHz is outside 440-451 MHz; the radio already holds it".
    std::vector<std::string> warnings;
};

// The user's answer to a review.
enum class ReviewAnswer { Write, ReadFirst, Cancel };

}  // namespace lumo
