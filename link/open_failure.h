#pragma once

#include <grp.h>

#include <string>

namespace lumo {

// Why a port could not be opened, in the operating system's words, with advice for
// the cases a user can fix.
struct OpenFailure {
    int error = 0;           // errno, 0 when nothing failed
    std::string device;      // the path that was tried, when there was one
    std::string reason;      // the operating system's text
    std::string advice;      // what the user can do about it, may be empty

    std::string describe() const;
};

// What the system says around a failed open that changes the advice.
struct PortSurroundings {
    bool usbAdapter = false;       // a USB serial adapter (ttyUSB, ttyACM, a by-id link)
    bool justPlugged = false;      // its device node appeared moments ago
    bool modemManagerRunning = false;
    bool brlttyRunning = false;
    bool cableRuleInstalled = false;  // Lumo's udev rule is where udev reads rules
};

// The udev rule that lets the user at the desktop open the common programming
// cables, and whether udev would find it.
inline constexpr const char* kCableRuleName = "60-lumo-cables.rules";
bool cableRuleInstalled();

// Fills in reason and advice for an errno met while opening `device`.
OpenFailure describeOpenFailure(const std::string& device, int error);
OpenFailure describeOpenFailure(const std::string& device, int error,
                                const PortSurroundings& around);
PortSurroundings lookAround(const std::string& device);

// The advice for a device owned by group `owner`: the user is in it already
// (`inGroupNow`), was added but has not logged in again, or must join it.
std::string accessAdvice(const std::string& device, const struct group& owner, bool inGroupNow);

// The name of the user running the program, from the password database (a desktop
// session often has no login name).
std::string currentUserName();

}  // namespace lumo
