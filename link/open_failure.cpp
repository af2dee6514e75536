#include "link/open_failure.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace lumo {
namespace {

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
    const char* login = getlogin();
    if (login == nullptr || grp.gr_mem == nullptr) {
        return false;
    }
    for (char** member = grp.gr_mem; *member != nullptr; ++member) {
        if (std::strcmp(*member, login) == 0) {
            return true;
        }
    }
    return false;
}

std::string accessAdvice(const std::string& device) {
    struct stat info {};
    if (stat(device.c_str(), &info) != 0) {
        return {};
    }
    struct group* grp = getgrgid(info.st_gid);
    if (grp == nullptr) {
        return "Ask the administrator for read and write access to " + device + ".";
    }
    const std::string name = grp->gr_name;
    if (processHasGroup(info.st_gid)) {
        return "The device belongs to group '" + name +
               "', which you are in; check its permissions (ls -l " + device + ").";
    }
    if (userIsListedInGroup(*grp)) {
        return "You were added to group '" + name +
               "', which owns the device; log out and in again for it to take effect.";
    }
    return "The device belongs to group '" + name + "'; join it (sudo usermod -aG " + name +
           " $USER), then log out and in again.";
}

}  // namespace

std::string OpenFailure::describe() const {
    std::string text = device.empty() ? reason : device + ": " + reason;
    if (!advice.empty()) {
        text += "\n" + advice;
    }
    return text;
}

OpenFailure describeOpenFailure(const std::string& device, int error) {
    OpenFailure failure;
    failure.error = error;
    failure.device = device;
    failure.reason = std::strerror(error);
    switch (error) {
        case EACCES:
        case EPERM:
            failure.advice = accessAdvice(device);
            break;
        case EBUSY:
        case EWOULDBLOCK:
            failure.reason = "the port is in use";
            failure.advice = "Another program holds the port; close it and try again.";
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            failure.advice = "Check that the cable is plugged in and the right port is chosen.";
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
