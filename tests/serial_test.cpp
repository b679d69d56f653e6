// SPDX-License-Identifier: MIT
// The library over real serial I/O: ovaline-unit plays the camera on a
// pseudo-terminal, and the library, ovaline-cli and the program open the
// other side as their port.
#include "jpeg_padding.h"
#include "ovaline_fingerprint.h"
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ovaline::test {
namespace {

using Seconds = std::chrono::duration<double>;

class Serial : public ::testing::Test {
protected:
    // Starts a unit on a pseudo-terminal and makes it port 1.
    void startUnit(std::vector<std::string> args = {}) {
        args.insert(args.end(), {"--dir", folder.str()});
        if (std::find(args.begin(), args.end(), "--speed") == args.end())
            args.insert(args.end(), {"--speed", "1000"});
        const std::string path = test::startUnit(unit, OVALINE_UNIT_PATH, args);
        ASSERT_FALSE(path.empty()) << "ovaline-unit did not start";
        ASSERT_EQ(OvalineSetPortName(1, path.c_str()), 0);
        // The camera comes to life at its first exchange (a faulty one may not answer).
        if (std::find(args.begin(), args.end(), "--faults") == args.end()) {
            ASSERT_EQ(command("QR", '0').code, 0);
        }
    }
    void TearDown() override {
        OvalineSetPortName(1, nullptr);
        if (unit.running()) {
            EXPECT_EQ(unit.stop(SIGTERM), 0) << "ovaline-unit ends cleanly on SIGTERM";
        }
    }
    emu::UnitState camera() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(folder.path()).load(state));
        return state;
    }
    // Leaves the camera off with `picture` in `slot`: its file put into the
    // camera's folder, as a user may, where a send would take the line's
    // real time.
    void holdInFolder(int slot, const std::vector<std::uint8_t> &picture) {
        startUnit();
        EXPECT_EQ(unit.stop(SIGTERM), 0);
        std::ofstream(folder.path() / ("slot" + std::to_string(slot) + ".jpg"), std::ios::binary)
            .write(reinterpret_cast<const char *>(picture.data()),
                   static_cast<std::streamsize>(picture.size()));
    }

    TempDir folder;
    ChildProcess unit;
};

TEST_F(Serial, EveryCommandCrossesTheLine) {
    startUnit();
    const struct {
        const char *letters;
        char arg;
        const char *param;
    } commands[] = {{"AF", '0', "  "}, {"FO", '+', "  "}, {"FO", '0', "  "}, {"ZO", '-', "  "},
                    {"ZO", '0', "  "}, {"IR", '1', "  "}, {"PL", '2', "  "}, {"AV", '1', "  "},
                    {"NP", '1', "  "}, {"CB", '1', "  "}, {"PO", '1', "  "}, {"PM", '3', "  "},
                    {"PM", '0', "  "}, {"MA", '1', "  "}, {"FZ", '1', "  "}, {"LL", '1', "  "},
                    {"CE", '1', "02"}, {"QS", '0', "  "}};
    for (const auto &c : commands)
        EXPECT_EQ(command(c.letters, c.arg, c.param).code, 0) << c.letters << c.arg;
    EXPECT_EQ(command("QS", '0').reply, "21111111");
    EXPECT_EQ(command("QS", '1').reply, "0111P000");
    EXPECT_EQ(command("CE", '0', "05").code, 0);
    EXPECT_EQ(command("QR", '0').reply, "VIHN01");
}

TEST_F(Serial, EachModelAnswersItsReply) {
    for (const char *model : {"VIKN", "VIKP", "VIHN", "VIHP"}) {
        ChildProcess other;
        TempDir own;
        const std::string path =
            test::startUnit(other, OVALINE_UNIT_PATH, {"--model", model, "--dir", own.str()});
        ASSERT_FALSE(path.empty());
        OvalineSetPortName(2, path.c_str());
        EXPECT_EQ(command("QR", '0', "  ", 2).reply.substr(0, 4), model);
        EXPECT_EQ(other.stop(SIGINT), 0) << "ovaline-unit ends cleanly on SIGINT";
    }
    OvalineSetPortName(2, nullptr);
}

