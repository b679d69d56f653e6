// SPDX-License-Identifier: MIT
#include "bounded_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ovaline::folder {

namespace {
constexpr qint64 kPiece = 64 * 1024;
} // namespace

std::optional<QByteArray> readBoundedFile(const QString &path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > limit) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Read in pieces up to one byte past the limit, whatever size the file
    // reported: some files report 0 and still hold data.
    QByteArray bytes;
    bytes.reserve(info.size());
    for (;;) {
        const qint64 start = bytes.size();
        const qint64 want = std::min(kPiece, limit + 1 - start);
        bytes.resize(start + want);
        const qint64 got = file.read(bytes.data() + start, want);
        if (got < 0) {
            return std::nullopt;
        }
        bytes.resize(start + got);
        if (bytes.size() > limit) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
    }
}

} // namespace ovaline::folder
