#include <iostream>

#include "cli/verbs.h"
#include "link/port_choice.h"
#include "link/present_ports.h"

namespace lumo::cli {

Verb portsVerb() {
    return {
        "ports",
        "list the serial ports and the comN names they answer to",
        "lumo-cli ports\n"
        "  Lists com1..com9 with the device each stands for and whether it is present\n"
        "  now; '*' marks the saved choice. New devices get the next free number, kept\n"
        "  in the settings file; edit its [PortMap] entries to pin a comN to any path.\n",
        [](CliContext& context) {
            IniSettingsStore store(userSettingsFile());
            const PortAssignments ports(store, listPresentPorts());
            const auto present = ListSerialPorts(ports.presentNames());
            const int saved = ReadPortSetting(store);
            for (int position = 0; position < kPortItemCount; ++position) {
                const std::string device = ports.deviceFor(position + 1);
                if (device.empty()) {
                    continue;
                }
                std::cout << (position == saved ? "* " : "  ") << portHint(position) << "  "
                          << device
                          << (present[static_cast<std::size_t>(position)] ? "" : "  (absent)")
                          << "\n";
            }
            std::cout << "settings: " << store.file().string() << "\n";
            (void)context;
            return 0;
        },
    };
}

}  // namespace lumo::cli
