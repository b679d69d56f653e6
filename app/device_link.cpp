// SPDX-License-Identifier: MIT
// The device operations of the application object: every short command to
// the unit goes through SendCommand and the application's own record.
#include "ovaline_app.h"

#include "command_link.h"
#include "message_box.h"
#include "port_devices.h"
#include "wait_cursor.h"

#include <cstring>

namespace ovaline::app {
namespace {

constexpr char kNoParameter[] = "  ";

} // namespace

int COvalineApp::SendCommand(int code, char arg, const char *param) {
    const char *letters = commandLetters(code);
    if (!letters)
        return 0;
    fillRecord(m_block, m_nPort, m_nBaudIndex, m_nLinkOption, letters, arg, param,
               replyLength(code), m_reply);
    const std::int32_t result = OvalineTraffic(&m_block);
    m_nLastResult = result;
    if (result == OVALINE_OK)
        return 1;
    if (code != kCmdQueryModel)
        messageBox(commandFailureText(result, OpenFailureCause(result)), QMessageBox::Information);
    return 0;
}

int COvalineApp::QueryUnitModel() {
    CWaitCursor wait;
    const int known = TakeModelReply(SendCommand(kCmdQueryModel, '0', kNoParameter));
    emit UnitModelChanged();
    return known;
}

int COvalineApp::TakeModelReply(bool sent) {
    m_nUnitModel = 0;
    std::optional<UnitModel> unit;
    if (sent) {
        m_reply[6] = '\0';
        unit = classifyModelReply(m_reply);
    }
    if (unit) {
        m_nUnitModel = unit->model;
        m_bUnitN = unit->unitN;
    }
    return unit ? 1 : 0;
}

int COvalineApp::ProbeUnitModel(int baudIndex, int milliseconds) {
    fillRecord(m_block, m_nPort, baudIndex, m_nLinkOption, commandLetters(kCmdQueryModel), '0',
               kNoParameter, replyLength(kCmdQueryModel), m_reply);
    m_nLastResult = OvalineTrafficWithin(&m_block, static_cast<std::uint32_t>(milliseconds));
    return TakeModelReply(m_nLastResult == OVALINE_OK);
}

QString COvalineApp::OpenFailureCause(int result) const {
    return result == OVALINE_E_OPEN ? openFailureCause(portDeviceName(m_nPort)) : QString();
}

int COvalineApp::QueryStatus(int which) {
    return SendCommand(kCmdQueryStatus, which == 1 ? '1' : '0', kNoParameter);
}

void COvalineApp::SuspendPO() {
    SaveReply();
    // A failed query leaves the caller's reply in place: it says nothing of PO.
    if (QueryStatus(0) && m_reply[4] == '1') {
        m_bPOSuspended = 1;
        SendCommand(kCmdPointer, '0', kNoParameter);
    } else {
        m_bPOSuspended = 0;
    }
    RestoreReply();
}

void COvalineApp::ResumePO() {
    if (m_bPOSuspended == 1)
        SendCommand(kCmdPointer, '1', kNoParameter);
}

void COvalineApp::SaveReply() {
    std::memcpy(m_savedReply, m_reply, sizeof m_reply);
}

void COvalineApp::RestoreReply() {
    std::memcpy(m_reply, m_savedReply, sizeof m_reply);
}

} // namespace ovaline::app
