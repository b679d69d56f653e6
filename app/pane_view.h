// A pane of the main window's splitter that shows part of the document. The
// document tells its panes to update through OnUpdate.
#pragma once

#include <QScrollArea>

namespace ovaline::app {

class COvalineDoc;

class CPaneView : public QScrollArea {
    Q_OBJECT
public:
    CPaneView(COvalineDoc *doc, QWidget *parent = nullptr);

    COvalineDoc *GetDocument() const { return m_pDoc; }

    // The document changed; `sender` is the view that made the change, or
    // nullptr. The pane repaints.
    virtual void OnUpdate(CPaneView *sender);

private:
    COvalineDoc *m_pDoc;
};

} // namespace ovaline::app
