// SPDX-License-Identifier: MIT
#include "open_failure.h"

#include "port_names.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline {
namespace {

std::string groupName(gid_t gid) {
    const group *entry = ::getgrgid(gid);
    return entry ? entry->gr_name : std::to_string(gid);
}

} // namespace

std::string openFailureCause(const std::string &device) {
    if (device.empty() || device == kVirtualPortName)
        return {};
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return "The device " + device + " does not exist.";
        return "The device " + device + " cannot be reached: " + std::strerror(errno) + ".";
    }
    // Only a character device is opened; anything else is left untouched.
    if (!S_ISCHR(info.st_mode))
        return device + " is no serial device.";
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return "Permission denied for " + device + ": join the group \"" + groupName(info.st_gid) +
               "\" and log in again.";
    case EBUSY:
        return device + " is busy with another program.";
    default:
        return device + " cannot be opened: " + std::strerror(errno) + ".";
    }
}

} // namespace ovaline
