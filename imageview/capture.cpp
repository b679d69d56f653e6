// SPDX-License-Identifier: MIT
#include "capture.h"

#include "app_events.h"
#include "capture_plan.h"
#include "capture_slot_dlg.h"
#include "main_frame.h"
#include "message_box.h"
#include "my_view.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "ovaline_view.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "thumb_grid.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <span>

namespace ovaline::imageview {
namespace {

using app::COvalineApp;
using app::OvalineApp;

// How often the store wait shows how far it has come.
constexpr int kTickMs = 100;
// What the store wait's own end makes its event loop return; anything else
// means that the program is quitting.
constexpr int kStoreOver = 1;

} // namespace

CCapture::CCapture(app::COvalineDoc *doc) : m_pDoc(doc) {}

app::COvalineView *CCapture::MemoryView() const {
    return static_cast<app::COvalineView *>(OvalineApp()->m_pMemoryView);
}

void CCapture::Run() {
    COvalineApp *app = OvalineApp();
    // With no folder open, the folder is asked for once and kept.
    if (app->m_strFolder.isEmpty() && !m_pDoc->OnOpenFolder())
        return;
    const int slot = ChooseSlot();
    if (slot == 0)
        return;
    app::COvalineView *view = MemoryView();
    m_bGivenUp = false;
    const QMetaObject::Connection escape =
        connect(app, &COvalineApp::EscapeReleased, this, &CCapture::GiveUp);
    view->DisableOtherWindows();
    bool received = false;
    if (Store(slot)) {
        m_phase = Phase::Receiving;
        app->m_bEscPressed = 0;
        received = view->ReceiveCaptured(slot - 1);
    }
    m_phase = Phase::Idle;
    disconnect(escape);
    view->EnableOtherWindows();
    if (received && !m_bGivenUp)
        Save(slot);
    else
        ShowText(QString());
}

int CCapture::ChooseSlot() {
    COvalineApp *app = OvalineApp();
    if (app->QueryStatus(1) != 1)
        return 0; // the library's failure has been reported
    if (app->m_reply[0] != '0') {
        app::messageBox(QStringLiteral("Unable to memorize when reading"), QMessageBox::Warning);
        return 0;
    }
    if (const int empty = firstEmptySlot(app->m_reply))
        return empty;
    bool any = false;
    for (int slot = 1; slot <= 7; ++slot)
        any = any || isOverwritable(app->m_reply, slot);
    if (!any) {
        app::messageBox(tr("Every slot of the main unit holds a protected picture."),
                        QMessageBox::Warning);
        return 0;
    }
    // Never a picture overwritten without asking.
    CCaptureSlotDlg dlg(app->GetMainFrame(), app->m_reply);
    return dlg.ChooseSlot();
}

bool CCapture::Store(int slot) {
    m_phase = Phase::Storing;
    m_taken = QDateTime::currentDateTime();
    // The wait runs whatever "CE" answered, as after SET: the unit may be
    // storing all the same.
    const bool taken = m_store.Store(slot) == 1;
    ShowText(tr("Now storing, [ESC]is Stop"));
    ShowProgress(0);
    if (!m_store.StartWait())
        return false;
    QEventLoop wait;
    connect(&m_store, &app::CMemoryStore::Ended, &wait, [&wait] { wait.exit(kStoreOver); });
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [this] { ShowProgress(m_store.Percent()); });
    tick.start(kTickMs);
    if (wait.exec() != kStoreOver) {
        // The program is quitting.
        m_bGivenUp = true;
        m_store.EndWait();
    }
    ShowProgress(0);
    return taken && !m_bGivenUp;
}

void CCapture::GiveUp() {
    m_bGivenUp = true;
    if (m_phase == Phase::Storing)
        m_store.EndWait();
    else if (m_phase == Phase::Receiving)
        MemoryView()->CancelTransfer();
}

void CCapture::Save(int slot) {
    COvalineApp *app = OvalineApp();
    const QDir folder(app->m_strFolder);
    const std::span<const QString> listed(app->m_strFiles.data(), std::size_t(app->m_nFiles));
    // A name is free when neither the grid nor the folder has it already.
    const QString name = freeCaptureName(m_taken, [&](const QString &name) {
        const QFileInfo file(folder.filePath(name));
        return folder::isNameListed(listed, name) || file.exists() || file.isSymLink();
    });
    if (m_pDoc->WriteSlotFile(folder.filePath(name), slot - 1) == 0) {
        // "Unable to create a file": the picture stays in its slot frame.
        ShowText(QString());
        return;
    }
    static_cast<app::CMyView *>(app->m_pThumbView)->AddSavedFile(name, slot);
    ShowText(tr("Saved %1").arg(name));
}

void CCapture::ShowProgress(int percent) {
    if (app::CMainFrame *frame = OvalineApp()->GetMainFrame()) {
        app::CProgressEvent event(percent);
        QCoreApplication::sendEvent(frame, &event);
    }
}

void CCapture::ShowText(const QString &text) {
    app::CMainFrame *frame = OvalineApp()->GetMainFrame();
    if (!frame)
        return;
    if (text.isEmpty())
        frame->SetMessageText(res::AFX_IDS_IDLEMESSAGE);
    else
        frame->ShowMessageText(text);
}

} // namespace ovaline::imageview
