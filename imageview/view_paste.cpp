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

void COvalineView::PastePicture(int slot) {
    const COvalineApp *app = OvalineApp();
    if (app->m_bBusy || slot < 0 || slot >= kSlotCount)
        return;
    const QSize size = folder::acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN);
    const fit::CameraSize camera{size.width(), size.height()};
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    // The JPEG's own bytes come first: one of the camera's size goes as it
    // is, and any other is fitted from its file, EXIF orientation and all.
    const QByteArray jpeg = mime ? mime->data(QString::fromLatin1(kJpegMime)) : QByteArray();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t *>(jpeg.data()),
                                              static_cast<std::size_t>(jpeg.size()));
    if (!jpeg.isEmpty() && fit::isCameraJpeg(bytes, camera)) {
        const std::vector<std::uint8_t> picture(bytes.begin(), bytes.end());
        OfferToSlot(slot, [this, &picture](int s) { return SendPictureToSlot(picture, s); });
    } else if (!jpeg.isEmpty() && !fit::checkPicture(bytes)) {
        FitAndOffer(slot, std::nullopt, [bytes, camera] { return fit::fitPicture(bytes, camera); });
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
