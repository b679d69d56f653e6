// SPDX-License-Identifier: MIT
// Contrast of text against its background as WCAG 2 measures it, so that a
// colour of the design stays readable under a palette it was not made for.
#pragma once

#include <QColor>

namespace ovaline::app {

// The contrast WCAG asks of normal text, and its enhanced level.
inline constexpr double kReadableContrast = 4.5;
inline constexpr double kEnhancedContrast = 7;

// WCAG's contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// `colour` where it reaches kReadableContrast on `background`. Otherwise the
// first mix of it toward white or black (whichever stands out more from the
// background) that reaches kEnhancedContrast: the room to spare keeps the
// thin strokes of small smoothed text, which come out fainter than their
// colour, above kReadableContrast.
QColor readableOn(const QColor &colour, const QColor &background);

} // namespace ovaline::app
