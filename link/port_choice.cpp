#include "link/port_choice.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <exception>

namespace lumo {
namespace {

bool isCharacterDevice(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

std::string stableName(const PresentPort& port) { return port.byId.empty() ? port.path : port.byId; }

}  // namespace

std::string portHint(int position) { return "com" + std::to_string(position + 1); }

int ReadPortSetting(const SettingsStore& store) {
    const auto text = store.value(kPortSettingKey);
    if (!text) {
        return 0;
    }
    int position = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), position);
    if (error != std::errc{} || end != text->data() + text->size()) {
        return 0;
    }
    return position;
}

void WritePortSetting(SettingsStore& store, int position) {
    store.setValue(kPortSettingKey, std::to_string(position));
}

std::array<bool, kPortItemCount> ListSerialPorts(const std::vector<std::string>& presentNames) {
    std::array<bool, kPortItemCount> visible{};
    for (const std::string& name : presentNames) {
        for (int position = 0; position < kPortItemCount; ++position) {
            const auto number = comNumber(name);
            if (number && *number == position + 1 && name.size() == portHint(position).size()) {
                visible[static_cast<std::size_t>(position)] = true;
            }
        }
    }
    return visible;
}

int choosePortItem(int saved, const std::array<bool, kPortItemCount>& visible) {
    if (saved >= 0 && saved < kPortItemCount && visible[static_cast<std::size_t>(saved)]) {
        return saved;
    }
    const auto first = std::find(visible.begin(), visible.end(), true);
    if (first != visible.end()) {
        return static_cast<int>(first - visible.begin());
    }
    return kPortItemCount - 1;
}

PortAssignments::PortAssignments(SettingsStore& store, const std::vector<PresentPort>& present) {
    for (int n = 1; n <= kPortItemCount; ++n) {
        devices_[static_cast<std::size_t>(n)] =
            store.value(std::string(kPortMapGroup) + "/com" + std::to_string(n)).value_or("");
    }
    for (const PresentPort& port : present) {
        const std::string name = stableName(port);
        const auto known = std::find_if(devices_.begin() + 1, devices_.end(), [&](const std::string& d) {
            return d == name || d == port.path;
        });
        if (known != devices_.end()) {
            continue;
        }
        const auto free = std::find(devices_.begin() + 1, devices_.end(), std::string());
        if (free == devices_.end()) {
            break;  // nine numbers only; later devices can be pinned by hand
        }
        *free = name;
        try {
            store.setValue(std::string(kPortMapGroup) + "/com" +
                               std::to_string(free - devices_.begin()),
                           name);
        } catch (const std::exception&) {
            // An unwritable store only costs the number's stability across runs.
        }
    }
    for (std::size_t n = 1; n < devices_.size(); ++n) {
        exists_[n] = isCharacterDevice(devices_[n]);
    }
}

std::vector<std::string> PortAssignments::presentNames() const {
    std::vector<std::string> names;
    for (int n = 1; n <= kPortItemCount; ++n) {
        if (exists_[static_cast<std::size_t>(n)]) {
            names.push_back("com" + std::to_string(n));
        }
    }
    return names;
}

std::string PortAssignments::deviceFor(int number) const {
    if (number < 1 || number > kPortItemCount) {
        return {};
    }
    return devices_[static_cast<std::size_t>(number)];
}

PortMap PortAssignments::portMap() const {
    PortMap map;
    for (int n = 1; n <= kPortItemCount; ++n) {
        if (!devices_[static_cast<std::size_t>(n)].empty()) {
            map.pin(n, devices_[static_cast<std::size_t>(n)]);
        }
    }
    return map;
}

}  // namespace lumo
