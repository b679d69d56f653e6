// SPDX-License-Identifier: MIT
#include "splash_screen_wnd.h"

#include "scaled_image.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace ovaline::imageview {
namespace {

const QString kPicture = QStringLiteral(":/splash/splash.png");

} // namespace

void CSplashScreenWnd::EnableSplash(bool enable) {
    s_bSplashEnabled = enable;
}

void CSplashScreenWnd::ShowSplash(QWidget *parent) {
    if (!s_bSplashEnabled || s_pSplash)
        return;
    const QPixmap picture = app::loadScaledPixmap(kPicture, parent ? parent->devicePixelRatioF()
                                                                   : qApp->devicePixelRatio());
    if (picture.isNull())
        return;
    s_pSplash = new CSplashScreenWnd(parent, picture);
    s_pSplash->show();
    s_pSplash->repaint();
}

CSplashScreenWnd::CSplashScreenWnd(QWidget *parent, const QPixmap &picture)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_bmpSplash(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_bmpSplash.deviceIndependentSize().toSize());
    // Centred on the owner once it is on the screen, else on the screen.
    const QRect area = parent && parent->isVisible()
                           ? parent->frameGeometry()
                           : (parent ? parent->screen() : screen())->geometry();
    move(area.center() - rect().center());
    m_timer.start(static_cast<int>(s_showTime.count()), this);
}

CSplashScreenWnd::~CSplashScreenWnd() {
    if (s_pSplash == this)
        s_pSplash = nullptr;
}

bool CSplashScreenWnd::FilterAppMessage(QEvent *event) {
    if (!s_pSplash)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Keeps the key from acting as a shortcut; its key press follows
        // and closes the splash.
        event->accept();
        return true;
    case QEvent::KeyPress:
        HideSplash();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        HideSplash();
        return true;
    default:
        return false;
    }
}

void CSplashScreenWnd::HideSplash() {
    CSplashScreenWnd *splash = s_pSplash;
    if (!splash)
        return;
    s_pSplash = nullptr;
    splash->m_timer.stop();
    QWidget *owner = splash->parentWidget();
    splash->hide();
    // It may be the receiver of the event that closes it.
    splash->deleteLater();
    if (owner)
        owner->repaint();
}

void CSplashScreenWnd::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bmpSplash);
}

void CSplashScreenWnd::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_timer.timerId())
        HideSplash();
    else
        QWidget::timerEvent(event);
}

} // namespace ovaline::imageview
