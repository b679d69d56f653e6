// SPDX-License-Identifier: MIT
#include "memory_store.h"

#include "command_link.h"
#include "message_box.h"
#include "ovaline_app.h"

#include <QTimerEvent>

#include <algorithm>

namespace ovaline::app {

int CMemoryStore::Store(int slot) {
    COvalineApp *app = OvalineApp();
    const char param[3] = {'0', static_cast<char>('0' + slot), '\0'};
    app->SuspendPO();
    return app->SendCommand(kCmdMemory, '0', param);
}

bool CMemoryStore::StartWait() {
    // A coarse timer may end the wait up to 5 % early: the unit is still storing.
    m_nTimer = m_nWaitMs < 0 ? 0 : startTimer(m_nWaitMs, Qt::PreciseTimer);
    m_bWaiting = true;
    m_elapsed.start();
    OvalineApp()->m_bBusy = 1;
    if (m_nTimer != 0)
        return true;
    messageBox(tr("Timer Not Create"), QMessageBox::Warning);
    // Without its timer the wait would never end: end it now.
    EndWait();
    return false;
}

void CMemoryStore::EndWait() {
    if (!m_bWaiting)
        return;
    m_bWaiting = false;
    if (m_nTimer != 0)
        killTimer(m_nTimer);
    m_nTimer = 0;
    COvalineApp *app = OvalineApp();
    app->m_bBusy = 0;
    app->ResumePO();
    app->OnBusyEnded();
    emit Ended();
}

int CMemoryStore::Percent() const {
    if (!m_bWaiting || m_nWaitMs <= 0)
        return 0;
    return static_cast<int>(std::min<qint64>(100, m_elapsed.elapsed() * 100 / m_nWaitMs));
}

void CMemoryStore::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_nTimer && m_nTimer != 0) {
        EndWait();
        return;
    }
    QObject::timerEvent(event);
}

} // namespace ovaline::app
