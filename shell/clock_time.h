#pragma once

#include <chrono>
#include <string>

namespace lumo {

// The time of day as the windows tell when they last saw the radio: "14:02:11".
std::string clockTime();
// The local date and time of `when`: "2026-12-11 14:02:11", or with `compact`
// "20261211-140211" as file names carry it.
std::string localDateTime(std::chrono::system_clock::time_point when, bool compact = false);

}  // namespace lumo
