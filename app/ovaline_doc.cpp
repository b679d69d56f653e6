// SPDX-License-Identifier: MIT
#include "ovaline_doc.h"

#include "capture.h"
#include "folder_dlg.h"
#include "image_wnd.h"
#include "jpeg_listing.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "pane_view.h"
#include "profile_file.h"
#include "resource_ids.h"
#include "save_names.h"
#include "setup_dlg.h"
#include "thumb_grid.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace ovaline::app {
namespace {

// The folder shown last, opened again at the next start.
const QString kFolderSection = QStringLiteral("FOLDER");
const QString kFolderPathKey = QStringLiteral("PATH");

// The picture size the grid accepts: the unit's; none while no unit is known.
QSize folderPictureSize(const COvalineAppState &state) {
    return folder::acceptedPictureSize(state.m_nUnitModel, state.m_bUnitN);
}

} // namespace

COvalineDoc::COvalineDoc()
    : m_pRemoteWnd(std::make_unique<control::CRemoteWnd>()),
      m_pImageWnd(std::make_unique<imageview::CImageWnd>()),
      m_pCapture(std::make_unique<imageview::CCapture>(this)),
      m_cells(std::make_unique<std::array<std::array<std::uint8_t, kCellBytes>, kCellCount>>()) {
    for (auto &slot : m_pSlotData)
        slot = std::make_unique<std::uint8_t[]>(kSlotBytes);
}

COvalineDoc::~COvalineDoc() = default;

void COvalineDoc::SetSlotSize(int i, int n) {
    m_nSlotSize[i] = std::clamp(n, 0, kSlotBytes);
}

bool COvalineDoc::IsUnitKnown() const {
    return OvalineApp()->m_nUnitModel != 0;
}

void COvalineDoc::AddView(CPaneView *view) {
    m_views.emplace_back(view);
}

void COvalineDoc::UpdateAllViews(CPaneView *sender) {
    for (const QPointer<CPaneView> &view : m_views) {
        if (view && view != sender)
            view->OnUpdate(sender);
    }
}

bool COvalineDoc::RefuseWhileBusy() const {
    if (!OvalineApp()->m_bBusy)
        return false;
    messageBox(tr("Unable to save the data when sending."), QMessageBox::Warning);
    return true;
}

void COvalineDoc::OnReceive() {
    if (RefuseWhileBusy())
        return;
    COvalineApp *app = OvalineApp();
    app->m_bReceivePending = 1;
    app->m_bRefreshThumbs = 1;
    m_nHeldSize = m_nSlotSize;
    if (m_bSingleSlot == 0) {
        m_nSlotSize.fill(0);
    }
    UpdateAllViews(app->m_pThumbView);
}

void COvalineDoc::OnSave() {
    SaveThroughDialog(std::nullopt);
}

void COvalineDoc::OnSaveSlot(int i) {
    SaveThroughDialog(i);
}

