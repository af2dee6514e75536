#include "link/open_failure.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace lumo {
namespace {

TEST(OpenFailure, PermissionAdviceKnowsTheUserWithoutALoginName) {
    // A desktop session often has no login name; the user comes from the password
    // database, so a user already listed in the group is told to log in again.
    std::string user = currentUserName();
    ASSERT_FALSE(user.empty());
    std::string other = "someone-else";
    char groupName[] = "dialout";
    char* listed[] = {other.data(), user.data(), nullptr};
    char* notListed[] = {other.data(), nullptr};
    struct Case {
        char** members;
        bool inGroupNow;
        const char* advice;
    };
    const Case cases[] = {
        {listed, false, "You were added to group 'dialout', which owns the device; log out"},
        {notListed, false, "The device belongs to group 'dialout'; join it (sudo usermod -aG dialout"},
        {notListed, true, "The device belongs to group 'dialout', which you are in; check"},
    };
    for (const Case& c : cases) {
        struct group owner {};
        owner.gr_name = groupName;
        owner.gr_mem = c.members;
        EXPECT_EQ(accessAdvice("/dev/ttyUSB0", owner, c.inGroupNow).rfind(c.advice, 0), 0u)
            << accessAdvice("/dev/ttyUSB0", owner, c.inGroupNow);
    }
}

TEST(OpenFailure, PermissionAdviceOffersTheCableRuleForUsbAdaptersUntilItIsInstalled) {
    struct Case {
        const char* device;
        PortSurroundings around;
        bool offered;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", {.usbAdapter = true}, true},
        {"/dev/ttyUSB0", {.usbAdapter = true, .cableRuleInstalled = true}, false},
        {"/dev/ttyS0", {}, false},  // a built-in port: the rule would not help
    };
    for (const Case& c : cases) {
        const std::string advice = describeOpenFailure(c.device, EACCES, c.around).advice;
        EXPECT_EQ(advice.find("60-lumo-cables.rules") != std::string::npos, c.offered)
            << c.device << ": " << advice;
    }
}

TEST(OpenFailure, AFreshUsbAdapterGetsTheKnownLinuxCauses) {
    struct Case {
        const char* device;
        int error;
        PortSurroundings around;
        bool hints;
        bool runningNote;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", EBUSY, {.usbAdapter = true, .justPlugged = true}, true, false},
        {"/dev/ttyUSB0", EBUSY, {.usbAdapter = true, .modemManagerRunning = true}, true, true},
        {"/dev/ttyUSB0", EBUSY, {.usbAdapter = true}, false, false},  // long plugged, quiet
        {"/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", ENOENT,
         {.usbAdapter = true, .brlttyRunning = true}, true, true},
        {"/dev/ttyS0", EBUSY, {.justPlugged = true}, false, false},
        {"/dev/ttyS0", ENOENT, {}, false, false},
    };
    for (const Case& c : cases) {
        const OpenFailure failure = describeOpenFailure(c.device, c.error, c.around);
        const std::string& advice = failure.advice;
        EXPECT_FALSE(advice.empty());
        EXPECT_EQ(advice.find("systemctl status ModemManager") != std::string::npos, c.hints)
            << c.device << ": " << advice;
        EXPECT_EQ(advice.find("CH340/CH341") != std::string::npos, c.hints) << advice;
        EXPECT_EQ(advice.find("journalctl -b | grep -i brltty") != std::string::npos, c.hints);
        EXPECT_EQ(advice.find("(it is running now)") != std::string::npos, c.runningNote);
    }
    EXPECT_TRUE(lookAround("/dev/serial/by-id/usb-FTDI-if00").usbAdapter);
    EXPECT_FALSE(lookAround("/dev/ttyS0").usbAdapter);
}

}  // namespace
}  // namespace lumo
