// SPDX-License-Identifier: MIT
// Every seed of the fuzz targets and every input that once broke one, run
// again through the same drivers: under the asan preset this keeps each
// finding fixed.
#include "imaging_driver.h"
#include "protocol_drivers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace ovaline::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs every file of fuzz/corpus/<target> and fuzz/regressions/<target>;
// the number of files run.
int replay(const char *target, const std::function<void(const std::vector<std::uint8_t> &)> &run) {
    int count = 0;
    for (const char *kind : {"corpus", "regressions"}) {
        const fs::path folder = fs::path(OVALINE_FUZZ_DIR) / kind / target;
        if (!fs::is_directory(folder))
            continue;
        for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            run(readAll(entry.path()));
            ++count;
        }
    }
    return count;
}

TEST(FuzzReplay, HostExchanges) {
    EXPECT_GT(
        replay("host", [](const auto &input) { runHostExchange(input.data(), input.size()); }), 0);
}

TEST(FuzzReplay, UnitSessions) {
    EXPECT_GT(replay("unit", [](const auto &input) { runUnitSession(input.data(), input.size()); }),
              0);
}

TEST(FuzzReplay, PictureLoads) {
    EXPECT_GT(replay("imaging", [](const auto &input) { loadPicture(input.data(), input.size()); }),
              0);
}

// The seeds do what they are named for: the scripted unit is answered, the
// scripted host's picture is kept.
TEST(FuzzReplay, SeedsReachTheEndOfTheirExchanges) {
    for (const char *seed : {"command-reply", "receive-whole", "receive-block-again", "send-whole",
                             "send-missing-block"}) {
        const auto input = readAll(fs::path(OVALINE_FUZZ_DIR) / "corpus" / "host" / seed);
        EXPECT_EQ(runHostExchange(input.data(), input.size()), 0) << seed;
    }
    const auto picture = readAll(fs::path(OVALINE_FUZZ_DIR) / "corpus" / "imaging" / "cmyk");
    EXPECT_EQ(loadPicture(picture.data(), picture.size()), 0);
}

} // namespace
} // namespace ovaline::fuzz
