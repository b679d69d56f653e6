// SPDX-License-Identifier: MIT
#include "thumb_loader.h"

#include "area_average.h"
#include "bounded_file.h"
#include "jpeg_decoder.h"
#include "thumbnail_size.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <map>
#include <optional>
#include <thread>

namespace ovaline::folder {

namespace {

QImage thumbnailOf(JpegDecoder &decoder, const QString &path, QSize accepted,
                   qreal devicePixelRatio) {
    if (accepted.isEmpty())
        return {};
    const std::optional<QByteArray> bytes = readBoundedFile(path, kMaxPictureFileBytes);
    if (!bytes)
        return {};
    const std::optional<QSize> size = decoder.readSize(*bytes);
    if (!size || *size != accepted)
        return {};
    const QSize target = thumbnailSize(float(size->width()), float(size->height()));
    const QImage source = decoder.decode(
        *bytes, coveringScale(*size, thumbnailPixels(target, devicePixelRatio)), false);
    return source.isNull() ? QImage() : thumbnailImage(source, target, devicePixelRatio);
}

} // namespace

QImage acceptedThumbnail(const QString &path, QSize accepted) {
    JpegDecoder decoder;
    return thumbnailOf(decoder, path, accepted, 1);
}

// What the workers of a pass share; a worker left behind keeps it alive.
struct ThumbLoader::Work {
    QString folder;
    QStringList names;
    QSize accepted;
    qreal devicePixelRatio = 1;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
};

// The running pass, on the user-interface thread only.
struct ThumbLoader::Pass {
    quint64 id = 0;
    std::shared_ptr<Work> work;
    int maxAccepted = 0;
    FileDone fileDone;
    PassDone passDone;
    // Results waiting for an earlier file.
    std::map<int, QImage> early;
    int handedBack = 0;
    int acceptedCount = 0;

    ~Pass() { work->stopped = true; }
};

ThumbLoader::ThumbLoader() = default;

ThumbLoader::~ThumbLoader() {
    stop();
}

int ThumbLoader::workerCount(int files) {
    const int cores = std::max(1, int(std::thread::hardware_concurrency()));
    return std::max(1, std::min(cores, files));
}

bool ThumbLoader::isRunning() const {
    return m_pass != nullptr;
}

void ThumbLoader::stop() {
    // The workers see the stop before their next file; what they post
    // meanwhile is dropped by the pass check in deliver.
    m_pass.reset();
}

void ThumbLoader::start(const QString &folder, const QStringList &names, QSize accepted,
                        int maxAccepted, FileDone fileDone, PassDone passDone,
                        qreal devicePixelRatio) {
    stop();
    auto work = std::make_shared<Work>();
    work->folder = folder;
    work->names = names;
    work->accepted = accepted;
    work->devicePixelRatio = devicePixelRatio;
    m_pass = std::make_unique<Pass>();
    m_pass->id = ++m_lastId;
    m_pass->work = work;
    m_pass->maxAccepted = maxAccepted;
    m_pass->fileDone = std::move(fileDone);
    m_pass->passDone = std::move(passDone);
    const quint64 id = m_pass->id;
    const HandBack::Poster back = m_handBack.poster();
    if (names.isEmpty() || accepted.isEmpty() || maxAccepted < 1) {
        // Nothing to read: every file is skipped unread.
        back.post([this, id] { skipAll(id); });
        return;
    }
    for (int w = workerCount(int(names.size())); w > 0; --w) {
        startDetached([this, work, id, back] {
            JpegDecoder decoder;
            const QDir dir(work->folder);
            for (;;) {
                const int i = work->next.fetch_add(1);
                if (i >= work->names.size() || work->stopped)
                    return;
                QImage thumb = thumbnailOf(decoder, dir.filePath(work->names.at(i)), work->accepted,
                                           work->devicePixelRatio);
                back.post([this, id, i, thumb] { deliver(id, i, thumb); });
            }
        });
    }
}

void ThumbLoader::skipAll(quint64 id) {
    if (!m_pass || m_pass->id != id)
        return;
    const int files = int(m_pass->work->names.size());
    if (files == 0) {
        finish();
        return;
    }
    for (int i = 0; m_pass && m_pass->id == id && i < files; ++i)
        deliver(id, i, QImage());
}

void ThumbLoader::finish() {
    PassDone done = std::move(m_pass->passDone);
    m_pass.reset();
    done();
}

void ThumbLoader::deliver(quint64 id, int index, QImage thumb) {
    if (!m_pass || m_pass->id != id)
        return; // a stopped pass
    Pass *const pass = m_pass.get();
    pass->early.emplace(index, std::move(thumb));
    for (auto it = pass->early.begin(); it != pass->early.end() && it->first == pass->handedBack;
         it = pass->early.erase(it)) {
        // Copied: the callback may end the pass and with it this entry.
        const QImage handed = it->second;
        pass->fileDone(it->first, handed);
        if (!m_pass || m_pass->id != id)
            return; // the callback started or stopped a pass
        ++pass->handedBack;
        if (!handed.isNull() && ++pass->acceptedCount >= pass->maxAccepted)
            pass->work->stopped = true;
        if (pass->work->stopped || pass->handedBack == pass->work->names.size()) {
            finish();
            return;
        }
    }
}

} // namespace ovaline::folder
