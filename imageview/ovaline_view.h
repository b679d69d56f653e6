// SPDX-License-Identifier: MIT
// The upper pane: the camera's seven memory slots as a row of frames, each
// with its number and, once its picture has been received or sent, a
// thumbnail. Pictures move between the PC and the camera here: Receive
// fetches the chosen slot or every slot that holds a picture, a JPEG file
// dropped on a frame is sent into that slot, a slot dragged out carries its
// picture (into the lower pane, or as a file and an image to the desktop and
// other programs), and a double click shows a slot's picture in the image
// window. Ctrl+C copies the chosen slot's picture; a right click on a frame
// offers that slot's commands.
#pragma once

#include "clead1.h"
#include "drag_out_folder.h"
#include "ovaline.h"
#include "ovaline_fingerprint.h"
#include "pane_view.h"
#include "picture_fit.h"

#include <QImage>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QEventLoop;

namespace ovaline::imageview {
enum class SlotCommand;
}

namespace ovaline::app {

class CSlotStrip;

class COvalineView : public CPaneView {
    Q_OBJECT
public:
    explicit COvalineView(COvalineDoc *doc, QWidget *parent = nullptr);
    ~COvalineView() override;

    void OnUpdate(CPaneView *sender) override;

    // Receives slot i's picture (after the caller set m_transfer.busy);
    // false when the transfer failed.
    bool ReceiveSlot(int i);
    // Moves one picture in a "TR" exchange on a worker thread while this
    // thread waits, showing progress. 1 on success; 0 after the failure has
    // been reported.
    int TransferImage(char direction, std::uint8_t *data, int slot, unsigned length);
    // The completion notice of the worker: 0 for success, -1 otherwise.
    int OnTrafficDone(std::int32_t result);
    // Gives up the transfer under way (the second Esc, the program quitting);
    // TransferImage then returns 0 without a message.
    void CancelTransfer();
    // Sends the JPEG file at `path` into slot s (0..6). 1 on success.
    int SendFileToSlot(const QString &path, int s);
    // Receives slot i alone, as Capture does once the slot holds its new
    // picture; given up (CancelTransfer), the frame shows what it showed.
    bool ReceiveCaptured(int i);
    // Holds the main window and the remote control still, and lets them go.
    void DisableOtherWindows();
    // Sends a JPEG picture into slot s (0..6). 1 on success.
    int SendPictureToSlot(const std::vector<std::uint8_t> &picture, int s);
    // Enables the main window and the remote control again.
    void EnableOtherWindows();

    // A file released over the view at a point of the view's document.
    void DropFile(const QString &path, QPoint point);
    // A file from the desktop released over the view: a JPEG of the camera's
    // size goes as DropFile sends it; any other picture is offered to be
    // fitted to the camera.
    void DropPicture(const QString &path, QPoint point);

    // Puts slot i's picture on the clipboard, as an image and as its JPEG
    // bytes; nothing for a slot without a picture or during a transfer.
    void CopySlot(int i);
    // Shows slot i's picture in the image window, as a double click does;
    // false after "Load Memory Error!".
    bool ShowSlot(int i);

    // State the panes and the tests look at.
    const std::array<int, 7> &Selected() const { return m_bSelected; }
    const std::array<int, 7> &ThumbShown() const { return m_bThumb; }
    int SelectedSlot() const { return m_nSelSlot; }
    QWidget *Strip() const;

public slots:
    // Sends the clipboard's picture into slot (0..6): a JPEG of the camera's
    // size as it is, any other picture (or a picture file copied in a file
    // manager) fitted to the camera after asking. Shift+Insert and the slot
    // frame's "Paste Picture" both come here.
    void PastePicture(int slot);

protected:
    bool event(QEvent *event) override;

private:
    friend class CSlotStrip;

