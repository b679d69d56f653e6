// ovaline-cli as a user runs it: exit codes, messages and files.
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ovaline::test {
namespace {

std::vector<std::uint8_t> readAll(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        env.set("OVALINE_VIRTUAL_DIR", (work.path() / "camera").string())
            .set("OVALINE_VIRTUAL_SPEED", "1000")
            .set("OVALINE_COM1", "virtual")
            .unset("OVALINE_VIRTUAL_FAULTS")
            .unset("OVALINE_VIRTUAL_MODEL");
    }

    ProcessResult cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--baud", "115200"});
        return runProcess(OVALINE_CLI_PATH, args);
    }

    emu::UnitState camera() {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(work.path() / "camera").load(state));
        return state;
    }

    TempDir work;
    ScopedEnv env;
};

TEST_F(Cli, UsageMistakesExitWithTwoAndSayWhat) {
    EXPECT_EQ(cli({"--help"}).exitCode, 0);
    EXPECT_NE(cli({"--help"}).output.find("receive --all"), std::string::npos);
    const struct {
        std::vector<std::string> args;
        const char *says;
    } cases[] = {
        {{}, "no command"},
        {{"--port", "5", "model"}, "the port is 1, 2, 3 or 4"},
        {{"--baud", "1200", "model"}, "not a rate"},
        {{"fly"}, "unknown command"},
        {{"receive"}, "a slot or --all"},
        {{"send", "x.jpg"}, "wrong number of arguments"},
        {{"store", "8"}, "the slot is 1..7"},
    };
    for (const auto &c : cases) {
        const ProcessResult r = runProcess(OVALINE_CLI_PATH, c.args);
        EXPECT_EQ(r.exitCode, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
}

TEST_F(Cli, ReportsTheUnitInWords) {
    ProcessResult r = cli({"model"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "VIHN01\n");
    r = cli({"map"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("slot 4: picture (protected)"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("slot 7: empty"), std::string::npos) << r.output;
    EXPECT_EQ(cli({"command", "NP", "1"}).exitCode, 0);
    r = cli({"status"});
    EXPECT_NE(r.output.find("picture: negative"), std::string::npos) << r.output;
}

TEST_F(Cli, ReceivesEveryHeldSlotIntoFiles) {
    const ProcessResult r = cli({"receive", "--all", "-o", (work.path() / "out").string()});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const emu::UnitState state = camera();
    for (int slot = 1; slot <= 7; ++slot) {
        const auto file = work.path() / "out" / ("slot" + std::to_string(slot) + ".jpg");
        EXPECT_EQ(std::filesystem::exists(file), !state.memory[slot - 1].jpeg.empty()) << slot;
        if (std::filesystem::exists(file)) {
            EXPECT_EQ(readAll(file), state.memory[slot - 1].jpeg) << slot;
        }
    }
}

TEST_F(Cli, AFailedReceiveLeavesNoFileAndKeepsAnOlderOne) {
    const auto out = work.path() / "out";
    std::filesystem::create_directories(out);
    ProcessResult r = cli({"receive", "6", "-o", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("Image is not memorized at VP"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(out / "slot6.jpg"));

    writeAll(out / "slot1.jpg", {1, 2, 3});
    env.set("OVALINE_VIRTUAL_FAULTS", "hangup=10000");
    r = cli({"receive", "1", "-o", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(readAll(out / "slot1.jpg"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(Cli, SendsAPictureAndRefusesFilesThatDoNotFit) {
    const auto picture = testPicture(640, 480, 4);
    writeAll(work.path() / "a.jpg", picture);
    ProcessResult r = cli({"send", (work.path() / "a.jpg").string(), "6"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(camera().memory[5].jpeg, picture);

    writeAll(work.path() / "empty.jpg", {});
    r = cli({"send", (work.path() / "empty.jpg").string(), "5"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.output.find("is empty"), std::string::npos);
    writeAll(work.path() / "big.jpg", std::vector<std::uint8_t>(65536, 0xFF));
    r = cli({"send", (work.path() / "big.jpg").string(), "5"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.output.find("larger than a slot holds"), std::string::npos);
    r = cli({"send", (work.path() / "a.jpg").string(), "4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("Received NAK"), std::string::npos) << "slot 4 is protected";
}

TEST_F(Cli, StoresAndRecallsAndReportsPortsThatCannotOpen) {
    EXPECT_EQ(cli({"store", "7"}).exitCode, 0);
    EXPECT_FALSE(camera().memory[6].jpeg.empty());
    EXPECT_EQ(cli({"recall", "2"}).exitCode, 0);
    EXPECT_EQ(camera().recalled, 2);
    const ProcessResult r = cli({"--device", "/nonexistent/tty", "model"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("Failed to open COM"), std::string::npos) << r.output;
}

TEST_F(Cli, AFolderThatCannotBeWrittenIsAFileFailure) {
    // A regular file where the folder should be: no one can write into it.
    writeAll(work.path() / "plain", {0});
    const ProcessResult r = cli({"receive", "1", "-o", (work.path() / "plain").string()});
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find("cannot create"), std::string::npos) << r.output;
}

} // namespace
} // namespace ovaline::test
