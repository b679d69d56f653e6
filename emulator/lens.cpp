// SPDX-License-Identifier: MIT
#include "effects.h"

#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovaline::emu {
namespace {

// Largest blur radius, as a fraction of the picture's shorter side.
constexpr double kMaxBlurFraction = 1.0 / 40.0;
constexpr int kBoxPasses = 3;

// Keeps the view inside the scene field along one axis where it fits.
double clampCentre(double centre, double halfView, double fieldSize) {
    if (halfView >= fieldSize / 2.0) {
        return fieldSize / 2.0;
    }
    return std::clamp(centre, halfView, fieldSize - halfView);
}

// A box filter: the mean of 2 * radius + 1 samples, divided by multiplying.
struct BoxPass {
    int radius;
    std::uint64_t reciprocal; // 2^24 / (2 * radius + 1)

    explicit BoxPass(int r)
        : radius(r), reciprocal(((1u << 24) + (2 * r + 1) / 2) / static_cast<unsigned>(2 * r + 1)) {
    }

    std::uint8_t average(std::uint32_t sum) const {
        return static_cast<std::uint8_t>(
            std::min<std::uint64_t>(255, (sum * reciprocal + (1u << 23)) >> 24));
    }
};

void blurRows(const std::vector<std::uint8_t> &src, std::vector<std::uint8_t> &dst, int width,
              int height, const BoxPass &pass) {
    const int r = pass.radius;
    // One row with its end pixels repeated r times on the left and r + 1 on the right.
    std::vector<std::uint8_t> padded(static_cast<std::size_t>(width + 2 * r + 1) * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *in = src.data() + static_cast<std::size_t>(y) * width * 3;
        std::uint8_t *out = dst.data() + static_cast<std::size_t>(y) * width * 3;
        std::uint8_t *p = padded.data();
        for (int i = 0; i < r; ++i, p += 3) {
            std::copy(in, in + 3, p);
        }
        p = std::copy(in, in + static_cast<std::size_t>(width) * 3, p);
        for (int i = 0; i <= r; ++i, p += 3) {
            std::copy(in + (width - 1) * 3, in + width * 3, p);
        }
        std::uint32_t sums[3] = {0, 0, 0};
        for (int i = 0; i <= 2 * r; ++i) {
            for (int c = 0; c < 3; ++c) {
                sums[c] += padded[i * 3 + c];
            }
        }
        const std::uint8_t *leaving = padded.data();
        const std::uint8_t *entering = padded.data() + (2 * r + 1) * 3;
        for (int x = 0; x < width; ++x, out += 3, leaving += 3, entering += 3) {
            for (int c = 0; c < 3; ++c) {
                out[c] = pass.average(sums[c]);
                sums[c] += entering[c];
                sums[c] -= leaving[c];
            }
        }
    }
}

void blurColumns(const std::vector<std::uint8_t> &src, std::vector<std::uint8_t> &dst, int width,
                 int height, const BoxPass &pass) {
    const int r = pass.radius;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const auto row = [&](int y) { return src.data() + std::clamp(y, 0, height - 1) * rowBytes; };
    std::vector<std::uint32_t> sums(rowBytes, 0);
    for (int y = -r; y <= r; ++y) {
        const std::uint8_t *in = row(y);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            sums[i] += in[i];
        }
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t *out = dst.data() + y * rowBytes;
        const std::uint8_t *entering = row(y + r + 1);
        const std::uint8_t *leaving = row(y - r);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            out[i] = pass.average(sums[i]);
            sums[i] += entering[i];
            sums[i] -= leaving[i];
        }
    }
}

} // namespace

Transform lensTransform(const CameraView &view, int width, int height) {
    const double fit = std::min(width / kSceneWidth, height / kSceneHeight);
    const double magnification = view.zoom * (view.twice ? 2.0 : 1.0);
    const double scale = fit * magnification;
    double cx = kSceneWidth / 2.0;
    double cy = kSceneHeight / 2.0;
    if (view.twice) {
        cx = clampCentre(view.pan_x * kSceneWidth, width / (2.0 * scale), kSceneWidth);
        cy = clampCentre(view.pan_y * kSceneHeight, height / (2.0 * scale), kSceneHeight);
    }
    return {scale, width / 2.0 - cx * scale, height / 2.0 - cy * scale};
}

void applyFocusBlur(RgbImage &image, double focusError) {
    if (focusError <= 0.0) {
        return;
    }
    const double shorter = std::min(image.width, image.height);
    const int radius =
        std::max(1, static_cast<int>(std::lround(focusError * shorter * kMaxBlurFraction)));
    const BoxPass pass(radius);
    std::vector<std::uint8_t> scratch(image.rgb.size());
    for (int i = 0; i < kBoxPasses; ++i) {
        blurRows(image.rgb, scratch, image.width, image.height, pass);
        blurColumns(scratch, image.rgb, image.width, image.height, pass);
    }
}

} // namespace ovaline::emu
