// SPDX-License-Identifier: MIT
// The camera-memory view's picture transfer: one "TR" exchange on a worker
// thread while the user-interface thread waits in an event loop, keeping the
// windows painted and showing what is going on.
#include "ovaline_view.h"

#include "app_events.h"
#include "command_link.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_app.h"
#include "resource_ids.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace ovaline::app {
namespace {

// How often the wait wakes to show the progress and the status text.
constexpr int kWakeMs = 50;

void sendProgress(QObject *frame, int percent) {
    if (!frame)
        return;
    CProgressEvent event(percent);
    QCoreApplication::sendEvent(frame, &event);
}

} // namespace

int COvalineView::TransferImage(char direction, std::uint8_t *data, int slot, unsigned length) {
    COvalineApp *app = OvalineApp();
    if (length == 0) // the progress is a share of the length
        return 0;
    const char param[2] = {'0', static_cast<char>('1' + slot)};
    fillRecord(m_transfer, app->m_nPort, app->m_nBaudIndex, app->m_nLinkOption, "TR", direction,
               param, length, data);
    m_transfer.notify_wnd = reinterpret_cast<std::uintptr_t>(this);

    std::thread worker([this] {
        const std::int32_t result = OvalineTraffic(&m_transfer);
        QCoreApplication::postEvent(this, new CTrafficDoneEvent(result));
    });

    CMainFrame *mainFrame = app->GetMainFrame();
    sendProgress(mainFrame, 0);
    const bool statusBar = mainFrame && mainFrame->GetStatusBar();
    unsigned last = 0;
    app->m_bBusy = 1;

    // Wakes on the worker's notice, and on a short timer for the progress.
    QEventLoop wait;
    QTimer wake;
    wake.setInterval(kWakeMs);
    QObject::connect(&wake, &QTimer::timeout, &wait, [&wait] { wait.exit(kTransferWoken); });
    wake.start();
    m_pWaitLoop = &wait;
    m_bCancelled = false;
    // A second Esc during a receive gives up the picture under way.
    const QMetaObject::Connection escape =
        direction == '0'
            ? connect(app, &COvalineApp::EscapeAgain, this, [this] { CancelTransfer(); })
            : QMetaObject::Connection();
    while (OvalineLoadBusy(&m_transfer) != 0) {
        if (statusBar)
            mainFrame->SetMessageText(direction != '0'     ? res::IDS_SENDING
                                      : app->m_bEscPressed ? res::IDS_STOPPED
                                                           : res::IDS_RECEIVING);
        const unsigned percent = OvalineLoadProgress(&m_transfer) * 100u / length;
        if (percent > last) {
            sendProgress(mainFrame, static_cast<int>(percent));
            last = percent;
        }
        if (OvalineLoadBusy(&m_transfer) == 0)
            break;
        if (wait.exec() != kTransferWoken) {
            // The program is quitting: every event loop now returns at once,
            // so give the picture up and wait for the worker without one.
            CancelTransfer();
            break;
        }
    }
    disconnect(escape);
    m_pWaitLoop = nullptr;
    worker.join();

    sendProgress(mainFrame, 100);
    sendProgress(mainFrame, 0);
    app->m_bBusy = 0;
    const auto result = static_cast<std::int32_t>(OvalineLoadResult(&m_transfer));
    // A cancel was asked for: nothing to report.
    if (result != 0 && result != OVALINE_CANCELLED)
        messageBox(transferFailureText(slot + 1, result, app->OpenFailureCause(result)),
                   QMessageBox::Information);
    app->OnBusyEnded();
    return result == 0 ? 1 : 0;
}

void COvalineView::CancelTransfer() {
    m_bCancelled = true;
    OvalineCancel(&m_transfer);
}

int COvalineView::OnTrafficDone(std::int32_t result) {
    return result == 0 ? 0 : -1;
}

} // namespace ovaline::app
