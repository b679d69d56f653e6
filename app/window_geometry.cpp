// SPDX-License-Identifier: MIT
#include "window_geometry.h"

#include <QWidget>

namespace ovaline::app {

QPoint centredOrigin(const QSize &screen, const QSize &window) {
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

void resizeOuter(QWidget *window, const QSize &outer) {
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(outer - frame);
}

void fixOuterSize(QWidget *window, const QSize &outer) {
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resizeOuter(window, outer);
    window->setFixedSize(window->size());
}

QSize outerSize(const QWidget *window) {
    return window->frameGeometry().size();
}

} // namespace ovaline::app

namespace ovaline::app {

QRect fromDialogUnits(const QRect &units, const QSize &base) {
    const auto x = [&base](int du) { return du * base.width() / 4; };
    const auto y = [&base](int du) { return du * base.height() / 8; };
    return {x(units.x()), y(units.y()), x(units.width()), y(units.height())};
}

} // namespace ovaline::app
