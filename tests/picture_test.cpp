// SPDX-License-Identifier: MIT
// The virtual camera's pictures: the scenes, the effects of the camera's
// settings, and the JPEG codec that stores them in the slots.
#include "jpeg_codec.h"
#include "picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Records the largest single allocation made through operator new, so a test
// can tell that a decoder did not allocate for the size a header claims.
namespace {
std::atomic<std::size_t> largestAllocation{0};
}

void *operator new(std::size_t size) {
    std::size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

// Kept out of line: inlined, the compiler takes the free() for a mismatch.
[[gnu::noinline]] void operator delete(void *p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace ovaline::emu;

constexpr std::size_t kSlotLimit = 65536;

struct Size {
    int width;
    int height;
};

constexpr Size kSlotSizes[] = {{736, 480}, {736, 568}, {640, 480}, {768, 576}};
constexpr Scene kScenes[] = {Scene::Stage, Scene::Lesson, Scene::Chart, Scene::Map, Scene::Notice};

const char *sceneName(Scene scene) {
    switch (scene) {
    case Scene::Stage:
        return "Stage";
    case Scene::Lesson:
        return "Lesson";
    case Scene::Chart:
        return "Chart";
    case Scene::Map:
        return "Map";
    case Scene::Notice:
        return "Notice";
    }
    return "Unknown";
}

// A pixel window [x0, x1) x [y0, y1).
struct Region {
    int x0;
    int y0;
    int x1;
    int y1;
};

Region whole(const RgbImage &image) {
    return {0, 0, image.width, image.height};
}

const std::uint8_t *pixel(const RgbImage &image, int x, int y) {
    return image.rgb.data() + (static_cast<std::size_t>(y) * image.width + x) * 3;
}

double luma(const std::uint8_t *p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

double meanLuma(const RgbImage &image, Region r) {
    double sum = 0.0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            sum += luma(pixel(image, x, y));
        }
    }
    return sum / (static_cast<double>(r.x1 - r.x0) * (r.y1 - r.y0));
}

double meanLuma(const RgbImage &image) {
    return meanLuma(image, whole(image));
}

double lumaDeviation(const RgbImage &image) {
    const double mean = meanLuma(image);
    double sum = 0.0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double d = luma(pixel(image, x, y)) - mean;
            sum += d * d;
        }
    }
    return std::sqrt(sum / (static_cast<double>(image.width) * image.height));
}

// Mean of one channel (0 red, 2 blue) over a region.
double meanChannel(const RgbImage &image, Region r, int channel) {
    double sum = 0.0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            sum += pixel(image, x, y)[channel];
        }
    }
    return sum / (static_cast<double>(r.x1 - r.x0) * (r.y1 - r.y0));
}

double meanAbsDiff(const RgbImage &a, const RgbImage &b) {
    EXPECT_EQ(a.rgb.size(), b.rgb.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < std::min(a.rgb.size(), b.rgb.size()); ++i) {
        sum += std::abs(a.rgb[i] - b.rgb[i]);
    }
    return sum / static_cast<double>(a.rgb.size());
}

// Mean luma gradient magnitude: falls as a picture gets blurred.
double sharpness(const RgbImage &image) {
    double sum = 0.0;
    for (int y = 0; y + 1 < image.height; ++y) {
        for (int x = 0; x + 1 < image.width; ++x) {
            const double l = luma(pixel(image, x, y));
            sum += std::abs(luma(pixel(image, x + 1, y)) - l) +
                   std::abs(luma(pixel(image, x, y + 1)) - l);
        }
    }
    return sum / (static_cast<double>(image.width - 1) * (image.height - 1));
}

// Largest luma step between neighbouring pixels inside a region.
double largestStep(const RgbImage &image, Region r) {
    double largest = 0.0;
    for (int y = r.y0; y + 1 < r.y1; ++y) {
        for (int x = r.x0; x + 1 < r.x1; ++x) {
            const double l = luma(pixel(image, x, y));
            largest = std::max({largest, std::abs(luma(pixel(image, x + 1, y)) - l),
                                std::abs(luma(pixel(image, x, y + 1)) - l)});
        }
    }
    return largest;
}

