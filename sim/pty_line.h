#pragma once

#include <string>

namespace tarnsim {

// A pseudo-terminal standing in for the serial cable. The radio holds the master
// side; programs open the slave path as they would open a serial device. The line
// keeps a slave descriptor of its own so that programs closing their port and
// opening it again never hang the line up.
class PtyLine {
public:
    PtyLine();
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& path() const { return path_; }
    int master() const { return master_; }
    bool isOpen() const { return master_ >= 0; }

    // Pulls the cable: the program's side sees the device vanish.
    void hangUp();

private:
    int master_ = -1;
    int keepAlive_ = -1;
    std::string path_;
};

}  // namespace tarnsim
