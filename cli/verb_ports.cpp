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
        "  now; '*' marks the port used without --port (the saved choice when present).\n"
        "  New devices get a free number, else that of the device absent the longest;\n"
        "  numbers are kept in the settings file. To pin a comN to any path, add it\n"
        "  under [PortPin] there, e.g. com5=/dev/ttyAMA0.\n",
        [](CliContext& context) {
            IniSettingsStore store(userSettingsFile());
            const PortAssignments ports(store, listPresentPorts());
            const auto present = ListSerialPorts(ports.presentNames());
            const std::string chosen = defaultPortName(store, ports);
            for (int position = 0; position < kPortItemCount; ++position) {
                const std::string device = ports.deviceFor(position + 1);
                if (device.empty()) {
                    continue;
                }
                std::cout << (portHint(position) == chosen ? "* " : "  ") << portHint(position)
                          << "  " << device
                          << (present[static_cast<std::size_t>(position)] ? "" : "  (absent)")
                          << (ports.isPinned(position + 1) ? "  (pinned)" : "") << "\n";
            }
            for (const std::string& device : ports.unnumbered()) {
                std::cout << "  --    " << device
                          << "  (no number free: pin one under [PortPin] or use --port)\n";
            }
            std::cout << "settings: " << store.file().string() << "\n";
            (void)context;
            return 0;
        },
    };
}

}  // namespace lumo::cli
