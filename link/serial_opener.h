#pragma once

#include "link/hex_link.h"
#include "link/port_map.h"

namespace lumo {

// Opens port names through the port map and then as serial devices.
PortOpener makeSerialOpener(PortMap map, SerialTimeouts timeouts = {});

}  // namespace lumo
