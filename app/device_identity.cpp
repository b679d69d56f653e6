// SPDX-License-Identifier: MIT
// Systems without POSIX file status: the file's presence, its change time
// and its access as Qt reads them.
#include "device_identity.h"

#include <QDateTime>
#include <QFileInfo>

namespace ovaline::app {

DeviceIdentity identifyDevice(const QString &device) {
    const QFileInfo info(device);
    if (!info.exists())
        return {};
    return {true,
            0,
            static_cast<std::uint64_t>(info.metadataChangeTime().toMSecsSinceEpoch()),
            static_cast<std::uint32_t>(info.permissions().toInt()),
            info.ownerId(),
            info.groupId()};
}

} // namespace ovaline::app
