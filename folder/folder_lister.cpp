// SPDX-License-Identifier: MIT
#include "folder_lister.h"

#include "jpeg_listing.h"

namespace ovaline::folder {

void FolderLister::start(const QString &folder, Listed listed) {
    m_listed = std::move(listed);
    const quint64 id = ++m_lastId;
    startDetached([this, folder, id, back = m_handBack.poster()] {
        const std::optional<QStringList> names = listReadableFolder(folder);
        back.post([this, folder, id, names] {
            if (id != m_lastId)
                return; // replaced or stopped
            const Listed listed = std::exchange(m_listed, nullptr);
            listed(folder, names);
        });
    });
}

void FolderLister::stop() {
    ++m_lastId;
    m_listed = nullptr;
}

} // namespace ovaline::folder
