// SPDX-License-Identifier: MIT
// Panes that paint their cells themselves (the slot frames, the picture
// cells of a folder) show them to screen readers as the items of a list,
// each named by what it shows, and announce a cell whose name changes and
// cells that come or go.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QAccessibleInterface;
class QWidget;

namespace ovaline::app {

class AccessibleCells {
public:
    virtual ~AccessibleCells() = default;

    // The cells shown now, their names and their places in the pane.
    virtual int CellCount() const = 0;
    virtual QString CellName(int i) const = 0;
    virtual QRect CellRect(int i) const = 0;

protected:
    // The pane has been painted: once the event loop runs, screen readers
    // hear of the cells that changed since they last heard.
    void CellsPainted(QWidget *pane);

private:
    void AnnounceCells(QWidget *pane);

    QStringList m_announced;
    bool m_bQueued = false;
};

// How screen readers find a pane of cells: a list of them.
QAccessibleInterface *cellListAccessible(QWidget *pane, AccessibleCells *cells);

} // namespace ovaline::app
