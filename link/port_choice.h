#pragma once

#include <array>
#include <string>
#include <vector>

#include "link/port_map.h"
#include "link/present_ports.h"
#include "link/settings_store.h"

namespace lumo {

inline constexpr int kPortItemCount = 9;
inline constexpr char kPortSettingKey[] = "PortSet/portitm";
inline constexpr char kPortMapGroup[] = "PortMap";

// The device name an item of the Port menu stands for: "com1" for position 0.
std::string portHint(int position);

// The saved item position; 0 when nothing (or nothing sensible) is saved.
int ReadPortSetting(const SettingsStore& store);
void WritePortSetting(SettingsStore& store, int position);

// Which of the nine items name a present port (letter case does not matter; names
// beyond com9 have no item).
std::array<bool, kPortItemCount> ListSerialPorts(const std::vector<std::string>& presentNames);

// The item to check when the main window is shown: the saved one if visible, else the
// first visible one, else the last.
int choosePortItem(int saved, const std::array<bool, kPortItemCount>& visible);

// Gives every present serial device a comN number of its own, kept in the store so a
// device keeps its number from run to run. Entries may also be set by hand to pin a
// comN to any path (a pty, a device without sysfs entry). A comN counts as present
// when its device exists.
class PortAssignments {
public:
    PortAssignments(SettingsStore& store, const std::vector<PresentPort>& present);

    // "com1".."com9" of the devices that exist now.
    std::vector<std::string> presentNames() const;
    // The device a comN stands for, empty when none.
    std::string deviceFor(int number) const;
    // A port map resolving comN to the assigned devices.
    PortMap portMap() const;

private:
    std::array<std::string, kPortItemCount + 1> devices_;  // index 1..9
    std::array<bool, kPortItemCount + 1> exists_{};
};

}  // namespace lumo
