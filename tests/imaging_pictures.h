// SPDX-License-Identifier: MIT
// Pictures and comparisons for the imaging tests.
#pragma once

#include "picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace ovaline::test {

// A virtual camera picture of the given size as JPEG data (quality 90).
QByteArray cameraJpeg(int width, int height, emu::Scene scene = emu::Scene::Stage,
                      const emu::CameraView &view = {});

// A plain grey JPEG of any size TurboJPEG encodes, beyond the camera's sides.
QByteArray greyJpeg(int width, int height);

// The picture decoded straight through TurboJPEG with the given flags into
// Format_RGB32; a null image when that fails.
QImage turboDecode(const QByteArray &jpeg, int flags);

// Per-channel differences of two pictures of one size.
double meanAbsDifference(const QImage &a, const QImage &b);
int maxAbsDifference(const QImage &a, const QImage &b);

// Writes bytes to path; false when that fails.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace ovaline::test
