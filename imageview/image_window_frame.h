// SPDX-License-Identifier: MIT
// The top-level window of a CImageWnd: the client area the picture is drawn
// in and the two scroll bars, laid out by the image window. Its events go to
// the CImageWnd until it is closed.
#pragma once

#include "image_scroll.h"

#include <QWidget>

class QScrollBar;

namespace ovaline::imageview {

class CImageWnd;

class ImageWindowFrame : public QWidget {
    Q_OBJECT
public:
    // A window of `outerSize`, frame included, at `origin`.
    ImageWindowFrame(CImageWnd &imageWnd, QPoint origin, QSize outerSize);

    QWidget *Client() const { return m_client; }
    QScrollBar *ScrollBar(Axis axis) const;
    int BarExtent() const;
    // Places the client area and the bars shown for `bars`.
    void LayOut(ScrollBarsShown bars, QSize client);

    // The events go nowhere from now on.
    void Detach() { m_pImageWnd = nullptr; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class ClientArea;

    QScrollBar *MakeScrollBar(Axis axis);
    void PaintClient();
    // The bar's value is always the scroll position: a change that no
    // request made is undone.
    void KeepBarAtScrollPosition(Axis axis);
    void Scroll(Axis axis, ScrollCode code, int thumb);

    CImageWnd *m_pImageWnd;
    QWidget *m_client;
    QScrollBar *m_hBar;
    QScrollBar *m_vBar;
    QSize m_outerSize;
    bool m_bSizedToFrame = false;
};

} // namespace ovaline::imageview
