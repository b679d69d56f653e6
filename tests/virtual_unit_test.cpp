// SPDX-License-Identifier: MIT
// The virtual camera's model on its own: time-driven motions, storing and
// recalling, the live picture, its folder, and fault lists.
#include "allocation_probe.h"
#include "faults.h"
#include "jpeg_codec.h"
#include "jpeg_padding.h"
#include "temp_dir.h"
#include "unit_store.h"
#include "virtual_unit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

namespace ovaline::emu {
namespace {

// A unit whose clock the test turns by hand.
struct ClockedUnit {
    explicit ClockedUnit(const std::string &model = "VIHN", double speed = 1.0,
                         std::optional<UnitStore> store = std::nullopt)
        : unit(VirtualUnit::Options{model, speed, std::move(store), [this] { return time; }}) {}

    CommandAnswer send(const std::string &letters, char arg, const std::string &param = "  ") {
        const std::uint8_t frame[7] = {0x02,
                                       static_cast<std::uint8_t>(letters[0]),
                                       static_cast<std::uint8_t>(letters[1]),
                                       static_cast<std::uint8_t>(arg),
                                       static_cast<std::uint8_t>(param[0]),
                                       static_cast<std::uint8_t>(param[1]),
                                       0x03};
        return unit.command(frame);
    }

