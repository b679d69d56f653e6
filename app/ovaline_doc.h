// SPDX-License-Identifier: MIT
// The document: the JPEG data of the camera's seven memory slots, the
// picture cells that the panes draw, and the commands Receive, Save, Open
// Folder, Remote and Setup.
#pragma once

#include "folder_lister.h"
#include "remote_wnd.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ovaline::imageview {
class CCapture;
class CImageWnd;
} // namespace ovaline::imageview

namespace ovaline::app {

class CPaneView;

class COvalineDoc : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 7;
    static constexpr int kSlotBytes = 65535;
    static constexpr int kCellCount = 50;
    static constexpr int kCellBytes = 7200;

    COvalineDoc();
    ~COvalineDoc() override;

    // Slot i is 0..6 for the camera's slots 1..7.
    std::uint8_t *GetSlotData(int i) { return m_pSlotData[i].get(); }
    int GetSlotSize(int i) const { return m_nSlotSize[i]; }
    void SetSlotSize(int i, int n);
    // The byte count slot i had when the last Receive began (a Receive of
    // every slot starts with all counts at 0; the bytes stay).
    int GetHeldSize(int i) const { return m_nHeldSize[i]; }
    // Cell i is 0..6 for the slots, 8 + k for file k of the folder.
    const QImage &GetThumb(int i) const { return m_hThumb[i]; }
    void SetThumb(int i, const QImage &thumb) { m_hThumb[i] = thumb; }
    std::uint8_t *GetCell(int i) { return (*m_cells)[i].data(); }

    // Writes slot i's bytes to `path`, replacing the file only once all of
    // them are written. 1 on success; 0 for an empty slot or a failure,
    // which is reported.
    int WriteSlotFile(const QString &path, int i);

    // The views that show the document; UpdateAllViews tells each one but
    // the sender.
    void AddView(CPaneView *view);
    void UpdateAllViews(CPaneView *sender);

    // Commands.
    void OnReceive();
    void OnSave();
    // Stores the live picture into a slot, receives it and saves it into
    // the folder.
    void OnCapture();
    // Save of slot i alone, whichever slot is chosen: the same rules, the
    // same file dialog.
    void OnSaveSlot(int i);
    // The folder chosen, which is listed now and shown once listed; empty
    // when none was chosen.
    QString OnOpenFolder();
    // Reads the current folder again.
    void OnRefresh();
    // A folder is being listed (Open Folder, Refresh, the start folder).
    bool IsListing() const { return m_lister.isRunning(); }
    // The grid keeps only pictures of the unit's size: a folder listed
    // before the unit was known (or for a unit of another picture size) is
    // read again. A unit lost leaves the grid as it is.
    void OnUnitModelChanged();
    void OnRemote();
    void OnSetup();
    // Receive, Save, Remote and Open Folder need an identified unit.
    bool IsUnitKnown() const;

    // Save's writing once the name is chosen: the selected slot, or every
    // slot of the whole memory.
    void SaveSlots(const QString &chosenPath);

    // At start: opens the folder named on the command line, else the one
    // shown last; one that is gone or unreadable leaves the pane empty.
    // The folder is listed off the user-interface thread, as every folder.
    void OpenStartFolder(const QString &commandLineFolder);

    // Closes the tool windows before the program ends.
    void OnCloseDocument();

    int m_bReceived = 0;
    int m_bSingleSlot = 0;
    // The remote control: the object lives as long as the document.
    std::unique_ptr<control::CRemoteWnd> m_pRemoteWnd;
    // The image window: the object lives as long as the document.
    std::unique_ptr<imageview::CImageWnd> m_pImageWnd;
    std::unique_ptr<imageview::CCapture> m_pCapture;

private:
    bool RefuseWhileBusy() const;
    // Lists `path` off the user-interface thread and shows the listing once
    // it is there. A folder that cannot be read is shown empty, unless
    // `unreadable` is given: then that runs and the current folder stays.
    void ListFolder(const QString &path, std::function<void()> unreadable = {});
    // Save's checks and file dialog, then the writing of one slot (0..6) or,
    // without one, of what SaveSlots writes.
    void SaveThroughDialog(std::optional<int> slot);
    // Camera slot `slot` (1..7) to the chosen path, unless the unit holds no
    // picture there any more.
    void SaveOneSlot(const QString &chosenPath, int slot);
    // The listing has changed: remembers the folder and has the thumbnail
    // view reload it.
    void ShowFolder();

    std::array<std::unique_ptr<std::uint8_t[]>, kSlotCount> m_pSlotData;
    std::array<int, kSlotCount> m_nSlotSize{};
    std::array<int, kSlotCount> m_nHeldSize{};
    std::array<QImage, kCellCount> m_hThumb;
    std::unique_ptr<std::array<std::array<std::uint8_t, kCellBytes>, kCellCount>> m_cells;
    std::vector<QPointer<CPaneView>> m_views;
    QSize m_folderPictureSize; // the picture size the current folder was listed for
    folder::FolderLister m_lister;
};

} // namespace ovaline::app
