// SPDX-License-Identifier: MIT
#include "port_devices.h"

#include "ovaline.h"

#include <QCoreApplication>
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

QString openFailureCause(const QString &device) {
    if (device.isEmpty() || device == kVirtualName)
        return {};
    const QByteArray path = device.toLocal8Bit();
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QCoreApplication::translate("PortDevices", "The device %1 does not exist.")
                .arg(device);
        return QCoreApplication::translate("PortDevices", "The device %1 cannot be reached: %2.")
            .arg(device, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!S_ISCHR(info.st_mode))
        return QCoreApplication::translate("PortDevices", "%1 is no serial device.").arg(device);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return QCoreApplication::translate(
                   "PortDevices",
                   "Permission denied for %1: join the group \"%2\" and log in again.")
            .arg(device, groupName(info.st_gid));
    case EBUSY:
        return QCoreApplication::translate("PortDevices", "%1 is busy with another program.")
            .arg(device);
    default:
        return QCoreApplication::translate("PortDevices", "%1 cannot be opened: %2.")
            .arg(device, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

} // namespace ovaline::app
