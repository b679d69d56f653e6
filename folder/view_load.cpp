// SPDX-License-Identifier: MIT
// The thumbnail view's load pass: a new folder list made into cells.
#include "my_view.h"

#include "main_frame.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "resource_ids.h"
#include "thumb_grid.h"
#include "thumb_sheet.h"

#include <QScrollBar>

#include <algorithm>

namespace ovaline::app {

using namespace folder;

void CMyView::QueueLoadPass() {
    if (m_bPassQueued)
        return;
    m_bPassQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bPassQueued = false;
            StartLoadPass();
        },
        Qt::QueuedConnection);
}

void CMyView::StartLoadPass() {
    COvalineApp *app = OvalineApp();
    if (!app->m_bFolderChanged)
        return;
    // The new list is taken whole; a list chosen while this pass runs
    // stops it and starts its own.
    app->m_bFolderChanged = 0;
    const int listed = std::clamp(app->m_nFiles, 0, int(app->m_strFiles.size()));
    m_passNames = QStringList(app->m_strFiles.begin(), app->m_strFiles.begin() + listed);
    app->m_nFiles = 0;
    COvalineDoc *doc = GetDocument();
    for (int k = 0; k < kGridCells; ++k)
        doc->SetThumb(8 + k, QImage());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (!m_wait)
        m_wait.emplace();
    if (CMainFrame *frame = app->GetMainFrame())
        frame->SetMessageText(res::IDS_FILE_READING);
    m_pSheet->update();
    m_loader.start(
        app->m_strFolder, m_passNames, acceptedPictureSize(app->m_nUnitModel, app->m_bUnitN),
        kGridCells, [this](int index, const QImage &thumb) { OnFileLoaded(index, thumb); },
        [this] { OnPassDone(); }, m_pSheet->devicePixelRatioF());
}

void CMyView::OnFileLoaded(int index, const QImage &thumb) {
    COvalineApp *app = OvalineApp();
    if (app->m_bFolderChanged) {
        // The list has been replaced: its own pass takes over.
        QueueLoadPass();
        return;
    }
    if (thumb.isNull())
        return; // another picture size, or no picture at all
    // Entries are compacted in place: the list keeps the files with a cell.
    const int k = app->m_nFiles;
    app->m_strFiles[k] = m_passNames.at(index);
    GetDocument()->SetThumb(8 + k, thumb);
    app->m_nFiles = k + 1;
    m_pSheet->update(cellRect(k).adjusted(0, 0, 1, 1));
}

void CMyView::OnPassDone() {
    m_wait.reset();
    // A folder being listed again goes on reading.
    if (CMainFrame *frame = OvalineApp()->GetMainFrame(); frame && !GetDocument()->IsListing())
        frame->SetMessageText(res::AFX_IDS_IDLEMESSAGE);
    m_pSheet->update();
}

} // namespace ovaline::app
