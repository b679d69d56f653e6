// SPDX-License-Identifier: MIT
// The scrolled content of the thumbnail view: paints the cells from the
// application's list and the document's cell pictures, and hands mouse and
// drop events to the view. Screen readers find the cells as the items of a
// list, named by their files.
#pragma once

#include "accessible_cells.h"

#include <QWidget>

class QMimeData;

namespace ovaline::app {

class CMyView;

class CThumbSheet : public QWidget, public AccessibleCells {
    Q_OBJECT
public:
    explicit CThumbSheet(CMyView *view);

    int CellCount() const override;
    QString CellName(int k) const override;
    QRect CellRect(int k) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool TakesDrop(const QMimeData *mime) const;

    CMyView *m_pView;
};

} // namespace ovaline::app
