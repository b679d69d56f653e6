// SPDX-License-Identifier: MIT
// The scrolled content of the camera-memory view: paints the seven frames
// from the view's state and hands mouse and drop events to the view. Screen
// readers find the frames as the items of a list.
#pragma once

#include "accessible_cells.h"
#include "jpeg_decoder.h"

#include <QWidget>

class QMimeData;

namespace ovaline::app {

class COvalineView;

class CSlotStrip : public QWidget, public AccessibleCells {
    Q_OBJECT
public:
    explicit CSlotStrip(COvalineView *view);

    int CellCount() const override;
    QString CellName(int i) const override;
    QRect CellRect(int i) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // A file to send into a slot; never a slot dragged from a frame, which
    // carries a file too, for drops outside the program.
    bool TakesDrop(const QMimeData *mime) const;

    COvalineView *m_pView;
    mutable folder::JpegDecoder m_decoder; // reads the size of a slot's picture
};

} // namespace ovaline::app
