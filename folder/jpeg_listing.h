// SPDX-License-Identifier: MIT
// The listing of the current folder: the names of its small JPEG files,
// which the thumbnail view loads.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ovaline::app {
struct COvalineAppState;
}

namespace ovaline::folder {

// Of the folder's JPEG names, this many are examined and at most
// kFilesListed are counted.
constexpr int kFilesExamined = 71;
constexpr int kFilesListed = 70;
// The largest file listed: what one camera slot holds.
constexpr qint64 kLargestListedFile = 65535;

// True for a name ending in ".jpg" or ".jpeg", in any case.
bool isJpegName(const QString &name);

// The names (no path) of the folder's JPEG files in name order: of the first
// kFilesExamined JPEG names, those of readable regular files (through
// symbolic links) of at most kLargestListedFile bytes. Directories, pipes,
// sockets and devices with such names are never opened. A missing or
// unreadable folder lists nothing.
QStringList listJpegFiles(const QString &folder);

// listJpegFiles of a folder that can be read and entered; nullopt for one
// that is gone or cannot be read.
std::optional<QStringList> listReadableFolder(const QString &folder);

// Makes `folder` the current folder of `state`: its path, its listing
// `names` in m_strFiles (a 71st name is kept but not counted in m_nFiles),
// no item picked, and the flags that make the thumbnail view reload.
// Returns the number of names stored.
int StoreFolderListing(app::COvalineAppState &state, const QString &folder,
                       const QStringList &names);

} // namespace ovaline::folder
