// SPDX-License-Identifier: MIT
// A picture on the clipboard: as an image, which office programs and image
// editors paste (Qt offers it as image/png and the other image types it
// writes), and as its JPEG bytes unchanged under image/jpeg.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMimeData>

#include <memory>

namespace ovaline::imageview {

// Without JPEG bytes only the image is offered.
std::unique_ptr<QMimeData> pictureMimeData(const QImage &picture, const QByteArray &jpeg);
void copyPicture(const QImage &picture, const QByteArray &jpeg);

} // namespace ovaline::imageview
