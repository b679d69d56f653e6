// SPDX-License-Identifier: MIT
#include "command_link.h"

#include "ovaline.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace ovaline::app {

const char *commandLetters(int code) {
    static const char *const kLetters[kCmdQueryModel + 1] = {
        "AF", "FO", "ZO", "IR",    "PL", "AV", "NP",    "CB", "PO",
        "PM", "MA", "CE", nullptr, "FZ", "LL", nullptr, "QS", "QR"};
    return code >= 0 && code <= kCmdQueryModel ? kLetters[code] : nullptr;
}

std::uint32_t replyLength(int code) {
    return code == kCmdQueryModel ? 6 : 8;
}

std::optional<UnitModel> classifyModelReply(const char *reply) {
    static const struct {
        const char *name;
        UnitModel unit;
    } kModels[] = {{"VIKN", {1, 1}}, {"VIKP", {1, 0}}, {"VIHN", {2, 1}}, {"VIHP", {2, 0}}};
    for (const auto &known : kModels) {
        if (std::strncmp(reply, known.name, 4) == 0)
            return known.unit;
    }
    return std::nullopt;
}

void fillRecord(TrafficBlock &block, int port, int baudIndex, int linkOption, const char letters[2],
                char arg, const char param[2], std::uint32_t length, void *data) {
    block.port = static_cast<std::uint32_t>(port);
    block.baud = kBaudRates[baudIndex];
    block.notify_wnd = 0;
    block.progress = 0;
    block.busy = 1;
    block.result = 0;
    block.setting_a = OVALINE_SETTING_A;
    block.setting_b = OVALINE_SETTING_B;
    block.link_option = static_cast<std::uint32_t>(linkOption);
    block.setting_d = OVALINE_SETTING_D;
    const std::uint8_t frame[7] = {OVALINE_STX,
                                   static_cast<std::uint8_t>(letters[0]),
                                   static_cast<std::uint8_t>(letters[1]),
                                   static_cast<std::uint8_t>(arg),
                                   static_cast<std::uint8_t>(param[0]),
                                   static_cast<std::uint8_t>(param[1]),
                                   OVALINE_ETX};
    std::copy(std::begin(frame), std::end(frame), block.cmd_frame);
    block.length = length;
    block.data = reinterpret_cast<std::uintptr_t>(data);
}

namespace {

QString withCause(QString text, const QString &cause) {
    if (!cause.isEmpty())
        text += QStringLiteral("\n  ") + cause;
    return text;
}

// The library's text of a result code, in the user's language.
QString resultText(int resultCode) {
    const char *text = OvalineResultText(resultCode);
    return text ? QCoreApplication::translate("ResultText", text)
                : QCoreApplication::translate("CommandLink", "Unknown error");
}

} // namespace

QString commandFailureText(int resultCode, const QString &cause) {
    return withCause(QCoreApplication::translate("CommandLink",
                                                 "DLL failed sending or receiving data\n"
                                                 "  DLL ERROR CODE : %1\n  (%2)")
                         .arg(resultCode)
                         .arg(resultText(resultCode)),
                     cause);
}

QString transferFailureText(int slot, int resultCode, const QString &cause) {
    return withCause(QCoreApplication::translate("CommandLink",
                                                 "DLL failed sending or receiving data [%1] \n"
                                                 "  DLL ERROR CODE : %2\n  (%3)")
                         .arg(slot)
                         .arg(resultCode)
                         .arg(resultText(resultCode)),
                     cause);
}

} // namespace ovaline::app
