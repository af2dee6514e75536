// The time of day as the windows tell when they last saw the radio.
#pragma once

#include <QTime>
#include <string>

namespace lumo {

inline std::string clockTime() {
    return QTime::currentTime().toString("HH:mm:ss").toStdString();
}

}  // namespace lumo
