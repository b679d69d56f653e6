// SPDX-License-Identifier: MIT
#include "fixed_font.h"

#include <QFontMetrics>

namespace ovaline::app {

QFont courierFont(int cellHeight) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Normal);
    int pixels = cellHeight;
    do {
        font.setPixelSize(pixels);
    } while (pixels-- > 1 && QFontMetrics(font).height() > cellHeight);
    return font;
}

} // namespace ovaline::app
