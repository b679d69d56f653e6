// SPDX-License-Identifier: MIT
// Lists a folder's JPEG files on a thread of its own, so that a slow or
// hung file system never holds up the user-interface thread. The listing
// comes back to the thread that asked for it, from its event loop; a
// listing asked for later replaces an earlier one, whose result is dropped.
#pragma once

#include "detached_work.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace ovaline::folder {

class FolderLister {
public:
    // The JPEG names of `folder` (listReadableFolder): nullopt when it is
    // gone or cannot be read.
    using Listed =
        std::function<void(const QString &folder, const std::optional<QStringList> &names)>;

    // Lists `folder` and hands the listing to `listed`, never inside start.
    void start(const QString &folder, Listed listed);
    // Drops the listing under way, if any.
    void stop();
    bool isRunning() const { return static_cast<bool>(m_listed); }

private:
    HandBack m_handBack;
    Listed m_listed;
    quint64 m_lastId = 0;
};

} // namespace ovaline::folder
