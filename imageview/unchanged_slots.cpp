// SPDX-License-Identifier: MIT
#include "unchanged_slots.h"

#include "command_link.h"

#include <QCoreApplication>
#include <QStringList>

namespace ovaline::imageview {

std::optional<SlotPrints> QuerySlotPrints(int port, int baudIndex, int linkOption) {
    std::uint8_t reply[OVALINE_FINGERPRINTS_LENGTH] = {};
    struct alignas(8) {
        TrafficBlock block{};
    } record;
    app::fillRecord(record.block, port, baudIndex, linkOption, "QF", '0', "  ",
                    OVALINE_FINGERPRINTS_LENGTH, reply);
    if (OvalineTraffic(&record.block) != OVALINE_OK)
        return std::nullopt;
    SlotPrints prints{};
    for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
        prints[i] = OvalineReadFingerprint(reply, i);
    return prints;
}

SlotFlags UnchangedSlots(const SlotPrints &unit, const SlotPrints &held) {
    SlotFlags unchanged{};
    for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
        unchanged[i] = OvalineSlotUnchanged(unit[i], held[i]);
    return unchanged;
}

QString UnchangedText(const SlotFlags &unchanged) {
    QStringList numbers;
    for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
        if (unchanged[i])
            numbers << QString::number(i + 1);
    if (numbers.isEmpty())
        return {};
    if (numbers.size() == 1)
        return QCoreApplication::translate("UnchangedSlots", "Slot %1 unchanged")
            .arg(numbers.front());
    const QString last = numbers.takeLast();
    return QCoreApplication::translate("UnchangedSlots", "Slots %1 and %2 unchanged")
        .arg(numbers.join(QCoreApplication::translate("UnchangedSlots", ", ")), last);
}

} // namespace ovaline::imageview
