// SPDX-License-Identifier: MIT
// The thumbnail view's save: a camera slot released over the grid, or a
// captured picture, becomes a new file of the folder and a new cell.
#include "my_view.h"

#include "file_name_dlg.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "thumb_grid.h"
#include "thumb_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <span>

namespace ovaline::app {

using namespace folder;

void CMyView::DropSlot(const imageview::DraggedSlot &slot) {
    COvalineApp *app = OvalineApp();
    if (!app->m_bBusy && !IsLoading()) {
        const QImage thumb = ThumbnailOf(slot.jpeg);
        if (thumb.isNull()) {
            messageBox(tr("The dragged slot holds no picture: nothing was saved."),
                       QMessageBox::Warning);
        } else if (app->m_strFolder.isEmpty()) {
            messageBox(tr("The destination folder is not selected"), QMessageBox::Question);
        } else if (app->m_nFiles >= kGridCells) {
            messageBox(tr("More than 35 images cannot be displayed"), QMessageBox::Question);
        } else {
            SaveSlotAs(slot.jpeg, thumb);
        }
    }
    app->m_bDragging = 0;
    m_pSheet->repaint();
}

QImage CMyView::ThumbnailOf(const QByteArray &jpeg) {
    m_lead.SetProperty1(0);
    if (m_lead.LoadMemory(jpeg, jpeg.size()) != CLead1::kLoaded)
        return {};
    return m_lead.GetThumbnail(kThumbnailWidth, m_pSheet->devicePixelRatioF());
}

void CMyView::SaveSlotAs(const QByteArray &jpeg, const QImage &thumb) {
    COvalineApp *app = OvalineApp();
    app->m_bDragging = 0;
    imageview::CFileNameDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const std::optional<QString> name = savedFileName(dlg.m_strName);
    if (!name)
        return;
    // A name is a file of this folder, never a path into another one.
    if (name->contains(u'/')) {
        messageBox(tr("Unable to create a file"), QMessageBox::Warning);
        return;
    }
    const QString path = QDir(app->m_strFolder).filePath(*name);
    m_strNewFile = *name;
    if (IsNameFree(*name, path) && SaveSlotImage(jpeg, thumb, path)) {
        app->m_bRefreshThumbs = 1;
        app->m_nFiles += 1;
    }
}

int CMyView::IsNameFree(const QString &name, const QString &path) {
    const COvalineApp *app = OvalineApp();
    const std::span<const QString> listed(app->m_strFiles.data(), std::size_t(app->m_nFiles));
    // A file of the folder that is not listed (another picture size, or
    // beyond the list) is never overwritten either.
    const QFileInfo existing(path);
    if (isNameListed(listed, name) || existing.exists() || existing.isSymLink()) {
        messageBox(tr("Same file name exists"), QMessageBox::Warning);
        return 0;
    }
    return 1;
}

int CMyView::SaveSlotImage(const QByteArray &jpeg, const QImage &thumb, const QString &path) {
    COvalineApp *app = OvalineApp();
    // Written whole or not at all: a full disk leaves no partial file.
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size() && file.commit();
    if (!written) {
        messageBox(tr("Unable to create a file"), QMessageBox::Warning);
        return 0;
    }
    GetDocument()->SetThumb(8 + app->m_nFiles, thumb);
    app->m_strFiles[app->m_nFiles] = m_strNewFile;
    return 1;
}

void CMyView::AddSavedFile(const QString &name, int n) {
    COvalineApp *app = OvalineApp();
    COvalineDoc *doc = GetDocument();
    if (IsLoading() || app->m_bFolderChanged) {
        doc->OnRefresh();
        return;
    }
    if (app->m_nFiles >= kGridCells)
        return;
    doc->SetThumb(8 + app->m_nFiles, doc->GetThumb(n - 1));
    app->m_strFiles[app->m_nFiles] = name;
    app->m_nFiles += 1;
    app->m_bRefreshThumbs = 1;
    m_pSheet->repaint();
}

} // namespace ovaline::app
