// SPDX-License-Identifier: MIT
// Pictures that are not yet fit for the camera (another size, PNG, BMP, GIF,
// TIFF, WebP): asked about, fitted to the camera's picture size and then
// sent under the same rules as a JPEG of the camera's own size.
#include "ovaline_view.h"

#include "bounded_file.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "slot_geometry.h"
#include "thumb_grid.h"
#include "wait_cursor.h"

#include <span>

namespace ovaline::app {

using namespace imageview;

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray &bytes) {
    return {reinterpret_cast<const std::uint8_t *>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

QString failureText(fit::FitFailure failure) {
    switch (failure) {
    case fit::FitFailure::TooLarge:
        return COvalineView::tr("The picture has more than 100 megapixels: nothing was sent.");
    case fit::FitFailure::TooDetailed:
        return COvalineView::tr("The picture does not fit into a slot of 65,535 bytes even at the "
                                "lowest JPEG quality: nothing was sent.");
    case fit::FitFailure::NoMemory:
        return COvalineView::tr("There is not enough memory to fit the picture: nothing was sent.");
    case fit::FitFailure::NotAPicture:
    case fit::FitFailure::OtherFormat:
    case fit::FitFailure::SizeUntrue:
        break;
    }
    return COvalineView::tr("This file is not a picture Ovaline can read");
}

} // namespace

void COvalineView::DropPicture(const QString &path, QPoint point) {
    const int i = slotAt(point);
    if (i < 0)
        DropFile(path, point); // over no frame: nothing is sent, as for any file
    else
        OfferPictureFile(i, path);
}

void COvalineView::OfferPictureFile(int i, const QString &path) {
    const COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    const QSize camera = folder::acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN);
    const std::optional<QByteArray> file = folder::readBoundedFile(path, fit::kMaxPictureFileBytes);
    // A file that cannot be read, and a JPEG of the camera's size, take the
    // way every file dropped on a slot takes, with its messages.
    if (!file || fit::isCameraJpeg(bytesOf(*file), {camera.width(), camera.height()})) {
        OfferToSlot(i, [this, &path](int s) { return SendFileToSlot(path, s); });
        return;
    }
    FitAndOffer(i, fit::checkPicture(bytesOf(*file)), [&file, camera] {
        return fit::fitPicture(bytesOf(*file), {camera.width(), camera.height()});
    });
}

void COvalineView::FitAndOffer(int i, std::optional<fit::FitFailure> refusal,
                               const std::function<fit::Fitted()> &fitting) {
    const COvalineApp *app = OvalineApp();
    const QSize camera = folder::acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN);
    if (refusal) {
        messageBox(failureText(*refusal), QMessageBox::Warning);
        return;
    }
    if (camera.isEmpty()) {
        messageBox(tr("The main unit's model is not known: nothing was sent."),
                   QMessageBox::Warning);
        return;
    }
    if (messageBox(tr("Fit this picture to the camera's %1 x %2 and send it?")
                       .arg(camera.width())
                       .arg(camera.height()),
                   QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    fit::Fitted fitted;
    {
        CWaitCursor wait;
        fitted = fitting();
    }
    if (const fit::FitFailure *failure = std::get_if<fit::FitFailure>(&fitted)) {
        messageBox(failureText(*failure), QMessageBox::Warning);
        return;
    }
    const std::vector<std::uint8_t> &jpeg = std::get<std::vector<std::uint8_t>>(fitted);
    OfferToSlot(i, [this, &jpeg](int s) { return SendPictureToSlot(jpeg, s); });
}

} // namespace ovaline::app