double meanChannelSpread(const RgbImage &image) {
    double sum = 0.0;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
        const auto [lo, hi] = std::minmax({image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]});
        sum += hi - lo;
    }
    return sum / static_cast<double>(image.rgb.size() / 3);
}

// What a lens magnifying by `factor` about (cx, cy) (fractions of the picture)
// would show, made from an unmagnified picture by nearest-neighbour sampling.
RgbImage magnified(const RgbImage &image, double cx, double cy, double factor) {
    RgbImage out{image.width, image.height, std::vector<std::uint8_t>(image.rgb.size())};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double sx = cx * image.width + (x + 0.5 - image.width / 2.0) / factor;
            const double sy = cy * image.height + (y + 0.5 - image.height / 2.0) / factor;
            const int ix = std::clamp(static_cast<int>(sx), 0, image.width - 1);
            const int iy = std::clamp(static_cast<int>(sy), 0, image.height - 1);
            std::copy_n(pixel(image, ix, iy), 3,
                        out.rgb.data() + (static_cast<std::size_t>(y) * image.width + x) * 3);
        }
    }
    return out;
}

RgbImage render(const CameraView &view, Scene scene = Scene::Stage, int width = 640,
                int height = 480) {
    return renderScene(scene, view, width, height);
}

// ---------------------------------------------------------------------------
// Slot pictures: every scene at every slot size fits a slot and decodes back.

struct SlotCase {
    Scene scene;
    Size size;
};

void PrintTo(const SlotCase &c, std::ostream *os) {
    *os << sceneName(c.scene) << " " << c.size.width << "x" << c.size.height;
}

class SlotPicture : public testing::TestWithParam<SlotCase> {};

TEST_P(SlotPicture, FitsASlotAndDecodesBackToTheSameSize) {
    const auto [scene, size] = GetParam();
    const RgbImage picture = renderScene(scene, CameraView{}, size.width, size.height);
    ASSERT_EQ(picture.width, size.width);
    ASSERT_EQ(picture.height, size.height);
    ASSERT_EQ(picture.rgb.size(), static_cast<std::size_t>(size.width) * size.height * 3);

    const std::vector<std::uint8_t> jpeg = encodeJpeg(picture, kSlotLimit - 1);
    ASSERT_FALSE(jpeg.empty());
    EXPECT_LT(jpeg.size(), kSlotLimit);

    const std::optional<RgbImage> decoded = decodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, size.width);
    EXPECT_EQ(decoded->height, size.height);
    EXPECT_LT(meanAbsDiff(*decoded, picture), 6.0);
}

