// SPDX-License-Identifier: MIT
#include "capture_plan.h"

namespace ovaline::imageview {

int firstEmptySlot(const char *map) {
    for (int slot = 1; slot <= 7; ++slot) {
        if (map[slot] == '0')
            return slot;
    }
    return 0;
}

bool isOverwritable(const char *map, int slot) {
    return map[slot] != '0' && map[slot] != 'P';
}

QString captureFileName(const QDateTime &when, int n) {
    const QString stem = when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    return n < 2 ? stem + QStringLiteral(".JPG") : QStringLiteral("%1 (%2).JPG").arg(stem).arg(n);
}

} // namespace ovaline::imageview
