// SPDX-License-Identifier: MIT
#include "slot_drag.h"

#include "scaled_image.h"

#include <QDrag>
#include <QUrl>
#include <QWidget>

namespace ovaline::imageview {

std::unique_ptr<QMimeData> slotMimeData(const DraggedSlot &slot, const QString &file) {
    auto mime = std::make_unique<QMimeData>();
    if (!file.isEmpty())
        mime->setUrls({QUrl::fromLocalFile(file)});
    mime->setData(QString::fromLatin1(kSlotNumberMime), QByteArray::number(slot.slot));
    mime->setData(QString::fromLatin1(kJpegMime), slot.jpeg);
    return mime;
}

std::optional<DraggedSlot> draggedSlot(const QMimeData *mime) {
    if (!mime || !mime->hasFormat(QString::fromLatin1(kSlotNumberMime)))
        return std::nullopt;
    bool ok = false;
    const int slot = mime->data(QString::fromLatin1(kSlotNumberMime)).toInt(&ok);
    if (!ok || slot < 1 || slot > 7)
        return std::nullopt;
    return DraggedSlot{slot, mime->data(QString::fromLatin1(kJpegMime))};
}

QString draggedFile(const QMimeData *mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

std::unique_ptr<QMimeData> fileMimeData(const QString &path) {
    auto mime = std::make_unique<QMimeData>();
    mime->setUrls({QUrl::fromLocalFile(path)});
    return mime;
}

namespace {

QPixmap dragCursorPicture(const QWidget *widget) {
    return app::loadScaledPixmap(QStringLiteral(":/cursor/drag.png"), widget->devicePixelRatioF());
}

} // namespace

QCursor dragCursor(const QWidget *widget) {
    return QCursor(dragCursorPicture(widget), 0, 0);
}

void setDragCursors(QDrag *drag, const QWidget *widget) {
    const QPixmap picture = dragCursorPicture(widget);
    drag->setDragCursor(picture, Qt::CopyAction);
    drag->setDragCursor(picture, Qt::MoveAction);
}

} // namespace ovaline::imageview
