// SPDX-License-Identifier: MIT
// The upper pane: the camera's seven memory slots as a row of frames, each
// with its number and, once its picture has been received or sent, a
// thumbnail. Pictures move between the PC and the camera here: Receive
// fetches the chosen slot or every slot that holds a picture, a JPEG file
// dropped on a frame is sent into that slot, a slot dragged out carries its
// picture, and a double click shows a slot's picture in the image window.
#pragma once

#include "clead1.h"
#include "ovaline.h"
#include "ovaline_fingerprint.h"
#include "pane_view.h"

#include <QPointer>

#include <array>
#include <cstdint>

class QEventLoop;

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
    void EnableOtherWindows();

    // A file released over the view at a point of the view's document.
    void DropFile(const QString &path, QPoint point);

    // State the panes and the tests look at.
    const std::array<int, 7> &Selected() const { return m_bSelected; }
    const std::array<int, 7> &ThumbShown() const { return m_bThumb; }
    int SelectedSlot() const { return m_nSelSlot; }
    QWidget *Strip() const;

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
    // Decodes slot i's bytes into its thumbnail; false after "Load Memory Error!".
    bool MakeThumbnail(int i, int size);
    // The main window and the remote control, which a transfer holds still.
    void SetOtherWindowsEnabled(bool enabled);
    void ShowIdleText();

    void OnLButtonDown(QPoint point);
    void OnMouseMove(QPoint point, Qt::MouseButtons buttons);
    void OnLButtonUp();
    void OnLButtonDblClk(QPoint point);
    void StartSlotDrag();

    CLead1 m_lead;
    CSlotStrip *m_pStrip;
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
};

} // namespace ovaline::app
