#include "command_link.h"

#include "ovaline.h"

#include <cstring>

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

QString commandFailureText(int resultCode) {
    const char *text = OvalineResultText(resultCode);
    return QString::asprintf("DLL failed sending or receiving data\n  DLL ERROR CODE : %d\n  (%s)",
                             resultCode, text ? text : "Unknown error");
}

QString transferFailureText(int slot, int resultCode) {
    const char *text = OvalineResultText(resultCode);
    return QString::asprintf(
        "DLL failed sending or receiving data [%d] \n  DLL ERROR CODE : %d\n  (%s)", slot,
        resultCode, text ? text : "Unknown error");
}

} // namespace ovaline::app
