// SPDX-License-Identifier: MIT
// A push button drawn from images: its up image, its down image while
// pressed, and its disabled image while disabled (the up image when it has
// none), each at the scale of the screen. It is sized to its up image.
//
// Clicks come as Clicked(id). A double click does not click again: its
// press shows the button down and is reported as DoubleClicked(id), as a
// button of the original panel notified it. Tab reaches the button; Space
// or Enter works it, and a thin frame shows which button has the focus.
#pragma once

#include "scaled_image.h"

#include <QAbstractButton>
#include <QImage>

namespace ovaline::control {

class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    CBitmapButton(int controlId, QWidget *parent);

    int ControlId() const { return m_nControlId; }

    // Loads the images from the resources; `disabled` may be empty.
    // Returns false when the up image is missing.
    bool LoadBitmaps(const QString &up, const QString &down, const QString &disabled = {});
    // Sizes the button to its up image.
    void SizeToContent();

    // The image shown now.
    const QImage &CurrentImage() const;

    QSize sizeHint() const override;

    // A lamp of the panel that belongs to this control, lit or not: screen
    // readers hear the button as a check box, checked while the lamp is lit,
    // and are told when it goes on or off.
    void SetLamp(bool lit);
    bool HasLamp() const { return m_bHasLamp; }
    bool IsLampLit() const { return m_bLampLit; }

signals:
    void Clicked(int controlId);
    void DoubleClicked(int controlId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

    // Space, Enter and Return work a button.
    static bool IsPressKey(const QKeyEvent *event);

private:
    int m_nControlId;
    // Loaded again when the button goes to a screen of another scale.
    mutable app::ScaledImage m_up;
    mutable app::ScaledImage m_down;
    mutable app::ScaledImage m_disabled;
    bool m_bDoubleClick = false;
    bool m_bHasLamp = false;
    bool m_bLampLit = false;
};

} // namespace ovaline::control
