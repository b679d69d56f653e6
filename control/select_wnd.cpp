// SPDX-License-Identifier: MIT
#include "select_wnd.h"

#include "bitmap_button.h"
#include "command_link.h"
#include "control_events.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "profile_file.h"
#include "remote_controls.h"
#include "remote_wnd.h"
#include "system_colours.h"
#include "window_geometry.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

namespace ovaline::control {
namespace {

using app::OvalineApp;

const QString kPositionSection = QStringLiteral("SELECT_WND");
const QSize kOuterSize(262, 219);

} // namespace

CSelectWnd::CSelectWnd() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("slotSelection"));
    connect(&m_store, &app::CMemoryStore::Ended, this, [this] { HoldStill(false); });
}

CSelectWnd::~CSelectWnd() {
    if (m_bCreated)
        DestroyWindow();
}

int CSelectWnd::Create(CRemoteWnd *pRemote, const QString &title, int mode) {
    m_pRemote = pRemote;
    m_nMode = mode;
    ++m_nOpening;
    app::COvalineApp *app = OvalineApp();
    const QPoint origin = app::readWindowPlace(app->GetProfile(), kPositionSection,
                                               QPoint(app->m_xMainWnd + 40, app->m_yMainWnd + 20));
    m_bCreated = true;
    m_bSizedToFrame = false;
    setWindowTitle(title);
    move(origin);
    resize(kOuterSize);
    show();
    for (std::size_t i = 0; i < std::size(kSelectControls); ++i) {
        const SelectControl &c = kSelectControls[i];
        auto *button = new CBitmapButton(c.id, this);
        button->move(c.x, c.y);
        button->LoadBitmaps(controlImagePath(c.up), controlImagePath(c.down));
        button->SizeToContent();
        const QString label = QCoreApplication::translate("SelectControls", c.label);
        button->setToolTip(label);
        button->setAccessibleName(label);
        connect(button, &CBitmapButton::Clicked, this, [this](int id) { OnCommand(id, false); });
        connect(button, &CBitmapButton::DoubleClicked, this,
                [this](int id) { OnCommand(id, true); });
        button->show();
        m_buttons[i] = button;
    }
    return 1;
}

CBitmapButton *CSelectWnd::GetControl(int id) const {
    for (std::size_t i = 0; i < std::size(kSelectControls); ++i) {
        if (kSelectControls[i].id == id)
            return m_buttons[i];
    }
    return nullptr;
}

void CSelectWnd::DestroyWindow() {
    close();
}

void CSelectWnd::PostClose() {
    QTimer::singleShot(0, this, [this, opening = m_nOpening] {
        if (m_bCreated && opening == m_nOpening)
            DestroyWindow();
    });
}

void CSelectWnd::OnCommand(int id, bool doubleClick) {
    app::COvalineApp *app = OvalineApp();
    if (app->m_bBusy)
        return;
    if (!doubleClick && id == IDC_CANCEL) {
        PostClose();
        if (m_pRemote) {
            QEvent raise(WM_RAISE_REMOTE);
            QCoreApplication::sendEvent(m_pRemote, &raise);
        }
        return;
    }
    // The map is read at every click; a failed query leaves the last reply,
    // which is decided on as it stands.
    app->QueryStatus(1);
    if (m_nMode == kStore && app->m_reply[0] != '0') {
        app::messageBox(tr("Unable to memorize when reading"), QMessageBox::Warning);
        raise();
        PostClose();
        return;
    }
    if (!doubleClick && id >= IDC_SLOT1 && id <= IDC_SLOT7) {
        const int slot = id - IDC_SLOT1 + 1;
        const char param[3] = {'0', static_cast<char>('0' + slot), '\0'};
        QPointer<CBitmapButton> button = GetControl(id);
        if (button)
            button->setEnabled(false);
        if (m_nMode == kStore) {
            if (app->m_reply[slot] == 'P') {
                app::messageBox(tr("Protected"), QMessageBox::Warning);
            } else {
                m_store.Store(slot);
                StartStoreWait();
            }
        } else if (app->m_reply[slot] == '0') {
            app::messageBox(tr("No image in the main unit memory"), QMessageBox::Warning);
        } else {
            app->SendCommand(app::kCmdMemory, '1', param);
        }
        if (button)
            button->setEnabled(true);
    }
    raise();
}

void CSelectWnd::StartStoreWait() {
    HoldStill(true);
    m_store.StartWait();
}

void CSelectWnd::HoldStill(bool still) {
    setEnabled(!still);
    if (m_pRemote)
        m_pRemote->setEnabled(!still);
}

void CSelectWnd::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Smooth where the screen's scale is neither 1 nor 2.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(0, 0), m_panel.Get(controlImagePath(kSelectPanel), *this));
}

void CSelectWnd::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_bSizedToFrame)
        return;
    m_bSizedToFrame = true;
    app::fixOuterSize(this, kOuterSize);
}

void CSelectWnd::closeEvent(QCloseEvent *event) {
    if (m_bCreated)
        OnDestroy();
    QWidget::closeEvent(event);
}

void CSelectWnd::OnDestroy() {
    // A store wait cut short by closing still lets everything go again.
    m_store.EndWait();
    app::keepWindowPlace(OvalineApp()->GetProfile(), kPositionSection, pos());
    for (QPointer<CBitmapButton> &button : m_buttons) {
        if (button) {
            button->hide();
            button->deleteLater();
        }
        button = nullptr;
    }
    m_bCreated = false;
    if (m_pRemote)
        m_pRemote->raise();
}

} // namespace ovaline::control