TEST_F(Serial, FingerprintsCrossTheLineAndAnOldUnitRefusesThem) {
    holdInFolder(6, testPicture(640, 480, 6));
    startUnit();
    const CommandResult table = command("QF", '0');
    ASSERT_EQ(table.code, 0);
    const auto *reply = reinterpret_cast<const std::uint8_t *>(table.reply.data());
    const emu::UnitState state = camera();
    for (int i = 0; i < 7; ++i) {
        const auto &jpeg = state.memory[i].jpeg;
        const OvalineFingerprint expected = OvalineFingerprintOf(jpeg.data(), jpeg.size());
        EXPECT_EQ(OvalineReadFingerprint(reply, i).size, expected.size) << i;
        EXPECT_EQ(OvalineReadFingerprint(reply, i).crc, expected.crc) << i;
    }
    const CommandResult stamp = command("QC", '0');
    ASSERT_EQ(stamp.code, 0);
    EXPECT_EQ(OvalineReadBe32(reinterpret_cast<const std::uint8_t *>(stamp.reply.data())),
              OvalineStampOf(reply));

    EXPECT_EQ(unit.stop(SIGTERM), 0);
    startUnit({"--faults", "old"});
    EXPECT_EQ(command("QF", '0').code, OVALINE_E_NAK);
    EXPECT_EQ(command("QS", '1').reply, "0111P010");
}

TEST_F(Serial, EverySlotMovesByteExactBothWays) {
    startUnit();
    const emu::UnitState state = camera();
    for (int slot = 1; slot <= 7; ++slot) {
        const TransferResult received = receiveSlot(slot);
        if (state.memory[slot - 1].jpeg.empty()) {
            EXPECT_EQ(received.code, OVALINE_E_EMPTY_SLOT) << slot;
        } else {
            ASSERT_EQ(received.code, 0) << slot;
            EXPECT_EQ(received.bytes, state.memory[slot - 1].jpeg) << slot;
        }
        // Small: the host sends at the line's real rate, and the largest
        // pictures cross in the test below.
        const auto picture = testPicture(160, 120, slot);
        const TransferResult sent = sendSlot(slot, picture);
        if (slot == 4) {
            EXPECT_EQ(sent.code, OVALINE_E_NAK) << "protected";
            continue;
        }
        ASSERT_EQ(sent.code, 0) << slot;
        EXPECT_EQ(receiveSlot(slot).bytes, picture) << slot;
    }
}

TEST_F(Serial, DamagedAndLostBytesAreRetransmittedBothWaysInTheLargestTransfers) {
    const auto picture = padJpeg(testPicture(640, 480, 5), OVALINE_MAX_IMAGE);
    // Flipped and lost bytes at once, 1 in 2,000 of each: one send (the host
    // keeps to 115,200 bit/s, 6 s for the largest picture) and each receive
    // meet as many as five transfers at 1 in 10,000 did.
    startUnit({"--speed", "20", "--faults", "flip=5e-4,drop=5e-4,seed=11"});
    ASSERT_EQ(sendSlot(5, picture).code, 0);
    for (int round = 0; round < 3; ++round) {
        const TransferResult back = receiveSlot(5);
        ASSERT_EQ(back.code, 0) << "receive " << round;
        EXPECT_EQ(back.bytes, picture) << "receive " << round;
    }
}

TEST_F(Serial, ARefusingUnitIsGivenUpWithNak) {
    startUnit({"--faults", "nak=100"});
    EXPECT_EQ(command("QS", '1').code, OVALINE_E_NAK);
}

TEST_F(Serial, ASilentUnitTimesOutWithinTheDocumentedTime) {
    startUnit({"--faults", "silent"});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(command("QS", '1').code, OVALINE_E_TIMEOUT);
    // Four attempts of 0.2 s plus three times the frames' line time: 0.84 s
    // at 115,200 bit/s; the margin is for a loaded machine.
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start).count(), 2.5);
}

TEST_F(Serial, ALineThatGoesDeadMidPictureIsAnErrorWithinThreeSeconds) {
    holdInFolder(5, padJpeg(testPicture(640, 480, 8), OVALINE_MAX_IMAGE));
    startUnit({"--speed", "20", "--faults", "hangup=30000"});
    const auto start = std::chrono::steady_clock::now();
    const TransferResult received = receiveSlot(5);
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start).count(), 3.0);
    EXPECT_NE(received.code, 0);
    EXPECT_TRUE(received.bytes.empty()) << "a cut picture is not handed over as complete";
    EXPECT_LT(received.progress, OVALINE_MAX_IMAGE);
}

