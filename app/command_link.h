// SPDX-License-Identifier: MIT
// What the device operations put into the record and read back from it: the
// command table, the line rates, the model reply and the failure message.
#pragma once

#include "ovaline.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace ovaline::app {

// Codes of SendCommand's command table.
enum CommandCode {
    kCmdAutoFocus = 0,
    kCmdFocus = 1,
    kCmdZoom = 2,
    kCmdIris = 3,
    kCmdLamp = 4,
    kCmdVideoInput = 5,
    kCmdPolarity = 6,
    kCmdColour = 7,
    kCmdPointer = 8,
    kCmdPointerMove = 9,
    kCmdTwoTimes = 10,
    kCmdMemory = 11,
    kCmdFreeze = 13,
    kCmdPanelLock = 14,
    kCmdQueryStatus = 16,
    kCmdQueryModel = 17,
};

constexpr int kBaudRateCount = 7;
constexpr std::uint32_t kBaudRates[kBaudRateCount] = {2400,  4800,  9600,  19200,
                                                      38400, 57600, 115200};

// The two letters of a command code; nullptr for a code that is no command
// (12, 15, and anything outside 0..17).
const char *commandLetters(int code);

// Fills a record for one exchange on `port` at rate `baudIndex`: the fixed
// values, and the frame STX, letters, argument, two parameter characters, ETX.
// busy is set and result, progress and notify_wnd cleared.
void fillRecord(TrafficBlock &block, int port, int baudIndex, int linkOption, const char letters[2],
                char arg, const char param[2], std::uint32_t length, void *data);

// Bytes of the reply: 6 for "QR", 8 for every other command.
std::uint32_t replyLength(int code);

struct UnitModel {
    int model = 0; // 1 or 2
    int unitN = 0; // 1 for an N unit, 0 for a P unit
};

// Classifies a "QR" reply (a NUL-terminated text) by its first four
// characters; nullopt for a reply that names no known unit.
std::optional<UnitModel> classifyModelReply(const char *reply);

// The three-line text that reports a library failure of a command; a cause
// found for it (why the port could not be opened) follows on a line of its own.
QString commandFailureText(int resultCode, const QString &cause = {});

// The same for a picture transfer, with the slot's number (1..7).
QString transferFailureText(int slot, int resultCode, const QString &cause = {});

} // namespace ovaline::app
