// SPDX-License-Identifier: MIT
#include "setup_layout.h"

#include <algorithm>

namespace ovaline::app {
namespace {

constexpr int kModel1LastIndex = 4;

} // namespace

SetupLayout setupLayout(const QRect &client, int u, int v) {
    const int left = client.left();
    const int top = client.top();
    const int bottom = client.top() + client.height();
    const int buttonHeight = v + v / 2;
    return {QRect(left + 4 * u, bottom - 2 * v, 9 * u, buttonHeight),
            QRect(left + 18 * u, bottom - 2 * v, 9 * u, buttonHeight),
            QRect(left + 4 * u, top + v, 9 * u, v),
            QRect(left + 18 * u, top + v, 16 * u, v),
            QRect(left + 4 * u, top + 2 * v, 9 * u, 5 * v),
            QRect(left + 18 * u, top + 2 * v, 10 * u, 6 * v)};
}

int droppedRows(const QRect &list, int v) {
    return list.height() / v - 1;
}

QRect setupDialogFrame(const QPoint &parentTopLeft, int v) {
    return QRect(parentTopLeft + QPoint(160, 160), QSize(260, 160 + deviceRowHeight(v)));
}

int deviceRowHeight(int v) {
    return v + v / 2;
}

DeviceRowLayout deviceRowLayout(const QRect &client, int u, int v) {
    const int top = client.top() + client.height() - deviceRowHeight(v);
    // The label under CANCEL, the list ending under OK's right edge.
    return {QRect(client.left() + 4 * u, top, 7 * u, v),
            QRect(client.left() + 11 * u, top, 16 * u, v)};
}

QStringList baudRateEntries(int unitModel) {
    QStringList rates{QStringLiteral("2,400"), QStringLiteral("4,800"), QStringLiteral("9,600"),
                      QStringLiteral("19,200"), QStringLiteral("38,400")};
    if (unitModel != 1)
        rates << QStringLiteral("57,600") << QStringLiteral("115,200");
    return rates;
}

int clampBaudIndex(int unitModel, int baudIndex) {
    return unitModel == 1 ? std::min(baudIndex, kModel1LastIndex) : baudIndex;
}

} // namespace ovaline::app