std::vector<SlotCase> allSlotCases() {
    std::vector<SlotCase> cases;
    for (const Scene scene : kScenes) {
        for (const Size size : kSlotSizes) {
            cases.push_back({scene, size});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllScenesAndSizes, SlotPicture, testing::ValuesIn(allSlotCases()),
                         [](const testing::TestParamInfo<SlotCase> &info) {
                             return std::string(sceneName(info.param.scene)) + "_" +
                                    std::to_string(info.param.size.width) + "x" +
                                    std::to_string(info.param.size.height);
                         });

// ---------------------------------------------------------------------------
// The scenes and the rendering contract.

TEST(RenderScene, ScenesLookClearlyDifferent) {
    std::vector<RgbImage> pictures;
    for (const Scene scene : kScenes) {
        pictures.push_back(render({}, scene));
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            EXPECT_GT(meanAbsDiff(pictures[i], pictures[j]), 20.0)
                << sceneName(kScenes[i]) << " vs " << sceneName(kScenes[j]);
        }
    }
}

TEST(RenderScene, ScenesHaveDetailAndColour) {
    for (const Scene scene : kScenes) {
        const RgbImage picture = render({}, scene);
        EXPECT_GT(sharpness(picture), 2.0) << sceneName(scene);
        EXPECT_GT(meanChannelSpread(picture), 10.0) << sceneName(scene);
        EXPECT_GT(lumaDeviation(picture), 20.0) << sceneName(scene);
    }
}

TEST(RenderScene, SameArgumentsGiveSamePixels) {
    CameraView busy;
    busy.zoom = 1.7;
    busy.focus_error = 0.3;
    busy.iris = 0.62;
    busy.lamp = Lamp::Upper;
    busy.pointer = true;
    busy.pointer_x = 0.3;
    busy.pointer_y = 0.6;
    busy.twice = true;
    busy.pan_x = 0.4;
    busy.pan_y = 0.55;
    for (const Scene scene : kScenes) {
        for (const CameraView &view : {CameraView{}, busy}) {
            EXPECT_EQ(render(view, scene, 736, 568).rgb, render(view, scene, 736, 568).rgb)
                << sceneName(scene);
        }
    }
}

TEST(RenderScene, DrawsAnySizeFromTheSmallestUp) {
    CameraView view;
    view.pointer = true;
    view.focus_error = 1.0;
    for (const Size size :
         {Size{16, 16}, Size{17, 931}, Size{1000, 16}, Size{16, 4096}, Size{333, 101}}) {
        for (const Scene scene : kScenes) {
            const RgbImage picture = renderScene(scene, view, size.width, size.height);
            EXPECT_EQ(picture.width, size.width);
            EXPECT_EQ(picture.height, size.height);
            EXPECT_EQ(picture.rgb.size(), static_cast<std::size_t>(size.width) * size.height * 3);
        }
    }
}

TEST(RenderScene, RefusesBadSizesAndUnknownValues) {
    for (const Size size : {Size{15, 480}, Size{640, 15}, Size{0, 0}, Size{-640, 480},
                            Size{kMaxRenderSide + 1, 480}, Size{640, kMaxRenderSide + 1}}) {
        EXPECT_THROW(renderScene(Scene::Stage, {}, size.width, size.height), std::invalid_argument)
            << size.width << "x" << size.height;
    }
    EXPECT_THROW(render({}, static_cast<Scene>(99)), std::invalid_argument);
    CameraView badLamp;
    badLamp.lamp = static_cast<Lamp>(7);
    EXPECT_THROW(render(badLamp), std::invalid_argument);
    for (const int input : {-1, 4, 100}) {
        CameraView badInput;
        badInput.input = input;
        EXPECT_THROW(render(badInput), std::invalid_argument) << input;
    }
}

TEST(RenderScene, ClampsSettingsOutOfRange) {
    const auto same = [](auto set, auto setLimit) {
        CameraView beyond;
        set(beyond);
        CameraView limit;
        setLimit(limit);
        return render(beyond).rgb == render(limit).rgb;
    };
    EXPECT_TRUE(same([](CameraView &v) { v.zoom = 20; }, [](CameraView &v) { v.zoom = 8; }));
    EXPECT_TRUE(same([](CameraView &v) { v.zoom = 0.1; }, [](CameraView &v) { v.zoom = 1; }));
    EXPECT_TRUE(same([](CameraView &v) { v.iris = 7; }, [](CameraView &v) { v.iris = 1; }));
    EXPECT_TRUE(same([](CameraView &v) { v.iris = -3; }, [](CameraView &v) { v.iris = 0; }));
    EXPECT_TRUE(
        same([](CameraView &v) { v.focus_error = 5; }, [](CameraView &v) { v.focus_error = 1; }));
    EXPECT_TRUE(same(
        [](CameraView &v) {
            v.pointer = true;
            v.pointer_x = 3;
            v.pointer_y = -2;
        },
        [](CameraView &v) {
            v.pointer = true;
            v.pointer_x = 1;
            v.pointer_y = 0;
        }));
}

TEST(RenderScene, NonFiniteSettingsTakeTheirDefaults) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CameraView view;
    view.zoom = nan;
    view.focus_error = inf;
    view.iris = -inf;
    view.twice = true;
    view.pan_x = nan;
    view.pan_y = nan;
    view.pointer = true;
    view.pointer_x = nan;
    view.pointer_y = inf;
    CameraView expected;
    expected.twice = true;
    expected.pointer = true;
    EXPECT_EQ(render(view).rgb, render(expected).rgb);
}

