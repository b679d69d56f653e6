// SPDX-License-Identifier: MIT
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

    // The pane's scroll steps: a page and a line in each direction. They
    // hold through every resize, where QScrollArea would make the page the
    // viewport's size.
    void SetScrollSteps(QSize page, QSize line);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ApplyScrollSteps();

    COvalineDoc *m_pDoc;
    QSize m_pageStep;
    QSize m_lineStep;
};

} // namespace ovaline::app
