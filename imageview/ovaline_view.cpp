// SPDX-License-Identifier: MIT
#include "ovaline_view.h"

#include "app_events.h"
#include "image_wnd.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "resource_ids.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "slot_strip.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QEventLoop>

namespace ovaline::app {

using namespace imageview;

COvalineView::COvalineView(COvalineDoc *doc, QWidget *parent)
    : CPaneView(doc, parent), m_pStrip(new CSlotStrip(this)),
      m_pCopyAction(new QAction(tr("Copy Picture"), this)) {
    setWidget(m_pStrip);
    // Anywhere in the main window, as the menu commands' keys are.
    m_pCopyAction->setShortcuts(QKeySequence::Copy);
    m_pCopyAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_pCopyAction);
    connect(m_pCopyAction, &QAction::triggered, this, &COvalineView::CopyChosenSlot);
    setWidgetResizable(true);
    SetScrollSteps(kSlotPageStep, kSlotLineStep);
    InstallPasteShortcut();
    COvalineApp *app = OvalineApp();
    app->m_bDragging = 0;
    app->m_bBusy = 0;
}

COvalineView::~COvalineView() = default;

QWidget *COvalineView::Strip() const {
    return m_pStrip;
}

void COvalineView::OnUpdate(CPaneView *sender) {
    CPaneView::OnUpdate(sender);
    m_pStrip->update();
    if (OvalineApp()->m_bReceivePending)
        QueueReceive();
}

void COvalineView::QueueReceive() {
    if (m_bReceiveQueued)
        return;
    m_bReceiveQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bReceiveQueued = false;
            if (OvalineApp()->m_bReceivePending)
                ReceivePending();
        },
        Qt::QueuedConnection);
}

bool COvalineView::event(QEvent *event) {
    if (event->type() == WM_APP_TRAFFIC_DONE) {
        OnTrafficDone(static_cast<CTrafficDoneEvent *>(event)->Result());
        if (m_pWaitLoop)
            m_pWaitLoop->exit(kTransferWoken);
        return true;
    }
    if (event->type() == WM_APP_IMAGEWND_MOVED) {
        OvalineApp()->m_bRefreshThumbs = 1;
        return true;
    }
    return CPaneView::event(event);
}

void COvalineView::SetOtherWindowsEnabled(bool enabled) {
    COvalineDoc *doc = GetDocument();
    if (CMainFrame *frame = OvalineApp()->GetMainFrame())
        frame->setEnabled(enabled);
    if (doc->m_pRemoteWnd)
        doc->m_pRemoteWnd->setEnabled(enabled);
}

void COvalineView::DisableOtherWindows() {
    SetOtherWindowsEnabled(false);
}

void COvalineView::EnableOtherWindows() {
    SetOtherWindowsEnabled(true);
}

void COvalineView::ShowIdleText() {
    if (CMainFrame *frame = OvalineApp()->GetMainFrame())
        frame->SetMessageText(res::AFX_IDS_IDLEMESSAGE);
}

void COvalineView::OnLButtonDown(QPoint point) {
    COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    if (app->QueryStatus(1) != 1)
        return;
    COvalineDoc *doc = GetDocument();
    app->m_nSelItem = 0;
    m_bSelected.fill(0);
    doc->m_bSingleSlot = 0;
    const int i = slotAt(point);
    if (i >= 0) {
        const bool holdsPicture = doc->GetSlotSize(i) > 0 && app->m_reply[1 + i] != '0';
        app->m_bDragCursor = holdsPicture ? 1 : 0;
        if (holdsPicture)
            m_pStrip->setCursor(imageview::dragCursor(m_pStrip));
        app->m_bDragging = 1;
        ChooseSlot(i);
        m_pressPoint = point;
    }
    m_pStrip->update();
}

void COvalineView::ChooseSlot(int i) {
    OvalineApp()->m_nSelItem = i + 1;
    m_bSelected.fill(0);
    m_bSelected[i] = 1;
    m_nSelSlot = i;
    GetDocument()->m_bSingleSlot = 1;
}

void COvalineView::OnMouseMove(QPoint point, Qt::MouseButtons buttons) {
    COvalineApp *app = OvalineApp();
    if (!app->m_bDragging || !app->m_bDragCursor || !(buttons & Qt::LeftButton))
        return;
    if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
        StartSlotDrag();
}

void COvalineView::StartSlotDrag() {
    COvalineApp *app = OvalineApp();
    const int i = app->m_nSelItem - 1;
    if (i < 0 || i >= kSlotCount)
        return;
    COvalineDoc *doc = GetDocument();
    const QByteArray jpeg(reinterpret_cast<const char *>(doc->GetSlotData(i)), doc->GetSlotSize(i));
    // Written once for the whole drag, for a drop outside the program.
    const QString file = m_dragOut.Write(i + 1, jpeg);
    if (file.isEmpty())
        ShowMessageText(tr("Slot %1 could not be written for a drop outside Ovaline").arg(i + 1));
    auto *drag = new QDrag(this);
    drag->setMimeData(slotMimeData({i + 1, jpeg}, file).release());
    imageview::setDragCursors(drag, m_pStrip);
    drag->exec(Qt::CopyAction);
    // The release went to wherever the slot was dropped.
    app->m_bDragging = 0;
    m_pStrip->unsetCursor();
    m_pStrip->update();
}

void COvalineView::OnLButtonUp() {
    COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    app->m_bDragging = 0;
    m_pStrip->unsetCursor();
    m_pStrip->update();
}

void COvalineView::OnLButtonDblClk(QPoint point) {
    const int i = slotAt(point);
    if (i >= 0 && !ShowSlot(i))
        return;
    OvalineApp()->m_bDragging = 0;
}

bool COvalineView::ShowSlot(int i) {
    if (GetDocument()->GetSlotSize(i) == 0 && !m_bThumb[i])
        return true;
    if (!LoadSlotPicture(i))
        return false;
    const qint32 handle = m_lead.GetImageHandle();
    GetDocument()->m_pImageWnd->ShowImage(this, m_lead.GetBitmap(handle), m_lead.GetPalette(handle),
                                          m_lead.GetJpegData(handle));
    NoteImageWndSlot(i);
    return true;
}

bool COvalineView::LoadSlotPicture(int i) {
    COvalineDoc *doc = GetDocument();
    m_lead.SetProperty1(0);
    const QByteArrayView bytes(doc->GetSlotData(i), COvalineDoc::kSlotBytes);
    if (m_lead.LoadMemory(bytes, doc->GetSlotSize(i)) != CLead1::kLoaded) {
        messageBox(tr("Load Memory Error!"), QMessageBox::NoIcon);
        return false;
    }
    return true;
}

} // namespace ovaline::app