// ---------------------------------------------------------------------------
// The camera's settings, each of which must visibly change the picture.

TEST(CameraViewEffects, ZoomMagnifiesAboutTheCentre) {
    const RgbImage wide = render({});
    for (const double zoom : {2.0, 3.5}) {
        CameraView view;
        view.zoom = zoom;
        const RgbImage tele = render(view);
        const double fromWide = meanAbsDiff(tele, wide);
        const double fromExpected = meanAbsDiff(tele, magnified(wide, 0.5, 0.5, zoom));
        EXPECT_GT(fromWide, 25.0) << zoom;
        EXPECT_LT(fromExpected, fromWide / 4.0) << zoom;
    }
}

TEST(CameraViewEffects, TwiceAddsTwoTimesAboutThePanPoint) {
    const RgbImage wide = render({});
    CameraView view;
    view.twice = true;
    view.pan_x = 0.3;
    view.pan_y = 0.35;
    const RgbImage twice = render(view);
    EXPECT_LT(meanAbsDiff(twice, magnified(wide, 0.3, 0.35, 2.0)), meanAbsDiff(twice, wide) / 4.0);

    view.zoom = 2.0;
    const RgbImage both = render(view);
    EXPECT_LT(meanAbsDiff(both, magnified(wide, 0.3, 0.35, 4.0)),
              meanAbsDiff(both, magnified(wide, 0.3, 0.35, 2.0)) / 3.0);
}

TEST(CameraViewEffects, PanMattersOnlyInTwiceMode) {
    CameraView centred;
    centred.zoom = 2.0;
    CameraView panned = centred;
    panned.pan_x = 0.2;
    panned.pan_y = 0.7;
    EXPECT_EQ(render(centred).rgb, render(panned).rgb);
    centred.twice = panned.twice = true;
    EXPECT_GT(meanAbsDiff(render(centred), render(panned)), 20.0);
}

TEST(CameraViewEffects, PanNearTheEdgeKeepsTheViewOnTheStage) {
    CameraView corner;
    corner.twice = true;
    corner.pan_x = 0.0;
    corner.pan_y = 0.0;
    CameraView nearest = corner;
    nearest.pan_x = 0.25;
    nearest.pan_y = 0.25;
    EXPECT_EQ(render(corner).rgb, render(nearest).rgb);
}

TEST(CameraViewEffects, FocusErrorBlursMoreAsItGrows) {
    double previous = std::numeric_limits<double>::infinity();
    for (const double error : {0.0, 0.01, 0.3, 0.6, 1.0}) {
        CameraView view;
        view.focus_error = error;
        const double s = sharpness(render(view, Scene::Lesson));
        EXPECT_LT(s, previous * 0.9) << error;
        previous = s;
    }
}

TEST(CameraViewEffects, FocusErrorKeepsTheOverallBrightness) {
    CameraView view;
    view.focus_error = 1.0;
    EXPECT_NEAR(meanLuma(render(view)), meanLuma(render({})), 2.0);
}

TEST(CameraViewEffects, IrisDarkensAndBrightens) {
    double previous = -1.0;
    for (const double iris : {0.0, 0.2, 0.5, 0.8, 1.0}) {
        CameraView view;
        view.iris = iris;
        const double mean = meanLuma(render(view));
        EXPECT_GT(mean, previous + 5.0) << iris;
        previous = mean;
    }
}

