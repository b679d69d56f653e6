// SPDX-License-Identifier: MIT
#include "drag_out_folder.h"

#include <QDir>
#include <QSaveFile>

namespace ovaline::imageview {

QString DragOutFolder::Write(int slot, const QByteArray &jpeg) {
    if (!m_dir) {
        // QTemporaryDir makes the folder with mode 0700.
        m_dir = std::make_unique<QTemporaryDir>(
            QDir::temp().filePath(QStringLiteral("ovaline-drag-XXXXXX")));
        if (!m_dir->isValid()) {
            m_dir.reset();
            return {};
        }
    }
    QSaveFile file(m_dir->filePath(QStringLiteral("Slot %1.JPG").arg(slot)));
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit())
        return {};
    return file.fileName();
}

} // namespace ovaline::imageview
