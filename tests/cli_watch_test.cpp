// SPDX-License-Identifier: MIT
// ovaline-cli receive --all --new and watch against ovaline-unit on a
// pseudo-terminal: only pictures that changed cross the line again.
#include "file_bytes.h"
#include "run_process.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <fstream>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

ino_t inode(const fs::path &path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class CliWatch : public ::testing::Test {
protected:
    void startCamera(std::vector<std::string> args = {}, const std::string &speed = "1000") {
        args.insert(args.end(), {"--dir", (work.path() / "camera").string(), "--speed", speed});
        pty = startUnit(unit, OVALINE_UNIT_PATH, args);
        ASSERT_FALSE(pty.empty()) << "ovaline-unit did not start";
        ASSERT_EQ(OvalineSetPortName(1, pty.c_str()), 0);
    }
    void TearDown() override {
        OvalineSetPortName(1, nullptr);
        if (unit.running()) {
            EXPECT_EQ(unit.stop(SIGTERM), 0);
        }
    }
    std::vector<std::string> cliArgs(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--baud", "115200", "--device", pty});
        return args;
    }
    ProcessResult cli(std::vector<std::string> args) const {
        return runProcess(OVALINE_CLI_PATH, cliArgs(std::move(args)));
    }
    emu::UnitState camera() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(work.path() / "camera").load(state));
        return state;
    }
    fs::path out(int slot) const {
        return work.path() / "out" / ("slot" + std::to_string(slot) + ".jpg");
    }
    // True once out/slotN.jpg is the camera's picture of slot N.
    bool inStep(int slot) const { return readAll(out(slot)) == camera().memory[slot - 1].jpeg; }

    TempDir work;
    ChildProcess unit;
    std::string pty;
};

TEST_F(CliWatch, ReceiveNewSkipsTheFilesThatAreTheUnitsPicturesAlready) {
    startCamera();
    const std::string folder = (work.path() / "out").string();
    ASSERT_EQ(cli({"receive", "--all", "-o", folder}).exitCode, 0);
    const ino_t one = inode(out(1));
    std::ofstream(out(2), std::ios::binary | std::ios::trunc) << "not the picture";
    fs::remove(out(3));

    const ProcessResult r = cli({"receive", "--all", "--new", "-o", folder});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("slot 1: unchanged"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("slot 4: unchanged"), std::string::npos) << r.output;
    EXPECT_EQ(inode(out(1)), one) << "the kept file was not written again";
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(inStep(slot)) << slot;

    EXPECT_EQ(unit.stop(SIGTERM), 0);
    startCamera({"--faults", "old"});
    const ProcessResult old = cli({"receive", "--all", "--new", "-o", folder});
    EXPECT_EQ(old.exitCode, 0) << old.output;
    EXPECT_NE(old.output.find("receiving them all"), std::string::npos) << old.output;
    EXPECT_NE(inode(out(1)), one) << "an old unit's slots are all received";
}

TEST_F(CliWatch, WatchFetchesASlotStoredWhileWatchingAndEndsCleanlyOnCtrlC) {
    startCamera();
    ChildProcess watch;
    ASSERT_TRUE(watch.start(
        OVALINE_CLI_PATH,
        cliArgs({"watch", "-o", (work.path() / "out").string(), "--every", "0.2"}), 20.0));
    EXPECT_EQ(watch.firstLine().rfind("slot 1: ", 0), 0u) << watch.firstLine();
    ASSERT_TRUE(waitFor([&] { return inStep(4); }));

    // The watcher holds the port during its polls: store between them.
    ASSERT_TRUE(waitFor([] { return command("CE", '0', "06").code == 0; }));
    ASSERT_TRUE(waitFor([&] { return inStep(6); })) << "the stored slot arrives";

    EXPECT_EQ(watch.stop(SIGINT), 130);
    EXPECT_NE(watch.laterOutput().find("slot 6: "), std::string::npos) << watch.laterOutput();
    EXPECT_EQ(watch.laterOutput().find("slot 1: "), std::string::npos)
        << "each picture once: " << watch.laterOutput();
    for (const auto &entry : fs::directory_iterator(work.path() / "out"))
        EXPECT_EQ(entry.path().extension(), ".jpg") << "no partial file: " << entry.path();
    EXPECT_TRUE(inStep(6));
}

TEST_F(CliWatch, CtrlCDuringAPictureEndsTheWatchAfterItWithNoPartialFile) {
    startCamera({}, "20"); // a picture takes about a tenth of a second at 115,200 bit/s
    ChildProcess watch;
    ASSERT_TRUE(watch.start(OVALINE_CLI_PATH,
                            cliArgs({"watch", "-o", (work.path() / "out").string()}), 20.0));
    // Slot 1 is written; slot 2 is on the line now.
    EXPECT_EQ(watch.stop(SIGINT), 130);
    EXPECT_TRUE(inStep(1));
    for (const auto &entry : fs::directory_iterator(work.path() / "out")) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "slot1.jpg" || name == "slot2.jpg")
            << "stopped after the picture: " << name;
        EXPECT_TRUE(inStep(name[4] - '0')) << "a whole picture: " << name;
    }
}

std::size_t count(const std::string &text, const std::string &part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(CliWatch, WatchSaysEachFailureOnceKeepsPollingAndASecondWatchIsRefused) {
    // The unit refuses the first query four times, and every transfer of slot 2.
    startCamera({"--faults", "nak=4,nakslot=2"});
    const auto errors = work.path() / "errors";
    ChildProcess watch;
    ASSERT_TRUE(
        watch.start(OVALINE_CLI_PATH,
                    cliArgs({"watch", "-o", (work.path() / "out").string(), "--every", "0.2"}),
                    20.0, errors.string()));
    EXPECT_EQ(watch.firstLine().rfind("slot 1: ", 0), 0u) << watch.firstLine();

    const ProcessResult second = cli({"watch", "-o", (work.path() / "other").string()});
    EXPECT_EQ(second.exitCode, 1) << second.output;
    EXPECT_NE(second.output.find("is busy: another watch is running on it"), std::string::npos)
        << second.output;

    // A picture stored later arrives: polls went on past slot 2's refusals.
    ASSERT_TRUE(waitFor([] { return command("CE", '0', "06").code == 0; }));
    ASSERT_TRUE(waitFor([&] { return inStep(6); }));
    EXPECT_EQ(watch.stop(SIGINT), 130);
    std::ifstream in(errors);
    const std::string said{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(count(said, "asking the unit what its slots hold failed: Received NAK"), 1u) << said;
    EXPECT_EQ(count(said, "the unit answers again"), 1u) << said;
    EXPECT_EQ(count(said, "receiving slot 2 failed"), 1u) << said;
    EXPECT_FALSE(fs::exists(out(2)));
}

} // namespace
} // namespace ovaline::test
