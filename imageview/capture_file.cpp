// SPDX-License-Identifier: MIT
#include "capture_file.h"

#include "capture_plan.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>

namespace ovaline::imageview {
namespace {

// Written in pieces, so that a stop is noticed within one piece.
constexpr std::size_t kPieceBytes = 16 * 1024;

bool writeAll(QTemporaryFile &file, std::span<const std::uint8_t> bytes,
              const std::atomic<bool> &stop) {
    while (!bytes.empty() && !stop) {
        const std::size_t piece = std::min(bytes.size(), kPieceBytes);
        if (file.write(reinterpret_cast<const char *>(bytes.data()), qint64(piece)) !=
            qint64(piece))
            return false;
        bytes = bytes.subspan(piece);
    }
    // Only a flushed file is known to fit on the disk.
    return file.flush();
}

} // namespace

CaptureFile writeCaptureFile(const QString &folder, const QDateTime &taken,
                             std::span<const std::uint8_t> bytes,
                             const std::function<bool(const QString &)> &listed,
                             const std::atomic<bool> &stop) {
    const QDir dir(folder);
    // A hidden name without a picture's extension: no listing of the folder
    // takes the unfinished file for a picture.
    QTemporaryFile file(dir.filePath(QStringLiteral(".capture-XXXXXX")));
    if (!file.open())
        return {};
    const bool written = writeAll(file, bytes, stop);
    if (stop)
        return {CaptureFileResult::Stopped, {}};
    if (!written)
        return {};
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    file.close();
    // Renaming never replaces a file that is there: a name taken meanwhile
    // by another program moves the picture on to the next name.
    for (int n = 1;; ++n) {
        const QString name = captureFileName(taken, n);
        const QFileInfo target(dir.filePath(name));
        if (listed(name))
            continue;
        if (QFile::rename(file.fileName(), target.filePath()))
            return {CaptureFileResult::Saved, name};
        if (!target.exists() && !target.isSymLink())
            return {};
    }
}

} // namespace ovaline::imageview
