// SPDX-License-Identifier: MIT
// The camera-memory view's picture that fills in as it arrives: while a
// slot is received, its frame shows the top rows decoded so far, and so
// does the image window when it shows that slot.
#include "ovaline_view.h"

#include "image_wnd.h"
#include "ovaline_doc.h"
#include "picture_so_far.h"
#include "slot_geometry.h"
#include "slot_strip.h"

#include <QTimer>

namespace ovaline::app {

using namespace imageview;

namespace {

// How often the rows that have arrived are decoded and shown: a few times a
// second, so the frame follows the line without the decoding costing much.
constexpr int kFillInMs = 200;

} // namespace

int COvalineView::ReceiveFillingIn(int i) {
    COvalineDoc *doc = GetDocument();
    CImageWnd *window = ImageWndShowsSlot(i) ? doc->m_pImageWnd.get() : nullptr;
    // The thumbnail's width covered, or the whole picture for the window.
    PictureSoFar soFar(window ? QSize() : QSize(kThumbWidth, 1));
    QTimer tick;
    tick.setInterval(kFillInMs);
    connect(&tick, &QTimer::timeout, this, [&] {
        if (!soFar.TakeFrom(m_transfer))
            return;
        // Until a thumbnail row has arrived the frame shows what it showed.
        m_fillIn = soFar.Thumbnail(kThumbWidth);
        m_nFillInSlot = m_fillIn.isNull() ? -1 : i;
        m_pStrip->update(slotRect(i));
        if (window)
            window->ShowArriving(soFar.Rows());
    });
    tick.start();
    const int received = TransferImage('0', doc->GetSlotData(i), i, COvalineDoc::kSlotBytes);
    tick.stop();
    m_nFillInSlot = -1;
    m_fillIn = QImage();
    m_pStrip->update(slotRect(i));
    if (window)
        window->ShowArriving(QImage());
    return received;
}

void COvalineView::RenewImageWnd(int i) {
    if (!ImageWndShowsSlot(i))
        return;
    const qint32 handle = m_lead.GetImageHandle();
    CImageWnd *window = GetDocument()->m_pImageWnd.get();
    window->SetImage(m_lead.GetBitmap(handle), m_lead.GetPalette(handle));
    window->ShowArriving(QImage());
    NoteImageWndSlot(i);
}

bool COvalineView::ImageWndShowsSlot(int i) const {
    const CImageWnd *window = GetDocument()->m_pImageWnd.get();
    return i == m_nImageWndSlot && window->HasWindow() && window->GetOwnerView() == this &&
           window->GetBitmap().cacheKey() == m_nImageWndKey;
}

void COvalineView::NoteImageWndSlot(int i) {
    m_nImageWndSlot = i;
    m_nImageWndKey = GetDocument()->m_pImageWnd->GetBitmap().cacheKey();
}

QImage COvalineView::ThumbToDraw(int i) const {
    if (i == m_nFillInSlot)
        return m_fillIn;
    return m_bThumb[i] ? GetDocument()->GetThumb(i) : QImage();
}

} // namespace ovaline::app
