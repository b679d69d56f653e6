// SPDX-License-Identifier: MIT
// A two-row splitter whose bar neither moves nor shows a split cursor: the
// panes keep the heights they were given, and the lower one takes what the
// window gains or loses.
#pragma once

#include <QSplitter>

namespace ovaline::app {

class CFixedSplitterWnd : public QSplitter {
    Q_OBJECT
public:
    explicit CFixedSplitterWnd(QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
};

} // namespace ovaline::app