TEST_F(Serial, AUnitKilledMidTransferEndsTheCallWithAnError) {
    holdInFolder(5, padJpeg(testPicture(640, 480, 6), OVALINE_MAX_IMAGE));
    startUnit({"--speed", "2"});

    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "TR", '0', "05", buffer.data(), OVALINE_MAX_IMAGE);
    std::atomic<std::int32_t> code{-1};
    std::thread worker([&] { code = OvalineTraffic(&record.block); });
    // Kill the unit once picture bytes are flowing.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (OvalineLoadProgress(&record.block) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    unit.stop(SIGKILL);
    while (OvalineLoadBusy(&record.block) != 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_EQ(OvalineLoadBusy(&record.block), 0u) << "the call hangs after the unit died";
    worker.join();
    EXPECT_NE(code.load(), 0);
}

TEST_F(Serial, ACancelledTransferIsDroppedByTheUnitAndTheNextExchangeWorksAtOnce) {
    startUnit({"--speed", "1"});
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    AlignedBlock record;
    record.block = makeBlock(1, 115200, "TR", '0', "01", buffer.data(), OVALINE_MAX_IMAGE);
    EXPECT_EQ(cancelInDataPhase(record.block).code, OVALINE_CANCELLED);
    EXPECT_EQ(command("QS", '1').code, 0);

    const std::vector<std::uint8_t> before = camera().memory[1].jpeg;
    // A pseudo-terminal takes some 20 kB at once, beyond recall: a picture
    // larger than that is still crossing when the cancel comes.
    std::vector<std::uint8_t> picture = padJpeg(testPicture(640, 480, 4), OVALINE_MAX_IMAGE);
    record.block = makeBlock(1, 115200, "TR", '1', "02", picture.data(),
                             static_cast<std::uint32_t>(picture.size()));
    EXPECT_EQ(cancelInDataPhase(record.block).code, OVALINE_CANCELLED);
    EXPECT_EQ(command("QS", '1').code, 0);
    EXPECT_EQ(camera().memory[1].jpeg, before) << "a cancelled send replaced the slot's picture";
}

TEST_F(Serial, PortsThatAreNotSerialPortsAreNotTouched) {
    OvalineSetPortName(1, (folder.path() / "no-such-port").c_str());
    EXPECT_EQ(command("QR", '0').code, OVALINE_E_OPEN);

    const auto file = folder.path() / "notes.txt";
    {
        std::ofstream out(file);
        out << "keep me";
    }
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    OvalineSetPortName(1, file.c_str());
    EXPECT_EQ(command("QR", '0').code, OVALINE_E_OPEN);
    EXPECT_EQ(sendSlot(5, testPicture(640, 480, 1)).code, OVALINE_E_OPEN);
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep me");
}

