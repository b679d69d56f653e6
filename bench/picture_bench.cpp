// SPDX-License-Identifier: MIT
// Figures of the virtual camera's pictures at the largest slot size, 768x576:
//   render_<scene>_ms             drawing a scene under the default view
//   render_stage_blurred_ms       the stage fully out of focus
//   render_stage_every_effect_ms  the stage with zoom, 2x, blur, lamp, iris,
//                                 monochrome, negative and the pointer
//   encode_<scene>_ms             storing a scene as a slot picture
//   decode_stage_ms               reading the stage's slot picture back
//   slot_bytes_<scene>            the size of a scene's slot picture
#include "jpeg_codec.h"
#include "picture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace ovaline::emu;

constexpr int kWidth = 768;
constexpr int kHeight = 576;
constexpr std::size_t kSlotLimit = 65535;

struct NamedScene {
    Scene scene;
    const char *name;
};

constexpr NamedScene kScenes[] = {{Scene::Stage, "stage"},
                                  {Scene::Lesson, "lesson"},
                                  {Scene::Chart, "chart"},
                                  {Scene::Map, "map"},
                                  {Scene::Notice, "notice"}};

// Prints each benchmark's mean wall time per iteration as "name: value".
class FigureReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context &) override { return true; }

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                failed = true;
                continue;
            }
            std::printf("%s: %.3f\n", run.benchmark_name().c_str(), run.GetAdjustedRealTime());
        }
    }

    bool failed = false;
};

void registerRender(const std::string &name, Scene scene, const CameraView &view) {
    benchmark::RegisterBenchmark(name.c_str(), [scene, view](benchmark::State &state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(renderScene(scene, view, kWidth, kHeight));
        }
    })->Unit(benchmark::kMillisecond);
}

void registerCodec(const std::string &name, Scene scene, bool decode) {
    benchmark::RegisterBenchmark(name.c_str(), [scene, decode](benchmark::State &state) {
        const RgbImage picture = renderScene(scene, {}, kWidth, kHeight);
        const std::vector<std::uint8_t> jpeg = encodeJpeg(picture, kSlotLimit);
        if (jpeg.empty()) {
            state.SkipWithError("the picture does not fit a slot");
            return;
        }
        for (auto _ : state) {
            if (decode) {
                benchmark::DoNotOptimize(decodeJpeg(jpeg.data(), jpeg.size()));
            } else {
                benchmark::DoNotOptimize(encodeJpeg(picture, kSlotLimit));
            }
        }
    })->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    for (const NamedScene &s : kScenes) {
        registerRender(std::string("render_") + s.name + "_ms", s.scene, {});
    }
    CameraView blurred;
    blurred.focus_error = 1.0;
    registerRender("render_stage_blurred_ms", Scene::Stage, blurred);
    CameraView every;
    every.zoom = 2.5;
    every.twice = true;
    every.pan_x = 0.4;
    every.focus_error = 0.6;
    every.iris = 0.7;
    every.lamp = Lamp::Upper;
    every.negative = true;
    every.monochrome = true;
    every.pointer = true;
    registerRender("render_stage_every_effect_ms", Scene::Stage, every);
    for (const NamedScene &s : kScenes) {
        registerCodec(std::string("encode_") + s.name + "_ms", s.scene, false);
    }
    registerCodec("decode_stage_ms", Scene::Stage, true);

    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool fits = true;
    for (const NamedScene &s : kScenes) {
        const std::size_t bytes =
            encodeJpeg(renderScene(s.scene, {}, kWidth, kHeight), kSlotLimit).size();
        std::printf("slot_bytes_%s: %zu\n", s.name, bytes);
        fits = fits && bytes > 0;
    }
    return reporter.failed || !fits ? 1 : 0;
}