    // Runs the receive the Receive command asked for, from the event loop.
    void QueueReceive();
    void ReceivePending();
    // The slots whose picture the program holds already, by the unit's
    // fingerprints; none when the unit does not tell them.
    std::array<bool, OVALINE_SLOT_COUNT> FindUnchangedSlots();
    // Leaves slot i's bytes and thumbnail as they are and says so.
    void KeepSlot(int i);
    // Slot i shows, and Save writes, what it held before the receive.
    void RestoreEarlierSlot(int i);
    // Shows a text of its own in the status bar's message pane.
    void ShowMessageText(const QString &text);
    // Offers a picture to slot i (-1: none) under the send rules: the slot
    // map is read, an occupied slot asks first, a protected one refuses; then
    // `send` moves it and returns 1 on success.
    void OfferToSlot(int i, const std::function<int(int)> &send);
    // Asks whether to fit a picture to the camera and, on Yes, fits it with
    // `fitting` and offers the result to slot i; `refusal` is what the
    // picture's header already says against it.
    void FitAndOffer(int i, std::optional<fit::FitFailure> refusal,
                     const std::function<fit::Fitted()> &fitting);
    // A picture file for slot i: as it is when it is a JPEG of the camera's
    // size, otherwise fitted after asking.
    void OfferPictureFile(int i, const QString &path);
    // Shift+Insert pastes into the chosen slot.
    void InstallPasteShortcut();
    void PasteIntoChosenSlot();
    // " You can not send ... (115,200)" when that is the rate; true then.
    bool RefusedAtThisRate();
    // Moves a picture into slot s with the pointer off, then takes it as the
    // slot's bytes and thumbnail. 1 on success.
    int TransferPicture(std::vector<std::uint8_t> picture, int s);
    // Decodes slot i's bytes into its thumbnail; false after "Load Memory Error!".
    bool MakeThumbnail(int i, int size);
    // TransferImage of slot i's picture into its buffer, while its frame,
    // and the image window when it shows the slot, fill in with the rows
    // that have arrived. Either goes back to what it showed when the
    // transfer ends; a received picture is then shown by the caller.
    int ReceiveFillingIn(int i);
    // Shows the picture m_lead holds, slot i's, in the image window when the
    // window shows that slot, without raising it.
    void RenewImageWnd(int i);
    // The image window shows slot i's picture as this view gave it.
    bool ImageWndShowsSlot(int i) const;
    void NoteImageWndSlot(int i);
    // What slot i's frame shows: the rows so far of a picture arriving,
    // else its thumbnail; null for nothing.
    QImage ThumbToDraw(int i) const;
    // The main window and the remote control, which a transfer holds still.
    void SetOtherWindowsEnabled(bool enabled);
    void ShowIdleText();

    void OnLButtonDown(QPoint point);
    void OnMouseMove(QPoint point, Qt::MouseButtons buttons);
    void OnLButtonUp();
    void OnLButtonDblClk(QPoint point);
    void StartSlotDrag();
    // Makes slot i the chosen slot, as a press on its frame does.
    void ChooseSlot(int i);
    // Ctrl+C: the chosen slot, when it is the item picked last.
    void CopyChosenSlot();
    // The menu of the slot frame at a point of the view's document.
    void OnContextMenu(QPoint point, QPoint globalPos);
    void OnSlotCommand(imageview::SlotCommand command, int i);
    // Loads slot i's bytes into the decoder; false after "Load Memory Error!".
    bool LoadSlotPicture(int i);

    CLead1 m_lead;
    CSlotStrip *m_pStrip;
    QAction *m_pCopyAction;
    imageview::DragOutFolder m_dragOut;
    alignas(8) TrafficBlock m_transfer{};
    std::array<int, 7> m_bSelected{};
    std::array<int, 7> m_bThumb{};
    int m_nSelSlot = 0;
    bool m_bReceiveQueued = false;
    QPoint m_pressPoint;
    QEventLoop *m_pWaitLoop = nullptr;
    // What the transfer's own wake-ups make its wait return; anything else
    // means that the application ended every event loop.
    static constexpr int kTransferWoken = 1;
    bool m_bCancelled = false; // the last transfer was given up
    // What each slot showed before the receive, for a picture given up.
    std::array<int, 7> m_nEarlierSize{};
    std::array<int, 7> m_bEarlierThumb{};
    // The slot whose picture is arriving, and its rows so far as the top of
    // its thumbnail.
    int m_nFillInSlot = -1;
    QImage m_fillIn;
    // The slot whose picture this view last put in the image window, and
    // that picture's cache key (another picture there has another).
    int m_nImageWndSlot = -1;
    qint64 m_nImageWndKey = 0;
};

} // namespace ovaline::app
