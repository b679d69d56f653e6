// SPDX-License-Identifier: MIT
// What a drag between the panes (or from the desktop) carries. A slot
// dragged out of the camera-memory view carries its number and its JPEG
// bytes, and for a drop outside the program the same bytes written to a
// file, as a URL; a file dragged onto a slot carries the file's path as a
// URL, as a desktop file manager gives it.
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QMimeData>
#include <QString>

class QDrag;
class QWidget;

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

// The drag cursor (cursor 135, its hot spot at the top-left corner) at the
// scale of the screen `widget` is on.
QCursor dragCursor(const QWidget *widget);
// Shows the drag cursor for the whole of `drag`, which starts at `widget`.
void setDragCursors(QDrag *drag, const QWidget *widget);

} // namespace ovaline::imageview
