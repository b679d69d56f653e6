// SPDX-License-Identifier: MIT
#include "jpeg_listing.h"

#include "folder_names.h"
#include "ovaline_app.h"
#include "readable_file.h"

#include <QFileInfo>

#include <algorithm>
#include <filesystem>

namespace ovaline::folder {
namespace {

namespace fs = std::filesystem;

// A regular file (after following links; a loop fails here) of a listable
// size. Only its metadata is read: nothing is opened.
bool isListable(const fs::path &path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status))
        return false;
    const std::uintmax_t size = fs::file_size(path, error);
    return !error && size <= static_cast<std::uintmax_t>(kLargestListedFile) && mayRead(path);
}

} // namespace

bool isJpegName(const QString &name) {
    return name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
}

QStringList listJpegFiles(const QString &folder) {
    const fs::path dir = nativePath(folder);
    QStringList names;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::optional<QString> name = displayName(it->path());
        if (name && isJpegName(*name))
            names.append(*name);
    }
    std::sort(names.begin(), names.end(), nameLess);
    if (names.size() > kFilesExamined)
        names.resize(kFilesExamined);
    names.removeIf([&dir](const QString &name) { return !isListable(dir / nativePath(name)); });
    return names;
}

std::optional<QStringList> listReadableFolder(const QString &folder) {
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    return listJpegFiles(folder);
}

int StoreFolderListing(app::COvalineAppState &state, const QString &folder,
                       const QStringList &names) {
    state.m_strFolder = folder;
    state.m_nSelItem = 0;
    for (std::size_t k = 0; k < state.m_strFiles.size(); ++k)
        state.m_strFiles[k] = k < static_cast<std::size_t>(names.size()) ? names[k] : QString();
    state.m_nFiles = std::min<int>(names.size(), kFilesListed);
    state.m_bFolderChanged = 1;
    state.m_bRefreshThumbs = 1;
    return names.size();
}

} // namespace ovaline::folder
