// SPDX-License-Identifier: MIT
#include "remote_wnd.h"

#include "bitmap_button.h"
#include "control_events.h"
#include "hold_button.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "profile_file.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "scaled_image.h"
#include "select_wnd.h"
#include "system_colours.h"
#include "window_geometry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QTimerEvent>

namespace ovaline::control {
namespace {

using app::OvalineApp;

const QString kPositionSection = QStringLiteral("REMOTE_WND");
const QSize kOuterSize(327, 472);
constexpr char kNoParameter[] = "  ";

const char *const kUnlockedText =
    QT_TRANSLATE_NOOP("ovaline::control::CRemoteWnd",
                      " Unlocked\n Re-send the image to PC from the main unit,\n when the "
                      "main unit memory is changed or deleted");
const char *const kLockedText =
    QT_TRANSLATE_NOOP("ovaline::control::CRemoteWnd",
                      " Locked the image\n Re-send the image to PC from the main unit, \n "
                      "when the main unit memory is changed or deleted");

int send(int code, char arg) {
    return OvalineApp()->SendCommand(code, arg, kNoParameter);
}

} // namespace

CRemoteWnd::CRemoteWnd() : m_pSelectWnd(std::make_unique<CSelectWnd>()) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("REMOTE CONTROL"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("remoteControl"));
}

CRemoteWnd::~CRemoteWnd() {
    if (m_bCreated)
        DestroyWindow();
}

int CRemoteWnd::Create(app::COvalineDoc *pDoc) {
    m_pDoc = pDoc;
    app::COvalineApp *app = OvalineApp();
    const QPoint origin = app::readWindowPlace(app->GetProfile(), kPositionSection,
                                               QPoint(app->m_xMainWnd + 20, app->m_yMainWnd));
    m_bCreated = true;
    m_bSizedToFrame = false;
    move(origin);
    resize(kOuterSize);
    show();
    CreateControls();
    RefreshFromUnit();
    SetArrowsEnabled(m_bPointer == 1 || m_b2x == 1);
    ShowIndicatorsOnControls();
    repaint();
    return 1;
}

void CRemoteWnd::CreateControls() {
    const bool withSub = OvalineApp()->m_nUnitModel == 1;
    int arrow = 0;
    for (std::size_t i = 0; i < std::size(kRemoteControls); ++i) {
        const RemoteControl &c = kRemoteControls[i];
        if (isPadArrow(c.id))
            m_rcArrow[arrow++] = QRect(c.x, c.y, kPadCell, kPadCell);
        if (c.id == IDC_SUB && !withSub)
            continue;
        CBitmapButton *button = c.kind == ControlKind::Hold ? new CHoldButton(c.id, this)
                                                            : new CBitmapButton(c.id, this);
        button->move(c.x, c.y);
        button->LoadBitmaps(controlImagePath(c.up), controlImagePath(c.down),
                            c.disabled ? controlImagePath(c.disabled) : QString());
        button->SizeToContent();
        const QString label = QCoreApplication::translate("RemoteControls", c.label);
        button->setToolTip(label);
        button->setAccessibleName(label);
        connect(button, &CBitmapButton::Clicked, this, &CRemoteWnd::OnCommand);
        button->show();
        m_buttons[i] = button;
    }
}

CBitmapButton *CRemoteWnd::GetControl(int id) const {
    for (std::size_t i = 0; i < std::size(kRemoteControls); ++i) {
        if (kRemoteControls[i].id == id)
            return m_buttons[i];
    }
    return nullptr;
}

void CRemoteWnd::DestroyWindow() {
    close();
}

void CRemoteWnd::LockPanel() {
    // Locked as soon as the unit has taken it, whatever follows, so that
    // closing the window unlocks the panel again.
    if (send(app::kCmdPanelLock, '1') == 1)
        m_bPanelLocked = 1;
}

int CRemoteWnd::RefreshFromUnit() {
    app::COvalineApp *app = OvalineApp();
    if (app->QueryStatus(0) != 1)
        return 0;
    readControlState(*this, app->m_reply);
    return 1;
}

void CRemoteWnd::SetArrowsEnabled(bool enabled) {
    for (int id = IDC_ARROW1; id <= IDC_ARROW8; ++id) {
        if (CBitmapButton *arrow = GetControl(id))
            arrow->setEnabled(enabled);
    }
}

void CRemoteWnd::Invalidate(int role) {
    m_invalid += m_rcIndicator[role];
    update(m_rcIndicator[role]);
}

void CRemoteWnd::InvalidateInputLamps() {
    for (int role = kIndicatorMain; role <= kIndicatorSub; ++role)
        Invalidate(role);
}

