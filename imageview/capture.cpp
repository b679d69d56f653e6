// SPDX-License-Identifier: MIT
#include "capture.h"

#include "app_events.h"
#include "capture_file.h"
#include "capture_plan.h"
#include "capture_slot_dlg.h"
#include "detached_work.h"
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
#include <QEventLoop>
#include <QTimer>

#include <vector>

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
    // With no folder open, the folder is asked for once and kept; the
    // picture goes there even while its listing is still being read.
    m_folder = app->m_strFolder.isEmpty() ? m_pDoc->OnOpenFolder() : app->m_strFolder;
    if (m_folder.isEmpty())
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
        SetPhase(Phase::Receiving);
        app->m_bEscPressed = 0;
        received = view->ReceiveCaptured(slot - 1);
    }
    if (received && !m_bGivenUp)
        Save(slot);
    else
        ShowText(QString());
    SetPhase(Phase::Idle);
    disconnect(escape);
    view->EnableOtherWindows();
}

void CCapture::SetPhase(Phase phase) {
    m_phase = phase;
    emit PhaseChanged(phase);
}

int CCapture::ChooseSlot() {
    COvalineApp *app = OvalineApp();
    if (app->QueryStatus(1) != 1)
        return 0; // the library's failure has been reported
    if (app->m_reply[0] != '0') {
        app::messageBox(tr("Unable to memorize when reading"), QMessageBox::Warning);
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
    SetPhase(Phase::Storing);
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
    else if (m_phase == Phase::Saving) {
        *m_pStopSave = true;
        if (m_pSaveWait)
            m_pSaveWait->quit();
    }
}

void CCapture::Save(int slot) {
    COvalineApp *app = OvalineApp();
    ShowText(tr("Now saving, [ESC]is Stop"));
    m_pStopSave = std::make_shared<std::atomic<bool>>(false);
    SetPhase(Phase::Saving);
    // The writer keeps copies of all it uses: a folder that stops answering
    // holds it past this call, and past the program's end.
    std::vector<QString> listed(app->m_strFiles.begin(), app->m_strFiles.begin() + app->m_nFiles);
    const std::uint8_t *data = m_pDoc->GetSlotData(slot - 1);
    std::vector<std::uint8_t> bytes(data, data + m_pDoc->GetSlotSize(slot - 1));
    CaptureFile saved{CaptureFileResult::Stopped, {}};
    QEventLoop wait;
    // Destroyed before `saved` and `wait`: a result that comes after this
    // call has ended is dropped.
    const folder::HandBack back;
    folder::startDetached([poster = back.poster(), folder = m_folder, taken = m_taken,
                           listed = std::move(listed), bytes = std::move(bytes), stop = m_pStopSave,
                           &saved, &wait] {
        const CaptureFile result = writeCaptureFile(
            folder, taken, bytes,
            [&listed](const QString &name) { return folder::isNameListed(listed, name); }, *stop);
        poster.post([&saved, &wait, result] {
            saved = result;
            wait.quit();
        });
    });
    // Esc and a quitting program end the wait at once, however long the
    // file system takes; the write stops at its next piece.
    if (!*m_pStopSave) {
        m_pSaveWait = &wait;
        wait.exec();
        m_pSaveWait = nullptr;
    }
    *m_pStopSave = true;
    switch (saved.result) {
    case CaptureFileResult::Saved:
        static_cast<app::CMyView *>(app->m_pThumbView)->AddSavedFile(saved.name, slot);
        ShowText(tr("Saved %1").arg(saved.name));
        break;
    case CaptureFileResult::Failed:
        // The picture stays in its slot frame, to be saved another way.
        app::messageBox(tr("Unable to create a file"), QMessageBox::Warning);
        ShowText(QString());
        break;
    case CaptureFileResult::Stopped:
        ShowText(QString());
        break;
    }
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
