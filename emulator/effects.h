// SPDX-License-Identifier: MIT
// What the unit does to the picture of the stage: its optics, its lamp, its
// picture processing and its pointer.
#pragma once

#include "canvas.h"
#include "picture.h"

namespace ovaline::emu {

// Where the lens looks: the scene field fitted into the picture, magnified by
// the zoom (and twice more in 2x mode, about the pan point).
Transform lensTransform(const CameraView &view, int width, int height);

// Defocus as a near-Gaussian blur (three box passes) whose radius grows with
// focusError (0..1).
void applyFocusBlur(RgbImage &image, double focusError);

// The stage lit by the unit's lamp; Off leaves the picture as it is.
void applyLamp(RgbImage &image, Lamp lamp);

// Exposure by the iris (0..1, 0.5 unchanged), then monochrome and negative.
void applyTone(RgbImage &image, double iris, bool monochrome, bool negative);

// An arrow whose tip is at (x, y), fractions of the picture size.
void drawPointer(RgbImage &image, double x, double y);

} // namespace ovaline::emu
