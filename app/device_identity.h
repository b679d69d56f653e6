// SPDX-License-Identifier: MIT
// What tells one device file from another: absent, or its node and access.
// A device that is replaced, or whose owner, group or permissions change,
// reads as a different identity. The POSIX build reads the file's status
// (device_identity_posix.cpp); elsewhere Qt's file information stands in.
#pragma once

#include <QString>

#include <cstdint>

namespace ovaline::app {

struct DeviceIdentity {
    bool present = false;
    std::uint64_t node = 0;  // the device number, or what stands for it
    std::uint64_t inode = 0; // the file's serial number, or its change time
    std::uint32_t mode = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    bool operator==(const DeviceIdentity &) const = default;
};

// A link (such as one in serial/by-id) is followed to the device it names.
DeviceIdentity identifyDevice(const QString &device);

} // namespace ovaline::app
