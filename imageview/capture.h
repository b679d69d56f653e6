// SPDX-License-Identifier: MIT
// Capture: the unit's live picture into the open folder in one step. The
// picture is stored into the first empty slot (or, when every slot holds
// one, into the slot the user chooses to overwrite), that slot is received
// into its frame, and the picture is saved into the folder under the date
// and time it was taken, where it joins the grid. Esc gives it up in any
// phase; the unit is left ready for the next command.
#pragma once

#include "memory_store.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QEventLoop;

namespace ovaline::app {
class COvalineDoc;
class COvalineView;
} // namespace ovaline::app

namespace ovaline::imageview {

class CCapture : public QObject {
    Q_OBJECT
public:
    enum class Phase { Idle, Storing, Receiving, Saving };

    explicit CCapture(app::COvalineDoc *doc);

    // The whole capture; returns when it is over, saved or given up.
    void Run();

    Phase GetPhase() const { return m_phase; }
    // The store wait; tests shorten it.
    void SetStoreWait(int milliseconds) { m_store.SetWait(milliseconds); }

signals:
    // A phase has begun; Idle when the capture is over.
    void PhaseChanged(Phase phase);

private:
    // The slot to store into, 1..7; 0 when there is none or the user
    // cancelled.
    int ChooseSlot();
    // The designed store into `slot`; false when it failed or was given up.
    bool Store(int slot);
    // Writes the slot's picture into the folder on a thread of its own,
    // which nobody waits for once the capture is given up.
    void Save(int slot);
    void SetPhase(Phase phase);
    void GiveUp();
    void ShowProgress(int percent);
    void ShowText(const QString &text);
    app::COvalineView *MemoryView() const;

    app::COvalineDoc *m_pDoc;
    // Where this capture saves its picture.
    QString m_folder;
    app::CMemoryStore m_store;
    Phase m_phase = Phase::Idle;
    bool m_bGivenUp = false;
    // The running save's stop, shared with its thread; its wait while it runs.
    std::shared_ptr<std::atomic<bool>> m_pStopSave;
    QEventLoop *m_pSaveWait = nullptr;
    QDateTime m_taken; // when the unit was told to store: the file's name
};

} // namespace ovaline::imageview
