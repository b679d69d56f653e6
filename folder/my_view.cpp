// SPDX-License-Identifier: MIT
#include "my_view.h"

#include "image_wnd.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "slot_drag.h"
#include "thumb_grid.h"
#include "thumb_sheet.h"

#include <QApplication>
#include <QDir>
#include <QDrag>

namespace ovaline::app {

using namespace folder;

CMyView::CMyView(COvalineDoc *doc, QWidget *parent)
    : CPaneView(doc, parent), m_pSheet(new CThumbSheet(this)) {
    setWidget(m_pSheet);
    setWidgetResizable(true);
    SetScrollSteps(kGridPageStep, kGridLineStep);
    COvalineApp *app = OvalineApp();
    app->m_bFolderChanged = 0;
    app->m_bRefreshThumbs = 0;
    app->m_nFiles = 0;
}

CMyView::~CMyView() {
    m_loader.stop();
}

QWidget *CMyView::Sheet() const {
    return m_pSheet;
}

void CMyView::OnUpdate(CPaneView *sender) {
    CPaneView::OnUpdate(sender);
    m_pSheet->update();
    if (OvalineApp()->m_bFolderChanged)
        QueueLoadPass();
}

// A repaint of the pane itself, as after a new folder list, may leave its
// content alone: the new list is looked for here too.
bool CMyView::event(QEvent *event) {
    if (event->type() == QEvent::Paint && OvalineApp()->m_bFolderChanged)
        QueueLoadPass();
    return CPaneView::event(event);
}

void CMyView::resizeEvent(QResizeEvent *event) {
    CPaneView::resizeEvent(event);
    OvalineApp()->m_bRefreshThumbs = 1;
    m_pSheet->update();
}

void CMyView::moveEvent(QMoveEvent *event) {
    CPaneView::moveEvent(event);
    OvalineApp()->m_bRefreshThumbs = 1;
}

void CMyView::scrollContentsBy(int dx, int dy) {
    OvalineApp()->m_bRefreshThumbs = 1;
    CPaneView::scrollContentsBy(dx, dy);
}

void CMyView::OnLButtonDown(QPoint point) {
    COvalineApp *app = OvalineApp();
    const int k = cellAt(point, app->m_nFiles);
    if (k < 0) {
        app->m_bDragging = 0;
        return;
    }
    if (app->m_bBusy)
        return;
    app->m_bDragging = 1;
    app->m_nSelItem = 8 + k;
    m_pSheet->setCursor(imageview::dragCursor(m_pSheet));
    app->m_bDragCursor = 1;
    m_pressPoint = point;
}

void CMyView::OnMouseMove(QPoint point, Qt::MouseButtons buttons) {
    const COvalineApp *app = OvalineApp();
    if (!app->m_bDragging || !app->m_bDragCursor || app->m_nSelItem < 8 ||
        !(buttons & Qt::LeftButton))
        return;
    if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
        StartFileDrag();
}

void CMyView::StartFileDrag() {
    COvalineApp *app = OvalineApp();
    const int k = app->m_nSelItem - 8;
    if (k < 0 || k >= app->m_nFiles)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(
        imageview::fileMimeData(QDir(app->m_strFolder).filePath(app->m_strFiles[k])).release());
    imageview::setDragCursors(drag, m_pSheet);
    drag->exec(Qt::CopyAction);
    // The release went to wherever the file was dropped; a slot frame sends it.
    app->m_bDragging = 0;
    m_pSheet->unsetCursor();
    m_pSheet->update();
}

void CMyView::OnLButtonUp() {
    OvalineApp()->m_bDragging = 0;
    m_pSheet->unsetCursor();
    m_pSheet->update();
}

void CMyView::OnLButtonDblClk(QPoint point) {
    const COvalineApp *app = OvalineApp();
    const int k = cellAt(point, app->m_nFiles);
    if (k < 0)
        return;
    m_lead.SetProperty2(false);
    if (m_lead.LoadFile(QDir(app->m_strFolder).filePath(app->m_strFiles[k])) != CLead1::kLoaded) {
        // Gone or changed since the folder was read.
        messageBox(tr("File Not Open"), QMessageBox::NoIcon);
        return;
    }
    const qint32 handle = m_lead.GetImageHandle();
    GetDocument()->m_pImageWnd->ShowImage(this, m_lead.GetBitmap(handle), m_lead.GetPalette(handle),
                                          m_lead.GetJpegData(handle));
}

} // namespace ovaline::app
