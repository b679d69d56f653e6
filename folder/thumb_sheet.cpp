// SPDX-License-Identifier: MIT
#include "thumb_sheet.h"

#include "cell_painting.h"
#include "my_view.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "slot_drag.h"
#include "thumb_grid.h"

#include <QDragEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ovaline::app {

using namespace folder;

CThumbSheet::CThumbSheet(CMyView *view) : QWidget(view), m_pView(view) {
    setMinimumSize(kGridTotalSize);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAccessibleName(tr("Pictures of the folder"));
}

int CThumbSheet::CellCount() const {
    const COvalineApp *app = OvalineApp();
    return app->m_bFolderChanged || !app->m_bRefreshThumbs
               ? 0
               : std::clamp(app->m_nFiles, 0, kGridCells);
}

QString CThumbSheet::CellName(int k) const {
    return OvalineApp()->m_strFiles[k];
}

QRect CThumbSheet::CellRect(int k) const {
    return cellRect(k);
}

void CThumbSheet::paintEvent(QPaintEvent *event) {
    const COvalineApp *app = OvalineApp();
    // Paint only draws: a new folder is loaded from the event loop.
    if (app->m_bFolderChanged) {
        m_pView->QueueLoadPass();
        return;
    }
    if (!app->m_bRefreshThumbs)
        return;
    const COvalineDoc *doc = m_pView->GetDocument();
    QPainter painter(this);
    const QColor blue = captionBlue(palette());
    const int cells = std::clamp(app->m_nFiles, 0, kGridCells);
    for (int k = 0; k < cells; ++k) {
        const QRect frame = cellRect(k);
        if (!event->region().intersects(frame.adjusted(0, 0, 1, 1)))
            continue;
        drawCellFrame(painter, frame.left(), frame.top());
        const QPoint caption = captionOrigin(k);
        drawCellCaption(painter, caption.x(), caption.y(), captionText(app->m_strFiles[k]), blue);
        const QImage &thumb = doc->GetThumb(8 + k);
        if (!thumb.isNull())
            painter.drawImage(pictureOrigin(k), thumb);
    }
    CellsPainted(this);
}

void CThumbSheet::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonDown(event->position().toPoint());
}

void CThumbSheet::mouseMoveEvent(QMouseEvent *event) {
    m_pView->OnMouseMove(event->position().toPoint(), event->buttons());
}

void CThumbSheet::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonUp();
}

void CThumbSheet::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonDblClk(event->position().toPoint());
}

bool CThumbSheet::TakesDrop(const QMimeData *mime) const {
    return !OvalineApp()->m_bBusy && !m_pView->IsLoading() &&
           imageview::draggedSlot(mime).has_value();
}

void CThumbSheet::dragEnterEvent(QDragEnterEvent *event) {
    if (TakesDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CThumbSheet::dragMoveEvent(QDragMoveEvent *event) {
    if (TakesDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CThumbSheet::dropEvent(QDropEvent *event) {
    if (!TakesDrop(event->mimeData()))
        return;
    // The picture travels with the drag: it may come from another window.
    imageview::DraggedSlot slot = *imageview::draggedSlot(event->mimeData());
    event->acceptProposedAction();
    // The name is asked for after the drag has ended, not inside it.
    QMetaObject::invokeMethod(
        m_pView, [view = m_pView, slot = std::move(slot)] { view->DropSlot(slot); },
        Qt::QueuedConnection);
}

} // namespace ovaline::app
