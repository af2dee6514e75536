#include "link/present_ports.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace lumo {
namespace {

namespace fs = std::filesystem;

bool isUnusedUart(const fs::path& ttyEntry, const std::string& name) {
    if (name.rfind("ttyS", 0) != 0) {
        return false;
    }
    std::ifstream typeFile(ttyEntry / "type");
    int type = 0;
    return !(typeFile >> type) || type == 0;
}

std::string findById(const fs::path& byIdDir, const fs::path& device) {
    std::error_code ec;
    if (!fs::is_directory(byIdDir, ec)) {
        return {};
    }
    for (const auto& link : fs::directory_iterator(byIdDir, ec)) {
        std::error_code linkEc;
        const fs::path target = fs::canonical(link.path(), linkEc);
        if (!linkEc && target == device) {
            return link.path().string();
        }
    }
    return {};
}

}  // namespace

std::vector<PresentPort> listPresentPorts(const fs::path& sysClassTty, const fs::path& devDir,
                                          const fs::path& byIdDir) {
    std::vector<PresentPort> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysClassTty, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code deviceEc;
        // Virtual terminals and ptys have no device behind them.
        if (!fs::exists(entry.path() / "device", deviceEc)) {
            continue;
        }
        if (isUnusedUart(entry.path(), name)) {
            continue;
        }
        const fs::path device = devDir / name;
        ports.push_back({name, device.string(), findById(byIdDir, device)});
    }
    std::sort(ports.begin(), ports.end(),
              [](const PresentPort& a, const PresentPort& b) { return a.name < b.name; });
    return ports;
}

}  // namespace lumo