TEST(CameraViewEffects, UpperLampIsWarmAndFallsOffDownwards) {
    CameraView lit;
    lit.lamp = Lamp::Upper;
    const RgbImage off = render({}, Scene::Chart);
    const RgbImage upper = render(lit, Scene::Chart);
    const Region top{0, 0, 640, 120};
    const Region bottom{0, 360, 640, 480};
    const auto warmth = [](const RgbImage &image, Region r) {
        return meanChannel(image, r, 0) - meanChannel(image, r, 2);
    };
    EXPECT_GT(warmth(upper, top), warmth(off, top) + 8.0);
    const auto falloff = [&](const RgbImage &image) {
        return meanLuma(image, top) - meanLuma(image, bottom);
    };
    EXPECT_GT(falloff(upper), falloff(off) + 10.0);
}

TEST(CameraViewEffects, BaseLampBrightensTheStageAndWashesOutThePaper) {
    CameraView lit;
    lit.lamp = Lamp::Base;
    const RgbImage off = render({});
    const RgbImage base = render(lit);
    const Region border{0, 0, 40, 480}; // the dark stage left of the sheet
    EXPECT_GT(meanLuma(base, border), meanLuma(off, border) + 60.0);
    EXPECT_LT(lumaDeviation(base), lumaDeviation(off) * 0.7);
}

TEST(CameraViewEffects, NegativeInvertsEveryPixel) {
    CameraView tinted;
    tinted.iris = 0.3;
    tinted.lamp = Lamp::Upper;
    for (const CameraView &view : {CameraView{}, tinted}) {
        CameraView inverted = view;
        inverted.negative = true;
        const RgbImage normal = render(view, Scene::Map);
        const RgbImage negative = render(inverted, Scene::Map);
        ASSERT_EQ(normal.rgb.size(), negative.rgb.size());
        for (std::size_t i = 0; i < normal.rgb.size(); ++i) {
            ASSERT_EQ(negative.rgb[i], 255 - normal.rgb[i]) << "byte " << i;
        }
    }
}

TEST(CameraViewEffects, MonochromeShowsTheLumaOfEachPixel) {
    CameraView mono;
    mono.monochrome = true;
    for (const Scene scene : kScenes) {
        const RgbImage colour = render({}, scene);
        const RgbImage grey = render(mono, scene);
        EXPECT_GT(meanChannelSpread(colour), 10.0) << sceneName(scene);
        EXPECT_EQ(meanChannelSpread(grey), 0.0) << sceneName(scene);
        double worst = 0.0;
        for (std::size_t i = 0; i < colour.rgb.size(); i += 3) {
            worst = std::max(worst, std::abs(grey.rgb[i] - luma(&colour.rgb[i])));
        }
        EXPECT_LE(worst, 1.0) << sceneName(scene);
    }
}

TEST(CameraViewEffects, PointerChangesPixelsNearItsTipOnly) {
    for (const auto &[px, py] : {std::pair{0.3, 0.6}, std::pair{0.8, 0.1}, std::pair{0.5, 0.5}}) {
        CameraView view;
        view.pointer = true;
        view.pointer_x = px;
        view.pointer_y = py;
        const RgbImage plain = render({});
        const RgbImage pointed = render(view);
        const int tipX = static_cast<int>(px * 639);
        const int tipY = static_cast<int>(py * 479);
        const int reach = 480 / 8;
        int changed = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                if (!std::equal(pixel(plain, x, y), pixel(plain, x, y) + 3, pixel(pointed, x, y))) {
                    ++changed;
                    EXPECT_TRUE(x >= tipX - 2 && x <= tipX + reach && y >= tipY - 2 &&
                                y <= tipY + reach)
                        << "pixel " << x << "," << y << " changed, tip at " << tipX << "," << tipY;
                }
            }
        }
        EXPECT_GT(changed, 200);
    }
}

