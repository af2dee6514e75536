#include "link/open_failure.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

namespace lumo {
namespace {

// How long after a node appeared the adapter counts as freshly plugged in.
constexpr std::time_t kJustPluggedSeconds = 30;

bool processHasGroup(gid_t gid) {
    if (getegid() == gid) {
        return true;
    }
    const int count = getgroups(0, nullptr);
    if (count <= 0) {
        return false;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<std::size_t>(i)] == gid) {
            return true;
        }
    }
    return false;
}

bool userIsListedInGroup(const struct group& grp) {
    const std::string user = currentUserName();
    if (user.empty() || grp.gr_mem == nullptr) {
        return false;
    }
    for (char** member = grp.gr_mem; *member != nullptr; ++member) {
        if (user == *member) {
            return true;
        }
    }
    return false;
}

std::string groupAdvice(const std::string& device) {
    struct stat info {};
    if (stat(device.c_str(), &info) != 0) {
        return {};
    }
    const struct group* grp = getgrgid(info.st_gid);
    if (grp == nullptr) {
        return "Ask the administrator for read and write access to " + device + ".";
    }
    return accessAdvice(device, *grp, processHasGroup(info.st_gid));
}

bool processRuns(const std::string& command) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name == command) {
            return true;
        }
    }
    return false;
}

bool isUsbAdapterPath(const std::string& device) {
    return device.find("/ttyUSB") != std::string::npos ||
           device.find("/ttyACM") != std::string::npos ||
           device.rfind("/dev/serial/by-id/usb-", 0) == 0;
}

std::string running(bool yes) { return yes ? " (it is running now)" : ""; }

std::string modemManagerHint(const PortSurroundings& around) {
    return "ModemManager probes a newly plugged serial port for a few seconds and holds it "
           "meanwhile" + running(around.modemManagerRunning) +
           ": check with 'systemctl status ModemManager', wait a moment and try again, or "
           "stop it with 'sudo systemctl stop ModemManager'.";
}

std::string brlttyHint(const PortSurroundings& around) {
    return "brltty (a Braille display service) claims CH340/CH341 adapters as they are "
           "plugged in, and the port then vanishes" + running(around.brlttyRunning) +
           ": check with 'journalctl -b | grep -i brltty'; if no Braille display is used, "
           "'sudo apt remove brltty'.";
}

std::string cableRuleHint() {
    return std::string("Lumo's udev rule lets the user at the desktop open the common USB "
                       "programming cables without joining a group, and keeps ModemManager "
                       "off them. It is not installed: copy ") +
           kCableRuleName +
           " (in Lumo's package, or packaging/udev in its source) to /etc/udev/rules.d, run "
           "'sudo udevadm control --reload' and plug the cable in again.";
}

void append(std::string& advice, const std::string& more) {
    advice += advice.empty() ? more : "\n" + more;
}

}  // namespace

std::string OpenFailure::describe() const {
    std::string text = device.empty() ? reason : device + ": " + reason;
    if (!advice.empty()) {
        text += "\n" + advice;
    }
    return text;
}

std::string accessAdvice(const std::string& device, const struct group& owner, bool inGroupNow) {
    const std::string name = owner.gr_name;
    if (inGroupNow) {
        return "The device belongs to group '" + name +
               "', which you are in; check its permissions (ls -l " + device + ").";
    }
    if (userIsListedInGroup(owner)) {
        return "You were added to group '" + name +
               "', which owns the device; log out and in again for it to take effect.";
    }
    return "The device belongs to group '" + name + "'; join it (sudo usermod -aG " + name +
           " $USER), then log out and in again.";
}

std::string currentUserName() {
    const struct passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_name != nullptr ? user->pw_name : "";
}

bool cableRuleInstalled() {
    // Where udev reads rules from, the administrator's folders first.
    static constexpr const char* kRuleFolders[] = {
        "/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
        "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
    std::error_code ec;
    for (const char* folder : kRuleFolders) {
        if (std::filesystem::exists(std::filesystem::path(folder) / kCableRuleName, ec)) {
            return true;
        }
    }
    return false;
}

PortSurroundings lookAround(const std::string& device) {
    PortSurroundings around;
    around.usbAdapter = isUsbAdapterPath(device);
    if (!around.usbAdapter) {
        return around;
    }
    around.cableRuleInstalled = cableRuleInstalled();
    struct stat info {};
    // udev creates (and chowns) the node when the adapter is plugged in.
    if (stat(device.c_str(), &info) == 0) {
        around.justPlugged = std::time(nullptr) - info.st_ctime < kJustPluggedSeconds;
    }
    around.modemManagerRunning = processRuns("ModemManager");
    around.brlttyRunning = processRuns("brltty");
    return around;
}

OpenFailure describeOpenFailure(const std::string& device, int error) {
    return describeOpenFailure(device, error, lookAround(device));
}

OpenFailure describeOpenFailure(const std::string& device, int error,
                                const PortSurroundings& around) {
    OpenFailure failure;
    failure.error = error;
    failure.device = device;
    failure.reason = std::strerror(error);
    switch (error) {
        case EACCES:
        case EPERM:
            failure.advice = groupAdvice(device);
            if (around.usbAdapter && !around.cableRuleInstalled) {
                append(failure.advice, cableRuleHint());
            }
            break;
        case EBUSY:
        case EWOULDBLOCK:
            failure.reason = "the port is in use";
            failure.advice = "Another program holds the port; close it and try again.";
            if (around.usbAdapter && (around.justPlugged || around.modemManagerRunning ||
                                      around.brlttyRunning)) {
                append(failure.advice, modemManagerHint(around));
                append(failure.advice, brlttyHint(around));
            }
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            failure.advice = "Check that the cable is plugged in and the right port is chosen.";
            if (around.usbAdapter) {
                append(failure.advice,
                       "If the adapter disappears within seconds of being plugged in:");
                append(failure.advice, brlttyHint(around));
                append(failure.advice, modemManagerHint(around));
            }
            break;
        case ENOTTY:
            failure.reason = "not a serial device";
            break;
        default:
            break;
    }
    return failure;
}

}  // namespace lumo
