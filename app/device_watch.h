// SPDX-License-Identifier: MIT
// Follows one device file without polling: the folder it lives in (or, while
// that folder is missing, the nearest one that exists) is watched, and each
// change there is checked against the device. An adapter that is plugged in
// or pulled out is noticed at once.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <sys/types.h>

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
    // What tells one device file from another: absent, or its node and access.
    struct Identity {
        bool present = false;
        dev_t rdev = 0;
        ino_t inode = 0;
        mode_t mode = 0;
        uid_t uid = 0;
        gid_t gid = 0;
        bool operator==(const Identity &) const = default;
    };

    static Identity identify(const QString &device);
    void watchNearestFolder();
    void onFolderChanged();

    QFileSystemWatcher m_watcher;
    QString m_strDevice;
    QString m_strFolder;
    Identity m_identity;
    bool m_bPresent = false;
};

} // namespace ovaline::app
