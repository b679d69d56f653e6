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

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <regex>
#include <unistd.h>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

// Root ignores permissions: as root, ovaline-cli runs as the ordinary user
// "nobody", who owns the port and the output folder.
constexpr ::uid_t kNobody = 65534;

TEST(CliCapture, StoresIntoTheFirstEmptySlotSavesThePictureAndRefusesInWords) {
    TempDir work;
    ChildProcess unit;
    const fs::path camera = work.path() / "cam";
    const std::string port =
        startUnit(unit, OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", camera.string()});
    ASSERT_FALSE(port.empty());
    const fs::path out = work.path() / "out";
    fs::create_directory(out);
    const bool root = ::geteuid() == 0;
    if (root) {
        fs::permissions(work.path(), fs::perms::others_exec, fs::perm_options::add);
        ASSERT_EQ(::chown(out.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(port.c_str(), kNobody, kNobody), 0);
    }
    const auto cli = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {OVALINE_CLI_PATH, "--device", port, "--baud", "115200"});
        if (root)
            args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups"});
        return root ? runProcess("/usr/bin/setpriv", args)
                    : runProcess(args[0], {args.begin() + 1, args.end()});
    };
    const auto state = [&] {
        emu::UnitState s;
        EXPECT_TRUE(emu::UnitStore(camera).load(s));
        return s;
    };
    // The unit keeps its state once the exchange is over, maybe just after
    // the program has ended.
    const auto stateWhen = [&](auto ready) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        emu::UnitState s = state();
        while (!ready(s) && std::chrono::steady_clock::now() < deadline)
            s = state();
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
