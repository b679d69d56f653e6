// SPDX-License-Identifier: MIT
// Paste: the clipboard's picture into a slot of the camera.
#include "ovaline_view.h"

#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "picture_fit_qt.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "thumb_grid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QShortcut>

#include <span>

namespace ovaline::app {

using namespace imageview;

void COvalineView::InstallPasteShortcut() {
    // Ctrl+V is About; Shift+Insert is the other paste key of the desktop.
    new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert), this, this,
                  &COvalineView::PasteIntoChosenSlot, Qt::WindowShortcut);
}

void COvalineView::PasteIntoChosenSlot() {
    if (OvalineApp()->m_bBusy)
        return;
    if (m_bSelected[m_nSelSlot] && GetDocument()->m_bSingleSlot) {
        PastePicture(m_nSelSlot);
        return;
    }
    messageBox(tr("Click a slot frame first: the picture goes into the chosen slot."),
               QMessageBox::Information);
}

namespace {

// The clipboard's picture as its own file bytes: image/jpeg first, then any
// other image type it offers. Empty when it offers none.
QByteArray pictureBytes(const QMimeData *mime) {
    if (!mime)
        return {};
    const QByteArray jpeg = mime->data(QString::fromLatin1(kJpegMime));
    if (!jpeg.isEmpty())
        return jpeg;
    for (const QString &format : mime->formats()) {
        if (format.startsWith(QLatin1String("image/"))) {
            const QByteArray bytes = mime->data(format);
            if (!bytes.isEmpty())
                return bytes;
        }
    }
    return {};
}

} // namespace

void COvalineView::PastePicture(int slot) {
    const COvalineApp *app = OvalineApp();
    if (app->m_bBusy || slot < 0 || slot >= kSlotCount)
        return;
    const QSize size = folder::acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN);
    const fit::CameraSize camera{size.width(), size.height()};
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    // The picture's own bytes come first: they tell their size before
    // anything is decoded, and carry the EXIF orientation. A JPEG of the
    // camera's size goes as it is; anything else is fitted.
    const QByteArray picture = pictureBytes(mime);
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t *>(picture.data()),
        static_cast<std::size_t>(picture.size()));
    if (!picture.isEmpty() && fit::isCameraJpeg(bytes, camera)) {
        const std::vector<std::uint8_t> jpeg(bytes.begin(), bytes.end());
        OfferToSlot(slot, [this, &jpeg](int s) { return SendPictureToSlot(jpeg, s); });
    } else if (!picture.isEmpty()) {
        FitAndOffer(slot, fit::checkPicture(bytes),
                    [bytes, camera] { return fit::fitPicture(bytes, camera); });
    } else if (const QString file = draggedFile(mime); !file.isEmpty()) {
        // A picture file copied in a file manager.
        OfferPictureFile(slot, file);
    } else if (mime && mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        FitAndOffer(slot, std::nullopt, [&image, camera] { return fit::fitImage(image, camera); });
    } else {
        messageBox(tr("The clipboard holds no picture to paste."), QMessageBox::Information);
    }
}

} // namespace ovaline::app
