// SPDX-License-Identifier: MIT
#include "slot_description.h"

#include <QCoreApplication>

namespace ovaline::imageview {

QString slotDescription(int slot, QSize picture) {
    if (picture.isEmpty())
        return QCoreApplication::translate("CSlotStrip", "Slot %1, empty").arg(slot);
    return QCoreApplication::translate("CSlotStrip", "Slot %1, picture, %2 by %3")
        .arg(slot)
        .arg(picture.width())
        .arg(picture.height());
}

} // namespace ovaline::imageview
