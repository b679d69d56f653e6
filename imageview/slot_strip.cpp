// SPDX-License-Identifier: MIT
#include "slot_strip.h"

#include "cell_painting.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "ovaline_view.h"
#include "slot_description.h"
#include "slot_drag.h"
#include "slot_geometry.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ovaline::app {

using namespace imageview;

namespace {

const QColor kNotChosen(191, 191, 191);

} // namespace

CSlotStrip::CSlotStrip(COvalineView *view) : QWidget(view), m_pView(view) {
    setMinimumSize(kTotalSize);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAccessibleName(tr("Camera memory"));
}

int CSlotStrip::CellCount() const {
    return kSlotCount;
}

QString CSlotStrip::CellName(int i) const {
    COvalineDoc *doc = m_pView->GetDocument();
    QSize picture;
    if (m_pView->m_bThumb[i] && !doc->GetThumb(i).isNull()) {
        // The header alone tells the size; what follows the picture is never read.
        const QByteArray bytes = QByteArray::fromRawData(
            reinterpret_cast<const char *>(doc->GetSlotData(i)), COvalineDoc::kSlotBytes);
        picture = m_decoder.readSize(bytes).value_or(QSize());
    }
    return slotDescription(i + 1, picture);
}

QRect CSlotStrip::CellRect(int i) const {
    return slotRect(i);
}

void CSlotStrip::paintEvent(QPaintEvent *) {
    COvalineApp *app = OvalineApp();
    const COvalineDoc *doc = m_pView->GetDocument();
    QPainter painter(this);
    const QColor blue = captionBlue(palette());
    for (int i = 0; i < kSlotCount; ++i) {
        const QPoint origin = frameOrigin(i);
        drawCellFrame(painter, origin.x(), origin.y());
        const bool chosen =
            m_pView->m_bSelected[i] && doc->m_bSingleSlot && !app->m_bReceivePending;
        const QRect r = slotRect(i);
        drawCellHighlight(painter, r.left(), r.top(), r.left() + r.width(), r.top() + r.height(),
                          chosen ? blue : kNotChosen);
        drawCellCaption(painter, origin.x() + 18, origin.y() + 70, QString::asprintf("%2d", i + 1),
                        blue);
        if (const QImage thumb = m_pView->ThumbToDraw(i); !thumb.isNull())
            painter.drawImage(thumbOrigin(i), thumb);
    }
    // Paint only draws: a requested receive runs from the event loop, and
    // so do the screen readers' news of the frames.
    if (app->m_bReceivePending)
        m_pView->QueueReceive();
    CellsPainted(this);
}

void CSlotStrip::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonDown(event->position().toPoint());
}

void CSlotStrip::mouseMoveEvent(QMouseEvent *event) {
    m_pView->OnMouseMove(event->position().toPoint(), event->buttons());
}

void CSlotStrip::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonUp();
}

void CSlotStrip::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pView->OnLButtonDblClk(event->position().toPoint());
}

bool CSlotStrip::TakesDrop(const QMimeData *mime) const {
    return !OvalineApp()->m_bBusy && !draggedSlot(mime) && !draggedFile(mime).isEmpty();
}

void CSlotStrip::dragEnterEvent(QDragEnterEvent *event) {
    if (TakesDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CSlotStrip::dragMoveEvent(QDragMoveEvent *event) {
    if (TakesDrop(event->mimeData()))
        event->acceptProposedAction();
}

void CSlotStrip::dropEvent(QDropEvent *event) {
    if (!TakesDrop(event->mimeData()))
        return;
    const QString path = draggedFile(event->mimeData());
    event->acceptProposedAction();
    // The drop runs after the drag has ended, not inside it. A thumbnail
    // of the folder pane is sent as it is; a file from the desktop may be
    // any picture.
    const QPoint point = event->position().toPoint();
    const bool fromDesktop = event->source() == nullptr;
    QMetaObject::invokeMethod(
        m_pView,
        [view = m_pView, path, point, fromDesktop] {
            if (fromDesktop)
                view->DropPicture(path, point);
            else
                view->DropFile(path, point);
        },
        Qt::QueuedConnection);
}

void CSlotStrip::contextMenuEvent(QContextMenuEvent *event) {
    m_pView->OnContextMenu(event->pos(), event->globalPos());
}

} // namespace ovaline::app
