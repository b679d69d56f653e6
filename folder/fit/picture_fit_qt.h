// SPDX-License-Identifier: MIT
// Fitting a picture the program holds as a QImage (the clipboard's), in the
// builds with Qt's image plugins.
#pragma once

#include "picture_fit.h"

#include <QImage>

namespace ovaline::fit {

// The image fitted to `camera` as fitPicture fits a file.
Fitted fitImage(const QImage &image, CameraSize camera);

} // namespace ovaline::fit
