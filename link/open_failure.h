#pragma once

#include <string>

namespace lumo {

// Why a port could not be opened, in the operating system's words, with advice for
// the cases a user can fix.
struct OpenFailure {
    int error = 0;           // errno, 0 when nothing failed
    std::string device;      // the path that was tried, when there was one
    std::string reason;      // the operating system's text
    std::string advice;      // what the user can do about it, may be empty

    std::string describe() const;
};

// Fills in reason and advice for an errno met while opening `device`.
OpenFailure describeOpenFailure(const std::string& device, int error);

}  // namespace lumo
