// SPDX-License-Identifier: MIT
// OvalineReceivedPrefix, through the public header, read on this thread
// while OvalineTraffic receives a picture on another.
#include "traffic.h"
#include "virtual_camera_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace ovaline::test {
namespace {

class ReceivedPrefix : public VirtualCameraTest {};

TEST_F(ReceivedPrefix, FollowsTheStartOfThePictureWithoutGapsAndNeverTouchesTheCallersBuffer) {
    const std::vector<std::uint8_t> picture = cameraState().memory[0].jpeg;
    ASSERT_GT(picture.size(), 4 * 512u);
    // Damaged blocks arrive out of order, after their retransmission.
    env.set("OVALINE_VIRTUAL_SPEED", "4").set("OVALINE_VIRTUAL_FAULTS", "flip=0.0002,seed=11");
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE, 0xA5);
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "TR", '0', "01", buffer.data(), OVALINE_MAX_IMAGE);
    std::vector<std::uint8_t> copy(OVALINE_MAX_IMAGE);
    EXPECT_EQ(OvalineReceivedPrefix(&record.block, copy.data(), OVALINE_MAX_IMAGE), -1)
        << "no exchange runs on the record yet";

    std::atomic<std::int32_t> code{-1};
    std::thread worker([&] { code = OvalineTraffic(&record.block); });
    std::int32_t lastCount = 0;
    bool sawQuarter = false;
    bool bufferUntouched = true;
    while (OvalineLoadBusy(&record.block) != 0) {
        const std::int32_t count =
            OvalineReceivedPrefix(&record.block, copy.data(), OVALINE_MAX_IMAGE);
        if (count > 0) {
            ASSERT_LE(static_cast<std::size_t>(count), picture.size());
            ASSERT_TRUE(count % 512 == 0 || static_cast<std::size_t>(count) == picture.size())
                << count << " bytes end inside a block";
            ASSERT_TRUE(std::equal(copy.begin(), copy.begin() + count, picture.begin()))
                << "the first " << count << " bytes are not the picture's";
            EXPECT_GE(count, lastCount) << "the run only shrinks when the whole picture fails";
            lastCount = count;
            if (static_cast<std::size_t>(count) >= picture.size() / 4 &&
                static_cast<std::size_t>(count) < picture.size()) {
                sawQuarter = true;
                bufferUntouched = bufferUntouched && std::all_of(buffer.begin(), buffer.end(),
                                                                 [](auto b) { return b == 0xA5; });
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    worker.join();
    ASSERT_EQ(code, OVALINE_OK);
    EXPECT_TRUE(sawQuarter) << "a quarter of the picture was never seen before its end";
    EXPECT_TRUE(bufferUntouched) << "the caller's buffer was written before the picture was whole";
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), buffer.begin()));
    EXPECT_EQ(OvalineReceivedPrefix(&record.block, copy.data(), OVALINE_MAX_IMAGE), -1)
        << "the exchange is over";

    // A small buffer takes what fits.
    record.block = makeBlock(1, 115200, "TR", '0', "01", buffer.data(), OVALINE_MAX_IMAGE);
    std::thread again([&] { code = OvalineTraffic(&record.block); });
    std::uint8_t first[16];
    std::int32_t small = 0;
    while (OvalineLoadBusy(&record.block) != 0 && small < 16)
        small = std::max(small, OvalineReceivedPrefix(&record.block, first, sizeof first));
    again.join();
    ASSERT_EQ(code, OVALINE_OK);
    EXPECT_EQ(small, 16);
    EXPECT_TRUE(std::equal(first, first + 16, picture.begin()));
}

} // namespace
} // namespace ovaline::test
