#include "link/serial_opener.h"

#include <cerrno>

#include "link/serial_port.h"

namespace lumo {

PortOpener makeSerialOpener(PortMap map, SerialTimeouts timeouts) {
    return [map = std::move(map), timeouts](const std::string& name, OpenFailure& why) {
        const auto path = map.resolve(name);
        if (!path) {
            why = describeOpenFailure(name, ENODEV);
            why.reason = "no serial device answers to this port name";
            why.advice = "Plug in the cable, or give a device path such as /dev/ttyUSB0.";
            return PortHolder{};
        }
        return OpenSerialPort(*path, timeouts, &why);
    };
}

}  // namespace lumo
