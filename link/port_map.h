#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/present_ports.h"

namespace lumo {

// Turns the user-facing port names "com1".."com9" into device paths. A name that
// starts with '/' is a path already. A comN that was pinned to a path goes there;
// otherwise the N-th present serial device answers to it.
class PortMap {
public:
    PortMap() = default;
    explicit PortMap(std::vector<PresentPort> present) : present_(std::move(present)) {}

    void pin(int number, std::string path) { pins_[number] = std::move(path); }
    const std::map<int, std::string>& pins() const { return pins_; }
    const std::vector<PresentPort>& present() const { return present_; }

    // The device path for `name`, or nothing when the name is no port name or no
    // device answers to it.
    std::optional<std::string> resolve(const std::string& name) const;

private:
    std::vector<PresentPort> present_;
    std::map<int, std::string> pins_;
};

// The N of a "comN" name (any letter case), or nothing.
std::optional<int> comNumber(const std::string& name);

}  // namespace lumo
