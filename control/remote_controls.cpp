// SPDX-License-Identifier: MIT
#include "remote_controls.h"

#include <QString>

#include <algorithm>
#include <iterator>

namespace ovaline::control {

const RemoteControl *findRemoteControl(int id) {
    const auto found = std::find_if(std::begin(kRemoteControls), std::end(kRemoteControls),
                                    [id](const RemoteControl &c) { return c.id == id; });
    return found == std::end(kRemoteControls) ? nullptr : &*found;
}

void readControlState(CRemoteFlags &f, const char reply[8]) {
    f.m_bUpper = reply[0] == '2' ? 1 : 0;
    f.m_bBase = reply[0] == '0' || reply[0] == '2' ? 0 : 1;
    f.m_nAVInput = reply[1] - '0';
    f.m_bPositive = reply[2] == '1' ? 0 : 1;
    f.m_bColor = reply[3] == '1' ? 0 : 1;
    f.m_bPointer = reply[4] == '1' ? 1 : 0;
    f.m_b2x = reply[5] == '1' ? 1 : 0;
    f.m_bPause = reply[6] == '1' ? 1 : 0;
    f.m_bPanelLocked = reply[7] == '1' ? 1 : 0;
}

std::array<Indicator, kIndicatorCount> indicatorsFor(const CRemoteFlags &f) {
    const auto lamp = [](bool lit) { return lit ? 188 : 189; };
    std::array<Indicator, kIndicatorCount> shown{};
    shown[kIndicatorPosiNega] = {14, 262, f.m_bPositive == 1 ? 184 : 185};
    shown[kIndicatorColorBW] = {86, 262, f.m_bColor == 1 ? 186 : 187};
    shown[kIndicatorUpper] = {163, 262, lamp(f.m_bUpper == 1)};
    shown[kIndicatorBase] = {240, 262, lamp(f.m_bBase == 1)};
    // The input lamps, for inputs 0 to 3; SUB's is drawn for every model.
    constexpr int kInputX[4] = {17, 169, 244, 93};
    for (int input = 0; input < 4; ++input)
        shown[kIndicatorMain + input] = {kInputX[input], 299, lamp(f.m_nAVInput == input)};
    shown[kIndicatorLock] = {31, 8, f.m_bPanelLocked == 1 ? 228 : 199};
    return shown;
}

const char *indicatorWord(int image) {
    switch (image) {
    case 184:
        return QT_TRANSLATE_NOOP("CRemoteWnd", "POSI");
    case 185:
        return QT_TRANSLATE_NOOP("CRemoteWnd", "NEGA");
    case 186:
        return QT_TRANSLATE_NOOP("CRemoteWnd", "COLOR");
    case 187:
        return QT_TRANSLATE_NOOP("CRemoteWnd", "B&W");
    default:
        return nullptr;
    }
}

bool isLampLit(int image) {
    return image == 188 || image == 228;
}

QString controlImagePath(const char *name) {
    return QStringLiteral(":/control/%1.png").arg(QLatin1String(name));
}

QString controlImagePath(int number) {
    return QStringLiteral(":/control/%1.png").arg(number);
}

} // namespace ovaline::control