void COvalineDoc::SaveThroughDialog(std::optional<int> slot) {
    if (RefuseWhileBusy())
        return;
    if (m_bReceived == 0) {
        messageBox(tr("No data received from the main unit"), QMessageBox::Warning);
        return;
    }
    COvalineApp *app = OvalineApp();
    app->QueryStatus(1);
    QFileDialog dialog(app->GetMainFrame(), tr("Save As"), QString(), tr("JPEG Files (*.jpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("JPG"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    if (slot)
        SaveOneSlot(dialog.selectedFiles().constFirst(), *slot + 1);
    else
        SaveSlots(dialog.selectedFiles().constFirst());
}

void COvalineDoc::SaveSlots(const QString &chosenPath) {
    if (m_bSingleSlot == 0) {
        for (int i = 0; i < kSlotCount; ++i)
            WriteSlotFile(memorySlotFileName(chosenPath, i), i);
        return;
    }
    SaveOneSlot(chosenPath, OvalineApp()->m_nSelItem);
}

void COvalineDoc::SaveOneSlot(const QString &chosenPath, int slot) {
    // A picked item that is no camera slot is treated like an empty slot.
    if (slot < 1 || slot > kSlotCount || OvalineApp()->m_reply[slot] == '0') {
        messageBox(tr("No image in the main unit memory\n"
                      "Re-send the image to PC from the main unit"),
                   QMessageBox::Warning);
        return;
    }
    WriteSlotFile(singleSlotFileName(chosenPath), slot - 1);
}

int COvalineDoc::WriteSlotFile(const QString &path, int i) {
    if (m_nSlotSize[i] == 0)
        return 0;
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char *>(m_pSlotData[i].get()),
                                    m_nSlotSize[i]) == m_nSlotSize[i] &&
                         file.commit();
    if (!written) {
        messageBox(tr("Unable to create a file"), QMessageBox::Warning);
        return 0;
    }
    return 1;
}

void COvalineDoc::OnCapture() {
    if (!RefuseWhileBusy())
        m_pCapture->Run();
}

QString COvalineDoc::OnOpenFolder() {
    folder::CFolderDlg dlg(OvalineApp()->GetMainFrame());
    if (dlg.exec() != QDialog::Accepted)
        return {};
    ListFolder(dlg.SelectedFolder());
    return dlg.SelectedFolder();
}

void COvalineDoc::OnRefresh() {
    const COvalineApp *app = OvalineApp();
    if (!app->m_strFolder.isEmpty())
        ListFolder(app->m_strFolder);
}

void COvalineDoc::OnUnitModelChanged() {
    const COvalineApp *app = OvalineApp();
    // A unit lost (a failed check, an adapter pulled out) leaves the grid as
    // it is; only a unit of another picture size has the folder read again.
    if (!app->m_strFolder.isEmpty() && app->m_nUnitModel != 0 &&
        folderPictureSize(*app) != m_folderPictureSize)
        OnRefresh();
}

void COvalineDoc::OpenStartFolder(const QString &commandLineFolder) {
    COvalineApp *app = OvalineApp();
    QString path = app->GetProfile().readString(kFolderSection, kFolderPathKey);
    const bool named = !commandLineFolder.isEmpty();
    if (named)
        path = QDir::cleanPath(QFileInfo(commandLineFolder).absoluteFilePath());
    if (path.isEmpty())
        return;
    ListFolder(path, [named, path] {
        if (named)
            std::fprintf(stderr, "%s\n",
                         qPrintable(tr("%1 is no folder that can be read.").arg(path)));
    });
}

void COvalineDoc::ListFolder(const QString &path, std::function<void()> unreadable) {
    COvalineApp *app = OvalineApp();
    if (CMainFrame *frame = app->GetMainFrame())
        frame->SetMessageText(res::IDS_FILE_READING);
    m_lister.start(path, [this, app, unreadable](const QString &folder,
                                                 const std::optional<QStringList> &names) {
        if (!names && unreadable) {
            unreadable();
            if (CMainFrame *frame = app->GetMainFrame())
                frame->SetMessageText(res::AFX_IDS_IDLEMESSAGE);
            return;
        }
        folder::StoreFolderListing(*app, folder, names.value_or(QStringList()));
        ShowFolder();
    });
}

void COvalineDoc::ShowFolder() {
    COvalineApp *app = OvalineApp();
    app->GetProfile().writeString(kFolderSection, kFolderPathKey, app->m_strFolder);
    m_folderPictureSize = folderPictureSize(*app);
    app->m_bRefreshThumbs = 1;
    app->m_bFolderChanged = 1;
    UpdateAllViews(app->m_pMemoryView);
    app->GetMainFrame()->UpdateCommandUI();
}

void COvalineDoc::OnRemote() {
    if (!m_pRemoteWnd->HasWindow()) {
        // The unit's own panel stays locked while the remote control is
        // open; closing it unlocks the panel.
        m_pRemoteWnd->LockPanel();
        m_pRemoteWnd->Create(this);
    }
    if (m_pRemoteWnd->isMinimized())
        m_pRemoteWnd->showNormal();
    m_pRemoteWnd->raise();
    m_pRemoteWnd->activateWindow();
}

void COvalineDoc::OnSetup() {
    CSetupDlg dlg(OvalineApp()->GetMainFrame());
    dlg.exec();
}

void COvalineDoc::OnCloseDocument() {
    if (m_pRemoteWnd->HasWindow())
        m_pRemoteWnd->DestroyWindow();
    m_pImageWnd->DestroyWindow();
}

} // namespace ovaline::app