    double time = 1000.0;
    VirtualUnit unit;
};

double meanBrightness(const std::vector<std::uint8_t> &jpeg) {
    const auto image = decodeJpeg(jpeg.data(), jpeg.size());
    EXPECT_TRUE(image);
    if (!image)
        return 0;
    double sum = 0;
    for (const std::uint8_t v : image->rgb)
        sum += v;
    return sum / static_cast<double>(image->rgb.size());
}

TEST(VirtualUnit, HeldButtonsMoveWithTimeAndTheSpeedFactor) {
    ClockedUnit u;
    u.send("ZO", '+');
    u.time += 2.0;
    u.send("ZO", '0');
    EXPECT_NEAR(u.unit.snapshot().zoom, std::pow(8.0, 0.5), 1e-9) << "half the range in 2 s";
    u.time += 5.0;
    EXPECT_NEAR(u.unit.snapshot().zoom, std::pow(8.0, 0.5), 1e-9) << "stopped on release";
    u.send("ZO", '+');
    u.time += 60.0;
    EXPECT_DOUBLE_EQ(u.unit.snapshot().zoom, 8.0) << "tele end";

    ClockedUnit fast("VIHN", 10.0);
    fast.send("FO", '-');
    fast.time += 0.1; // one second of unit time
    fast.send("FO", '0');
    EXPECT_NEAR(fast.unit.snapshot().focus, 0.25, 1e-9);
    fast.send("AF", '0');
    EXPECT_DOUBLE_EQ(fast.unit.snapshot().focus, 0.5);
}

TEST(VirtualUnit, ThePadMovesThePointerOrTheTwiceViewAndStopsAtTheEdges) {
    ClockedUnit u;
    u.send("PM", '1');
    u.time += 1.0;
    EXPECT_DOUBLE_EQ(u.unit.snapshot().pointerX, 0.5) << "no mode, no movement";
    u.send("PO", '1');
    u.send("PM", '3'); // up
    u.time += 1.0;
    u.send("PM", '0');
    EXPECT_NEAR(u.unit.snapshot().pointerY, 0.25, 1e-9);
    u.send("PM", '6'); // up-left, until the corner
    u.time += 30.0;
    const UnitState s = u.unit.snapshot();
    EXPECT_DOUBLE_EQ(s.pointerX, 0.0);
    EXPECT_DOUBLE_EQ(s.pointerY, 0.0);
    u.send("PO", '0');
    u.send("MA", '1');
    u.send("PM", '7'); // down-right pans the 2x view, within its range
    u.time += 30.0;
    EXPECT_DOUBLE_EQ(u.unit.snapshot().panX, 0.75);
    EXPECT_DOUBLE_EQ(u.unit.snapshot().panY, 0.75);
}

TEST(VirtualUnit, AStoreKeepsTheUnitReadingForAWhile) {
    ClockedUnit u;
    CommandAnswer answer = u.send("CE", '0', "05");
    ASSERT_EQ(answer.nak, 0);
    EXPECT_EQ(std::string(answer.reply.begin(), answer.reply.end()), "1111P100");
    EXPECT_EQ(u.send("CE", '0', "06").nak, 'B') << "a second store while reading";
    u.time += VirtualUnit::kStoreSeconds;
    answer = u.send("QS", '1');
    EXPECT_EQ(std::string(answer.reply.begin(), answer.reply.end()), "0111P100");
    EXPECT_EQ(u.send("CE", '0', "04").nak, 'P');
}

TEST(VirtualUnit, StoredPicturesShowWhatTheControlsDid) {
    ClockedUnit u;
    u.send("CE", '0', "05");
    u.time += 10;
    u.send("NP", '1');
    u.send("CE", '0', "06");
    u.time += 10;
    u.send("NP", '0');
    u.send("ZO", '+');
    u.time += 3;
    u.send("ZO", '0');
    u.send("CE", '0', "07");
    const UnitState s = u.unit.snapshot();
    const double plain = meanBrightness(s.memory[4].jpeg);
    EXPECT_GT(std::abs(meanBrightness(s.memory[5].jpeg) - plain), 20.0) << "negative";
    EXPECT_NE(s.memory[6].jpeg, s.memory[4].jpeg) << "zoomed";
    for (int i = 4; i < 7; ++i)
        EXPECT_LE(s.memory[i].jpeg.size(), 65535u);
}

TEST(VirtualUnit, PauseHoldsThePictureAndRecallShowsASlot) {
    ClockedUnit u;
    u.send("FZ", '1');
    const std::vector<std::uint8_t> frozen = u.unit.snapshot().frozen;
    u.send("NP", '1');
    u.send("CE", '0', "05");
    EXPECT_EQ(u.unit.snapshot().memory[4].jpeg, frozen) << "paused: the still is stored";
    u.send("FZ", '0');
    u.time += 10;
    u.send("CE", '1', "02");
    u.send("CE", '0', "06");
    UnitState s = u.unit.snapshot();
    EXPECT_EQ(s.memory[5].jpeg, s.memory[1].jpeg) << "recalled: the slot is on the output";
    u.send("ZO", '+');
    EXPECT_EQ(u.unit.snapshot().recalled, 0) << "working the optics returns to the stage";
}

TEST(VirtualUnit, TheSubInputBelongsToTheKModels) {
    ClockedUnit h("VIHP");
    EXPECT_EQ(h.send("AV", '3').nak, 'U');
    ClockedUnit k("VIKP");
    EXPECT_EQ(k.send("AV", '3').nak, 0);
    EXPECT_EQ(k.unit.snapshot().input, 3);
}

TEST(VirtualUnit, SendsAreCheckedBeforeAndAfterTheData) {
    ClockedUnit u;
    EXPECT_EQ(u.unit.canStore(4, 1000), 'P');
    EXPECT_EQ(u.unit.canStore(5, 0), 'L');
    EXPECT_EQ(u.unit.canStore(5, 65536), 'L');
    EXPECT_EQ(u.unit.canStore(8, 1000), 'U');
    EXPECT_EQ(u.unit.canStore(5, 65535), 0);
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
    EXPECT_FALSE(u.unit.acceptPicture(text.data(), text.size()));
    const auto slot1 = u.unit.snapshot().memory[0].jpeg;
    EXPECT_TRUE(u.unit.acceptPicture(slot1.data(), slot1.size()));
    EXPECT_FALSE(u.unit.acceptPicture(slot1.data(), slot1.size() / 2)) << "a cut picture";
}

TEST(VirtualUnit, AnUploadIsJudgedByItsHeaderBeforeAnythingIsDecoded) {
    ClockedUnit u; // 640 x 480
    const auto picture = [](int width, int height) {
        return encodeJpeg(renderScene(Scene::Chart, CameraView{}, width, height), 65535);
    };
    const auto portrait = picture(480, 640);
    EXPECT_TRUE(u.unit.acceptPicture(portrait.data(), portrait.size()));
    const auto larger = picture(768, 576);
    EXPECT_FALSE(u.unit.acceptPicture(larger.data(), larger.size()));
    ClockedUnit pal("VIHP"); // 768 x 576
    EXPECT_TRUE(pal.unit.acceptPicture(larger.data(), larger.size()));

    // A small upload whose header claims 4,096 x 4,096 pixels.
    const auto hostile = test::claimSize(picture(640, 480), 4096, 4096);
    test::largestAllocation = 0;
    EXPECT_FALSE(u.unit.acceptPicture(hostile.data(), hostile.size()));
    EXPECT_LT(test::largestAllocation.load(), std::size_t{1} << 20)
        << "nothing allocated for its pixels";
}

TEST(VirtualUnit, AResetReturnsToTheFirstStart) {
    ClockedUnit u;
    const UnitState first = u.unit.snapshot();
    u.send("NP", '1');
    u.send("CE", '0', "05");
    u.unit.store(6, first.memory[0].jpeg);
    u.unit.reset();
    const UnitState again = u.unit.snapshot();
    EXPECT_FALSE(again.negative);
    EXPECT_EQ(again.readingUntil, first.readingUntil);
    for (int i = 0; i < kSlotCount; ++i)
        EXPECT_EQ(again.memory[i].jpeg, first.memory[i].jpeg) << i;
}

TEST(UnitFolder, TwoUnitsOnOneFolderAreOneCamera) {
    test::TempDir folder;
    ClockedUnit first("VIHN", 1.0, UnitStore(folder.path()));
    ClockedUnit second("VIHN", 1.0, UnitStore(folder.path()));
    first.send("PL", '2');
    first.send("CE", '0', "06");
    const UnitState seen = second.unit.snapshot();
    EXPECT_EQ(seen.lamp, '2');
    EXPECT_EQ(seen.memory[5].jpeg, first.unit.snapshot().memory[5].jpeg);
    EXPECT_TRUE(seen.memory[3].locked);
    second.unit.store(7, seen.memory[0].jpeg);
    EXPECT_EQ(first.unit.snapshot().memory[6].jpeg, seen.memory[0].jpeg);
}

TEST(UnitFolder, AnUnreadableStateStartsTheCameraAfresh) {
    test::TempDir folder;
    {
        std::ofstream broken(folder.path() / "state.txt");
        broken << "zoom=lots\n";
    }
    ClockedUnit u("VIHN", 1.0, UnitStore(folder.path()));
    const CommandAnswer map = u.send("QS", '1');
    EXPECT_EQ(std::string(map.reply.begin(), map.reply.end()), "0111P000");
}

TEST(FaultLists, ParseEveryFaultAndRefuseMistakes) {
    std::string error;
    const auto spec = parseFaults(
        "flip=1e-4, drop=0.5,framing=0,overrun=1,hangup=30000,unplug=7,nak=3,badack=2,etx=1,"
        "silent,nocts,seed=42,nakslot=3",
        error);
    ASSERT_TRUE(spec) << error;
    EXPECT_DOUBLE_EQ(spec->line.flip, 1e-4);
    EXPECT_DOUBLE_EQ(spec->line.drop, 0.5);
    EXPECT_DOUBLE_EQ(spec->line.overrun, 1.0);
    EXPECT_EQ(spec->line.hangupAfter, 30000);
    EXPECT_EQ(spec->line.unplugAfter, 7);
    EXPECT_EQ(spec->unit.nak, 3);
    EXPECT_EQ(spec->unit.badAck, 2);
    EXPECT_EQ(spec->unit.badEtx, 1);
    EXPECT_TRUE(spec->unit.silent);
    EXPECT_TRUE(spec->unit.noCts);
    EXPECT_EQ(spec->line.seed, 42u);
    EXPECT_EQ(spec->unit.nakSlot, 3);
    EXPECT_TRUE(parseFaults("", error));

    for (const char *wrong :
         {"flip=2", "flip=", "nak=-1", "nak=x", "silent=1", "jam", "hangup", "nakslot=8"}) {
        EXPECT_FALSE(parseFaults(wrong, error)) << wrong;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace ovaline::emu
