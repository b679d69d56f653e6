// SPDX-License-Identifier: MIT
// The remote control: a replica of the unit's front panel that turns each
// control into a device command. The document keeps one object for the
// whole run; its window is made by Create and goes when it is closed, while
// the object and its flags stay for the next opening.
//
// Click buttons change a flag and send their command; hold buttons send a
// start command when pressed and a stop command when released. The flags
// are drawn as indicators and re-read from the unit at each opening and on
// re-locking. While the application's m_bBusy is set, clicks and holds do
// nothing.
#pragma once

#include "remote_controls.h"
#include "system_colours.h"

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <array>
#include <memory>

namespace ovaline::app {
class COvalineDoc;
}

namespace ovaline::control {

class CBitmapButton;
class CSelectWnd;

class CRemoteWnd : public QWidget, public CRemoteFlags {
    Q_OBJECT
public:
    CRemoteWnd();
    ~CRemoteWnd() override;

    // Opens the window "REMOTE CONTROL" for `pDoc` at its kept position,
    // with its controls, the flags read from the unit and the pad arrows
    // enabled by the modes. Always 1.
    int Create(app::COvalineDoc *pDoc);
    bool HasWindow() const { return m_bCreated; }
    // Closes the window as its close box does.
    void DestroyWindow();
    // Locks the unit's own panel ("LL" '1') for the time the window is open.
    void LockPanel();

    // Reads the control state from the unit into the flags; 0 when the
    // query failed, which leaves every flag as it was.
    int RefreshFromUnit();

    virtual int OnHoldRelease(int id);
    virtual int OnHoldPress(int id);
    virtual int RaiseToTop();

    // The control with this id while the window is open; nullptr otherwise.
    CBitmapButton *GetControl(int id) const;
    CSelectWnd *GetSelectWnd() const { return m_pSelectWnd.get(); }
    // Where the last paint drew each indicator.
    const QRect &IndicatorRect(int role) const { return m_rcIndicator[role]; }
    bool IsAutoFocusing() const { return m_bAutoFocusWait; }

    // The auto-focus wait; a negative time makes the timer fail.
    void SetAutoFocusWait(int milliseconds) { m_nAutoFocusMs = milliseconds; }

    static constexpr int kAutoFocusMs = 10000;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void CreateControls();
    void OnCommand(int id);
    void OnAutoFocus();
    void EndAutoFocusWait();
    void OnLock();
    void OnSelect(const QString &title, int mode);
    void OnDestroy();
    void SetArrowsEnabled(bool enabled);
    void Invalidate(int role);
    void InvalidateInputLamps();
    // Sends the stop of a running hold whatever else is going on: the unit
    // must not keep moving because its release went missing.
    void StopHold();
    void ShowStatus(int stringId) const;
    // Screen readers hear the indicators on their controls: a lamp as the
    // checked state, POSI/NEGA and COLOR/B&W as the word lit.
    void ShowIndicatorsOnControls();

    app::COvalineDoc *m_pDoc = nullptr;
    std::unique_ptr<CSelectWnd> m_pSelectWnd;
    std::array<QPointer<CBitmapButton>, std::size(kRemoteControls)> m_buttons{};
    std::array<QRect, kIndicatorCount> m_rcIndicator{};
    std::array<QRect, 8> m_rcArrow{};
    MappedImages m_images; // the panel and the indicators
    QRegion m_invalid;
    bool m_bCreated = false;
    bool m_bSizedToFrame = false;
    int m_nHeldId = 0;
    int m_nTimer = 0;
    bool m_bAutoFocusWait = false;
    int m_nAutoFocusMs = kAutoFocusMs;
};

} // namespace ovaline::control
