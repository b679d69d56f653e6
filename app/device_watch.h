// SPDX-License-Identifier: MIT
// Follows one device file without polling: the folder it lives in (or, while
// that folder is missing, the nearest one that exists) is watched, and each
// change there is checked against the device. An adapter that is plugged in
// or pulled out is noticed at once.
#pragma once

#include "device_identity.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace ovaline::app {

class DeviceWatch : public QObject {
    Q_OBJECT
public:
    explicit DeviceWatch(QObject *parent = nullptr);

    // Follows `device`; an empty name or "virtual" follows nothing.
    void follow(const QString &device);
    const QString &device() const { return m_strDevice; }
    bool present() const { return m_bPresent; }

signals:
    // The device appeared, or changed (new owner, group or permissions): it
    // may be worth trying now.
    void arrived(const QString &device);
    void departed(const QString &device);

private:
    void watchNearestFolder();
    void onFolderChanged();

    QFileSystemWatcher m_watcher;
    QString m_strDevice;
    QString m_strFolder;
    DeviceIdentity m_identity;
    bool m_bPresent = false;
};

} // namespace ovaline::app
