// SPDX-License-Identifier: MIT
#include "port_devices.h"

#include "ovaline.h"

#include <QDir>

#include <algorithm>
#include <tuple>

namespace ovaline::app {
namespace {

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

// A text the library copies into a buffer, as OvalineGetPortName does;
// empty when it has none.
template <typename CopyOut> QString libraryText(CopyOut copyOut) {
    const int length = copyOut(nullptr, 0);
    if (length <= 0)
        return {};
    QByteArray text(length + 1, '\0');
    copyOut(text.data(), static_cast<size_t>(text.size()));
    text.chop(1);
    return QString::fromLocal8Bit(text);
}

} // namespace

QString portDeviceName(int port) {
    return libraryText(
        [port](char *buffer, size_t size) { return OvalineGetPortName(port, buffer, size); });
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
    const QByteArray name = device.toLocal8Bit();
    return libraryText([&name](char *buffer, size_t size) {
        return OvalineOpenFailureCause(name.constData(), buffer, size);
    });
}

} // namespace ovaline::app
