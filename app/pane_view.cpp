#include "pane_view.h"

#include "ovaline_doc.h"

namespace ovaline::app {

CPaneView::CPaneView(COvalineDoc *doc, QWidget *parent) : QScrollArea(parent), m_pDoc(doc) {
    setBackgroundRole(QPalette::Base);
    m_pDoc->AddView(this);
}

void CPaneView::OnUpdate(CPaneView *) {
    viewport()->update();
}

} // namespace ovaline::app
