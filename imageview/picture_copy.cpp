// SPDX-License-Identifier: MIT
#include "picture_copy.h"

#include "slot_drag.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ovaline::imageview {

std::unique_ptr<QMimeData> pictureMimeData(const QImage &picture, const QByteArray &jpeg) {
    auto mime = std::make_unique<QMimeData>();
    mime->setImageData(picture);
    // The camera's own bytes, not a new encoding of the decoded picture.
    if (!jpeg.isEmpty())
        mime->setData(QString::fromLatin1(kJpegMime), jpeg);
    return mime;
}

void copyPicture(const QImage &picture, const QByteArray &jpeg) {
    QGuiApplication::clipboard()->setMimeData(pictureMimeData(picture, jpeg).release());
}

} // namespace ovaline::imageview
