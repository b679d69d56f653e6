// SPDX-License-Identifier: MIT
// The devices behind the four ports: which one a port opens, which serial
// devices the machine has, and why one cannot be opened.
#pragma once

#include <QString>
#include <QStringList>

namespace ovaline::app {

// The name the device library opens for port 1..4: a device path or
// "virtual".
QString portDeviceName(int port);

// The serial devices under `deviceFolder` (normally /dev): the stable names
// in serial/by-id first, then ttyUSB*, ttyACM* and ttyS* in number order.
QStringList serialDevices(const QString &deviceFolder);

// Why `device` cannot be opened, in one sentence for the user: it does not
// exist, it is no serial device, permission is denied (naming the group to
// join), or another program holds it. Empty when no cause is found.
QString openFailureCause(const QString &device);

} // namespace ovaline::app
