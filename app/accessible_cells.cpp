// SPDX-License-Identifier: MIT
#include "accessible_cells.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace ovaline::app {
namespace {

// One cell: it has no object of its own, so its pane answers for it.
class CellAccessible : public QAccessibleInterface {
public:
    CellAccessible(QWidget *pane, AccessibleCells *cells, int index)
        : m_pane(pane), m_cells(cells), m_index(index) {}

    bool isValid() const override { return m_pane && m_index < m_cells->CellCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_pane->window()->windowHandle(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(m_pane);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? m_cells->CellName(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect cell = m_cells->CellRect(m_index);
        return {m_pane->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !isValid() || !m_pane->isVisible();
        state.offscreen =
            state.invisible || !m_pane->visibleRegion().intersects(m_cells->CellRect(m_index));
        return state;
    }

private:
    QPointer<QWidget> m_pane;
    AccessibleCells *m_cells;
    int m_index;
};

// The pane: a list of its cells.
class CellPaneAccessible : public QAccessibleWidget {
public:
    CellPaneAccessible(QWidget *pane, AccessibleCells *cells)
        : QAccessibleWidget(pane, QAccessible::List), m_cells(cells) {}
    ~CellPaneAccessible() override {
        for (QAccessible::Id id : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return m_cells->CellCount(); }
    QAccessibleInterface *child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (int(m_ids.size()) <= index)
            m_ids.push_back(QAccessible::registerAccessibleInterface(
                new CellAccessible(widget(), m_cells, int(m_ids.size()))));
        return QAccessible::accessibleInterface(m_ids[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        const auto found =
            std::find(m_ids.begin(), m_ids.end(),
                      QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child)));
        const int index = found == m_ids.end() ? -1 : int(found - m_ids.begin());
        return index < childCount() ? index : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        const QPoint point = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (m_cells->CellRect(i).contains(point))
                return child(i);
        return nullptr;
    }

private:
    AccessibleCells *m_cells;
    mutable std::vector<QAccessible::Id> m_ids; // made as screen readers ask
};

} // namespace

QAccessibleInterface *cellListAccessible(QWidget *pane, AccessibleCells *cells) {
    return new CellPaneAccessible(pane, cells);
}

void AccessibleCells::CellsPainted(QWidget *pane) {
    if (m_bQueued || !QAccessible::isActive())
        return;
    m_bQueued = true;
    QMetaObject::invokeMethod(
        pane,
        [this, pane] {
            m_bQueued = false;
            AnnounceCells(pane);
        },
        Qt::QueuedConnection);
}

void AccessibleCells::AnnounceCells(QWidget *pane) {
    QStringList names;
    for (int i = 0; i < CellCount(); ++i)
        names.append(CellName(i));
    if (names.size() != m_announced.size()) {
        QAccessibleEvent reorder(pane, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(pane);
    for (int i = 0; i < std::min(names.size(), m_announced.size()); ++i) {
        if (names[i] != m_announced[i]) {
            QAccessibleEvent renamed(list->child(i), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    m_announced = names;
}

} // namespace ovaline::app
