#pragma once

#include <atomic>

namespace lumo {

// How a transfer that may be stopped between two block exchanges is asked to stop, and
// how it ended. One of these may serve several sessions in a row (a look at the radio,
// a write, its read-back), so that one request stops whichever of them runs. The flag
// may be set from any thread; the counts are the worker's, to read once the session
// has returned.
struct TransferCancel {
    std::atomic<bool> requested{false};
    // Set when the session stopped because it was asked to: the port is closed and
    // nothing was said to the user.
    std::atomic<bool> stopped{false};
    std::atomic<int> blocksDone{0};
    // Set once the radio answered the handshake: 0 means nothing reached the radio.
    std::atomic<int> blocksTotal{0};

    // Between two block exchanges: true, noting that the session stopped, when a stop
    // was asked for. The caller then closes the port.
    bool stopHere() {
        if (!requested) {
            return false;
        }
        stopped = true;
        return true;
    }
    // Once the radio has answered the handshake: how many blocks the session moves.
    void plan(int total) {
        blocksDone = 0;
        blocksTotal = total;
    }

    // Before a command: no request, nothing done.
    void reset() {
        requested = false;
        beginSession();
    }
    // Before each session of a command: a request made meanwhile still counts.
    void beginSession() {
        stopped = false;
        blocksDone = 0;
        blocksTotal = 0;
    }
};

}  // namespace lumo
