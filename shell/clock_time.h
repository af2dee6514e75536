#pragma once

#include <string>

namespace lumo {

// The time of day as the windows tell when they last saw the radio: "14:02:11".
std::string clockTime();

}  // namespace lumo