// The unit refuses a folder it cannot keep its state in, and says on its
// standard error when a fault it was asked for fires.
TEST_F(Serial, TheUnitRefusesAFolderItCannotWriteAndReportsAFiredHangup) {
    std::ofstream(folder.path() / "plain") << "x";
    const ProcessResult refused =
        runProcess(OVALINE_UNIT_PATH, {"--dir", (folder.path() / "plain" / "camera").string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.output.rfind("ovaline-unit: cannot make the folder", 0), 0u)
        << refused.output;

    const auto errors = folder.path() / "errors";
    TempDir own;
    const std::string path = test::startUnit(
        unit, OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", own.str(), "--faults", "hangup=3000"},
        errors.string());
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(OvalineSetPortName(1, path.c_str()), 0);
    EXPECT_EQ(receiveSlot(1).code, OVALINE_E_TIMEOUT);
    EXPECT_EQ(unit.stop(SIGTERM), 0);
    std::ifstream in(errors);
    const std::string said{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(said, "ovaline-unit: hangup fault: the line went silent after 3000 bytes of a data "
                    "phase\n");
}

TEST_F(Serial, ASlowUnitIsReportedAsTimeOut) {
    // Its answers arrive after each wait, in pieces across the attempts.
    startUnit({"--speed", "0.04", "--faults", "seed=1"});
    EXPECT_EQ(command("QS", '1', "  ", 1, 9600).code, OVALINE_E_TIMEOUT);
}

TEST_F(Serial, ASlotFileReplacedByAnotherPictureOfTheSameSizeIsFingerprintedAnew) {
    startUnit();
    const auto slot = folder.path() / "slot1.jpg";
    const auto before = OvalineReadFingerprint(
        reinterpret_cast<const std::uint8_t *>(command("QF", '0').reply.data()), 0);
    std::vector<std::uint8_t> other =
        padJpeg(testPicture(640, 480, 9), static_cast<std::size_t>(before.size));
    ASSERT_EQ(other.size(), before.size);
    // Replaced after the clock of the file system has moved on from the
    // camera's own writing, as a user replaces it.
    const auto written = std::filesystem::last_write_time(slot);
    const auto probe = folder.path() / "probe";
    ASSERT_TRUE(waitFor([&] {
        std::ofstream(probe) << "x";
        return std::filesystem::last_write_time(probe) > written;
    }));
    std::ofstream(slot, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(other.data()),
               static_cast<std::streamsize>(other.size()));

    const auto after = OvalineReadFingerprint(
        reinterpret_cast<const std::uint8_t *>(command("QF", '0').reply.data()), 0);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.crc, OvalineFingerprintOf(other.data(), other.size()).crc);
    EXPECT_EQ(receiveSlot(1).bytes, other);
}

ProcessResult runAsUser(const Command &command) {
    const Command user = asUser(command);
    return runProcess(user.program, user.args);
}

TEST_F(Serial, AnOrdinaryUserRunsCommandAfterCommandAndThenTheProgramReceives) {
    // Everything the user's programs keep lives in a folder they may write.
    ASSERT_EQ(::chmod(folder.str().c_str(), 0777), 0);
    ScopedEnv env;
    env.set("HOME", folder.str()).set("QT_QPA_PLATFORM", "offscreen");
    const Command unitCommand =
        asUser({OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", folder.str()}});
    const std::string port = test::startUnit(unit, unitCommand.program, unitCommand.args);
    ASSERT_FALSE(port.empty()) << "ovaline-unit did not start";

    for (const char *action : {"model", "map", "status"}) {
        const ProcessResult r =
            runAsUser({OVALINE_CLI_PATH, {"--device", port, "--baud", "115200", action}});
        EXPECT_EQ(r.exitCode, 0) << action << ": " << r.output;
    }

    // Held by another program that asked for it alone, it says so; a
    // missing device too.
    const int holder = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::ioctl(holder, TIOCEXCL), 0);
    if (::geteuid() == 0) {
        const ProcessResult busy =
            runAsUser({OVALINE_CLI_PATH, {"--device", port, "--baud", "115200", "model"}});
        EXPECT_NE(busy.output.find("(code 100). " + port + " is busy with another program."),
                  std::string::npos)
            << busy.output;
    }
    ::ioctl(holder, TIOCNXCL);
    ::close(holder);
    const std::string missing = (folder.path() / "ttyUSB9").string();
    EXPECT_NE(runAsUser({OVALINE_CLI_PATH, {"--device", missing, "model"}})
                  .output.find("(code 100). The device " + missing + " does not exist."),
              std::string::npos);

    const auto profile = folder.path() / "Ovaline.ini";
    std::ofstream(profile) << "[COM_SPEED]\nSPEED=6\n[PORTS]\nCOM1=" << port << "\n";
    ::chmod(profile.c_str(), 0666);
#ifdef OVALINE_WATCHED_PROGRAM_PATH // built with the program
    const Command receiving =
        asUser({OVALINE_WATCHED_PROGRAM_PATH, {"--nosplash", "--profile", profile.string()}});
    ChildProcess receive;
    ASSERT_TRUE(receive.start(receiving.program, receiving.args, 30.0))
        << "the program's Receive did not start";
    EXPECT_EQ(receive.firstLine(), "BUSY");
    receive.stop(SIGTERM);
#endif
}

} // namespace
} // namespace ovaline::test
