// SPDX-License-Identifier: MIT
// The thumbnail view's arithmetic and rules that need no window: where the
// 35 cells sit, which picture size the camera takes, how a file name becomes
// a caption, and how a typed name becomes the name of a saved slot.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <span>

namespace ovaline::folder {

inline constexpr int kGridCells = 35;
inline constexpr int kGridColumns = 7;
inline constexpr int kCellPitchX = 88;
inline constexpr int kCellPitchY = 100;

// Scroll sizes of the grid: the whole grid, a page and a line.
inline constexpr QSize kGridTotalSize{620, 600};
inline constexpr QSize kGridPageStep{88, 100};
inline constexpr QSize kGridLineStep{88, 50};

// Where cell k's picture goes: (18 + 88 c, 20 + 100 r) for column c = k mod 7
// and row r = k div 7.
QPoint pictureOrigin(int k);
// Cell k's frame and hit area: 85 x 90 from 13 left of and 10 above its
// picture; the right and bottom edge lines are outside.
QRect cellRect(int k);
// Cell k's caption: 5 right of and 60 below its picture.
QPoint captionOrigin(int k);
// The first of the first `count` cells (at most 35) that holds p, or -1.
int cellAt(QPoint p, int count);

// The picture size the camera takes: 736 x 480 (model 1, N), 736 x 568
// (model 1, P), 640 x 480 (model 2, N), 768 x 576 (model 2, P); an empty size
// when no model is known, which accepts nothing.
QSize acceptedPictureSize(int unitModel, int unitN);

// The caption of a file: its name up to, not including, its last "." (the
// whole name when it has none), cut to the characters whose UTF-8 form fits
// in 8 bytes, so that no character is ever split.
QString captionText(const QString &fileName);

// The name a typed text saves a slot under: the text without its leading
// white space, with ".JPG" always added ("photo.jpg" gives "photo.jpg.JPG");
// nullopt when nothing but white space was typed.
std::optional<QString> savedFileName(const QString &typed);

// Whether a listed name equals `name`, ignoring case (Unicode case folding).
bool isNameListed(std::span<const QString> listed, const QString &name);

} // namespace ovaline::folder
