#include "link/port_choice.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <exception>

namespace lumo {
namespace {

bool isCharacterDevice(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

std::string stableName(const PresentPort& port) { return port.byId.empty() ? port.path : port.byId; }

bool isDevice(const std::string& device, const PresentPort& port) {
    return !device.empty() && (device == stableName(port) || device == port.path);
}

std::string storeKey(const char* group, int number) {
    return std::string(group) + "/com" + std::to_string(number);
}

std::int64_t parseSeconds(const std::optional<std::string>& text) {
    std::int64_t value = 0;
    if (text) {
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
        if (error != std::errc{} || end != text->data() + text->size()) {
            return 0;
        }
    }
    return value;
}

void tryStore(SettingsStore& store, const std::string& key, const std::string& value) {
    try {
        store.setValue(key, value);
    } catch (const std::exception&) {
        // An unwritable store only costs the numbers' stability across runs.
    }
}

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

PortAssignments::PortAssignments(SettingsStore& store, const std::vector<PresentPort>& present,
                                 std::int64_t nowSeconds) {
    std::array<std::int64_t, kPortItemCount + 1> seen{};
    for (int n = 1; n <= kPortItemCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (auto pin = store.value(storeKey(kPortPinGroup, n)); pin && !pin->empty()) {
            devices_[i] = std::move(*pin);
            pinned_[i] = true;
            continue;
        }
        devices_[i] = store.value(storeKey(kPortMapGroup, n)).value_or("");
        seen[i] = parseSeconds(store.value(storeKey(kPortSeenGroup, n)));
    }

    // A device counts as present when the system lists it or its node exists (a pty
    // someone put in the map by hand has no sysfs entry).
    std::vector<const PresentPort*> newcomers;
    for (const PresentPort& port : present) {
        const auto known = std::find_if(devices_.begin() + 1, devices_.end(),
                                        [&](const std::string& d) { return isDevice(d, port); });
        if (known == devices_.end()) {
            newcomers.push_back(&port);
        } else {
            exists_[static_cast<std::size_t>(known - devices_.begin())] = true;
        }
    }
    for (std::size_t n = 1; n < devices_.size(); ++n) {
        exists_[n] = exists_[n] || isCharacterDevice(devices_[n]);
    }

    for (const PresentPort* port : newcomers) {
        const int number = numberForNewcomer(seen);
        if (number == 0) {
            unnumbered_.push_back(stableName(*port));
            continue;
        }
        const auto i = static_cast<std::size_t>(number);
        devices_[i] = stableName(*port);
        exists_[i] = true;
        seen[i] = 0;  // forces the stamp below
        tryStore(store, storeKey(kPortMapGroup, number), devices_[i]);
    }

    for (int n = 1; n <= kPortItemCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // Coarse stamps keep a command line run from rewriting the file every time.
        if (!pinned_[i] && exists_[i] && nowSeconds - seen[i] >= kSeenResolutionSeconds) {
            tryStore(store, storeKey(kPortSeenGroup, n), std::to_string(nowSeconds));
        }
    }
}

int PortAssignments::numberForNewcomer(
    const std::array<std::int64_t, kPortItemCount + 1>& seen) const {
    int oldest = 0;
    for (int n = 1; n <= kPortItemCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (pinned_[i] || exists_[i]) {
            continue;
        }
        if (devices_[i].empty()) {
            return n;
        }
        if (oldest == 0 || seen[i] < seen[static_cast<std::size_t>(oldest)]) {
            oldest = n;
        }
    }
    return oldest;
}

std::int64_t PortAssignments::secondsSinceEpoch() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool PortAssignments::isPinned(int number) const {
    return number >= 1 && number <= kPortItemCount && pinned_[static_cast<std::size_t>(number)];
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

namespace lumo {

std::string defaultPortName(const SettingsStore& store, const PortAssignments& ports) {
    return portHint(choosePortItem(ReadPortSetting(store), ListSerialPorts(ports.presentNames())));
}

}  // namespace lumo
