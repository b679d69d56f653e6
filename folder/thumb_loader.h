// SPDX-License-Identifier: MIT
// The thumbnail view's load pass: the listed files of a folder decoded into
// thumbnails on worker threads (one per core), handed back on the thread
// that owns the loader, in list order, as they arrive.
//
// A file's header is read first: a file of another picture size than the
// accepted one is never decoded. A file that is missing, no regular file,
// unreadable, longer than a camera slot or not a clean JPEG is skipped. Once
// `maxAccepted` files have been accepted the workers take no further file.
//
// The workers are never waited for: a pass that is stopped, or replaced by
// the next one, leaves a worker that is stuck reading a hung file system
// behind, and what it finds later is dropped.
#pragma once

#include "detached_work.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ovaline::folder {

// Longest file taken: the capacity of a camera slot.
inline constexpr qint64 kMaxPictureFileBytes = 65535;

// The thumbnail of the file at path, when it is a JPEG of exactly `accepted`
// pixels; a null image otherwise. Reads only the header of a picture of
// another size. Safe on any thread.
QImage acceptedThumbnail(const QString &path, QSize accepted);

class ThumbLoader {
public:
    // File `index` of the list: its thumbnail, or a null image when the
    // file was skipped.
    using FileDone = std::function<void(int index, const QImage &thumb)>;
    // The pass is over: every file handed back, or `maxAccepted` accepted.
    using PassDone = std::function<void()>;

    ThumbLoader();
    // Stops a running pass.
    ~ThumbLoader();
    ThumbLoader(const ThumbLoader &) = delete;
    ThumbLoader &operator=(const ThumbLoader &) = delete;

    // Starts a pass over folder/names, stopping a running one first (nothing
    // of the stopped pass is handed back after this). The callbacks run on
    // this thread from its event loop, never inside start. The thumbnails
    // are made for a screen of `devicePixelRatio`.
    void start(const QString &folder, const QStringList &names, QSize accepted, int maxAccepted,
               FileDone fileDone, PassDone passDone, qreal devicePixelRatio = 1);
    // Stops a running pass at once; nothing more of it is handed back.
    void stop();
    bool isRunning() const;

    // Worker threads a pass starts: the cores, at most one per file.
    static int workerCount(int files);

private:
    struct Work;
    struct Pass;
    // Hands back file `index` of pass `id` once the files before it are.
    void deliver(quint64 id, int index, QImage thumb);
    void skipAll(quint64 id);
    // Ends the running pass and reports it.
    void finish();

    HandBack m_handBack;
    std::unique_ptr<Pass> m_pass;
    quint64 m_lastId = 0;
};

} // namespace ovaline::folder
