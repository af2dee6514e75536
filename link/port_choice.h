#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/port_map.h"
#include "link/present_ports.h"
#include "link/settings_store.h"

namespace lumo {

inline constexpr int kPortItemCount = 9;
inline constexpr char kPortSettingKey[] = "PortSet/portitm";
inline constexpr char kPortMapGroup[] = "PortMap";
inline constexpr char kPortSeenGroup[] = "PortSeen";
inline constexpr char kPortPinGroup[] = "PortPin";

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
// device keeps its number from run to run:
//   [PortMap]  comN=device   numbers given out automatically
//   [PortSeen] comN=seconds  when that device was last seen present (Unix time)
//   [PortPin]  comN=path     set by hand: the number always means this path (a pty, a
//                            device without a sysfs entry) and is never given away
// Numbers of present devices never change. When all nine are taken, a new device gets
// the number of the unpinned device that has been absent the longest.
class PortAssignments {
public:
    PortAssignments(SettingsStore& store, const std::vector<PresentPort>& present,
                    std::int64_t nowSeconds = secondsSinceEpoch());

    // "com1".."com9" of the devices that exist now.
    std::vector<std::string> presentNames() const;
    // The device a comN stands for, empty when none.
    std::string deviceFor(int number) const;
    bool isPinned(int number) const;
    // Present devices left without a number: all nine belong to present or pinned ones.
    const std::vector<std::string>& unnumbered() const { return unnumbered_; }
    // A port map resolving comN to the assigned devices.
    PortMap portMap() const;

    static std::int64_t secondsSinceEpoch();

private:
    static constexpr std::int64_t kSeenResolutionSeconds = 60;
    // The number a device never seen before gets, 0 when every number is taken by a
    // present or pinned device.
    int numberForNewcomer(const std::array<std::int64_t, kPortItemCount + 1>& seen) const;

    std::array<std::string, kPortItemCount + 1> devices_;  // index 1..9
    std::array<bool, kPortItemCount + 1> pinned_{};
    std::array<bool, kPortItemCount + 1> exists_{};
    std::vector<std::string> unnumbered_;
};

// The port a command line without --port uses: the window's rule (the saved item when
// its device is present, else the first present one, else com9).
std::string defaultPortName(const SettingsStore& store, const PortAssignments& ports);

}  // namespace lumo
