// SPDX-License-Identifier: MIT
#include "pane_view.h"

#include "ovaline_doc.h"

#include <QEvent>
#include <QScrollBar>

namespace ovaline::app {

CPaneView::CPaneView(COvalineDoc *doc, QWidget *parent) : QScrollArea(parent), m_pDoc(doc) {
    setBackgroundRole(QPalette::Base);
    m_pDoc->AddView(this);
}

void CPaneView::OnUpdate(CPaneView *) {
    viewport()->update();
}

void CPaneView::SetScrollSteps(QSize page, QSize line) {
    m_pageStep = page;
    m_lineStep = line;
    ApplyScrollSteps();
}

void CPaneView::ApplyScrollSteps() {
    if (m_pageStep.isEmpty())
        return;
    horizontalScrollBar()->setPageStep(m_pageStep.width());
    verticalScrollBar()->setPageStep(m_pageStep.height());
    horizontalScrollBar()->setSingleStep(m_lineStep.width());
    verticalScrollBar()->setSingleStep(m_lineStep.height());
}

// QScrollArea sets the page steps anew whenever it lays its bars out: after
// a resize of the pane or of its content, and on a layout request.
bool CPaneView::event(QEvent *event) {
    const bool handled = QScrollArea::event(event);
    if (event->type() == QEvent::LayoutRequest)
        ApplyScrollSteps();
    return handled;
}

bool CPaneView::eventFilter(QObject *watched, QEvent *event) {
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (watched == widget() && event->type() == QEvent::Resize)
        ApplyScrollSteps();
    return handled;
}

void CPaneView::resizeEvent(QResizeEvent *event) {
    QScrollArea::resizeEvent(event);
    ApplyScrollSteps();
}

} // namespace ovaline::app
