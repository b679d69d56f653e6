// SPDX-License-Identifier: MIT
// What a drag between the panes (or from the desktop) carries. A slot
// dragged out of the camera-memory view carries its number and its JPEG
// bytes, and for a drop outside the program the same bytes written to a
// file, as a URL; a file dragged onto a slot carries the file's path as a
// URL, as a desktop file manager gives it.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>

#include <memory>
#include <optional>

namespace ovaline::imageview {

inline constexpr char kSlotNumberMime[] = "application/x-ovaline-slot";
inline constexpr char kJpegMime[] = "image/jpeg";

struct DraggedSlot {
    int slot = 0; // 1..7
    QByteArray jpeg;
};

// `file`, when given, holds the slot's bytes for a file manager or another
// program to take.
std::unique_ptr<QMimeData> slotMimeData(const DraggedSlot &slot, const QString &file = {});
std::optional<DraggedSlot> draggedSlot(const QMimeData *mime);

// The local file a drag carries, or an empty string (no URL, several, or not
// a local file).
QString draggedFile(const QMimeData *mime);
std::unique_ptr<QMimeData> fileMimeData(const QString &path);

} // namespace ovaline::imageview
