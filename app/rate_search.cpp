// SPDX-License-Identifier: MIT
#include "rate_search.h"

#include "command_link.h"
#include "ovaline_app.h"
#include "setup_layout.h"
#include "wait_cursor.h"

namespace ovaline::app {

std::vector<int> rateSearchOrder(int triedIndex) {
    std::vector<int> order;
    for (int index = kBaudRateCount - 1; index >= 0; --index) {
        if (index != triedIndex)
            order.push_back(index);
    }
    return order;
}

bool rateMayBeWrong(int result) {
    return result != OVALINE_OK && result != OVALINE_E_OPEN && result != OVALINE_E_HANDSHAKE;
}

QString rateFoundText(int baudIndex) {
    return QCoreApplication::translate("RateSearch", "Main unit at %1 bit/s")
        .arg(baudRateEntries(0).value(baudIndex));
}

int COvalineApp::CheckUnit() {
    if (QueryUnitModel() || FindUnitRate())
        return 1;
    // The designed message says only that nothing answered; the message
    // pane adds, when the port did not even open, that it did not, short
    // enough to fit, and why in its tip.
    if (const QString cause = OpenFailureCause(m_nLastResult); !cause.isEmpty())
        ShowMessage(tr("%1 does not open").arg(PortText()), cause);
    return 0;
}

int COvalineApp::FindUnitRate() {
    using Clock = std::chrono::steady_clock;
    if (!rateMayBeWrong(m_nLastResult))
        return 0;
    CWaitCursor wait;
    const auto end = Clock::now() + kRateSearchTime;
    const std::vector<int> order = rateSearchOrder(m_nBaudIndex);
    int found = -1;
    for (std::size_t i = 0; i < order.size() && found < 0; ++i) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0)
            break;
        // Each rate left gets an even share of the time left.
        const auto share = left.count() / static_cast<long>(order.size() - i);
        if (ProbeUnitModel(order[i], static_cast<int>(share)))
            found = order[i];
        else if (!rateMayBeWrong(m_nLastResult))
            break;
    }
    if (found >= 0) {
        m_nBaudIndex = found;
        SaveBaudIndex();
        ShowMessage(rateFoundText(found));
    }
    emit UnitModelChanged();
    return found >= 0 ? 1 : 0;
}

} // namespace ovaline::app
