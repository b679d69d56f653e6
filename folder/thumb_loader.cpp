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
#include <vector>

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

struct ThumbLoader::Pass {
    quint64 id = 0;
    QString folder;
    QStringList names;
    QSize accepted;
    int maxAccepted = 0;
    qreal devicePixelRatio = 1;
    FileDone fileDone;
    PassDone passDone;

    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
    std::vector<std::thread> workers;

    // User-interface thread only: results waiting for an earlier file.
    std::map<int, QImage> early;
    int handedBack = 0;
    int acceptedCount = 0;

    ~Pass() {
        stopped = true;
        for (std::thread &worker : workers)
            worker.join();
    }
};

ThumbLoader::ThumbLoader() : m_receiver(std::make_unique<QObject>()) {}

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
    // Joins the workers; what they posted is dropped by the pass check in
    // deliver.
    m_pass.reset();
}

void ThumbLoader::start(const QString &folder, const QStringList &names, QSize accepted,
                        int maxAccepted, FileDone fileDone, PassDone passDone,
                        qreal devicePixelRatio) {
    stop();
    auto pass = std::make_unique<Pass>();
    pass->folder = folder;
    pass->names = names;
    pass->accepted = accepted;
    pass->maxAccepted = maxAccepted;
    pass->devicePixelRatio = devicePixelRatio;
    pass->fileDone = std::move(fileDone);
    pass->passDone = std::move(passDone);
    pass->id = ++m_lastId;
    Pass *const p = pass.get();
    const quint64 id = p->id;
    m_pass = std::move(pass);
    QObject *const receiver = m_receiver.get();
    if (names.isEmpty() || accepted.isEmpty() || maxAccepted < 1) {
        // Nothing to read: every file is skipped unread.
        QMetaObject::invokeMethod(
            receiver, [this, id] { skipAll(id); }, Qt::QueuedConnection);
        return;
    }
    const int workers = workerCount(int(names.size()));
    for (int w = 0; w < workers; ++w) {
        // The pass outlives its workers: its destructor joins them.
        p->workers.emplace_back([this, p, id, receiver] {
            JpegDecoder decoder;
            const QDir dir(p->folder);
            for (;;) {
                const int i = p->next.fetch_add(1);
                if (i >= p->names.size() || p->stopped)
                    return;
                QImage thumb = thumbnailOf(decoder, dir.filePath(p->names.at(i)), p->accepted,
                                           p->devicePixelRatio);
                QMetaObject::invokeMethod(
                    receiver, [this, id, i, thumb] { deliver(id, i, thumb); },
                    Qt::QueuedConnection);
            }
        });
    }
}

void ThumbLoader::skipAll(quint64 id) {
    if (!m_pass || m_pass->id != id)
        return;
    if (m_pass->names.isEmpty()) {
        finish();
        return;
    }
    for (int i = 0; m_pass && m_pass->id == id && i < m_pass->names.size(); ++i)
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
            pass->stopped = true;
        if (pass->stopped || pass->handedBack == pass->names.size()) {
            finish();
            return;
        }
    }
}

} // namespace ovaline::folder
