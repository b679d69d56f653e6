// SPDX-License-Identifier: MIT
#include "device_watch.h"

#include <QDir>
#include <QFileInfo>

namespace ovaline::app {

DeviceWatch::DeviceWatch(QObject *parent) : QObject(parent) {
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DeviceWatch::onFolderChanged);
}

void DeviceWatch::follow(const QString &device) {
    if (!m_strFolder.isEmpty())
        m_watcher.removePath(m_strFolder);
    m_strFolder.clear();
    m_strDevice = device;
    if (device.isEmpty() || device == QLatin1String("virtual")) {
        m_identity = {};
        m_bPresent = false;
        return;
    }
    watchNearestFolder();
    m_identity = identifyDevice(m_strDevice);
    m_bPresent = m_identity.present;
}

void DeviceWatch::watchNearestFolder() {
    QString folder = QFileInfo(m_strDevice).absolutePath();
    while (!QFileInfo(folder).isDir() && !QDir(folder).isRoot())
        folder = QFileInfo(folder).absolutePath();
    // A folder removed and made again (an adapter pulled out and plugged
    // in at once) is another folder: its watch ended with the old one.
    if (folder == m_strFolder && m_watcher.directories().contains(folder))
        return;
    if (!m_strFolder.isEmpty())
        m_watcher.removePath(m_strFolder);
    m_strFolder = m_watcher.addPath(folder) ? folder : QString();
}

void DeviceWatch::onFolderChanged() {
    // A folder on the way (such as serial/by-id) may have come or gone.
    watchNearestFolder();
    const DeviceIdentity now = identifyDevice(m_strDevice);
    if (now == m_identity)
        return;
    m_identity = now;
    m_bPresent = now.present;
    if (now.present)
        emit arrived(m_strDevice);
    else
        emit departed(m_strDevice);
}

} // namespace ovaline::app
