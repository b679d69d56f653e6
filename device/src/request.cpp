// SPDX-License-Identifier: MIT
#include "request.h"

#include "command_table.h"
#include "line_rates.h"

#include <cstring>

namespace ovaline {

std::int32_t readRequest(const TrafficBlock &block, Request &request) {
    request.port = block.port;
    request.baud = block.baud;
    std::memcpy(request.frame, block.cmd_frame, sizeof request.frame);
    request.length = block.length;
    request.data = reinterpret_cast<std::uint8_t *>(block.data);

    if (request.port < 1 || request.port > 4)
        return OVALINE_E_OPEN;
    if (!isLineRate(request.baud) || block.setting_a != OVALINE_SETTING_A ||
        block.setting_b != OVALINE_SETTING_B || block.link_option != OVALINE_LINK_OPTION ||
        block.setting_d != OVALINE_SETTING_D)
        return OVALINE_E_SETUP;
    if (request.frame[0] != OVALINE_STX || request.frame[6] != OVALINE_ETX ||
        request.data == nullptr)
        return OVALINE_E_SETUP;

    const char first = static_cast<char>(request.frame[1]);
    const char second = static_cast<char>(request.frame[2]);
    if (isTransfer(first, second)) {
        if (request.length == 0 || request.length > OVALINE_MAX_IMAGE)
            return OVALINE_E_SETUP;
        if (request.frame[3] == '0')
            request.kind = Request::Kind::Receive;
        else if (request.frame[3] == '1')
            request.kind = Request::Kind::Send;
        else
            return OVALINE_E_SETUP;
        return OVALINE_OK;
    }
    const auto command = findCommand(first, second);
    if (!command || command->replyLength != request.length)
        return OVALINE_E_SETUP;
    request.kind = Request::Kind::Command;
    return OVALINE_OK;
}

} // namespace ovaline
