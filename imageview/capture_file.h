// SPDX-License-Identifier: MIT
// Writing a captured picture into the folder: under the first free name for
// the moment it was taken, never replacing a file that is there, and never
// leaving part of a file behind (a full disk, a folder the user cannot
// write, or a stop midway all leave the folder as it was). Runs on a worker
// thread; `stop` may be set from any thread.
#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

namespace ovaline::imageview {

enum class CaptureFileResult { Saved, Failed, Stopped };

struct CaptureFile {
    CaptureFileResult result = CaptureFileResult::Failed;
    QString name; // the file's name in the folder, once saved
};

// `listed` claims names the grid shows, which count as taken even when the
// folder no longer has them.
CaptureFile writeCaptureFile(const QString &folder, const QDateTime &taken,
                             std::span<const std::uint8_t> bytes,
                             const std::function<bool(const QString &)> &listed,
                             const std::atomic<bool> &stop);

} // namespace ovaline::imageview
