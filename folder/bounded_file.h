// SPDX-License-Identifier: MIT
// Reading a whole file whose size is bounded.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ovaline::folder {

// The bytes of a regular file of at most limit bytes; nullopt when the path
// is missing, names no regular file (a directory, a device, a pipe, which
// could also block or never end), cannot be read, or holds more than limit
// bytes, also when it grows past limit while being read.
std::optional<QByteArray> readBoundedFile(const QString &path, qint64 limit);

} // namespace ovaline::folder
