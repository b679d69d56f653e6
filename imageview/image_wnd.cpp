// SPDX-License-Identifier: MIT
#include "image_wnd.h"

#include "app_events.h"
#include "image_window_frame.h"
#include "ovaline_app.h"
#include "picture_copy.h"
#include "profile_file.h"
#include "window_geometry.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

namespace ovaline::imageview {
namespace {

const QString kSizeSection = QStringLiteral("IMAGE_WND");
const QString kWidthKey = QStringLiteral("WIDTH");
const QString kHeightKey = QStringLiteral("HEIGHT");
const QSize kDefaultSize(640, 480);
constexpr int kLargestSide = 32767;

} // namespace

CImageWnd::CImageWnd() = default;

CImageWnd::~CImageWnd() {
    DestroyWindow();
}

bool CImageWnd::HasWindow() const {
    return m_pWnd != nullptr;
}

QWidget *CImageWnd::GetWindow() const {
    return m_pWnd;
}

int CImageWnd::CreateImageWindow(QWidget *ownerView) {
    m_pOwnerView = ownerView;
    if (m_pWnd) {
        RefreshWindow();
        return 1;
    }
    const app::ProfileFile &profile = app::OvalineApp()->GetProfile();
    const QSize size(
        profile.readInt(kSizeSection, kWidthKey, kDefaultSize.width(), 1, kLargestSide),
        profile.readInt(kSizeSection, kHeightKey, kDefaultSize.height(), 1, kLargestSide));
    // A window placed by the system opens at the screen's top-left corner.
    const QScreen *screen = ownerView ? ownerView->screen() : QGuiApplication::primaryScreen();
    m_xScroll = 0;
    m_yScroll = 0;
    m_pWnd = new ImageWindowFrame(*this, screen->geometry().topLeft(), size);
    m_pWnd->show();
    return 1;
}

void CImageWnd::SetImage(QImage bitmap, QList<QRgb> palette, QByteArray jpeg) {
    m_hBitmap = std::move(bitmap);
    m_hPalette = std::move(palette);
    m_jpeg = std::move(jpeg);
    m_cxBitmap = m_hBitmap.width();
    m_cyBitmap = m_hBitmap.height();
    UpdateScrollBars();
}

void CImageWnd::RefreshWindow() {
    if (!m_pWnd)
        return;
    if (m_pWnd->isMinimized())
        m_pWnd->setWindowState(m_pWnd->windowState() & ~Qt::WindowMinimized);
    m_pWnd->Client()->repaint();
    m_pWnd->raise();
    m_pWnd->activateWindow();
}

void CImageWnd::ShowImage(QWidget *ownerView, QImage bitmap, QList<QRgb> palette, QByteArray jpeg) {
    SetImage(std::move(bitmap), std::move(palette), std::move(jpeg));
    if (m_pWnd)
        RefreshWindow();
    else
        CreateImageWindow(ownerView);
}

void CImageWnd::ShowArriving(QImage rows) {
    m_hArriving = std::move(rows);
    if (m_pWnd)
        m_pWnd->Client()->update();
}

void CImageWnd::DestroyWindow() {
    if (m_pWnd)
        m_pWnd->close();
}

void CImageWnd::OnPaint(QPainter &painter) const {
    // The client area's background is already erased; without a picture
    // it stays empty.
    const QImage &shown = m_hArriving.isNull() ? m_hBitmap : m_hArriving;
    if (!shown.isNull())
        painter.drawImage(QPoint(-m_xScroll, -m_yScroll), shown);
}

void CImageWnd::OnSize() {
    m_yScroll = 0;
    m_xScroll = 0;
    UpdateScrollBars();
    m_pWnd->Client()->update();
}

void CImageWnd::OnMove() {
    if (m_pOwnerView) {
        QEvent moved(app::WM_APP_IMAGEWND_MOVED);
        QApplication::sendEvent(m_pOwnerView, &moved);
    }
}

void CImageWnd::OnHScroll(ScrollCode code, int thumb) {
    const int old = m_xScroll;
    m_xScroll = scrollTarget(Axis::Horizontal, code, m_xScroll, thumb, m_xMax);
    m_pWnd->ScrollBar(Axis::Horizontal)->setSliderPosition(m_xScroll);
    if (old != m_xScroll)
        m_pWnd->Client()->scroll(old - m_xScroll, 0);
}

void CImageWnd::OnVScroll(ScrollCode code, int thumb) {
    const int old = m_yScroll;
    m_yScroll = scrollTarget(Axis::Vertical, code, m_yScroll, thumb, m_yMax);
    m_pWnd->ScrollBar(Axis::Vertical)->setSliderPosition(m_yScroll);
    if (old != m_yScroll)
        m_pWnd->Client()->scroll(0, old - m_yScroll);
}

void CImageWnd::OnDestroy() {
    const QSize size = app::outerSize(m_pWnd);
    app::ProfileFile &profile = app::OvalineApp()->GetProfile();
    profile.writeInt(kSizeSection, kWidthKey, size.width());
    profile.writeInt(kSizeSection, kHeightKey, size.height());
    // The window goes once its close is handled; the object stays.
    m_pWnd->Detach();
    m_pWnd->deleteLater();
    m_pWnd = nullptr;
}

void CImageWnd::OnCopy() const {
    if (!m_hBitmap.isNull())
        copyPicture(m_hBitmap, m_jpeg);
}

void CImageWnd::UpdateScrollBars() {
    if (!m_pWnd)
        return;
    const QSize bitmap(m_cxBitmap, m_cyBitmap);
    const QSize area = m_pWnd->size();
    const int extent = m_pWnd->BarExtent();
    const ScrollBarsShown bars = scrollBarsShown(bitmap, area, extent);
    const QSize client = clientSize(area, bars, extent);
    m_xMax = scrollMax(m_cxBitmap, client.width());
    m_yMax = scrollMax(m_cyBitmap, client.height());
    // A smaller picture may leave the old position beyond its end.
    m_xScroll = clampScroll(m_xScroll, m_xMax);
    m_yScroll = clampScroll(m_yScroll, m_yMax);
    m_pWnd->LayOut(bars, client);
    const auto setBar = [this](Axis axis, int max, int page, int position) {
        QScrollBar *bar = m_pWnd->ScrollBar(axis);
        const QSignalBlocker quiet(bar);
        bar->setRange(0, max);
        bar->setPageStep(page);
        bar->setValue(position);
    };
    setBar(Axis::Vertical, m_yMax, client.height(), m_yScroll);
    setBar(Axis::Horizontal, m_xMax, client.width(), m_xScroll);
}

} // namespace ovaline::imageview