void CRemoteWnd::OnCommand(int id) {
    app::COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    switch (id) {
    case IDC_POSI_NEGA:
        m_bPositive = m_bPositive == 1 ? 0 : 1;
        send(app::kCmdPolarity, m_bPositive == 1 ? '0' : '1');
        Invalidate(kIndicatorPosiNega);
        break;
    case IDC_COLOR_BW:
        m_bColor = m_bColor == 1 ? 0 : 1;
        send(app::kCmdColour, m_bColor == 1 ? '0' : '1');
        Invalidate(kIndicatorColorBW);
        break;
    case IDC_UPPER:
        if (m_bUpper == 0) {
            m_bUpper = 1;
            m_bBase = 0;
            send(app::kCmdLamp, '2');
        } else {
            m_bUpper = 0;
            send(app::kCmdLamp, '0');
        }
        Invalidate(kIndicatorUpper);
        Invalidate(kIndicatorBase);
        break;
    case IDC_BASE:
        if (m_bBase == 0) {
            m_bBase = 1;
            m_bUpper = 0;
            send(app::kCmdLamp, '1');
        } else {
            m_bBase = 0;
            send(app::kCmdLamp, '0');
        }
        Invalidate(kIndicatorUpper);
        Invalidate(kIndicatorBase);
        break;
    case IDC_MAIN:
    case IDC_AV1:
    case IDC_AV2:
    case IDC_SUB: {
        const int input = id == IDC_MAIN ? 0 : id == IDC_AV1 ? 1 : id == IDC_AV2 ? 2 : 3;
        if (input == 3 && app->m_nUnitModel != 1)
            return;
        m_nAVInput = input;
        send(app::kCmdVideoInput, static_cast<char>('0' + input));
        InvalidateInputLamps();
        break;
    }
    case IDC_AF:
        OnAutoFocus();
        break;
    case IDC_IRIS_NORMAL:
        send(app::kCmdIris, '1');
        break;
    case IDC_LOCK:
        OnLock();
        break;
    case IDC_POINTER:
        if (m_bPointer == 0) {
            m_bPointer = 1;
            send(app::kCmdPointer, '1');
            SetArrowsEnabled(true);
        } else {
            m_bPointer = 0;
            send(app::kCmdPointer, '0');
            SetArrowsEnabled(m_b2x == 1);
        }
        break;
    case IDC_2X:
        if (m_b2x == 0) {
            m_b2x = 1;
            send(app::kCmdTwoTimes, '1');
            SetArrowsEnabled(true);
        } else {
            m_b2x = 0;
            send(app::kCmdTwoTimes, '0');
            SetArrowsEnabled(m_bPointer == 1);
        }
        break;
    case IDC_PAUSE:
        m_bPause = m_bPause == 0 ? 1 : 0;
        send(app::kCmdFreeze, m_bPause == 1 ? '1' : '0');
        break;
    case IDC_SET:
        OnSelect(tr("SET"), CSelectWnd::kStore);
        break;
    case IDC_RECALL:
        OnSelect(tr("RECALL"), CSelectWnd::kRecall);
        break;
    default:
        // Hold buttons act on press and release.
        return;
    }
    if (m_bCreated && !m_invalid.isEmpty())
        repaint(m_invalid);
    m_invalid = QRegion();
    ShowIndicatorsOnControls();
}

void CRemoteWnd::ShowIndicatorsOnControls() {
    const auto shown = indicatorsFor(*this);
    for (const IndicatorControl &indicator : kIndicatorControls) {
        CBitmapButton *button = GetControl(indicator.id);
        if (!button)
            continue;
        const int image = shown[indicator.role].image;
        if (const char *word = indicatorWord(image)) {
            const QString description = QCoreApplication::translate("CRemoteWnd", word);
            if (button->accessibleDescription() != description)
                button->setAccessibleDescription(description);
        } else {
            button->SetLamp(isLampLit(image));
        }
    }
}

void CRemoteWnd::ShowStatus(int stringId) const {
    app::CMainFrame *frame = OvalineApp()->GetMainFrame();
    if (frame && frame->GetStatusBar())
        frame->SetMessageText(stringId);
}

void CRemoteWnd::OnAutoFocus() {
    app::COvalineApp *app = OvalineApp();
    ShowStatus(res::IDS_AUTO_FOCUSING);
    if (app::CMainFrame *frame = app->GetMainFrame())
        frame->setEnabled(false);
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_bAutoFocusWait = true;
    send(app::kCmdAutoFocus, '0');
    app->m_bBusy = 1;
    // A coarse timer may end the wait up to 5 % early: the unit is still focusing.
    m_nTimer = startTimer(m_nAutoFocusMs, Qt::PreciseTimer);
    if (m_nTimer == 0) {
        app::messageBox(tr("Timer Not Create"), QMessageBox::Warning);
        // Without its timer the wait would never end: end it now.
        EndAutoFocusWait();
    }
}

void CRemoteWnd::EndAutoFocusWait() {
    if (!m_bAutoFocusWait)
        return;
    m_bAutoFocusWait = false;
    app::COvalineApp *app = OvalineApp();
    app->m_bBusy = 0;
    if (m_nTimer != 0)
        killTimer(m_nTimer);
    m_nTimer = 0;
    QApplication::restoreOverrideCursor();
    if (app::CMainFrame *frame = app->GetMainFrame())
        frame->setEnabled(true);
    setEnabled(true);
    ShowStatus(res::AFX_IDS_IDLEMESSAGE);
    app->OnBusyEnded();
}

