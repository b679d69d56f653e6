// SPDX-License-Identifier: MIT
// The 35 camera pictures (736 x 480) the thumbnail benchmarks load: five
// scenes, each under seven camera settings.
#pragma once

#include <QString>
#include <QStringList>

namespace ovaline::bench {

inline constexpr int kPictureWidth = 736;
inline constexpr int kPictureHeight = 480;

// Writes them into `dir` as P00.JPG .. P34.JPG and returns their names; an
// empty list when one cannot be written.
QStringList writeCameraPictures(const QString &dir);

} // namespace ovaline::bench
