// SPDX-License-Identifier: MIT
// Storing the unit's live picture into one of its memory slots, as the SET
// window and Capture both do: the pointer is switched off when it is on
// (SuspendPO), "CE" '0' tells the unit which slot, and then everything waits
// while the unit stores (the store wait, the program busy), after which the
// pointer is switched on again (ResumePO). No window of its own: the windows
// that use it hold themselves still until Ended.
#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace ovaline::app {

class CMemoryStore : public QObject {
    Q_OBJECT
public:
    static constexpr int kStoreWaitMs = 6000;

    // Switches the pointer off if it is on, then sends "CE" '0' for slot
    // 1..7. 1 when the unit took the command.
    int Store(int slot);
    // Starts the store wait, whatever Store answered. false when its timer
    // cannot start: "Timer Not Create" has been shown and the wait has ended.
    bool StartWait();
    // Ends the wait now (as its timer does at the end): not busy, the
    // pointer back on. Nothing when no wait runs.
    void EndWait();

    bool IsWaiting() const { return m_bWaiting; }
    // How far the wait has come, 0..100.
    int Percent() const;
    // The store wait; a negative time makes the timer fail (tests).
    void SetWait(int milliseconds) { m_nWaitMs = milliseconds; }

signals:
    // The wait is over, by its timer or by EndWait.
    void Ended();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    int m_nWaitMs = kStoreWaitMs;
    int m_nTimer = 0;
    bool m_bWaiting = false;
    QElapsedTimer m_elapsed;
};

} // namespace ovaline::app
