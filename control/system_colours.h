// SPDX-License-Identifier: MIT
// The panels follow the user's colour scheme: their black, dark grey, light
// grey and white are drawn in the button colours of the current palette
// (button text, shadow, face and highlight). Every other colour stays.
#pragma once

#include <QImage>
#include <QPalette>
#include <QString>

namespace ovaline::control {

QImage mapSystemColours(const QImage &image, const QPalette &palette);

// Loads an image from the resources and maps it.
QImage loadMappedImage(const QString &path, const QPalette &palette);

} // namespace ovaline::control