TEST(CameraViewEffects, PointerStaysSharpWhenOutOfFocus) {
    CameraView blurred;
    blurred.focus_error = 1.0;
    CameraView pointed = blurred;
    pointed.pointer = true;
    pointed.pointer_x = 0.4;
    pointed.pointer_y = 0.45;
    const Region around{250, 210, 300, 260};
    EXPECT_LT(largestStep(render(blurred), around), 40.0);
    EXPECT_GT(largestStep(render(pointed), around), 150.0);
}

TEST(CameraViewEffects, PointerAtTheCornersStaysVisible) {
    for (const auto &[px, py] :
         {std::pair{0.0, 0.0}, std::pair{1.0, 1.0}, std::pair{1.0, 0.0}, std::pair{0.0, 1.0}}) {
        CameraView view;
        view.pointer = true;
        view.pointer_x = px;
        view.pointer_y = py;
        EXPECT_GT(meanAbsDiff(render(view), render({})), 0.0) << px << "," << py;
    }
}

TEST(CameraViewEffects, OtherInputsShowTheirOwnPictures) {
    const RgbImage stage = render({});
    std::vector<RgbImage> inputs;
    for (const int input : {1, 2, 3}) {
        CameraView view;
        view.input = input;
        inputs.push_back(render(view));
        EXPECT_GT(meanAbsDiff(inputs.back(), stage), 30.0) << input;
        EXPECT_GT(meanChannelSpread(inputs.back()), 60.0) << input; // colour bars

        // The signal comes from elsewhere: the stage scene and the camera's
        // optics do not change it.
        CameraView optics = view;
        optics.zoom = 4.0;
        optics.focus_error = 1.0;
        optics.lamp = Lamp::Base;
        EXPECT_EQ(render(optics, Scene::Map).rgb, inputs.back().rgb) << input;
    }
    EXPECT_GT(meanAbsDiff(inputs[0], inputs[1]), 0.5);
    EXPECT_GT(meanAbsDiff(inputs[0], inputs[2]), 0.5);
    EXPECT_GT(meanAbsDiff(inputs[1], inputs[2]), 0.5);
}

// ---------------------------------------------------------------------------
// The JPEG codec.

std::vector<std::uint8_t> smallJpeg() {
    const std::vector<std::uint8_t> jpeg = encodeJpeg(render({}, Scene::Map, 160, 120), kSlotLimit);
    EXPECT_FALSE(jpeg.empty());
    return jpeg;
}

// Rewrites the frame header's declared size.
std::vector<std::uint8_t> withDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    std::size_t i = 2;
    while (i + 9 < jpeg.size() && jpeg[i] == 0xFF) {
        const std::uint8_t marker = jpeg[i + 1];
        if (marker >= 0xC0 && marker <= 0xC2) {
            jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[i + 6] = static_cast<std::uint8_t>(height);
            jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[i + 8] = static_cast<std::uint8_t>(width);
            return jpeg;
        }
        i += 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
    }
    ADD_FAILURE() << "no frame header found";
    return jpeg;
}

TEST(JpegCodec, RoundTripKeepsThePicture) {
    const RgbImage picture = render({}, Scene::Chart);
    const std::vector<std::uint8_t> jpeg = encodeJpeg(picture, kSlotLimit);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    const std::optional<RgbImage> decoded = decodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, picture.width);
    EXPECT_EQ(decoded->height, picture.height);
    EXPECT_LT(meanAbsDiff(*decoded, picture), 5.0);
}

