// SPDX-License-Identifier: MIT
#include "device_identity.h"

#include <sys/stat.h>

namespace ovaline::app {

DeviceIdentity identifyDevice(const QString &device) {
    struct stat info {};
    // stat follows a by-id link to the device it names.
    if (::stat(device.toLocal8Bit().constData(), &info) != 0)
        return {};
    return {true,
            static_cast<std::uint64_t>(info.st_rdev),
            static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint32_t>(info.st_mode),
            static_cast<std::uint32_t>(info.st_uid),
            static_cast<std::uint32_t>(info.st_gid)};
}

} // namespace ovaline::app
