// The device operations of the application object: every short command to
// the unit goes through SendCommand and the application's own record.
#include "ovaline_app.h"

#include "command_link.h"
#include "message_box.h"
#include "wait_cursor.h"

#include <cstring>

namespace ovaline::app {
namespace {

constexpr char kNoParameter[] = "  ";

} // namespace

int COvalineApp::SendCommand(int code, char arg, const char *param) {
    m_block.port = static_cast<std::uint32_t>(m_nPort);
    m_block.baud = kBaudRates[m_nBaudIndex];
    m_block.notify_wnd = 0;
    m_block.progress = 0;
    m_block.setting_a = OVALINE_SETTING_A;
    m_block.setting_b = OVALINE_SETTING_B;
    m_block.link_option = static_cast<std::uint32_t>(m_nLinkOption);
    m_block.setting_d = OVALINE_SETTING_D;
    m_block.cmd_frame[0] = OVALINE_STX;
    const char *letters = commandLetters(code);
    if (!letters)
        return 0;
    m_block.cmd_frame[1] = static_cast<std::uint8_t>(letters[0]);
    m_block.cmd_frame[2] = static_cast<std::uint8_t>(letters[1]);
    m_block.length = replyLength(code);
    m_block.cmd_frame[3] = static_cast<std::uint8_t>(arg);
    m_block.cmd_frame[4] = static_cast<std::uint8_t>(param[0]);
    m_block.cmd_frame[5] = static_cast<std::uint8_t>(param[1]);
    m_block.cmd_frame[6] = OVALINE_ETX;
    m_block.data = reinterpret_cast<std::uintptr_t>(m_reply);
    m_block.busy = 1;
    m_block.result = 0;
    const std::int32_t result = OvalineTraffic(&m_block);
    if (result == OVALINE_OK)
        return 1;
    if (code != kCmdQueryModel)
        messageBox(commandFailureText(result), QMessageBox::Information);
    return 0;
}

int COvalineApp::QueryUnitModel() {
    CWaitCursor wait;
    const int sent = SendCommand(kCmdQueryModel, '0', kNoParameter);
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
    emit UnitModelChanged();
    return unit ? 1 : 0;
}

int COvalineApp::QueryStatus(int which) {
    return SendCommand(kCmdQueryStatus, which == 1 ? '1' : '0', kNoParameter);
}

void COvalineApp::SuspendPO() {
    SaveReply();
    // A failed query leaves the caller's reply in place: it says nothing of PO.
    if (QueryStatus(0) && m_reply[4] == '1') {
        m_bPOSuspended = 1;
        SendCommand(kCmdPause, '0', kNoParameter);
    } else {
        m_bPOSuspended = 0;
    }
    RestoreReply();
}

void COvalineApp::ResumePO() {
    if (m_bPOSuspended == 1)
        SendCommand(kCmdPause, '1', kNoParameter);
}

void COvalineApp::SaveReply() {
    std::memcpy(m_savedReply, m_reply, sizeof m_reply);
}

void COvalineApp::RestoreReply() {
    std::memcpy(m_reply, m_savedReply, sizeof m_reply);
}

} // namespace ovaline::app