void CRemoteWnd::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_nTimer && m_nTimer != 0) {
        EndAutoFocusWait();
        return;
    }
    QWidget::timerEvent(event);
}

void CRemoteWnd::OnLock() {
    if (m_bPanelLocked == 1) {
        app::messageBox(tr(kUnlockedText), QMessageBox::Information);
        m_bPanelLocked = 0;
        send(app::kCmdPanelLock, '0');
        Invalidate(kIndicatorLock);
    } else {
        app::messageBox(tr(kLockedText), QMessageBox::Information);
        m_bPanelLocked = 1;
        send(app::kCmdPanelLock, '1');
        RefreshFromUnit();
        m_invalid += rect();
        update();
    }
    raise();
}

void CRemoteWnd::OnSelect(const QString &title, int mode) {
    if (m_pSelectWnd->HasWindow())
        m_pSelectWnd->DestroyWindow();
    m_pSelectWnd->Create(this, title, mode);
}

int CRemoteWnd::OnHoldPress(int id) {
    app::COvalineApp *app = OvalineApp();
    if (m_bHolding == 1 || app->m_bBusy)
        return 0;
    const RemoteControl *control = findRemoteControl(id);
    if (control && control->kind == ControlKind::Hold)
        send(control->code, control->start);
    m_bHolding = 1;
    m_nHeldId = id;
    return 0;
}

int CRemoteWnd::OnHoldRelease(int id) {
    if (OvalineApp()->m_bBusy || m_bHolding == 0)
        return 0;
    const RemoteControl *control = findRemoteControl(id);
    if (!control || control->kind != ControlKind::Hold)
        return 0;
    send(control->code, '0');
    m_bHolding = 0;
    m_nHeldId = 0;
    return 0;
}

void CRemoteWnd::StopHold() {
    if (m_bHolding == 0)
        return;
    m_bHolding = 0;
    const RemoteControl *control = findRemoteControl(m_nHeldId);
    m_nHeldId = 0;
    if (control && control->kind == ControlKind::Hold)
        send(control->code, '0');
}

int CRemoteWnd::RaiseToTop() {
    raise();
    return 0;
}

bool CRemoteWnd::event(QEvent *event) {
    if (event->type() == WM_HOLD_PRESS) {
        OnHoldPress(static_cast<CHoldEvent *>(event)->ControlId());
        return true;
    }
    if (event->type() == WM_HOLD_RELEASE) {
        OnHoldRelease(static_cast<CHoldEvent *>(event)->ControlId());
        return true;
    }
    if (event->type() == WM_RAISE_REMOTE) {
        RaiseToTop();
        return true;
    }
    return QWidget::event(event);
}

void CRemoteWnd::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Smooth where the screen's scale is neither 1 nor 2.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int panel = OvalineApp()->m_nUnitModel == 1 ? kPanelModel1 : kPanelOther;
    painter.drawImage(QPoint(0, 0), m_images.Get(controlImagePath(panel), *this));
    const auto shown = indicatorsFor(*this);
    for (int role = 0; role < kIndicatorCount; ++role) {
        const QImage &image = m_images.Get(controlImagePath(shown[role].image), *this);
        const QPoint at(shown[role].x, shown[role].y);
        painter.drawImage(at, image);
        m_rcIndicator[role] = QRect(at, app::logicalSize(image));
    }
}

void CRemoteWnd::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    // The thumbnails under a moved window are drawn anew.
    OvalineApp()->m_bRefreshThumbs = 1;
}

void CRemoteWnd::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_bSizedToFrame)
        return;
    // The size is the outer size, frame included; the window keeps it.
    m_bSizedToFrame = true;
    app::fixOuterSize(this, kOuterSize);
}

void CRemoteWnd::closeEvent(QCloseEvent *event) {
    if (m_bCreated)
        OnDestroy();
    QWidget::closeEvent(event);
}

void CRemoteWnd::OnDestroy() {
    StopHold();
    EndAutoFocusWait();
    app::COvalineApp *app = OvalineApp();
    app::keepWindowPlace(app->GetProfile(), kPositionSection, pos());
    if (m_bPanelLocked == 1)
        send(app::kCmdPanelLock, '0');
    if (m_pSelectWnd->HasWindow())
        m_pSelectWnd->DestroyWindow();
    for (QPointer<CBitmapButton> &button : m_buttons) {
        if (button) {
            button->hide();
            button->deleteLater();
        }
        button = nullptr;
    }
    m_rcIndicator.fill(QRect());
    m_bCreated = false;
}

void CRemoteWnd::changeEvent(QEvent *event) {
    switch (event->type()) {
    case QEvent::ActivationChange:
        // Another window took the mouse and the keys; a message box of our
        // own does not count.
        if (!isActiveWindow() && !QApplication::activeModalWidget())
            StopHold();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled())
            StopHold();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

} // namespace ovaline::control
