// SPDX-License-Identifier: MIT
// Fitting a camera phone's photo (6,000 x 4,000, made here with TurboJPEG)
// to the default camera's 640 x 480:
//   fit_photo_ms        fitting and encoding it (median of runs)
//   fit_photo_peak_mb   the peak resident memory of `ovaline-cli send --fit`
//                       on it, into the virtual camera
//   fit_photo_file_mb   the photo's file size, for reference
#include "median.h"
#include "picture_fit.h"
#include "run_process.h"
#include "temp_dir.h"

#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace ovaline;

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr fit::CameraSize kCamera{640, 480};
constexpr int kRuns = 7;

// Smooth shapes with fine detail and sensor noise, stored as a phone stores
// its photos: 4:2:0 at quality 92.
std::vector<std::uint8_t> phonePhoto() {
    std::vector<std::uint8_t> rgb(std::size_t(kPhotoWidth) * kPhotoHeight * 3);
    std::mt19937 random(1);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < kPhotoHeight; ++y) {
        for (int x = 0; x < kPhotoWidth; ++x) {
            const double wave = std::sin(x * 0.003) * std::cos(y * 0.004);
            const double detail = std::sin(x * 0.21 + y * 0.13) * 18.0;
            std::uint8_t *p = &rgb[(std::size_t(y) * kPhotoWidth + x) * 3];
            const auto level = [&](double base) {
                return std::uint8_t(std::clamp(base + detail + noise(random), 0.0, 255.0));
            };
            p[0] = level(120 + 90 * wave);
            p[1] = level(110 + 60 * std::sin(y * 0.002));
            p[2] = level(100 - 70 * wave);
        }
    }
    tjhandle handle = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), kPhotoWidth, 0, kPhotoHeight, TJPF_RGB, &out, &size, TJSAMP_420,
                92, 0);
    std::vector<std::uint8_t> jpeg(out, out + size);
    tjFree(out);
    tjDestroy(handle);
    return jpeg;
}

// The peak resident memory in MB of ovaline-cli sending the photo, the only
// child this process waits for; negative when it failed. Until it runs
// ovaline-cli the child shares this process's memory, whose peak (the
// photo's pixels made above) would count as the child's: that peak is first
// reset to what this process holds now.
double peakOfSendFit(const std::string &photo, const std::string &camera) {
    std::ofstream("/proc/self/clear_refs") << "5";
    setenv("OVALINE_VIRTUAL_DIR", camera.c_str(), 1);
    setenv("OVALINE_VIRTUAL_SPEED", "1000", 1);
    const test::ProcessResult sent = test::runProcess(
        OVALINE_CLI_PATH, {"--device", "virtual", "--baud", "115200", "send", "--fit", photo, "7"});
    rusage usage{};
    if (sent.exitCode != 0 || getrusage(RUSAGE_CHILDREN, &usage) != 0)
        return -1;
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main() {
    const std::vector<std::uint8_t> photo = phonePhoto();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const fit::Fitted fitted = fit::fitPicture(photo, kCamera);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!std::holds_alternative<std::vector<std::uint8_t>>(fitted)) {
            std::fprintf(stderr, "fit_photo_ms: the photo was not fitted\n");
            return 1;
        }
    }
    const test::TempDir work;
    const std::string file = (work.path() / "photo.jpg").string();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char *>(photo.data()), std::streamsize(photo.size()));
    const double peak = peakOfSendFit(file, (work.path() / "camera").string());
    if (peak < 0) {
        std::fprintf(stderr, "fit_photo_peak_mb: ovaline-cli send --fit failed\n");
        return 1;
    }
    std::printf("fit_photo_ms: %.1f\n", test::median(times));
    std::printf("fit_photo_peak_mb: %.1f\n", peak);
    std::printf("fit_photo_file_mb: %.1f\n", double(photo.size()) / (1024.0 * 1024.0));
    return 0;
}
