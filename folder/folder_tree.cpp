// SPDX-License-Identifier: MIT
#include "folder_tree.h"

#include "folder_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <filesystem>

namespace ovaline::folder {
namespace {

namespace fs = std::filesystem;

bool byText(const TreeFolder &a, const TreeFolder &b) {
    return nameLess(a.text, b.text);
}

QString volumeName(const QStorageInfo &volume) {
    if (!volume.name().isEmpty())
        return volume.name();
    const QString device = QString::fromLocal8Bit(volume.device());
    if (const QString base = device.section(QLatin1Char('/'), -1); !base.isEmpty())
        return base;
    return QString::fromLatin1(volume.fileSystemType());
}

} // namespace

std::vector<TreeFolder> topLevelFolders() {
    const QString home = QDir::homePath();
    std::vector<TreeFolder> top{{QCoreApplication::translate("FolderTree", "Home"), home}};
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir::cleanPath(desktop) != QDir::cleanPath(home) &&
        QFileInfo(desktop).isDir())
        top.push_back({QCoreApplication::translate("FolderTree", "Desktop"), desktop});
    top.push_back({QCoreApplication::translate("FolderTree", "Computer"), QString()});
    return top;
}

std::vector<TreeFolder> mountedFileSystems() {
    std::vector<TreeFolder> mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString point = volume.rootPath();
        mounts.push_back({QStringLiteral("%1 (%2)").arg(volumeName(volume), point), point});
    }
    std::sort(mounts.begin(), mounts.end(),
              [](const TreeFolder &a, const TreeFolder &b) { return nameLess(a.path, b.path); });
    return mounts;
}

std::vector<TreeFolder> readSubfolders(const QString &path) {
    std::vector<TreeFolder> folders;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(path), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statusError;
        if (!fs::is_directory(it->status(statusError)) || statusError)
            continue;
        if (const std::optional<QString> name = displayName(it->path()))
            folders.push_back({*name, QDir(path).filePath(*name)});
    }
    std::sort(folders.begin(), folders.end(), byText);
    return folders;
}

FolderDlgLayout folderDlgLayout(const QRect &client, int cx, int cy) {
    const QSize button(8 * cx, cy + cy / 2);
    const int buttonTop = client.bottom() + 1 - 2 * cy;
    return {QRect(QPoint(client.left() + 6 * cx, buttonTop), button),
            QRect(QPoint(client.left() + 26 * cx, buttonTop), button),
            QRect(client.left() + 2 * cx, client.top() + cy, 40 * cx, 10 * cy)};
}

} // namespace ovaline::folder
