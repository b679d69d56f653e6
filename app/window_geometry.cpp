// SPDX-License-Identifier: MIT
#include "window_geometry.h"

#include "profile_file.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace ovaline::app {

QPoint centredOrigin(const QSize &screen, const QSize &window) {
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

QSize frameExtent(const QWidget *window) {
    return window->frameGeometry().size() - window->geometry().size();
}

void sizeOnceFramed(QWidget *window, const std::function<void()> &sizing) {
    sizing();
    QTimer::singleShot(0, window, [window, sizing, frame = frameExtent(window)] {
        if (frameExtent(window) != frame)
            sizing();
    });
}

void resizeOuter(QWidget *window, const QSize &outer) {
    sizeOnceFramed(window, [window, outer] { window->resize(outer - frameExtent(window)); });
}

void fixOuterSize(QWidget *window, const QSize &outer) {
    sizeOnceFramed(window, [window, outer] {
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->resize(outer - frameExtent(window));
        window->setFixedSize(window->size());
    });
}

QSize outerSize(const QWidget *window) {
    return window->frameGeometry().size();
}

bool placesWindows(const QString &platformName) {
    return !platformName.startsWith(QLatin1String("wayland"));
}

namespace {

const QString kLeftKey = QStringLiteral("LEFT");
const QString kTopKey = QStringLiteral("TOP");
constexpr int kFarthest = 32767;

} // namespace

QPoint readWindowPlace(const ProfileFile &profile, const QString &section, QPoint place) {
    return {profile.readInt(section, kLeftKey, place.x(), -kFarthest, kFarthest),
            profile.readInt(section, kTopKey, place.y(), -kFarthest, kFarthest)};
}

void keepWindowPlace(ProfileFile &profile, const QString &section, QPoint place) {
    if (!placesWindows(QGuiApplication::platformName()))
        return;
    profile.writeInt(section, kLeftKey, place.x());
    profile.writeInt(section, kTopKey, place.y());
    // Kept at once, as the window closes, not only when the program ends.
    profile.flush();
}

} // namespace ovaline::app

namespace ovaline::app {

QRect fromDialogUnits(const QRect &units, const QSize &base) {
    const auto x = [&base](int du) { return du * base.width() / 4; };
    const auto y = [&base](int du) { return du * base.height() / 8; };
    return {x(units.x()), y(units.y()), x(units.width()), y(units.height())};
}

} // namespace ovaline::app
