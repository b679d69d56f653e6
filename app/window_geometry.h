// SPDX-License-Identifier: MIT
// Placing and sizing top-level windows by their outer (framed) size.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QWidget;

namespace ovaline::app {

class ProfileFile;

// The top-left corner that centres a window of `window` on a screen of
// `screen`; negative when the window is larger (division rounds to zero).
QPoint centredOrigin(const QSize &screen, const QSize &window);

// The frame's share of a window's outer size.
QSize frameExtent(const QWidget *window);

// Runs `sizing` for a window in its show event, and once more from the event
// loop when its frame has changed by then: a Wayland window gets its
// decoration only after its show event.
void sizeOnceFramed(QWidget *window, const std::function<void()> &sizing);

// Sizes a window being shown so that its outer size, frame included, is
// `outer`.
void resizeOuter(QWidget *window, const QSize &outer);
// Fixes a tool window being shown at the outer size `outer`, frame included.
void fixOuterSize(QWidget *window, const QSize &outer);

// The outer size of a window: its frame's when it has one.
QSize outerSize(const QWidget *window);

// Whether the windowing system lets the program place its windows. Under
// Wayland the compositor places every window itself and tells no program
// where.
bool placesWindows(const QString &platformName);

// Where a window was kept: LEFT and TOP of `section`, each one that is
// missing or out of range read as the one of `place`.
QPoint readWindowPlace(const ProfileFile &profile, const QString &section, QPoint place);
// Keeps where a window is, its outer top-left corner, as LEFT and TOP of
// `section`, where the windowing system lets windows be placed; elsewhere
// the place kept before stays for when the program runs where it can be
// used.
void keepWindowPlace(ProfileFile &profile, const QString &section, QPoint place);

} // namespace ovaline::app

namespace ovaline::app {

// A rectangle in dialog units to pixels, for a font whose average character
// is base.width() wide and base.height() high.
QRect fromDialogUnits(const QRect &units, const QSize &base);

} // namespace ovaline::app
