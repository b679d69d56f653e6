// SPDX-License-Identifier: MIT
// The camera-memory view's send: a JPEG file released over a slot frame goes
// into that slot of the camera, under the rules every picture sent into a
// slot follows.
#include "ovaline_view.h"

#include "jpeg_decoder.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "resource_ids.h"
#include "slot_geometry.h"
#include "slot_strip.h"
#include "thumb_grid.h"
#include "wait_cursor.h"

#include <QFile>

#include <cstring>
#include <vector>

namespace ovaline::app {

using namespace imageview;

namespace {

constexpr int kBaudIndex115200 = 6;

// Reads the whole file for a slot; false after its failure was reported.
bool readSlotFile(const QString &path, std::vector<std::uint8_t> &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messageBox(COvalineView::tr("File Not Open"), QMessageBox::NoIcon);
        return false;
    }
    const qint64 size = file.size();
    if (size <= 0) {
        messageBox(COvalineView::tr("The file is empty: nothing was sent."), QMessageBox::NoIcon);
        return false;
    }
    if (size > COvalineDoc::kSlotBytes) {
        messageBox(COvalineView::tr("The file is larger than 65,535 bytes: nothing was sent."),
                   QMessageBox::NoIcon);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (file.read(reinterpret_cast<char *>(bytes.data()), size) != size) {
        messageBox(COvalineView::tr("File read error"), QMessageBox::NoIcon);
        return false;
    }
    return true;
}

// The camera takes only JPEG pictures of its own size: whatever else is
// refused before the line time is spent; false after saying so.
bool fitsCamera(const std::vector<std::uint8_t> &bytes) {
    const COvalineApp *app = OvalineApp();
    const QSize accepted = folder::acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN);
    const QByteArray jpeg = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    if (accepted.isEmpty()) {
        messageBox(COvalineView::tr("The main unit's model is not known: nothing was sent."),
                   QMessageBox::Warning);
        return false;
    }
    if (folder::JpegDecoder().readSize(jpeg) == accepted)
        return true;
    messageBox(COvalineView::tr("The file is not a JPEG picture of %1 x %2 pixels, the main unit's "
                                "size: nothing was sent.")
                   .arg(accepted.width())
                   .arg(accepted.height()),
               QMessageBox::Warning);
    return false;
}

} // namespace

void COvalineView::DropFile(const QString &path, QPoint point) {
    OfferToSlot(slotAt(point), [this, &path](int i) { return SendFileToSlot(path, i); });
}

void COvalineView::OfferToSlot(int i, const std::function<int(int)> &send) {
    COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    {
        CWaitCursor wait;
        if (CMainFrame *frame = app->GetMainFrame())
            frame->SetMessageText(res::IDS_SENDING);
        if (app->QueryStatus(1) == 1 && i >= 0) {
            switch (app->m_reply[1 + i]) {
            case '1':
                if (messageBox(tr("Do you want to over-write?"), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
                    if (send(i) == 1) {
                        m_bThumb[i] = 1;
                        app->m_bRefreshThumbs = 1;
                    }
                } else {
                    app->m_bRefreshThumbs = 1;
                }
                break;
            case 'P':
                messageBox(tr("Protected"), QMessageBox::Warning);
                break;
            default:
                if (send(i) == 1)
                    m_bThumb[i] = 1;
                break;
            }
        }
        m_bSelected.fill(0);
        GetDocument()->m_bSingleSlot = 0;
    }
    ShowIdleText();
    app->m_bDragging = 0;
    m_pStrip->update();
}

int COvalineView::SendFileToSlot(const QString &path, int s) {
    if (RefusedAtThisRate())
        return 0;
    // The file is read whole before anything is said to the camera, and
    // goes into the slot only once the camera has it: a file that cannot be
    // read, or a send that fails, leaves the slot's picture as it was.
    std::vector<std::uint8_t> picture;
    if (!readSlotFile(path, picture) || !fitsCamera(picture))
        return 0;
    return TransferPicture(std::move(picture), s);
}

int COvalineView::SendPictureToSlot(const std::vector<std::uint8_t> &picture, int s) {
    if (RefusedAtThisRate())
        return 0;
    return TransferPicture(picture, s);
}

bool COvalineView::RefusedAtThisRate() {
    if (OvalineApp()->m_nBaudIndex != kBaudIndex115200)
        return false;
    messageBox(tr(" You can not send the image data from PC to the main unit "
                  "\nat this baud rate(115,200). \n Please lower the baud rate "
                  "to 57,600."),
               QMessageBox::Information);
    return true;
}

int COvalineView::TransferPicture(std::vector<std::uint8_t> sent, int s) {
    COvalineApp *app = OvalineApp();
    COvalineDoc *doc = GetDocument();
    app->SuspendPO();
    app->QueryStatus(0);
    DisableOtherWindows();
    const auto finish = [&](int result) {
        EnableOtherWindows();
        app->ResumePO();
        return result;
    };
    if (TransferImage('1', sent.data(), s, static_cast<unsigned>(sent.size())) == 0)
        return finish(0);
    std::memcpy(doc->GetSlotData(s), sent.data(), sent.size());
    doc->SetSlotSize(s, static_cast<int>(sent.size()));
    const bool shown = MakeThumbnail(s, static_cast<int>(sent.size()));
    m_pStrip->repaint();
    return finish(shown ? 1 : 0);
}

} // namespace ovaline::app
