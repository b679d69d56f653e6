// SPDX-License-Identifier: MIT
// The image window: one picture at full size, one screen pixel per picture
// pixel, with scroll bars when it is larger than the window. The document
// keeps the object for the whole run; its window is made on demand and the
// user may close it at any time, which leaves the object and its picture.
#pragma once

#include "image_scroll.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRgb>
#include <QWidget>

class QPainter;

namespace ovaline::imageview {

class ImageWindowFrame;

class CImageWnd {
public:
    CImageWnd();
    ~CImageWnd();
    CImageWnd(const CImageWnd &) = delete;
    CImageWnd &operator=(const CImageWnd &) = delete;

    // Opens the window "IMAGE WINDOW" for `ownerView` at the top-left corner
    // of the screen, at the outer size kept in the profile, showing the
    // picture held from its top-left corner. An open window is refreshed
    // instead. Always 1.
    int CreateImageWindow(QWidget *ownerView);
    // Holds a new picture (drawn in true colour; the palette is only kept)
    // with the JPEG bytes it was decoded from, which a copy puts on the
    // clipboard beside it (none: the picture alone). An open window lays its
    // bars out anew and keeps its scroll position as far as the new picture
    // allows; RefreshWindow shows it.
    void SetImage(QImage bitmap, QList<QRgb> palette, QByteArray jpeg = {});
    // Repaints the open window at once and makes it the active window,
    // restoring it when it was minimised.
    void RefreshWindow();
    // What a double click on a picture does: holds it, then refreshes the
    // open window or opens one for `ownerView`.
    void ShowImage(QWidget *ownerView, QImage bitmap, QList<QRgb> palette, QByteArray jpeg = {});
    // Shows, in place of the picture held, the top rows of a picture still
    // arriving (the rest of the window stays empty), and repaints the open
    // window without raising it. A null image shows the picture held again.
    void ShowArriving(QImage rows);
    // Closes the window as its close box does, keeping its size.
    void DestroyWindow();

    bool HasWindow() const;
    // The open window, or nullptr.
    QWidget *GetWindow() const;
    QWidget *GetOwnerView() const { return m_pOwnerView; }
    const QImage &GetBitmap() const { return m_hBitmap; }
    const QList<QRgb> &GetPalette() const { return m_hPalette; }
    QPoint GetScrollPosition() const { return {m_xScroll, m_yScroll}; }
    QPoint GetScrollMax() const { return {m_xMax, m_yMax}; }

private:
    friend class ImageWindowFrame;

    // The window's events.
    void OnPaint(QPainter &painter) const;
    void OnSize();
    void OnMove();
    void OnHScroll(ScrollCode code, int thumb);
    void OnVScroll(ScrollCode code, int thumb);
    void OnDestroy();
    // Ctrl+C and the context menu: the picture shown, to the clipboard.
    void OnCopy() const;

    // Shows or hides the bars for the picture and the window's size, and
    // sets their ranges, pages and positions.
    void UpdateScrollBars();

    QPointer<QWidget> m_pOwnerView;
    QImage m_hBitmap;
    QList<QRgb> m_hPalette;
    QImage m_hArriving;
    QByteArray m_jpeg;
    int m_xScroll = 0;
    int m_yScroll = 0;
    int m_xMax = 0;
    int m_yMax = 0;
    int m_cxBitmap = 0;
    int m_cyBitmap = 0;
    QPointer<ImageWindowFrame> m_pWnd;
};

} // namespace ovaline::imageview