TEST(JpegCodec, LowersTheQualityUntilThePictureFits) {
    const RgbImage picture = render({}, Scene::Stage, 768, 576);
    const std::size_t best = encodeJpeg(picture, std::numeric_limits<std::size_t>::max()).size();
    ASSERT_GT(best, 0u);
    std::size_t previous = best;
    for (const std::size_t limit : {best - 1, best * 2 / 3, best / 2}) {
        const std::vector<std::uint8_t> jpeg = encodeJpeg(picture, limit);
        ASSERT_FALSE(jpeg.empty()) << limit;
        EXPECT_LE(jpeg.size(), limit);
        EXPECT_LT(jpeg.size(), previous);
        previous = jpeg.size();
        EXPECT_TRUE(decodeJpeg(jpeg.data(), jpeg.size()).has_value());
    }
}

TEST(JpegCodec, GivesUpWhenEvenTheLowestQualityDoesNotFit) {
    EXPECT_TRUE(encodeJpeg(render({}, Scene::Stage, 768, 576), 2000).empty());
}

TEST(JpegCodec, RefusesToEncodeMalformedImages) {
    RgbImage picture = render({});
    picture.rgb.pop_back();
    EXPECT_TRUE(encodeJpeg(picture, kSlotLimit).empty());
    EXPECT_TRUE(encodeJpeg(RgbImage{}, kSlotLimit).empty());
    EXPECT_TRUE(encodeJpeg(RgbImage{-4, 4, std::vector<std::uint8_t>(48)}, kSlotLimit).empty());
}

TEST(JpegCodec, RefusesEmptyInput) {
    const std::uint8_t byte = 0xFF;
    EXPECT_FALSE(decodeJpeg(nullptr, 0).has_value());
    EXPECT_FALSE(decodeJpeg(nullptr, 100).has_value());
    EXPECT_FALSE(decodeJpeg(&byte, 0).has_value());
}

TEST(JpegCodec, RefusesTruncatedDataAtEveryCut) {
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    ASSERT_TRUE(decodeJpeg(jpeg.data(), jpeg.size()).has_value());
    for (std::size_t cut = 1; cut < jpeg.size(); cut += (cut + 16 < jpeg.size() ? 7 : 1)) {
        const std::vector<std::uint8_t> part(jpeg.begin(), jpeg.begin() + cut);
        EXPECT_FALSE(decodeJpeg(part.data(), part.size()).has_value()) << "cut at " << cut;
    }
}

TEST(JpegCodec, RefusesRandomBytes) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> noise(1 + random() % 4096);
        for (std::uint8_t &b : noise) {
            b = static_cast<std::uint8_t>(random());
        }
        if (round % 2 == 1) { // a start-of-image marker, then noise
            noise.insert(noise.begin(), {0xFF, 0xD8});
        }
        EXPECT_FALSE(decodeJpeg(noise.data(), noise.size()).has_value()) << "round " << round;
    }
}

TEST(JpegCodec, SurvivesDamagedData) {
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> damaged = jpeg;
        for (int k = 0; k < 1 + round % 4; ++k) {
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        }
        const std::optional<RgbImage> decoded = decodeJpeg(damaged.data(), damaged.size());
        if (decoded) {
            EXPECT_GT(decoded->width, 0);
            EXPECT_LE(decoded->width, kMaxDecodeSide);
            EXPECT_GT(decoded->height, 0);
            EXPECT_LE(decoded->height, kMaxDecodeSide);
            EXPECT_EQ(decoded->rgb.size(),
                      static_cast<std::size_t>(decoded->width) * decoded->height * 3);
        }
    }
}

TEST(JpegCodec, RefusesHugeDeclaredSizesWithoutAllocatingForThem) {
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    for (const Size declared :
         {Size{65535, 65535}, Size{5000, 5000}, Size{4097, 16}, Size{16, 4097}, Size{0, 120}}) {
        const std::vector<std::uint8_t> lying =
            withDeclaredSize(jpeg, declared.width, declared.height);
        largestAllocation = 0;
        EXPECT_FALSE(decodeJpeg(lying.data(), lying.size()).has_value())
            << declared.width << "x" << declared.height;
        EXPECT_LT(largestAllocation.load(), 1u << 20) << declared.width << "x" << declared.height;
    }
}

} // namespace
