// SPDX-License-Identifier: MIT
#include "port_devices.h"

#include "ovaline.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace ovaline::app {
namespace {

const QString kVirtualName = QStringLiteral("virtual");
// Device nodes, and the links to them in serial/by-id.
constexpr QDir::Filters kEntries = QDir::System | QDir::Files;

// ttyS10 after ttyS9, as people count: by the name before its trailing
// number, then by that number.
QStringList inNumberOrder(QStringList names) {
    const auto split = [](const QString &name) {
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit())
            --digits;
        return std::make_tuple(name.left(digits), name.mid(digits).toULongLong(), name);
    };
    std::sort(names.begin(), names.end(),
              [&split](const QString &a, const QString &b) { return split(a) < split(b); });
    return names;
}

QString groupName(gid_t gid) {
    const group *entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

} // namespace

QString portDeviceName(int port) {
    const int length = OvalineGetPortName(port, nullptr, 0);
    if (length < 0)
        return {};
    QByteArray name(length + 1, '\0');
    OvalineGetPortName(port, name.data(), static_cast<size_t>(name.size()));
    name.chop(1);
    return QString::fromLocal8Bit(name);
}

QStringList serialDevices(const QString &deviceFolder) {
    const QDir folder(deviceFolder);
    QStringList devices;
    const QDir byId(folder.filePath(QStringLiteral("serial/by-id")));
    for (const QString &name : inNumberOrder(byId.entryList(kEntries)))
        devices << byId.filePath(name);
    for (const char *pattern : {"ttyUSB*", "ttyACM*", "ttyS*"}) {
        const QStringList names = folder.entryList({QLatin1String(pattern)}, kEntries);
        for (const QString &name : inNumberOrder(names))
            devices << folder.filePath(name);
    }
    return devices;
}

std::optional<OpenFailure> openFailure(const QString &device) {
    if (device.isEmpty() || device == kVirtualName)
        return std::nullopt;
    const QByteArray path = device.toLocal8Bit();
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return OpenFailure{QStringLiteral("The device %1 does not exist.").arg(device),
                               QStringLiteral("no such device")};
        return OpenFailure{QStringLiteral("The device %1 cannot be reached: %2.")
                               .arg(device, QString::fromLocal8Bit(std::strerror(errno))),
                           QStringLiteral("device out of reach")};
    }
    if (!S_ISCHR(info.st_mode))
        return OpenFailure{QStringLiteral("%1 is no serial device.").arg(device),
                           QStringLiteral("no serial device")};
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return std::nullopt;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return OpenFailure{
            QStringLiteral("Permission denied for %1: join the group \"%2\" and log in again.")
                .arg(device, groupName(info.st_gid)),
            QStringLiteral("permission denied")};
    case EBUSY:
        return OpenFailure{QStringLiteral("%1 is busy with another program.").arg(device),
                           QStringLiteral("busy")};
    default:
        return OpenFailure{QStringLiteral("%1 cannot be opened: %2.")
                               .arg(device, QString::fromLocal8Bit(std::strerror(errno))),
                           QStringLiteral("cannot be opened")};
    }
}

QString openFailureCause(const QString &device) {
    const std::optional<OpenFailure> failure = openFailure(device);
    return failure ? failure->cause : QString();
}

} // namespace ovaline::app
