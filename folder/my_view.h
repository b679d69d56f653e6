// SPDX-License-Identifier: MIT
// The lower pane: the JPEG files of the current folder that have the
// camera's picture size, as a grid of at most 35 thumbnails with their
// names. A thumbnail dragged onto a slot frame of the upper pane is sent
// into the camera; a slot dragged here is saved into the folder under a
// typed name; a double click shows a file in the image window.
//
// A new folder list (m_strFolder, m_strFiles, m_nFiles of the application,
// with m_bFolderChanged set) is loaded by a load pass that runs from the
// event loop, never inside a paint: the files are decoded on worker threads
// and the cells appear in list order as their thumbnails arrive, while the
// list is compacted to the files that got a cell.
#pragma once

#include "clead1.h"
#include "pane_view.h"
#include "slot_drag.h"
#include "thumb_loader.h"
#include "wait_cursor.h"

#include <QStringList>

#include <optional>

namespace ovaline::app {

class CThumbSheet;

class CMyView : public CPaneView {
    Q_OBJECT
public:
    explicit CMyView(COvalineDoc *doc, QWidget *parent = nullptr);
    ~CMyView() override;

    void OnUpdate(CPaneView *sender) override;

    // A camera slot released over the grid: asks for a name and saves the
    // picture the drag carries into the folder as a new cell. A drag that
    // carries no picture is refused in words.
    void DropSlot(const imageview::DraggedSlot &slot);
    // Writes the picture to path and appends m_strNewFile to the list, with
    // the thumbnail as its cell. 1 on success; 0 after "Unable to create a
    // file".
    int SaveSlotImage(const QByteArray &jpeg, const QImage &thumb, const QString &path);
    // 1 when neither a listed file nor any file of the folder has this name;
    // 0 after "Same file name exists".
    int IsNameFree(const QString &name, const QString &path);

    // A file just saved into the folder from camera slot n: a new cell with
    // the slot's thumbnail while the grid has room. A listing not yet
    // loaded may lack the file: the folder is read again instead.
    void AddSavedFile(const QString &name, int n);

    bool IsLoading() const { return m_loader.isRunning(); }
    QWidget *Sheet() const;

    // The name (with ".JPG") of the slot being saved.
    QString m_strNewFile;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class CThumbSheet;

    void QueueLoadPass();
    void StartLoadPass();
    void OnFileLoaded(int index, const QImage &thumb);
    void OnPassDone();

    void OnLButtonDown(QPoint point);
    void OnMouseMove(QPoint point, Qt::MouseButtons buttons);
    void OnLButtonUp();
    void OnLButtonDblClk(QPoint point);
    void StartFileDrag();
    // The thumbnail of a dragged picture; null when it is none.
    QImage ThumbnailOf(const QByteArray &jpeg);
    void SaveSlotAs(const QByteArray &jpeg, const QImage &thumb);

    CLead1 m_lead;
    CThumbSheet *m_pSheet;
    folder::ThumbLoader m_loader;
    QStringList m_passNames;
    std::optional<CWaitCursor> m_wait;
    bool m_bPassQueued = false;
    QPoint m_pressPoint;
};

} // namespace ovaline::app
