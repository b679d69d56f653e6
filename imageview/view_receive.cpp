// SPDX-License-Identifier: MIT
// The camera-memory view's receive: the chosen slot, or every slot that
// holds a picture, each made into a thumbnail as it arrives. A receive of
// every slot leaves alone the slots whose picture the program holds already,
// when the unit tells its slots' fingerprints.
#include "ovaline_view.h"

#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "progress_status_bar.h"
#include "slot_geometry.h"
#include "slot_strip.h"
#include "unchanged_slots.h"
#include "wait_cursor.h"

namespace ovaline::app {

using namespace imageview;

void COvalineView::ReceivePending() {
    COvalineApp *app = OvalineApp();
    COvalineDoc *doc = GetDocument();
    CWaitCursor wait;
    m_bSelected.fill(0);
    for (int i = 0; i < kSlotCount; ++i)
        m_nEarlierSize[i] = doc->GetHeldSize(i);
    m_bEarlierThumb = m_bThumb;
    if (doc->m_bSingleSlot)
        doc->SetSlotSize(m_nSelSlot, 0);
    else
        m_bThumb.fill(0);
    app->m_bReceivePending = 0;
    m_pStrip->repaint();
    if (app->QueryStatus(1) != 1)
        return; // the library's failure has been reported
    // The map as it was asked for; the transfers below do not touch it.
    const std::string map(app->m_reply, app->m_reply + 8);

    DisableOtherWindows();
    app->m_bEscPressed = 0;
    // A picture given up in an earlier receive must not end this one.
    m_bCancelled = false;
    SlotFlags kept{};
    if (doc->m_bSingleSlot) {
        const int s = m_nSelSlot;
        if (map[1 + s] == '0') {
            messageBox(tr("No image in the main unit memory."), QMessageBox::Warning);
            m_bThumb[s] = 0;
            m_pStrip->update(slotRect(s));
        } else {
            ReceiveSlot(s);
        }
        doc->m_bSingleSlot = 0;
    } else {
        const SlotFlags unchanged = FindUnchangedSlots();
        for (int i = 0; i < kSlotCount; ++i) {
            if (map[1 + i] != '0') { // protected slots are received too
                if (unchanged[i]) {
                    KeepSlot(i);
                    kept[i] = true;
                } else {
                    ReceiveSlot(i);
                }
            }
            if (app->m_bEscPressed || m_bCancelled) {
                // The slots not reached keep what they showed: their bytes
                // are still held.
                for (int later = i + 1; later < kSlotCount; ++later)
                    RestoreEarlierSlot(later);
                break;
            }
        }
    }
    EnableOtherWindows();
    ShowIdleText();
    // What was left as it was stays in the message pane until the next text.
    if (const QString text = UnchangedText(kept); !text.isEmpty())
        ShowMessageText(text);
    m_pStrip->update();
}

SlotFlags COvalineView::FindUnchangedSlots() {
    const COvalineApp *app = OvalineApp();
    const auto unit = QuerySlotPrints(app->m_nPort, app->m_nBaudIndex, app->m_nLinkOption);
    if (!unit)
        return {};
    COvalineDoc *doc = GetDocument();
    SlotPrints held{};
    for (int i = 0; i < kSlotCount; ++i)
        held[i] = OvalineFingerprintOf(doc->GetSlotData(i), doc->GetHeldSize(i));
    return UnchangedSlots(*unit, held);
}

void COvalineView::KeepSlot(int i) {
    COvalineDoc *doc = GetDocument();
    doc->SetSlotSize(i, doc->GetHeldSize(i));
    doc->m_bReceived = 1;
    m_bThumb[i] = doc->GetThumb(i).isNull() ? 0 : 1;
    SlotFlags one{};
    one[i] = true;
    ShowMessageText(UnchangedText(one));
    m_pStrip->repaint();
}

void COvalineView::ShowMessageText(const QString &text) {
    if (CMainFrame *frame = OvalineApp()->GetMainFrame())
        if (CProgressStatusBar *bar = frame->GetStatusBar())
            bar->SetPaneText(CProgressStatusBar::kMessagePane, text);
}

bool COvalineView::ReceiveSlot(int i) {
    COvalineDoc *doc = GetDocument();
    m_transfer.busy = 1;
    if (ReceiveFillingIn(i) == 0) {
        // Given up or failed: the slot shows what it held before, whose
        // bytes the library left untouched.
        RestoreEarlierSlot(i);
        return false;
    }
    m_bThumb[i] = 1;
    doc->m_bReceived = 1;
    doc->SetSlotSize(i, static_cast<int>(OvalineLoadProgress(&m_transfer)));
    if (MakeThumbnail(i, doc->GetSlotSize(i)))
        RenewImageWnd(i);
    m_pStrip->repaint();
    return true;
}

bool COvalineView::ReceiveCaptured(int i) {
    m_nEarlierSize[i] = GetDocument()->GetSlotSize(i);
    m_bEarlierThumb[i] = m_bThumb[i];
    return ReceiveSlot(i);
}

void COvalineView::RestoreEarlierSlot(int i) {
    GetDocument()->SetSlotSize(i, m_nEarlierSize[i]);
    m_bThumb[i] = m_bEarlierThumb[i];
    m_pStrip->repaint();
}

bool COvalineView::MakeThumbnail(int i, int size) {
    COvalineDoc *doc = GetDocument();
    m_lead.SetProperty1(0);
    const QByteArrayView bytes(doc->GetSlotData(i), COvalineDoc::kSlotBytes);
    if (m_lead.LoadMemory(bytes, size) != CLead1::kLoaded) {
        messageBox(tr("Load Memory Error!"), QMessageBox::NoIcon);
        return false;
    }
    doc->SetThumb(i, m_lead.GetThumbnail(kThumbWidth, m_pStrip->devicePixelRatioF()));
    return true;
}

} // namespace ovaline::app
