// SPDX-License-Identifier: MIT
// Where the setup dialog puts its controls, and which rates it offers.
#pragma once

#include <QPoint>
#include <QRect>
#include <QStringList>

namespace ovaline::app {

struct SetupLayout {
    QRect cancelButton;
    QRect okButton;
    QRect portLabel;
    QRect baudLabel;
    QRect portList; // height: the list dropped down
    QRect baudList;
};

// The controls on the grid of u by v pixels inside the client rectangle.
SetupLayout setupLayout(const QRect &client, int u, int v);

// How many entries a drop-down list of this dropped height shows at once:
// the height less the closed box, in rows of v pixels.
int droppedRows(const QRect &list, int v);

// The dialog's outer rectangle, placed relative to its parent's top-left:
// the designed size, grown by the device row.
QRect setupDialogFrame(const QPoint &parentTopLeft, int v);

// The row that names the port's device, below the designed controls: the
// client rectangle's last deviceRowHeight(v) pixels. The designed controls
// are laid out in the client rectangle above it.
struct DeviceRowLayout {
    QRect label;
    QRect list; // the closed box
};
int deviceRowHeight(int v);
DeviceRowLayout deviceRowLayout(const QRect &client, int u, int v);

// The rates offered to a unit model: up to 38,400 for model 1, all seven
// otherwise.
QStringList baudRateEntries(int unitModel);

// Model 1 takes no rate above 38,400 (index 4).
int clampBaudIndex(int unitModel, int baudIndex);

} // namespace ovaline::app
