#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumo {

// A serial device the system has, found without opening it.
struct PresentPort {
    std::string name;   // kernel name, "ttyUSB0"
    std::string path;   // "/dev/ttyUSB0"
    std::string byId;   // stable "/dev/serial/by-id/..." link when the device has one
};

// Serial devices present under `sysClassTty` (normally /sys/class/tty): USB adapters,
// ACM devices, and real UARTs (an 8250 port only when its type is not 0). Sorted by
// kernel name so the order is the same from run to run.
std::vector<PresentPort> listPresentPorts(
    const std::filesystem::path& sysClassTty = "/sys/class/tty",
    const std::filesystem::path& devDir = "/dev",
    const std::filesystem::path& byIdDir = "/dev/serial/by-id");

}  // namespace lumo
