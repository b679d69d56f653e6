// SPDX-License-Identifier: MIT
#include "fixed_splitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace ovaline::app {
namespace {

class CFixedSplitterHandle : public QSplitterHandle {
public:
    CFixedSplitterHandle(Qt::Orientation orientation, QSplitter *splitter)
        : QSplitterHandle(orientation, splitter) {
        setCursor(Qt::ArrowCursor);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { event->ignore(); }
    void mouseMoveEvent(QMouseEvent *event) override { event->ignore(); }
};

} // namespace

CFixedSplitterWnd::CFixedSplitterWnd(QWidget *parent) : QSplitter(Qt::Vertical, parent) {
    setChildrenCollapsible(false);
}

QSplitterHandle *CFixedSplitterWnd::createHandle() {
    return new CFixedSplitterHandle(orientation(), this);
}

} // namespace ovaline::app
