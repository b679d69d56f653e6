// SPDX-License-Identifier: MIT
// ovaline-cli capture against ovaline-unit on a pseudo-terminal: the live
// picture stored, received and saved under the date and time, and the
// refusals that come before anything is stored.
#include "file_bytes.h"
#include "run_process.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <regex>
#include <sys/stat.h>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

TEST(CliCapture, StoresIntoTheFirstEmptySlotSavesThePictureAndRefusesInWords) {
    // The unit and the program run as an ordinary user, in a folder the
    // user may write.
    TempDir work;
    ASSERT_EQ(::chmod(work.str().c_str(), 0777), 0);
    ChildProcess unit;
    const fs::path camera = work.path() / "cam";
    const Command unitCommand =
        asUser({OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", camera.string()}});
    const std::string port = startUnit(unit, unitCommand.program, unitCommand.args);
    ASSERT_FALSE(port.empty());
    const fs::path out = work.path() / "out";
    const auto cli = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--device", port, "--baud", "115200"});
        const Command command = asUser({OVALINE_CLI_PATH, std::move(args)});
        return runProcess(command.program, command.args);
    };
    const auto state = [&] {
        emu::UnitState s;
        EXPECT_TRUE(emu::UnitStore(camera).load(s));
        return s;
    };
    // The unit keeps its state once the exchange is over, maybe just after
    // the program has ended.
    const auto stateWhen = [&](const std::function<bool(const emu::UnitState &)> &ready) {
        emu::UnitState s;
        EXPECT_TRUE(waitFor([&] { return ready(s = state()); }));
        return s;
    };
    ASSERT_EQ(cli({"command", "PO", "1"}).exitCode, 0);

    // Slot 5 is the first empty one; the file is its picture, named by the
    // date and time, and its path is all that is printed.
    ProcessResult r = cli({"capture", "-o", out.string()});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::smatch name;
    ASSERT_TRUE(std::regex_match(r.output, name,
                                 std::regex(R"((.*/(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d)\.JPG)\n)")))
        << r.output;
    EXPECT_EQ(fs::path(name[1].str()).parent_path(), out);
    emu::UnitState after =
        stateWhen([](const emu::UnitState &s) { return !s.memory[4].jpeg.empty(); });
    ASSERT_FALSE(after.memory[4].jpeg.empty());
    EXPECT_EQ(readAll(name[1].str()), after.memory[4].jpeg);
    EXPECT_TRUE(after.pointer) << "the pointer is switched on again after the store";

    // Every slot full: refused before anything is stored.
    for (const char *slot : {"6", "7"}) {
        const fs::path picture = work.path() / "p.jpg";
        const std::vector<std::uint8_t> jpeg = testPicture(640, 480, slot[0]);
        std::ofstream(picture, std::ios::binary)
            .write(reinterpret_cast<const char *>(jpeg.data()), std::streamsize(jpeg.size()));
        ASSERT_EQ(cli({"send", picture.string(), slot}).exitCode, 0);
    }
    const emu::UnitState full =
        stateWhen([](const emu::UnitState &s) { return !s.memory[6].jpeg.empty(); });
    r = cli({"capture", "-o", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("every slot holds a picture; --slot N overwrites slot N"),
              std::string::npos)
        << r.output;
    r = cli({"capture", "-o", out.string(), "--slot", "4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("slot 4 is protected"), std::string::npos) << r.output;
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(state().memory[i].jpeg, full.memory[i].jpeg) << i;
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 1);

    // --slot overwrites the slot it names.
    r = cli({"capture", "-o", out.string(), "--slot", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    after =
        stateWhen([&](const emu::UnitState &s) { return s.memory[1].jpeg != full.memory[1].jpeg; });
    EXPECT_NE(after.memory[1].jpeg, full.memory[1].jpeg);
    EXPECT_EQ(readAll(r.output.substr(0, r.output.size() - 1)), after.memory[1].jpeg);

    // Mistakes in the options.
    r = cli({"capture", "--slot", "9"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("the slot is 1..7"), std::string::npos) << r.output;
    r = cli({"receive", "1", "--slot", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("--slot belongs to capture"), std::string::npos) << r.output;
    EXPECT_EQ(unit.stop(SIGTERM), 0);
}

} // namespace
} // namespace ovaline::test
