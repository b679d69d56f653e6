// SPDX-License-Identifier: MIT
#include "save_names.h"

namespace ovaline::app {
namespace {

const QString kExtension = QStringLiteral(".JPG");

bool endsInJpg(const QString &path) {
    return path.right(4).toUpper() == kExtension;
}

} // namespace

QString singleSlotFileName(const QString &chosenPath) {
    return endsInJpg(chosenPath) ? chosenPath : chosenPath + kExtension;
}

QString memorySlotFileName(const QString &chosenPath, int slotIndex) {
    const QString stem = endsInJpg(chosenPath) ? chosenPath.chopped(4) : chosenPath;
    return stem + QChar(u'1' + slotIndex) + kExtension;
}

} // namespace ovaline::app
