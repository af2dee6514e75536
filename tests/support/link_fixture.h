#pragma once

#include <dirent.h>

#include <chrono>
#include <memory>

#include "link/hex_link.h"
#include "link/serial_opener.h"
#include "sim/simulated_radio.h"
#include "tests/support/scripted_dialogs.h"

namespace lumo::test {

// Time-outs short enough for a test suite, long enough for a loaded machine.
inline SerialTimeouts shortTimeouts() {
    SerialTimeouts t;
    t.readInterval = std::chrono::milliseconds(60);
    t.readTotalPerByte = std::chrono::milliseconds(100);
    t.readTotalConstant = std::chrono::milliseconds(20);
    return t;
}

inline LinkTimings shortLinkTimings() {
    LinkTimings timings;
    timings.serial = shortTimeouts();
    return timings;
}

// The short time-outs, with a smaller budget per byte so that a block reply that never
// comes (68 bytes) fails in under two seconds, and no pause after writes (the simulator
// needs none; a write still takes the wire time of its bytes).
inline LinkTimings transferTimings() {
    LinkTimings timings = shortLinkTimings();
    timings.serial.readTotalPerByte = std::chrono::milliseconds(25);
    timings.serial.readTotalConstant = std::chrono::milliseconds(80);
    timings.serial.pauseAfterWrite = std::chrono::milliseconds(0);
    return timings;
}

// Open descriptors of this process, to prove that nothing leaks.
inline int openDescriptorCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr) {
            ++count;
        }
        closedir(dir);
    }
    return count;
}

// A HexLink whose port names are device paths, talking to a simulated radio.
struct SimLink {
    explicit SimLink(tarnsim::TarnRadio::Options options = {}, std::deque<bool> answers = {},
                     LinkTimings timings = shortLinkTimings(), bool pace = false,
                     tarnsim::FleetSetup fleet = {})
        : radio(std::move(options), pace, std::move(fleet)),
          dialogs(std::move(answers)),
          link(makeSerialOpener(PortMap{}, timings.serial), dialogs, timings) {
        link.PortName = radio.path();
    }

    bool connect() { return link.ConnectRadio(link.PortName); }

    tarnsim::SimulatedRadio radio;
    ScriptedDialogs dialogs;
    HexLink link;
};

}  // namespace lumo::test
