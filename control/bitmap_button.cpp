// SPDX-License-Identifier: MIT
#include "bitmap_button.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace ovaline::control {

CBitmapButton::CBitmapButton(int controlId, QWidget *parent)
    : QAbstractButton(parent), m_nControlId(controlId) {
    // The mouse leaves the focus where it was; Tab moves it.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit Clicked(m_nControlId); });
}

bool CBitmapButton::LoadBitmaps(const QString &up, const QString &down, const QString &disabled) {
    m_up = app::ScaledImage(up);
    m_down = app::ScaledImage(down);
    m_disabled = disabled.isEmpty() ? app::ScaledImage() : app::ScaledImage(disabled);
    update();
    return !m_up.At(devicePixelRatioF()).isNull();
}

void CBitmapButton::SizeToContent() {
    resize(sizeHint());
}

QSize CBitmapButton::sizeHint() const {
    return app::logicalSize(m_up.At(devicePixelRatioF()));
}

const QImage &CBitmapButton::CurrentImage() const {
    const qreal ratio = devicePixelRatioF();
    const QImage &up = m_up.At(ratio);
    if (!isEnabled()) {
        const QImage &disabled = m_disabled.At(ratio);
        return disabled.isNull() ? up : disabled;
    }
    const QImage &down = m_down.At(ratio);
    return isDown() && !down.isNull() ? down : up;
}

void CBitmapButton::SetLamp(bool lit) {
    if (m_bHasLamp && m_bLampLit == lit)
        return;
    m_bHasLamp = true;
    m_bLampLit = lit;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CBitmapButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Smooth where the screen's scale is neither 1 nor 2.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A disabled image larger than the button is clipped to it.
    painter.drawImage(QPoint(0, 0), CurrentImage());
    if (hasFocus()) {
        const QRect frame = rect().adjusted(2, 2, -3, -3);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(frame);
    }
}

void CBitmapButton::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mouseDoubleClickEvent(event);
        return;
    }
    m_bDoubleClick = true;
    emit DoubleClicked(m_nControlId);
    QAbstractButton::mousePressEvent(event);
}

void CBitmapButton::mouseReleaseEvent(QMouseEvent *event) {
    if (m_bDoubleClick && event->button() == Qt::LeftButton) {
        // The release of a double click shows the button up and clicks
        // nothing.
        m_bDoubleClick = false;
        const QSignalBlocker quiet(this);
        QAbstractButton::mouseReleaseEvent(event);
        update();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

bool CBitmapButton::IsPressKey(const QKeyEvent *event) {
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
           event->key() == Qt::Key_Enter;
}

void CBitmapButton::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                        event->isAutoRepeat());
        QAbstractButton::keyPressEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CBitmapButton::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                        event->isAutoRepeat());
        QAbstractButton::keyReleaseEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

} // namespace ovaline::control
