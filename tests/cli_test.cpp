// SPDX-License-Identifier: MIT
// ovaline-cli as a user runs it: exit codes, messages and files.
#include "file_bytes.h"
#include "language_cases.h"
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
    r = cli({"receive", "1", "--overwrite", "-o", out.string()});
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

// Mistakes found on this side of the line are refused before the camera
// is asked anything: it never comes to life in its folder.
TEST_F(Cli, RefusesBeforeAnyExchangeAndNamesItself) {
    const ProcessResult version = cli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "ovaline-cli 2.0\n");

    writeAll(work.path() / "plain", {0});
    writeAll(work.path() / "not.jpg", {'J', 'F', 'I', 'F'});
    writeAll(work.path() / "cmyk.jpg", cmykTestPicture(640, 480));
    std::filesystem::create_directories(work.path() / "out");
    writeAll(work.path() / "out" / "slot1.jpg", {1, 2, 3});
    const struct {
        std::vector<std::string> args;
        int status;
        const char *says;
    } cases[] = {
        // A regular file where the folder should be: no one can write into it.
        {{"receive", "1", "-o", (work.path() / "plain" / "sub").string()},
         3,
         "cannot make the folder"},
        {{"receive", "1", "-o", (work.path() / "out").string()}, 3, "exists already"},
        {{"command", "XY", "0"}, 2, "knows no command \"XY\""},
        {{"command", "TR", "0"}, 2, "use receive or send"},
        {{"send", (work.path() / "not.jpg").string(), "5"}, 3, "is not a JPEG picture"},
        {{"send", (work.path() / "cmyk.jpg").string(), "5"}, 3, "is a CMYK picture"},
        {{"receive", "9"}, 2, "the slot is 1..7"},
    };
    for (const auto &c : cases) {
        const ProcessResult r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.status) << r.output;
        EXPECT_EQ(r.output.rfind("ovaline-cli: ", 0), 0u) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
    EXPECT_EQ(readAll(work.path() / "out" / "slot1.jpg"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists(work.path() / "camera" / "state.txt"))
        << "the camera was never asked";
}

TEST_F(Cli, ReceiveMakesItsFolderAndReplacesFilesOnlyWhenAsked) {
    const auto out = work.path() / "new" / "deeper";
    ASSERT_EQ(cli({"receive", "1", "-o", out.string()}).exitCode, 0);
    const auto first = readAll(out / "slot1.jpg");
    EXPECT_EQ(first, camera().memory[0].jpeg);
    writeAll(out / "slot1.jpg", {1});
    EXPECT_EQ(cli({"receive", "1", "-o", out.string()}).exitCode, 3);
    EXPECT_EQ(cli({"receive", "1", "--overwrite", "-o", out.string()}).exitCode, 0);
    EXPECT_EQ(readAll(out / "slot1.jpg"), first);

    // Every file of a whole-memory receive is checked before the first picture.
    const auto all = work.path() / "all";
    std::filesystem::create_directories(all);
    writeAll(all / "slot3.jpg", {3});
    const ProcessResult r = cli({"receive", "--all", "-o", all.string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.output.find("slot3.jpg exists already"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(all / "slot1.jpg"));
}

TEST_F(Cli, SlotsAndPicturesAreCheckedBeforeTheyCrossTheLine) {
    ASSERT_EQ(cli({"model"}).exitCode, 0);
    const emu::UnitState before = camera();
    writeAll(work.path() / "a.jpg", testPicture(640, 480, 4));
    ProcessResult r = cli({"send", (work.path() / "a.jpg").string(), "4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("ovaline-cli: slot 4 is protected"), std::string::npos) << r.output;
    r = cli({"store", "4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("slot 4 is protected"), std::string::npos) << r.output;
    r = cli({"recall", "6"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("slot 6 is empty"), std::string::npos) << r.output;

    writeAll(work.path() / "large.jpg", testPicture(800, 600, 4));
    r = cli({"send", (work.path() / "large.jpg").string(), "5"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.output.find("large.jpg is 800 x 600 pixels; the unit (VIHN) takes pictures of "
                            "up to 640 x 480"),
              std::string::npos)
        << r.output;
    const emu::UnitState after = camera();
    EXPECT_EQ(after.memory[3].jpeg, before.memory[3].jpeg);
    EXPECT_TRUE(after.memory[4].jpeg.empty());
    EXPECT_EQ(after.recalled, before.recalled);

    // A portrait picture of the unit's size fits.
    const auto portrait = testPicture(480, 640, 4);
    writeAll(work.path() / "portrait.jpg", portrait);
    EXPECT_EQ(cli({"send", (work.path() / "portrait.jpg").string(), "5"}).exitCode, 0);
    EXPECT_EQ(camera().memory[4].jpeg, portrait);
}

TEST_F(Cli, SpeaksJapaneseWhereTheUserAsksForItAndEnglishElsewhere) {
    const std::string missing = (work.path() / "no-such-port").string();
    for (const LanguageCase &c : kLanguageCases) {
        const std::string label = useLanguage(env, c);
        // What the unit holds, a usage mistake, and a failure with the
        // library's own text and its code filled in.
        const ProcessResult map = cli({"map"});
        const ProcessResult usage = cli({"store", "8"});
        const ProcessResult failed = cli({"--device", missing, "model"});
        EXPECT_EQ(map.exitCode, 0) << label << map.output;
        const std::string said = map.output + usage.output + failed.output;
        const char *const expected[] = {
            c.japanese ? "スロット 4: 画像あり (保護)\n" : "slot 4: picture (protected)\n",
            c.japanese ? "ovaline-cli: スロットは 1～7 で指定してください\n"
                       : "ovaline-cli: the slot is 1..7\n",
            c.japanese ? "ovaline-cli: 機種の問い合わせに失敗しました: COM ポートを開けません "
                         "(コード 100)"
                       : "ovaline-cli: asking the model failed: Failed to open COM (code 100)"};
        for (const char *text : expected)
            EXPECT_NE(said.find(text), std::string::npos) << label << "\n" << said;
    }
}

} // namespace
} // namespace ovaline::test
